// Save events, Copy, the list's context menu, fitted columns and header sorting, seen where
// the user sees them: the saved file, the clipboard, the greyed command, the list's texts and
// the screen.
#include "Clipboard.h"
#include "FrameFixture.h"
#include "Gdi.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace {

// Runs `act` once on the first visible window of class `className` ("#32770" a dialog box,
// "#32768" a popup menu) that this thread shows: modal loops dispatch the thread's timer
// messages, so a test drives its own modal windows. An act may arm the next one.
class CModalHandler {
public:
    CModalHandler(const char* className, std::function<void(HWND)> act)
        : m_timer(::SetTimer(nullptr, 0, 50, &OnTimer))
    {
        Next(className, std::move(act));
    }
    ~CModalHandler() { ::KillTimer(nullptr, m_timer), s_act = nullptr; }
    static void Next(const char* className, std::function<void(HWND)> act)
    {
        s_className = className, s_act = std::move(act);
    }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND found = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), &Find, reinterpret_cast<LPARAM>(&found));
        if (found != nullptr && s_act)
            std::exchange(s_act, nullptr)(found);
    }
    static BOOL CALLBACK Find(HWND hWnd, LPARAM found)
    {
        char name[16] = {};
        ::GetClassNameA(hWnd, name, sizeof(name));
        bool match = std::strcmp(name, s_className) == 0 && ::IsWindowVisible(hWnd);
        *reinterpret_cast<HWND*>(found) = match ? hWnd : nullptr;
        return !match;
    }
    static inline const char* s_className = nullptr;
    static inline std::function<void(HWND)> s_act;
    UINT_PTR m_timer;
};

std::string FileBytes(const std::string& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

std::string ClipboardBytes()
{
    if (!::OpenClipboard(nullptr))
        return "<left open>";
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
        folder = std::string(temp) + "tarnwick-export\\";
        ::CreateDirectoryA(folder.c_str(), nullptr);
        std::ofstream(target = folder + "events.txt", std::ios::binary) << "old\r\n";
        fw::CClipboard(nullptr).SetText("before");
    }
    void TearDown() override
    {
        ::DeleteFileA(target.c_str());
        ::RemoveDirectoryA(folder.c_str());
        CFrameFixture::TearDown();
    }

    void AddRows(std::initializer_list<std::pair<const char*, const char*>> rows)
    {
        for (const auto& row : rows)
            list->SetItemText(list->InsertItem(list->GetItemCount(), row.first), 1, row.second);
    }
    void Click(HWND hWnd, const RECT& rc, UINT down = WM_LBUTTONDOWN)
    {
        LPARAM at = MAKELPARAM(rc.left + 20, (rc.top + rc.bottom) / 2);
        ::PostMessageA(hWnd, down, 0, at), ::PostMessageA(hWnd, down + 1, 0, at);
        PumpMessages(100);
        ::UpdateWindow(*list);
    }
    RECT Row(int row) const
    {
        RECT rc = {};
        list->GetItemRect(row, rc, LVIR_BOUNDS);
        return rc;
    }
    bool CopyEnabled()
    {
        HMENU edit = ::GetSubMenu(::GetMenu(hwnd), 1);
        ::SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
        bool menu = (::GetMenuState(edit, ID_EDIT_COPY, MF_BYCOMMAND) & MF_GRAYED) == 0;
        EXPECT_EQ(menu, frame->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, ID_EDIT_COPY) != 0);
        return menu;
    }
    // The key goes through the frame's accelerators, as the message loop passes it on.
    void PressCtrl(UINT key)
    {
        BYTE keys[256] = {};
        keys[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keys);
        MSG msg = {*list, WM_KEYDOWN, key, 1, 0, {}};
        EXPECT_TRUE(::TranslateAcceleratorA(hwnd, frame->GetAccelerators(), &msg));
        keys[VK_CONTROL] = 0;
        ::SetKeyboardState(keys);
    }
    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list->GetItemCount(); ++row)
            texts.push_back(list->GetItemText(row, column));
        return texts;
    }

    CEndpointListCtrl* list = nullptr;
    std::string folder;
    std::string target;
};

