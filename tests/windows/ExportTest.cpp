// Save events, Copy, the list's context menu, fitted columns and header sorting, seen where
// the user sees them: the saved file, the clipboard, the greyed command, the list, the screen.
#include "Clipboard.h"
#include "FrameFixture.h"
#include "Gdi.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

std::string FileBytes(const std::string& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

std::string ClipboardBytes()
{
    ::OpenClipboard(nullptr);
    HGLOBAL data = ::GetClipboardData(CF_TEXT);
    std::string bytes(static_cast<const char*>(::GlobalLock(data)), ::GlobalSize(data));
    ::GlobalUnlock(data), ::CloseClipboard();
    return bytes;
}

class ExportTest : public CFrameFixture {
protected:
    void SetUp() override
    {
        CFrameFixture::SetUp();
        ::KillTimer(hwnd, CMainFrame::kFirstPollTimer);
        list = &frame->m_wndEndpointList;
        char temp[MAX_PATH] = {};
        ::GetTempPathA(sizeof(temp), temp);
        ::CreateDirectoryA((folder = std::string(temp) + "tarnwick-export\\").c_str(), nullptr);
        std::ofstream(target = folder + "events.txt", std::ios::binary) << "old\r\n";
        fw::CClipboard(nullptr).SetText("before");
    }
    void TearDown() override
    {
        ::DeleteFileA(target.c_str()), ::RemoveDirectoryA(folder.c_str());
        CFrameFixture::TearDown();
    }

    void AddRows(const std::vector<std::pair<const char*, const char*>>& rows)
    {
        for (const auto& row : rows)
            list->SetItemText(list->InsertItem(list->GetItemCount(), row.first), 1, row.second);
    }
    RECT Row(int row) const
    {
        RECT rc = {};
        list->GetItemRect(row, rc, LVIR_BOUNDS);
        return rc;
    }
    void Click(HWND hWnd, const RECT& rc, UINT down = WM_LBUTTONDOWN)
    {
        LPARAM at = MAKELPARAM(rc.left + 20, (rc.top + rc.bottom) / 2);
        ::PostMessageA(hWnd, down, 0, at), ::PostMessageA(hWnd, down + 1, 0, at);
        PumpMessages(100);
        ::UpdateWindow(*list);
    }
    // The toolbar button, and the menu item as its popup opens.
    bool CopyEnabled() const
    {
        HMENU edit = ::GetSubMenu(::GetMenu(hwnd), 1);
        ::SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
        const bool button = frame->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, ID_EDIT_COPY) != 0;
        EXPECT_EQ(button, !(::GetMenuState(edit, ID_EDIT_COPY, MF_BYCOMMAND) & MF_GRAYED));
        return button;
    }
    // Through the frame's accelerators, as the message loop passes a key on.
    void PressCtrl(UINT key)
    {
        BYTE keys[256] = {}, saved[256] = {};
        ::GetKeyboardState(saved);
        keys[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keys);
        MSG msg = {*list, WM_KEYDOWN, key, 1, 0, {}};
        ::TranslateAcceleratorA(hwnd, frame->GetAccelerators(), &msg);
        ::SetKeyboardState(saved);
    }
    std::vector<std::string> Ports() const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list->GetItemCount(); ++row)
            texts.push_back(list->GetItemText(row, 1));
        return texts;
    }

    CEndpointListCtrl* list = nullptr;
    std::string folder, target;
};

