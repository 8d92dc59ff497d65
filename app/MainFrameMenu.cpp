// The frame's owner-drawn menu and the switch between its two looks.
#include "app/MainFrame.h"

#include "res/resource.h"

HMENU CMainFrame::SetupMenu()
{
    m_menu.LoadMenu(IDR_MAINFRAME);
    CStyledMenu::SetXpLook(m_bXPMenu);
    CheckSwitches(m_menu);

    static const struct {
        UINT command;
        int bitmap;
    } kImages[] = {{ID_APP_ABOUT, IDB_MENU_ABOUT},
                   {ID_FILE_SAVE, IDB_MENU_SAVE},
                   {ID_REFRESH, IDB_MENU_REFRESH},
                   {ID_EDIT_COPY, IDB_MENU_COPY},
                   {ID_SETTINGS, IDB_MENU_SETTINGS}};
    m_menu.SetImageBackground(RGB(192, 192, 192));
    for (const auto& image : kImages)
        m_menu.SetCommandImage(static_cast<LPCSTR>(nullptr), image.command, image.bitmap);
    m_menu.ClearImageBackground();
    return m_menu.Detach();
}

void CMainFrame::OnXPStyle()
{
    m_bXPMenu = !m_bXPMenu;
    ShowSwitchStates();
}
