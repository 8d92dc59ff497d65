// The main window's parts and layout, its polls as the lists and the screen show them, and
// the worker threads that must never hold it.
#include "tests/windows/FrameFixture.h"

#include <algorithm>
#include <cctype>
#include <thread>

namespace {

class MainFrameTest : public CFrameFixture {
protected:
    RECT ChildRect(HWND child) const
    {
        RECT rc;
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    // Each column's heading and width.
    static std::string Headings(const fw::CListCtrl& list)
    {
        std::string text;
        for (int column = 0; column < 2; ++column) {
            char heading[64] = {};
            LVCOLUMNA info = {};
            info.mask = LVCF_TEXT | LVCF_WIDTH;
            info.pszText = heading;
            info.cchTextMax = sizeof(heading);
            list.SendMessage(LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
            text += std::string(heading) + "/" + std::to_string(info.cx) + "|";
        }
        return text;
    }
};

TEST_F(MainFrameTest, ToolBarButtonsAndTheirImagesOnTheButtonFace)
{
    fw::CToolBar& toolbar = Probe().ToolBar();
    std::string buttons;
    for (int i = 0; i < toolbar.GetButtonCount(); ++i) {
        TBBUTTON button = {};
        toolbar.SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        buttons += ResourceName(static_cast<UINT>(button.idCommand)) + "/" +
                   (button.idCommand != 0 ? std::to_string(button.iBitmap) : "") + " ";
    }
    EXPECT_EQ("ID_REFRESH/0 ID_AUTOUPDATE/1 0/ ID_RESOLVE/2 0/ ID_EDIT_COPY/3 ID_FILE_SAVE/4 0/ "
              "ID_SETTINGS/5 ID_APP_ABOUT/6 ",
              buttons);
    // Pixel (0, 0) of every button image is background grey in the bitmap; drawn from each
    // list it must come out as the button face. A disabled button shows its image in pale
    // greys, half-way to white.
    auto pixels = [&toolbar](UINT list, int image) {
        return ImageListPixels(reinterpret_cast<HIMAGELIST>(toolbar.SendMessage(list)), image);
    };
    for (int image = 0; image < 7; ++image) {
        for (UINT list : {TB_GETIMAGELIST, TB_GETDISABLEDIMAGELIST, TB_GETHOTIMAGELIST})
            EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), pixels(list, image)[0]) << list << " " << image;
        const std::vector<COLORREF> disabled = pixels(TB_GETDISABLEDIMAGELIST, image);
        EXPECT_NE(pixels(TB_GETIMAGELIST, image), disabled) << image;
        EXPECT_TRUE(std::all_of(disabled.begin(), disabled.end(), [](COLORREF c) {
            return c == ::GetSysColor(COLOR_BTNFACE) ||
                   (GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) &&
                    GetRValue(c) >= 127);
        })) << image;
    }
}

TEST_F(MainFrameTest, StatisticsKeepTheRightEdgeAndTheListsColumnsFillTheRestOneAfterTheOther)
{
    // A client of 600 pixels and the statistics' width beyond 250 leaves
    // 600 - 250 - SM_CXFRAME (4 under Wine) - 2 = 344 for the columns, and SM_CXVSCROLL + 1
    // less when the rows need a scroll bar.
    ASSERT_EQ(4, ::GetSystemMetrics(SM_CXFRAME));
    CEndpointListCtrl& list = Probe().EndpointList();
    const LONG stats = ChildRect(Probe().Statistics()).right - ChildRect(Probe().Statistics()).left;
    ASSERT_GE(stats, 250);
    const struct {
        LONG width;
        int rows;
        const char* headings;
    } cases[] = {{600, 0, "IP Address/217|Port/127|"},
                 {600, 40, "IP Address/208|Port/118|"},
                 {501, 0, "IP Address/168|Port/77|"},
                 {491, 0, "IP Address/162|Port/73|"}};
    for (const auto& c : cases) {
        list.SendMessage(LVM_DELETEALLITEMS);
        for (int row = 0; row < c.rows; ++row)
            list.InsertItem(row, "x");
        const LONG width = c.width - 250 + stats;
        RECT rc = {0, 0, width, 400};
        ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, TRUE, 0);
        ::SetWindowPos(hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE);
        list.SetColumnWidth(0, 165), list.SetColumnWidth(1, 75);
        frame->RecalcLayout();
        EXPECT_EQ(c.headings, Headings(list)) << c.rows << " rows";
        // A menu bar that wraps changes the client height, not the width.
        RECT shown = ChildRect(list);
        EXPECT_EQ((RECT{0, shown.top, width - stats, shown.bottom}), shown);
        EXPECT_EQ((RECT{width - stats, shown.top, width, shown.bottom}),
                  ChildRect(Probe().Statistics()));
        EXPECT_EQ((RECT{0, 0, width, shown.top}), ChildRect(Probe().ToolBar()));
        RECT bar = ChildRect(Probe().StatusBar());
        EXPECT_EQ((RECT{0, shown.bottom, width, bar.bottom}), bar);
        // Redrawing is on again: a changed column is repainted (seen with room for the list).
        ::ShowWindow(Probe().Statistics(), SW_HIDE);
        ::SetWindowPos(list, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOREDRAW);
        ::ValidateRect(list, nullptr);
        list.SetColumnWidth(1, 50);
        RECT update = {};
        EXPECT_TRUE(::GetUpdateRect(list, &update, FALSE)) << c.width;
    }
    // A poll that brings the scroll bar fits the columns again, without a new layout.
    ::ShowWindow(Probe().Statistics(), SW_SHOW);
    RECT rc = {0, 0, 350 + stats, 400};
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, TRUE, 0);
    ::SetWindowPos(hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE);
    list.SendMessage(LVM_DELETEALLITEMS);
    list.SetColumnWidth(0, 165), list.SetColumnWidth(1, 75);
    frame->RecalcLayout();
    table->rows.assign(40, MakeEndpoint(127, 0, 0, 1, 53));
    Refresh();
    EXPECT_EQ("IP Address/208|Port/118|", Headings(list));
}

