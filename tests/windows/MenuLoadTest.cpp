#include "menu/StyledMenu.h"
#include "tests/windows/FrameFixture.h"

#include <algorithm>

namespace {

using Lines = std::vector<std::string>;

// The main window's owner-drawn menu, in the look stored by default.
class MenuLoadTest : public CFrameFixture {
protected:
    CStyledMenu& Popup(int index) const
    {
        return dynamic_cast<CStyledMenu&>(
            *fw::CMenu::FromHandle(::GetSubMenu(::GetMenu(hwnd), index)));
    }
    static int Width(const std::string& text)
    {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof(metrics);
        ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        fw::CFont font(::CreateFontIndirectA(&metrics.lfMenuFont));
        fw::CClientDC dc(nullptr);
        fw::CSelectObject selected(dc, font);
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    // A line per item: its text, command, and what the system and the record say of it (a
    // menu bar item without record: its text). The blanks before a shortcut show as "|"
    // when they make the label as wide as the popup's widest label and a blank, and not
    // one blank wider.
    static std::string Describe(HMENU menu, int position, const CStyledMenuItem* record, int widest)
    {
        char title[16] = {};
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_STRING;
        info.dwTypeData = title;
        info.cch = sizeof(title);
        ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
        if (record == nullptr)
            return title + std::string(info.fType & MFT_OWNERDRAW ? " owner-drawn" : "");
        std::string line = record->GetText();
        std::size_t tab = line.find('\t'), padding = line.find_last_not_of(' ', tab - 1) + 1;
        if (tab != std::string::npos && Width(line.substr(0, tab)) >= widest &&
            Width(line.substr(0, tab - 1)) < widest)
            line.replace(padding, tab - padding, "|");
        line += " " + ResourceName(info.wID);
        line += info.fType & MFT_OWNERDRAW ? "" : " plain";
        line += info.fType & MFT_SEPARATOR ? " separator" : "";
        line += info.fState & MFS_CHECKED ? " checked" : "";
        line += info.dwItemData == reinterpret_cast<ULONG_PTR>(record) ? "" : " foreign";
        if (record->m_nImageId >= 0)
            line += " image " + ResourceName(static_cast<UINT>(record->m_nImageId)) + " of " +
                    std::to_string(record->m_pImageList->GetImageCount());
        return line;
    }
};

// The menus' ellipsis ("…") as the program's 8-bit texts hold it: code page 1252, Wine's here.
const std::string kEllipsis = "\x85";

TEST_F(MenuLoadTest, BarIsPlainTextOverOwnerDrawnItemsWithAlignedShortcuts)
{
    HMENU bar = ::GetMenu(hwnd);
    Lines lines;
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
        lines.push_back(Describe(bar, i, nullptr, 0));
        int widest = 0;
        for (const auto& record : Popup(i).m_arrItems) {
            std::string label = record->GetText().substr(0, record->GetText().find('\t'));
            widest =
                std::max(widest, Width(label.substr(0, label.find_last_not_of(' ') + 1) + " "));
        }
        for (int p = 0; p < ::GetMenuItemCount(Popup(i)); ++p)
            lines.push_back(Describe(Popup(i), p, Popup(i).m_arrItems.at(p).get(), widest));
    }
    EXPECT_EQ((Lines{"&File",
                     "&Refresh ID_REFRESH image IDB_MENU_REFRESH of 1",
                     "Res&olve ID_RESOLVE checked",
                     "&Auto Update ID_AUTOUPDATE",
                     " 0 separator",
                     "&Save events|\tCtrl+S ID_FILE_SAVE image IDB_MENU_SAVE of 1",
                     "&Log Changes" + kEllipsis + " ID_FILE_LOG",
                     " 0 separator",
                     "E&xit ID_APP_EXIT",
                     "&Edit",
                     "&Copy URL|\tCtrl+C ID_EDIT_COPY image IDB_MENU_COPY of 1",
                     "&Find" + kEllipsis + "|\tCtrl+F ID_EDIT_FIND",
                     " 0 separator",
                     "Se&ttings ID_SETTINGS image IDB_MENU_SETTINGS of 1",
                     "&View",
                     "&Toolbar ID_VIEW_TOOLBAR",
                     "&Status Bar ID_VIEW_STATUS_BAR",
                     "&XP-Style Menu ID_XPSTYLE checked",
                     "IPv&6 Endpoints ID_VIEW_IPV6",
                     "Owning &Process ID_VIEW_PROCESS",
                     "&Highlight Changes ID_VIEW_HIGHLIGHT",
                     "&Help",
                     "&About Tarnwick... ID_APP_ABOUT image IDB_MENU_ABOUT of 1"}),
              lines);
}

// The system finds no letters in owner-drawn items: the "&" letters answer WM_MENUCHAR, an
// item of its own letter runs, a letter of several items selects the next after the
// highlighted one.
TEST_F(MenuLoadTest, UnderlinedLettersChooseTheItems)
{
    Popup(2).AppendOwnerDrawItem(L"&Tiles", 0, 4242, -1);
    const struct {
        int popup;
        char key;
        int highlighted;
        LRESULT result;
    } kRows[] = {
        {1, 't', -1, MAKELRESULT(3, MNC_EXECUTE)}, {0, 'X', -1, MAKELRESULT(7, MNC_EXECUTE)},
        {2, '6', -1, MAKELRESULT(3, MNC_EXECUTE)}, {0, 'q', -1, MNC_IGNORE},
        {0, 'l', -1, MAKELRESULT(5, MNC_EXECUTE)}, {2, 'h', -1, MAKELRESULT(5, MNC_EXECUTE)},
        {2, 'T', -1, MAKELRESULT(0, MNC_SELECT)},  {2, 't', 0, MAKELRESULT(6, MNC_SELECT)},
        {2, 't', 6, MAKELRESULT(0, MNC_SELECT)}};
    for (const auto& row : kRows) {
        HMENU popup = Popup(row.popup);
        for (int i = 0; i < ::GetMenuItemCount(popup); ++i) {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_STATE;
            info.fState = i == row.highlighted ? MFS_HILITE : 0;
            ::SetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info);
        }
        EXPECT_EQ(row.result, ::SendMessageA(hwnd, WM_MENUCHAR, MAKEWPARAM(row.key, MF_POPUP),
                                             reinterpret_cast<LPARAM>(popup)))
            << row.popup << " " << row.key;
    }
}

