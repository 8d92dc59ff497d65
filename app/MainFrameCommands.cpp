// The frame's commands: refresh, the auto-update and resolve switches, clicks on the
// status panes, and the toolbar images and menu checks that follow the two switches.
#include "MainFrame.h"

#include "AboutDlg.h"
#include "Gdi.h"
#include "SettingsDlg.h"
#include "resource.h"

#include <commctrl.h>

namespace {
constexpr COLORREF kActiveColor = RGB(0, 150, 0);
constexpr COLORREF kInactiveColor = RGB(200, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
} // namespace

bool CMainFrame::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case ID_REFRESH:
        RefreshUdpInfo();
        return true;
    case ID_AUTOUPDATE:
        ToggleAutoUpdate();
        return true;
    case ID_RESOLVE:
        ToggleResolve();
        return true;
    case ID_XPSTYLE:
        OnXPStyle();
        return true;
    case ID_SETTINGS:
        OnSettings();
        return true;
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_FILE_SAVE:
        OnSaveEvents();
        return true;
    case ID_EDIT_COPY:
        // Greyed in the menu and on the toolbar; an accelerator must not get past that either.
        if (m_bCopyEnabled)
            OnEditCopy();
        return true;
    }
    return false;
}

void CMainFrame::OnSettings()
{
    // The frame owns the dialog so that it cannot be closed, or asked for a second
    // dialog, while this one runs.
    if (CSettingsDlg(m_settings, m_hWnd).DoModal() != IDOK)
        return;
    // Since start-up the menu command owns the menu style, which is stored at exit: the
    // file holds an older choice.
    BOOL bXPMenu = m_bXPMenu;
    LoadSettings();
    m_bXPMenu = bXPMenu;
    Invalidate(TRUE);
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg(m_hWnd).DoModal();
}

void CMainFrame::OnInitMenuPopup(HMENU menu)
{
    CFrameWnd::OnInitMenuPopup(menu);
    ::EnableMenuItem(menu, ID_EDIT_COPY, MF_BYCOMMAND | (m_bCopyEnabled ? MF_ENABLED : MF_GRAYED));
}

void CMainFrame::UpdateCopyButton()
{
    m_wndToolBar.SendMessage(TB_ENABLEBUTTON, ID_EDIT_COPY, MAKELPARAM(m_bCopyEnabled, 0));
}

void CMainFrame::InvalidateStatusBar() const
{
    ::InvalidateRect(m_wndStatusBar, nullptr, FALSE);
}

void CMainFrame::ToggleAutoUpdate()
{
    SwapButtonImage(1);
    HMENU menu = ::GetMenu(m_hWnd);
    CStatusPane* state = m_wndStatusBar.GetPane(1);
    CStatusPane* stripes = m_wndStatusBar.GetPane(2);
    if (m_bPaused) {
        ::CheckMenuItem(menu, ID_AUTOUPDATE, MF_BYCOMMAND | MF_CHECKED);
        SetTimer(kAutoUpdateTimer, static_cast<UINT>(m_nInterval));
        m_bPaused = FALSE;
        state->SetTextColors(kActiveColor, kWhite);
        InvalidateStatusBar();
        state->SetTexts("AutoUpdate ACTIVE", "AutoUpdate PAUSED");
        InvalidateStatusBar();
        stripes->SetStyle(stripes->m_nStyle | SPS_HSCROLL);
    } else {
        KillTimer(kAutoUpdateTimer);
        // A read in flight still shows; a tick that came during it is not followed up.
        m_monitor.DropTimerTick();
        ::CheckMenuItem(menu, ID_AUTOUPDATE, MF_BYCOMMAND | MF_UNCHECKED);
        m_bPaused = TRUE;
        state->SetTextColors(kInactiveColor, kWhite);
        InvalidateStatusBar();
        state->SetTexts("AutoUpdate PAUSED", "AutoUpdate ACTIVE");
        InvalidateStatusBar();
        stripes->SetStyle(stripes->m_nStyle & ~SPS_HSCROLL);
    }
    InvalidateStatusBar();
}

void CMainFrame::ToggleResolve()
{
    InvalidateStatusBar();
    HMENU menu = ::GetMenu(m_hWnd);
    SwapButtonImage(2);
    CStatusPane* pane = m_wndStatusBar.GetPane(3);
    bool resolve = !m_bResolve;
    pane->SetTextColors(resolve ? kActiveColor : kInactiveColor, kWhite);
    InvalidateStatusBar();
    pane->SetTexts(resolve ? "Resolve ON" : "Resolve OFF", "");
    InvalidateStatusBar();
    ::CheckMenuItem(menu, ID_RESOLVE, MF_BYCOMMAND | (resolve ? MF_CHECKED : MF_UNCHECKED));
    m_bResolve = resolve ? TRUE : FALSE;
    // The rows follow at the next poll; names are looked up either way.
    m_monitor.SetResolve(resolve);
}

void CMainFrame::SwapButtonImage(int image)
{
    // Called before the switch flips: the bitmap shows the state the switch goes to.
    UINT bitmapId = image == 1 ? (m_bPaused ? IDB_AUTOUPDATE_ON : IDB_AUTOUPDATE_OFF)
                               : (m_bResolve ? IDB_RESOLVE_OFF : IDB_RESOLVE_ON);
    fw::CBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0,
                     LR_CREATEDIBSECTION | LR_DEFAULTSIZE)));
    ReplaceGrey(bitmap);
    ::ImageList_Replace(m_imlNormal, image, bitmap, nullptr);
    ::ImageList_Replace(m_imlHot, image, bitmap, nullptr);
    m_wndToolBar.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imlNormal.Get()));
    m_wndToolBar.SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imlHot.Get()));
    m_wndToolBar.Invalidate(TRUE);
}

void CMainFrame::OnLButtonDown(POINT point)
{
    // The status bar forwards its clicks in its own client coordinates.
    switch (m_wndStatusBar.PaneFromPoint(point)) {
    case 1:
    case 2:
        ToggleAutoUpdate();
        break;
    case 3:
        ToggleResolve();
        break;
    }
}