// The first poll comes from a timer after creation, once; later polls add and remove rows, and
// the screen must follow, not only a paint into memory. Look-ups that hang must never hold
// the window: polls go on, and it closes at once, leaving the run to end (unheard of) on its own.
TEST_F(MainFrameTest, PollsGoOnAndReachTheScreenWhileLookupsHang)
{
    Close();
    Open(); // with its first poll to come
    const COLORREF kSystem = RGB(20, 140, 30);
    const COLORREF kCustom = RGB(230, 160, 10);
    const COLORREF kBelowRows = RGB(90, 20, 20);
    CEndpointListCtrl& list = Probe().EndpointList();
    const fw::CListCtrl& stats = Probe().Statistics();
    list.m_crSystemColor = kSystem;
    list.m_crCustomColor = kCustom;
    list.SetBkColor(kBelowRows);
    lookup->block = true;
    // Should anything wait for the look-up, this lets it go after a while: the test then fails
    // instead of hanging.
    std::thread watchdog([hung = lookup] {
        for (int i = 0; i < 1000 && hung->block; ++i)
            ::Sleep(10);
        hung->block = false;
    });
    EXPECT_EQ(0, ::SendMessageA(hwnd, WM_POLLBUSY, 0, 0)) << "a read while the window is created";
    EXPECT_EQ(LVS_EX_GRIDLINES, stats.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_GRIDLINES);
    for (HWND window : {static_cast<HWND>(list), static_cast<HWND>(stats)})
        EXPECT_EQ(WS_EX_CLIENTEDGE, static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE)));
    const auto system = MakeEndpoint(127, 0, 0, 1, 53);
    const auto custom = MakeEndpoint(127, 0, 0, 1, 40000);
    struct Step {
        std::vector<tarnwick::fakes::Endpoint> rows;
        COLORREF shown[4];
    };
    const Step steps[] = {
        {{system, custom}, {kSystem, kCustom, kBelowRows, kBelowRows}},
        {{system, custom, custom, system}, {kSystem, kCustom, kCustom, kSystem}},
        {{custom}, {kCustom, kBelowRows, kBelowRows, kBelowRows}},
    };
    LONG rowHeight = 0;
    for (const Step& step : steps) {
        table->rows = step.rows;
        if (&step == steps)
            ASSERT_TRUE(PumpUntil([&] { return list.GetItemCount() && lookup->lookups; }, 10000));
        else
            Refresh();
        PumpMessages(50);
        RECT first = {};
        list.GetItemRect(0, first, LVIR_BOUNDS);
        rowHeight = std::max(rowHeight, first.bottom - first.top);
        CDibSection screen = ScreenImage(list);
        for (int row = 0; row < 4; ++row)
            EXPECT_EQ(step.shown[row],
                      screen.At(screen.Width() - 3, first.top + rowHeight * row + rowHeight / 2))
                << step.rows.size() << " rows, row " << row;
    }
    // dwNumAddrs, dwNoPorts, dwOutDatagrams, dwInDatagrams, dwInErrors
    const char* counters[] = {"5", "2", "4", "1", "3"};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(counters[row], stats.GetItemText(row, 1)) << stats.GetItemText(row, 0);
    // The first poll's timer is gone.
    EXPECT_EQ(3, table->readCalls);
    EXPECT_FALSE(::KillTimer(hwnd, CMainFrame::kFirstPollTimer));

    ::DestroyWindow(hwnd);
    EXPECT_TRUE(lookup->block) << "the polls or the close waited for the look-up";
    lookup->block = false;
    watchdog.join();
    EXPECT_TRUE(PumpUntil([&] { return lookup.use_count() == 1; }, 10000));
}

TEST(ManifestTest, CommonControlsSixAreLoaded)
{
    // Wine's comctl32 reports 5.81 from DllGetVersion even for version 6; the copy
    // the manifest selects lives under winsxs.
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(::GetModuleHandleA("comctl32.dll"), path, MAX_PATH);
    std::string lower(path);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_NE(std::string::npos, lower.find("winsxs")) << path;
}

