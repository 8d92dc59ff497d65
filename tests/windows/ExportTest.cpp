// Save events, Copy, the list's context menu and header sorting, seen where the user sees
// them: the saved file, the clipboard, the greyed command, the list, the screen.
#include "app/SaveFailure.h"
#include "framework/Clipboard.h"
#include "tests/windows/FrameFixture.h"

#include <thread>

namespace {

std::wstring Wide(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

class ExportTest : public CFrameFixture {
protected:
    void SetUp() override
    {
        CFrameFixture::SetUp();
        list = &Probe().EndpointList();
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
        const bool button = Probe().ToolBar().SendMessage(TB_ISBUTTONENABLED, ID_EDIT_COPY) != 0;
        EXPECT_EQ(button, !(::GetMenuState(edit, ID_EDIT_COPY, MF_BYCOMMAND) & MF_GRAYED));
        return button;
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
    CUnexpectedDialogs unexpected;
};

TEST_F(ExportTest, SaveReplacesTheFileWithTheRowsAsShownOrSaysWhyAndLeavesIt)
{
    std::pair<std::vector<Endpoint>, const char*> cases[] = {
        {{}, ""},
        {{MakeEndpoint(0, 0, 0, 0, 53), MakeEndpoint(10, 0, 0, 2, 40000)},
         "TESTHOST   domain   \r\n10.0.0.2   40000   \r\n"}};
    // A second name of the old file keeps the old bytes: a new file replaced the old one, which
    // was not written over.
    const std::string link = folder + "link.txt";
    ASSERT_TRUE(::CreateHardLinkA(link.c_str(), target.c_str(), nullptr));
    for (const auto& [rows, bytes] : cases) {
        Show(rows, rows.empty() ? "" : "domain");
        EXPECT_TRUE(frame->SaveEvents(Wide(target)));
        EXPECT_EQ(bytes, FileBytes(target));
    }
    EXPECT_EQ("old\r\n", FileBytes(link));
    ::DeleteFileA(link.c_str());
    // The file's name and what to do, and the file as it was where there was one: held open
    // without sharing, read-only (which Wine would replace), in a folder that is not there, a
    // device's name, a folder, a name too long.
    const std::string kept = folder + "kept.txt", sub = folder + "sub";
    std::ofstream(kept, std::ios::binary) << "old\r\n";
    ::SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY);
    ::CreateDirectoryA(sub.c_str(), nullptr);
    HANDLE held = ::CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, 0);
    const std::pair<std::string, const wchar_t*> failures[] = {
        {target, L"in use by another"},
        {kept, L"is read-only"},
        {folder + "missing\\events.txt", L"folder does not exist"},
        {folder + "con.txt", L"reserved for a device"},
        {folder + "LPT9", L"reserved for a device"},
        {sub, L"is a folder"},
        {folder + std::string(120, 'x') + "\\" + std::string(150, 'y'), L"too long"}};
    for (const auto& [path, reason] : failures) {
        std::wstring shown;
        WhenShown("#32770", [&](HWND box) {
            shown = MessageBoxText(box);
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        EXPECT_FALSE(frame->SaveEvents(Wide(path)));
        EXPECT_NE(std::wstring::npos, shown.find(Wide(path) + L":\n")) << path;
        EXPECT_NE(std::wstring::npos, shown.find(reason)) << path;
        const bool file = path == target || path == kept;
        EXPECT_EQ(file, shown.find(L"unchanged") != std::wstring::npos) << path;
    }
    ::CloseHandle(held);
    EXPECT_EQ("old\r\n", FileBytes(kept));
    EXPECT_TRUE(::GetFileAttributesA(kept.c_str()) & FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL), ::DeleteFileA(kept.c_str());
    ::RemoveDirectoryA(sub.c_str());
    // A full disk and access denied as the platform reports them (root may write anywhere).
    const std::pair<DWORD, const wchar_t*> reported[] = {
        {ERROR_DISK_FULL, L"disk is full"}, {ERROR_ACCESS_DENIED, L"Access is denied"}};
    for (const auto& [error, reason] : reported)
        EXPECT_NE(std::wstring::npos, SaveFailureText(Wide(target), error, true).find(reason));
    EXPECT_EQ(cases[1].second, FileBytes(target));
    WIN32_FIND_DATAA found;
    EXPECT_EQ(INVALID_HANDLE_VALUE, ::FindFirstFileA((folder + "*.tmp").c_str(), &found));
}

// The clicked row is the one highlighted on the screen, and the one Copy takes.
TEST_F(ExportTest, CopyTakesTheHighlightedRowsAddressOnceARowIsClicked)
{
    Show({MakeEndpoint(10, 0, 0, 1, 53), MakeEndpoint(0, 0, 0, 0, 53), MakeEndpoint(10, 0, 0, 3, 1),
          MakeEndpoint(10, 0, 0, 4, 2), MakeEndpoint(10, 0, 0, 5, 3)},
         "domain");
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
        // Ctrl+C, then the command as a menu gives it.
        for (bool menu : {false, true}) {
            fw::CClipboard(nullptr).SetText("before");
            menu ? Command(ID_EDIT_COPY) : void(Key(::GetFocus(), 'C', VK_CONTROL));
            EXPECT_EQ(bytes, ClipboardBytes());
        }
    }
    // No row highlighted: the focus elsewhere, a click below the rows, a poll that takes the
    // highlighted row away. Copy is greyed and the clipboard keeps what it holds.
    table->rows = {MakeEndpoint(127, 0, 0, 1, 53)};
    const LONG below = Row(4).bottom + 20;
    const std::function<void()> unhighlight[] = {[&] { ::SetFocus(Probe().Statistics()); },
                                                 [&] {
                                                     Click(*list, {0, below, 0, below});
                                                 },
                                                 [&] { Refresh(); }};
    for (const auto& act : unhighlight) {
        ::SetFocus(*list), Click(*list, Row(4));
        ASSERT_TRUE(CopyEnabled());
        act();
        EXPECT_FALSE(CopyEnabled()) << &act - unhighlight;
        fw::CClipboard(nullptr).SetText("before");
        Key(::GetFocus(), 'C', VK_CONTROL), Command(ID_EDIT_COPY);
        EXPECT_EQ(std::string("before\0", 7), ClipboardBytes()) << &act - unhighlight;
    }
    // Another program holds the clipboard: the copy waits without holding the window, and gives
    // up after about a second, saying so, with the clipboard as it was.
    ::SetFocus(*list), Click(*list, Row(0));
    for (DWORD held : {300, 2000}) {
        fw::CClipboard(nullptr).SetText("before");
        HANDLE opened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread holder([&] {
            ::OpenClipboard(nullptr), ::SetEvent(opened), ::Sleep(held), ::CloseClipboard();
        });
        ::WaitForSingleObject(opened, 5000), ::CloseHandle(opened);
        const DWORD start = ::GetTickCount();
        Command(ID_EDIT_COPY);
        EXPECT_GT(100u, ::GetTickCount() - start);
        PumpMessages(1500);
        holder.join();
        EXPECT_EQ(held < 1000 ? std::string("127.0.0.1\0", 10) : std::string("before\0", 7),
                  ClipboardBytes());
        EXPECT_EQ(held > 1000, Probe().StatusBar().GetPaneText(kMessagePane).find("clipboard") !=
                                   std::string::npos);
    }
}

// The keyboard alone: the list has the focus from the start, with a focused row once it has
// rows; Tab, Shift+Tab and F6 move to the other list, which the window keeps through its
// deactivation; the arrow keys choose the row that Ctrl+C copies.
TEST_F(ExportTest, TheKeyboardReachesTheListsAndTheirRows)
{
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 9, 9, nullptr,
                                   nullptr, nullptr, nullptr);
    ::SetActiveWindow(hwnd);
    EXPECT_EQ(*list, ::GetFocus());
    for (int count : {1, 2}) {
        table->rows.push_back(MakeEndpoint(127, 0, 0, static_cast<unsigned>(count), 52 + count));
        Refresh();
        EXPECT_EQ(0, list->GetNextItem(-1, LVNI_FOCUSED)) << count;
    }
    const std::pair<UINT, BYTE> keys[] = {
        {VK_TAB, 0}, {VK_TAB, VK_SHIFT}, {VK_F6, 0}, {VK_F6, VK_SHIFT}};
    for (const auto& [key, held] : keys) {
        const HWND next = ::GetFocus() == *list ? Probe().Statistics() : *list;
        Key(::GetFocus(), key, held);
        ::SetActiveWindow(other), ::SetActiveWindow(hwnd);
        EXPECT_EQ(next, ::GetFocus()) << key << " " << int(held);
    }
    ::DestroyWindow(other);
    list->SendMessage(WM_KEYDOWN, VK_DOWN);
    Key(::GetFocus(), 'C', VK_CONTROL);
    EXPECT_EQ(std::string("127.0.0.2\0", 10), ClipboardBytes());
    // Shift+F10 and the menu key open the list's menu at the selected row.
    RECT label = {};
    list->GetItemRect(1, label, LVIR_LABEL);
    POINT row = {label.left, (label.top + label.bottom) / 2};
    ::ClientToScreen(*list, &row);
    for (UINT key : {VK_F10, VK_APPS}) {
        RECT placed = {};
        WhenShown("#32768", [&](HWND popup) {
            ::GetWindowRect(popup, &placed);
            ::EndMenu();
        });
        BYTE keys[256] = {};
        keys[VK_SHIFT] = key == VK_F10 ? 0x80 : 0;
        ::SetKeyboardState(keys);
        // The menu key's menu comes as it is let go. F10 let go alone would open the menu bar.
        ::PostMessageA(*list, key == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1);
        if (key == VK_APPS)
            ::PostMessageA(*list, WM_KEYUP, key, 0xC0000001);
        PumpMessages(300);
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        EXPECT_EQ(row.x, placed.left) << key;
        EXPECT_EQ(row.y, placed.top) << key;
    }
    // Ctrl+Up moves the focus alone: Copy still takes the highlighted row.
    Key(*list, VK_UP, VK_CONTROL);
    ASSERT_EQ(0, list->GetNextItem(-1, LVNI_FOCUSED));
    fw::CClipboard(nullptr).SetText("before");
    Key(::GetFocus(), 'C', VK_CONTROL);
    EXPECT_EQ(std::string("127.0.0.2\0", 10), ClipboardBytes());
}

TEST_F(ExportTest, CtrlSAndTheListMenusSaveEventsPauseAutoUpdateAndAskWhereToSave)
{
    Command(ID_RESOLVE);
    Show({MakeEndpoint(0, 0, 0, 0, 53)});
    ::SendMessageA(hwnd, WM_COMMAND, ID_AUTOUPDATE, 0);
    char offered[MAX_PATH] = {};
    WhenShown("#32770", [&](HWND save) {
        ::GetDlgItemTextA(save, cmb13, offered, sizeof(offered));
        ::PostMessageA(save, WM_COMMAND, IDCANCEL, 0);
    });
    Key(::GetFocus(), 'S', VK_CONTROL);
    EXPECT_STREQ("Events.txt", offered);
    EXPECT_EQ("AutoUpdate PAUSED",
              Probe().StatusBar().GetPane(kAutoUpdatePane)->GetStateText(true));
    // An existing file is replaced once the user says so; No goes back to the dialog. The
    // dialog ignores case: "EVENTS" names events.txt.
    for (int answer : {IDNO, IDYES}) {
        std::wstring prompt;
        WhenShown(
            "#32770",
            [&](HWND save) {
                TypeAndSave(save, Wide(folder) + L"EVENTS");
                WhenShown(
                    "#32770",
                    [&](HWND box) {
                        prompt = MessageBoxText(box);
                        ::PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
                        if (answer == IDNO)
                            WhenShown(
                                "#32770",
                                [](HWND again) { ::PostMessageA(again, WM_COMMAND, IDCANCEL, 0); },
                                nullptr, cmb13);
                    },
                    nullptr, IDYES);
            },
            nullptr, cmb13);
        Key(::GetFocus(), 'S', VK_CONTROL);
        EXPECT_NE(std::wstring::npos, prompt.find(L"already exists")) << answer;
        EXPECT_EQ(answer == IDYES ? "0.0.0.0   53   \r\n" : "old\r\n", FileBytes(target));
    }

    // The menu opens at the cursor (x and y differ), wherever the click was, with Copy greyed
    // (the click was below the row). A name without extension gets ".txt", and keeps letters
    // that the 8-bit calls would make "Lodz", a file that stays as it was. A clip holds the
    // cursor: under Wine, SetCursorPos alone may be undone by a pointer event still on its way.
    std::ofstream(folder + "Lodz.txt", std::ios::binary) << "old\r\n";
    const std::wstring typed = Wide(folder) + L"\u0141od\u017a";
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
            const bool grey = ::GetMenuItemID(menu, i) != 0 &&
                              (::GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) != 0;
            items.push_back(ResourceName(::GetMenuItemID(menu, i)) + " " + text +
                            (grey ? " grey" : ""));
        }
        WhenShown("#32770", [&](HWND save) { TypeAndSave(save, typed); });
        ::PostMessageA(popup, WM_KEYDOWN, VK_UP, 0),
            ::PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    });
    Click(*list, {0, 60, 0, 60}, WM_RBUTTONDOWN);
    const std::wstring saved = typed + L".txt";
    ASSERT_TRUE(PumpUntil([&] { return FileBytes(saved) == "0.0.0.0   53   \r\n"; }, 5000));
    ::DeleteFileW(saved.c_str());
    EXPECT_EQ("old\r\n", FileBytes(folder + "Lodz.txt"));
    ::DeleteFileA((folder + "Lodz.txt").c_str());
    EXPECT_EQ((std::vector<std::string>{"ID_EDIT_COPY &Copy URL grey", "0 ",
                                        "ID_FILE_SAVE &Save events"}),
              items);
    EXPECT_EQ(std::make_pair(at.left, at.top), std::make_pair(placed.left, placed.top));
}