TEST_F(MenuLoadTest, OwnerDrawMessagesReachTheItemsMenuOrTheDefault)
{
    const auto height = static_cast<UINT>(std::max(::GetSystemMetrics(SM_CYMENU), 19));
    const struct {
        int popup, position;
        bool record;
        UINT width, height;
    } kRows[] = {
        {0, 1, true, static_cast<UINT>(Width("Res&olve") + 33), height},
        {1, 2, true, 0, static_cast<UINT>(::GetSystemMetrics(SM_CYMENU) / 2)},
        {0, 1, false, 1, 1},
    };
    for (const auto& row : kRows) {
        HMENU popup = Popup(row.popup);
        UINT id = ::GetMenuItemID(popup, row.position);
        auto* record = Popup(row.popup).m_arrItems[static_cast<std::size_t>(row.position)].get();
        ULONG_PTR data = row.record ? reinterpret_cast<ULONG_PTR>(record) : 0;
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, id, 1, 1, data};
        ::SendMessageA(hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        EXPECT_EQ(row.width, mis.itemWidth) << row.popup << "/" << row.position;
        EXPECT_EQ(row.height, mis.itemHeight) << row.popup << "/" << row.position;

        CDibSection image(60, 19, RGB(255, 0, 255));
        DRAWITEMSTRUCT dis = {
            ODT_MENU, 0, id, 0, 0, reinterpret_cast<HWND>(popup), image.Dc(), {0, 0, 60, 19}, data};
        ::SendMessageA(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        EXPECT_EQ(row.record, CountColor(image, image.All(), RGB(255, 0, 255)) == 0);
    }
}

} // namespace