// Nested holds on one window: only the outermost turns redrawing on again (a window whose
// redrawing is off reads as not visible).
TEST(RedrawOffTest, OnlyTheOutermostHoldTurnsRedrawingOnAgain)
{
    HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                    nullptr, nullptr, nullptr);
    {
        fw::CRedrawOff outer(window);
        {
            fw::CRedrawOff inner(window);
        }
        EXPECT_FALSE(::IsWindowVisible(window));
    }
    EXPECT_TRUE(::IsWindowVisible(window));
    ::DestroyWindow(window);
}

// A hold's end leaves on the screen what a full repaint draws: the scroll bar as it comes, goes
// and changes, a header that changed inside the hold, and the header's strip where the bar was.
TEST(RedrawOffTest, TheScreenEndsAsAFullRepaintDrawsIt)
{
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                    nullptr, nullptr, nullptr);
    fw::CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | LVS_REPORT | LVS_OWNERDATA,
                            {0, 0, 300, 200}, parent, 1));
    list.InsertColumn(0, "Local Address", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "Local Port", LVCFMT_LEFT, 80);
    ::UpdateWindow(parent);
    const struct {
        const char* what;
        int rows;
        int width;
    } steps[] = {
        {"the bar comes", 100, 100},
        {"a column widens", 100, 140},
        {"the thumb shrinks", 400, 140},
        {"the bar goes", 2, 140},
    };
    for (const auto& step : steps) {
        {
            fw::CRedrawOff hold(list);
            list.SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(step.rows));
            list.SetColumnWidth(0, step.width);
        }
        ::UpdateWindow(list);
        const CDibSection shown = ScreenImage(list, true);
        ::RedrawWindow(list, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(SameIn(ScreenImage(list, true), shown, shown.All())) << step.what;
    }
    ::DestroyWindow(parent);
}

} // namespace

namespace {

// Every label and the widest counter show whole, at 96 DPI here and at 144 DPI in a child
// process: Wine reads HKCU\Control Panel\Desktop LogPixels once, when a process starts.
class ScaledFrameTest : public MainFrameTest {};

TEST_F(ScaledFrameTest, StatisticsShowWholeAndTheListsStayInTheWindowAtAnySize)
{
    const UINT dpi = fw::GetWindowDpi(hwnd);
    if (dpi == 96 && ::GetEnvironmentVariableA("TARNWICK_DPI_CHILD", nullptr, 0) == 0) {
        HKEY desktop = nullptr;
        ASSERT_EQ(ERROR_SUCCESS,
                  ::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, &desktop, nullptr));
        const DWORD high = 144;
        ::RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&high),
                         sizeof(high));
        char exe[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string command =
            std::string("\"") + exe + "\" --gtest_filter=ScaledFrameTest.StatisticsShowWhole*";
        ::SetEnvironmentVariableA("TARNWICK_DPI_CHILD", "1");
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        const BOOL started = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                                              nullptr, nullptr, &si, &pi);
        DWORD code = 1;
        if (started) {
            ::WaitForSingleObject(pi.hProcess, 60000);
            ::GetExitCodeProcess(pi.hProcess, &code);
            ::CloseHandle(pi.hThread);
            ::CloseHandle(pi.hProcess);
        }
        ::SetEnvironmentVariableA("TARNWICK_DPI_CHILD", nullptr);
        ::RegDeleteValueA(desktop, "LogPixels");
        ::RegCloseKey(desktop);
        EXPECT_TRUE(started);
        EXPECT_EQ(0u, code) << "at 144 DPI";
    } else {
        ASSERT_EQ(144u, dpi);
    }

    fw::CListCtrl& stats = Probe().Statistics();
    for (bool ipv6 : {false, true}) {
        if (ipv6)
            Command(ID_VIEW_IPV6);
        for (int row = 0; row < stats.GetItemCount(); ++row)
            stats.SetItemText(row, 1, "4294967295");
        const int columns[] = {stats.GetColumnWidth(0), stats.GetColumnWidth(1)};
        // The list's own fit of what it holds: the width where nothing is cut.
        for (int column = 0; column < 2; ++column) {
            stats.SetColumnWidth(column, LVSCW_AUTOSIZE);
            EXPECT_GE(columns[column], stats.GetColumnWidth(column)) << column << " " << ipv6;
        }
        RECT shown = ChildRect(stats);
        EXPECT_GE(shown.right - shown.left,
                  std::max(fw::ScaleForDpi(250, dpi), columns[0] + columns[1] + 6))
            << ipv6;
    }
    // However small the user makes it, both lists stay whole side by side in the window.
    ::SetWindowPos(hwnd, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
    RECT client = {};
    ::GetClientRect(hwnd, &client);
    const RECT endpoints = ChildRect(Probe().EndpointList()), column = ChildRect(stats);
    EXPECT_GE(endpoints.right - endpoints.left, fw::ScaleForDpi(100, dpi));
    EXPECT_EQ(endpoints.right, column.left);
    EXPECT_EQ(client.right, column.right);
    EXPECT_GE(column.bottom - column.top, fw::ScaleForDpi(100, dpi));
    EXPECT_LE(column.bottom, client.bottom);
}

} // namespace