TEST_F(ExportTest, SaveWritesTheRowsAsShownOverTheOldFile)
{
    struct Case {
        std::initializer_list<std::pair<const char*, const char*>> rows;
        const char* bytes;
    } cases[] = {{{{"0.0.0.0", "53"}, {"127.0.0.1", "40000"}},
                  "0.0.0.0   53   \r\n127.0.0.1   40000   \r\n"},
                 {{{"TESTHOST", "domain"}}, "TESTHOST   domain   \r\n"},
                 {{}, ""}};
    for (const Case& c : cases) {
        list->SendMessage(LVM_DELETEALLITEMS);
        AddRows(c.rows);
        EXPECT_TRUE(frame->SaveEvents(target));
        EXPECT_EQ(c.bytes, FileBytes(target));
    }
}

TEST_F(ExportTest, FailedSaveSaysWhyAndLeavesTheOldFileAndNoOther)
{
    AddRows({{"0.0.0.0", "53"}});
    HANDLE held =
        ::CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    for (const std::string& path : {target, folder + "missing\\events.txt"}) {
        char message[512] = {};
        CModalHandler box("#32770", [&](HWND dialog) {
            ::GetDlgItemTextA(dialog, 0xFFFF, message, sizeof(message));
            ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        EXPECT_FALSE(frame->SaveEvents(path));
        EXPECT_TRUE(std::strstr(message, path.c_str())) << message;
    }
    ::CloseHandle(held);
    EXPECT_EQ("old\r\n", FileBytes(target));
    WIN32_FIND_DATAA found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, ::FindFirstFileA((folder + "*.tmp").c_str(), &found));
}

TEST_F(ExportTest, CtrlSPausesAutoUpdateAndSavesWhereTheDialogSays)
{
    AddRows({{"0.0.0.0", "53"}});
    ::SendMessageA(hwnd, WM_COMMAND, ID_AUTOUPDATE, 0);
    char offered[MAX_PATH] = {};
    CModalHandler dialog("#32770", [&](HWND save) {
        HWND combo = ::FindWindowExA(::GetDlgItem(save, 1148), nullptr, "ComboBox", nullptr);
        HWND edit = ::FindWindowExA(combo, nullptr, "Edit", nullptr);
        ::GetWindowTextA(edit, offered, sizeof(offered));
        ::SetWindowTextA(edit, target.c_str());
        ::PostMessageA(save, WM_COMMAND, IDOK, 0);
    });
    PressCtrl('S');
    EXPECT_STREQ("Events.txt", offered);
    EXPECT_EQ("0.0.0.0   53   \r\n", FileBytes(target));
    EXPECT_EQ("AutoUpdate PAUSED", frame->m_wndStatusBar.GetPane(1)->GetStateText(true));
}

TEST_F(ExportTest, CopyTakesTheHighlightedRowsTrimmedFirstColumn)
{
    AddRows({{"  10.0.0.1 ", "53"}, {"TESTHOST", "domain"}, {"c", "1"}, {"d", "2"}, {"e", "3"}});
    ::SetFocus(*list);
    struct Case {
        std::initializer_list<int> clicks;
        std::string bytes;
    } cases[] = {{{0}, std::string("10.0.0.1\0", 9)},
                 {{1}, std::string("TESTHOST\0", 9)},
                 {{4, 0}, std::string("10.0.0.1\0", 9)}};
    for (const Case& c : cases) {
        for (int row : c.clicks)
            Click(*list, Row(row));
        // The main window's Copy, then the context menu's.
        for (HWND target : {hwnd, static_cast<HWND>(*list)}) {
            fw::CClipboard(nullptr).SetText("before");
            ::SendMessageA(target, WM_COMMAND, ID_EDIT_COPY, 0);
            EXPECT_EQ(c.bytes, ClipboardBytes());
        }
    }
}

TEST_F(ExportTest, CopyIsEnabledByARowClickUntilTheListLosesTheFocus)
{
    AddRows({{"10.0.0.1", "53"}});
    EXPECT_FALSE(CopyEnabled());
    ::SetFocus(*list);
    Click(*list, Row(0));
    EXPECT_TRUE(CopyEnabled());
    ::SetFocus(frame->m_wndStatistics);
    EXPECT_FALSE(CopyEnabled());
    PressCtrl('C');
    EXPECT_EQ(std::string("before\0", 7), ClipboardBytes());
    for (WPARAM selected : {1, 2, 0, 2})
        ::SendMessageA(hwnd, WM_LISTSELECT, selected, 0);
    EXPECT_FALSE(CopyEnabled());
}

TEST_F(ExportTest, RightClickMenuOffersCopyAndSaveEvents)
{
    AddRows({{"10.0.0.1", "53"}});
    ::SendMessageA(hwnd, WM_COMMAND, ID_AUTOUPDATE, 0);
    std::vector<std::string> items;
    bool asked = false;
    CModalHandler menu("#32768", [&](HWND popup) {
        HMENU handle = reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0));
        for (int i = 0; i < ::GetMenuItemCount(handle); ++i) {
            char text[64] = {};
            ::GetMenuStringA(handle, i, text, sizeof(text), MF_BYPOSITION);
            items.push_back(std::to_string(::GetMenuItemID(handle, i)) + " " + text);
        }
        CModalHandler::Next("#32770", [&](HWND dialog) {
            asked = ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        ::PostMessageA(popup, WM_KEYDOWN, VK_UP, 0),
            ::PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    });
    Click(*list, {0, 60, 0, 60}, WM_RBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return asked; }, 5000));
    EXPECT_EQ((std::vector<std::string>{"57634 Copy URL", "0 ", "57603 Save events"}), items);
    EXPECT_TRUE(frame->m_bPaused);
}

