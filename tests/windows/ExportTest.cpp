// Save events, Copy, the list's context menu and header sorting, seen where the user sees
// them: the saved file, the clipboard, the greyed command, the list, the screen.
#include "Clipboard.h"
#include "FrameFixture.h"

#include <cstring>

namespace {

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
        list = &frame->m_wndEndpointList;
        char temp[MAX_PATH] = {};
        ::GetTempPathA(sizeof(temp), temp);
        ::CreateDirectoryA((folder = std::string(temp) + "tarnwick-export\\").c_str(), nullptr);
        std::ofstream(target = folder + "events.txt", std::ios::binary) << "old\r\n";
        fw::CClipboard(nullptr).SetText("before");
    }
    void TearDown() override
    {
        ::ClipCursor(nullptr);
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
        {{{"TESTHOST", "domain"}, {"127.0.0.1", "40000"}},
         "TESTHOST   domain   \r\n127.0.0.1   40000   \r\n"}};
    // A second name of the old file keeps the old bytes: a new file replaced the old one, which
    // was not written over.
    const std::string link = folder + "link.txt";
    ASSERT_TRUE(::CreateHardLinkA(link.c_str(), target.c_str(), nullptr));
    for (const auto& [rows, bytes] : cases) {
        list->SendMessage(LVM_DELETEALLITEMS);
        AddRows(rows);
        EXPECT_TRUE(frame->SaveEvents(target));
        EXPECT_EQ(bytes, FileBytes(target));
    }
    EXPECT_EQ("old\r\n", FileBytes(link));
    ::DeleteFileA(link.c_str());
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
    EXPECT_EQ(cases[1].second, FileBytes(target));
    WIN32_FIND_DATAA found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, ::FindFirstFileA((folder + "*.tmp").c_str(), &found));
}

// The clicked row is the one highlighted on the screen, and the one Copy takes.
TEST_F(ExportTest, CopyTakesTheHighlightedRowsTrimmedAddressOnceARowIsClicked)
{
    AddRows({{"  10.0.0.1 ", "53"}, {"TESTHOST", "domain"}, {"c", "1"}, {"d", "2"}, {"e", "3"}});
    // Narrower than the list, as after dragging the dividers: the rows' fill goes on.
    list->SetColumnWidth(0, 100), list->SetColumnWidth(1, 50);
    EXPECT_FALSE(CopyEnabled());
    ::SetFocus(*list);
    std::pair<std::vector<int>, std::string> cases[] = {{{0}, std::string("10.0.0.1\0", 9)},
                                                        {{1}, std::string("TESTHOST\0", 9)},
                                                        {{4, 0}, std::string("10.0.0.1\0", 9)}};
    for (const auto& [clicks, bytes] : cases) {
        for (int row : clicks)
            Click(*list, Row(row));
        CDibSection screen = ScreenImage(*list);
        RECT row = Row(clicks.back());
        int inRow =
            CountColor(screen, {0, row.top, screen.Width(), row.bottom}, list->m_crSelectColor);
        EXPECT_LT(0, inRow);
        EXPECT_EQ(inRow, CountColor(screen, screen.All(), list->m_crSelectColor));
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

    // The menu opens at the cursor (x and y differ), wherever the click was; a name without
    // extension gets ".txt". A clip holds the cursor: under Wine, SetCursorPos alone may be
    // undone by a pointer event still on its way.
    const RECT at = {300, 200, 301, 201};
    ::ClipCursor(&at);
    std::vector<std::string> items;
    RECT placed = {};
    WhenShown("#32768", [&](HWND popup) {
        ::GetWindowRect(popup, &placed);
        HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0));
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            ::GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
            items.push_back(std::to_string(::GetMenuItemID(menu, i)) + " " + text);
        }
        WhenShown("#32770", [&](HWND save) {
            HWND combo = ::FindWindowExA(::GetDlgItem(save, 1148), nullptr, "ComboBox", nullptr);
            std::string name = folder + "events";
            ::SetWindowTextA(::FindWindowExA(combo, nullptr, "Edit", nullptr), name.c_str());
            ::PostMessageA(save, WM_COMMAND, IDOK, 0);
        });
        ::PostMessageA(popup, WM_KEYDOWN, VK_UP, 0),
            ::PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    });
    Click(*list, {0, 60, 0, 60}, WM_RBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return FileBytes(target) == "0.0.0.0   53   \r\n"; }, 5000));
    EXPECT_EQ((std::vector<std::string>{"57634 Copy URL", "0 ", "57603 Save events"}), items);
    EXPECT_EQ(std::make_pair(at.left, at.top), std::make_pair(placed.left, placed.top));
}

TEST_F(ExportTest, HeaderClicksSortByTextInTurnsUntilTheNextPoll)
{
    lookup->services.clear();
    for (int port : {53, 1030, 161, 137})
        table->rows.push_back(MakeEndpoint(127, 0, 0, port % 10, static_cast<uint16_t>(port)));
    Refresh();
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
    Refresh();
    EXPECT_EQ((Texts{"53", "1030", "161", "137"}), Ports());
}

} // namespace