TEST_F(ExportTest, SaveReplacesTheFileWithTheRowsAsShownOrSaysWhyAndLeavesIt)
{
    std::pair<std::vector<std::pair<const char*, const char*>>, const char*> cases[] = {
        {{}, ""},
        {{{"0.0.0.0", "53"}, {"127.0.0.1", "40000"}},
         "0.0.0.0   53   \r\n127.0.0.1   40000   \r\n"},
        {{{"TESTHOST", "domain"}}, "TESTHOST   domain   \r\n"}};
    for (const auto& [rows, bytes] : cases) {
        list->SendMessage(LVM_DELETEALLITEMS);
        AddRows(rows);
        EXPECT_TRUE(frame->SaveEvents(target));
        EXPECT_EQ(bytes, FileBytes(target));
    }
    // A file held open without sharing, a folder that is not there.
    HANDLE held = ::CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
    for (const std::string& path : {target, folder + "missing\\events.txt"}) {
        char message[512] = {};
        WhenShown("#32770", [&](HWND box) {
            ::GetDlgItemTextA(box, 0xFFFF, message, sizeof(message));
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        EXPECT_FALSE(frame->SaveEvents(path));
        EXPECT_TRUE(std::strstr(message, path.c_str())) << message;
    }
    ::CloseHandle(held);
    EXPECT_EQ("TESTHOST   domain   \r\n", FileBytes(target));
    WIN32_FIND_DATAA found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, ::FindFirstFileA((folder + "*.tmp").c_str(), &found));
}

TEST_F(ExportTest, CopyTakesTheHighlightedRowsTrimmedAddressOnceARowIsClicked)
{
    AddRows({{"  10.0.0.1 ", "53"}, {"TESTHOST", "domain"}, {"c", "1"}, {"d", "2"}, {"e", "3"}});
    EXPECT_FALSE(CopyEnabled());
    ::SetFocus(*list);
    std::pair<std::vector<int>, std::string> cases[] = {{{0}, std::string("10.0.0.1\0", 9)},
                                                        {{1}, std::string("TESTHOST\0", 9)},
                                                        {{4, 0}, std::string("10.0.0.1\0", 9)}};
    for (const auto& [clicks, bytes] : cases) {
        for (int row : clicks)
            Click(*list, Row(row));
        EXPECT_TRUE(CopyEnabled());
        // Ctrl+C, then the context menu's Copy.
        for (bool menu : {false, true}) {
            fw::CClipboard(nullptr).SetText("before");
            menu ? (void)list->SendMessage(WM_COMMAND, ID_EDIT_COPY) : PressCtrl('C');
            EXPECT_EQ(bytes, ClipboardBytes());
        }
    }
    ::SetFocus(frame->m_wndStatistics);
    EXPECT_FALSE(CopyEnabled());
    fw::CClipboard(nullptr).SetText("before");
    PressCtrl('C');
    EXPECT_EQ(std::string("before\0", 7), ClipboardBytes());
    for (WPARAM selected : {1, 2, 0, 2})
        ::SendMessageA(hwnd, WM_LISTSELECT, selected, 0);
    EXPECT_FALSE(CopyEnabled());
}

TEST_F(ExportTest, CtrlSAndTheListMenusSaveEventsPauseAutoUpdateAndAskWhereToSave)
{
    AddRows({{"0.0.0.0", "53"}});
    ::SendMessageA(hwnd, WM_COMMAND, ID_AUTOUPDATE, 0);
    char offered[MAX_PATH] = {};
    WhenShown("#32770", [&](HWND save) {
        ::GetDlgItemTextA(save, 1148, offered, sizeof(offered));
        ::PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
    });
    PressCtrl('S');
    EXPECT_STREQ("Events.txt", offered);
    EXPECT_EQ("AutoUpdate PAUSED", frame->m_wndStatusBar.GetPane(1)->GetStateText(true));

    std::vector<std::string> items;
    WhenShown("#32768", [&](HWND popup) {
        HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0));
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            ::GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
            items.push_back(std::to_string(::GetMenuItemID(menu, i)) + " " + text);
        }
        WhenShown("#32770", [&](HWND save) {
            HWND combo = ::FindWindowExA(::GetDlgItem(save, 1148), nullptr, "ComboBox", nullptr);
            ::SetWindowTextA(::FindWindowExA(combo, nullptr, "Edit", nullptr), target.c_str());
            ::PostMessageA(save, WM_COMMAND, IDOK, 0);
        });
        ::PostMessageA(popup, WM_KEYDOWN, VK_UP, 0),
            ::PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    });
    Click(*list, {0, 60, 0, 60}, WM_RBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return FileBytes(target) == "0.0.0.0   53   \r\n"; }, 5000));
    EXPECT_EQ((std::vector<std::string>{"57634 Copy URL", "0 ", "57603 Save events"}), items);
}