TEST_F(ExportTest, ColumnsFillTheListsPartOneColumnAfterTheOtherNeverBelowZero)
{
    // A 600-pixel client leaves 600 - 250 - SM_CXFRAME (4 under Wine) - 2 = 344.
    ASSERT_EQ(4, ::GetSystemMetrics(SM_CXFRAME));
    struct Case {
        int width;
        std::vector<int> widths;
    } cases[] = {{600, {217, 127}}, {501, {168, 77}}, {491, {162, 73}},
                 {260, {4, 0}},     {255, {0, 0}},    {250, {165, 75}}};
    for (const Case& c : cases) {
        RECT rc = {0, 0, c.width, 400};
        ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, TRUE, 0);
        ::SetWindowPos(hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE);
        list->SetColumnWidth(0, 165), list->SetColumnWidth(1, 75);
        frame->RecalcLayout();
        EXPECT_EQ(c.widths, (std::vector<int>{list->GetColumnWidth(0), list->GetColumnWidth(1)}));
        // Redrawing is on again: a changed column is repainted (seen with room for the list).
        ::ShowWindow(frame->m_wndStatistics, SW_HIDE);
        ::SetWindowPos(*list, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOREDRAW);
        ::ValidateRect(*list, nullptr);
        list->SetColumnWidth(1, 50);
        RECT update = {};
        ::GetUpdateRect(*list, &update, FALSE);
        EXPECT_FALSE(::IsRectEmpty(&update)) << c.width;
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
        EXPECT_EQ(ports, Column(1));
        int selected = list->GetNextItem(-1, LVNI_SELECTED);
        EXPECT_EQ("127.0.0.1:161", list->GetItemText(selected, 0) + ":" + Column(1)[selected]);
    }
    Poll();
    EXPECT_EQ((Texts{"53", "1030", "161", "137"}), Column(1));
}

TEST_F(ExportTest, NoSelectionColourStaysOnScreenOutsideTheHighlightedRow)
{
    AddRows({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}});
    // Narrower than the list, as after dragging the dividers: the rows' fill goes on.
    list->SetColumnWidth(0, 100), list->SetColumnWidth(1, 50);
    ::SetFocus(*list);
    RECT client = list->GetClientRect();
    for (int row : {0, 4}) {
        Click(*list, Row(3)), Click(*list, Row(row));
        CDibSection screen(client.right, client.bottom);
        ::BitBlt(screen.Dc(), 0, 0, client.right, client.bottom, fw::CClientDC(*list), 0, 0,
                 SRCCOPY);
        RECT band = {0, Row(row).top, client.right, Row(row).bottom};
        int inRow = CountColor(screen, band, list->m_crSelectColor);
        EXPECT_LT(0, inRow);
        EXPECT_EQ(inRow, CountColor(screen, client, list->m_crSelectColor)) << row;
    }
}

} // namespace