// With the owners on, each row shows its process's id and program, a header click sorts the ids
// as numbers (equal ones keep their order), and Save writes the four columns, in UTF-8 with a
// byte-order mark once a name is not ASCII, and the filter finds such a name. Off, the list and
// Save have two columns again.
TEST_F(ExportTest, OwnerColumnsShowSortAndSaveThePrograms)
{
    Command(ID_RESOLVE);
    const std::string lodz = "\xC5\x81\xC3\xB3"
                             "d\xC5\xBA.exe";
    processes->running = {{10, {1, "svchost.exe"}}, {9, {1, lodz}}};
    std::vector<Endpoint> rows;
    for (std::uint32_t pid : {10, 100, 9, 10}) {
        rows.push_back(MakeEndpoint(10, 0, 0, 1, static_cast<std::uint16_t>(53 + rows.size())));
        rows.back().pid = pid;
    }
    Command(ID_VIEW_PROCESS);
    Show(rows);
    std::vector<std::string> headers;
    for (int column = 0; column < list->GetColumnCount(); ++column) {
        char text[32] = {};
        HDITEMA item = {};
        item.mask = HDI_TEXT, item.pszText = text, item.cchTextMax = sizeof(text);
        Header_GetItem(list->GetHeaderCtrl(), column, &item);
        headers.push_back(text);
    }
    EXPECT_EQ((std::vector<std::string>{"IP Address", "Port", "PID", "Process"}), headers);
    // The filter finds a name outside ASCII as it is typed, whatever the box's code page.
    for (const wchar_t c : std::wstring(L"\x0141\x00F3"))
        ::SendMessageW(Probe().Filter(), WM_CHAR, c, 1);
    EXPECT_EQ(std::vector<std::string>{"55"}, Ports());
    Key(Probe().Filter(), VK_ESCAPE);
    // Each column wide enough to read, the new ones included.
    for (int column = 0; column < 4; ++column)
        EXPECT_LE(50, list->GetColumnWidth(column)) << column;
    RECT rc = {};
    Header_GetItemRect(list->GetHeaderCtrl(), 2, &rc);
    for (const auto& ports : {std::vector<std::string>{"55", "53", "56", "54"},
                              std::vector<std::string>{"54", "53", "56", "55"}}) {
        Click(list->GetHeaderCtrl(), rc);
        EXPECT_EQ(ports, Ports());
    }
    EXPECT_TRUE(frame->SaveEvents(Wide(target)));
    EXPECT_EQ("\xEF\xBB\xBF"
              "10.0.0.1   54   100   (unknown)   \r\n10.0.0.1   53   10   svchost.exe   \r\n"
              "10.0.0.1   56   10   svchost.exe   \r\n10.0.0.1   55   9   " +
                  lodz + "   \r\n",
              FileBytes(target));
    EXPECT_EQ(lodz, Cell(3, 3));
    Command(ID_VIEW_PROCESS);
    EXPECT_EQ(2, list->GetColumnCount());
    EXPECT_TRUE(frame->SaveEvents(Wide(target)));
    EXPECT_EQ("10.0.0.1   54   \r\n10.0.0.1   53   \r\n10.0.0.1   56   \r\n10.0.0.1   55   \r\n",
              FileBytes(target));
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