TEST_F(ExportTest, ColumnsFillTheListsPartOneColumnAfterTheOtherNeverBelowZero)
{
    // A 600-pixel client leaves 600 - 250 - SM_CXFRAME (4 under Wine) - 2 = 344.
    ASSERT_EQ(4, ::GetSystemMetrics(SM_CXFRAME));
    std::pair<int, std::vector<int>> cases[] = {{600, {217, 127}}, {501, {168, 77}},
                                                {491, {162, 73}},  {260, {4, 0}},
                                                {255, {0, 0}},     {250, {165, 75}}};
    for (const auto& [width, widths] : cases) {
        RECT rc = {0, 0, width, 400};
        ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, TRUE, 0);
        ::SetWindowPos(hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE);
        list->SetColumnWidth(0, 165), list->SetColumnWidth(1, 75);
        frame->RecalcLayout();
        EXPECT_EQ(widths, (std::vector<int>{list->GetColumnWidth(0), list->GetColumnWidth(1)}));
        // Redrawing is on again: a changed column is repainted (seen with room for the list).
        ::ShowWindow(frame->m_wndStatistics, SW_HIDE);
        ::SetWindowPos(*list, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOREDRAW);
        ::ValidateRect(*list, nullptr);
        list->SetColumnWidth(1, 50);
        RECT update = {};
        ::GetUpdateRect(*list, &update, FALSE);
        EXPECT_FALSE(::IsRectEmpty(&update)) << width;
    }
}

TEST_F(ExportTest, HeaderClicksSortByTextInTurnsUntilTheNextPoll)
{
    lookup->services.clear();
    for (int port : {53, 1030, 161, 137})
        table->rows.push_back(MakeEndpoint(127, 0, 0, port % 10, static_cast<uint16_t>(port)));
    Poll();
    list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    using Texts = std::vector<std::string>;
    // One direction for both columns, turned round by every click.
    std::pair<int, Texts> clicks[] = {{1, {"1030", "137", "161", "53"}},
                                      {1, {"53", "161", "137", "1030"}},
                                      {0, {"1030", "161", "53", "137"}},
                                      {1, {"53", "161", "137", "1030"}}};
    for (const auto& [column, ports] : clicks) {
        RECT rc = {};
        Header_GetItemRect(list->GetHeaderCtrl(), column, &rc);
        Click(list->GetHeaderCtrl(), rc);
        EXPECT_EQ(ports, Ports());
        int selected = list->GetNextItem(-1, LVNI_SELECTED);
        EXPECT_EQ("127.0.0.1:161", list->GetItemText(selected, 0) + ":" + Ports()[selected]);
    }
    Poll();
    EXPECT_EQ((Texts{"53", "1030", "161", "137"}), Ports());
}

TEST_F(ExportTest, NoSelectionColourStaysOnScreenOutsideTheHighlightedRow)
{
    AddRows({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}});
    // Narrower than the list, as after dragging the dividers: the rows' fill goes on.
    list->SetColumnWidth(0, 100), list->SetColumnWidth(1, 50);
    ::SetFocus(*list);
    RECT all = list->GetClientRect();
    for (int row : {0, 4}) {
        Click(*list, Row(3)), Click(*list, Row(row));
        CDibSection screen(all.right, all.bottom);
        ::BitBlt(screen.Dc(), 0, 0, all.right, all.bottom, fw::CClientDC(*list), 0, 0, SRCCOPY);
        int inRow = CountColor(screen, {0, Row(row).top, all.right, Row(row).bottom},
                               list->m_crSelectColor);
        EXPECT_LT(0, inRow);
        EXPECT_EQ(inRow, CountColor(screen, all, list->m_crSelectColor)) << row;
    }
}

} // namespace
