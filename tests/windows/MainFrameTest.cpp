#include "FrameFixture.h"
#include "Gdi.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <thread>
#include <vector>

namespace {

class MainFrameTest : public CFrameFixture {
protected:
    void SetUp() override
    {
        CFrameFixture::SetUp();
        table->rows = {MakeEndpoint(127, 0, 0, 1, 53), MakeEndpoint(127, 0, 0, 1, 40000)};
    }

    LONG ClientWidth() const
    {
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        return rc.right;
    }
    RECT ChildRect(HWND child) const
    {
        RECT rc;
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    std::string Cell(const fw::CListCtrl& list, int row, int column) const
    {
        return list.GetItemText(row, column);
    }
};

TEST_F(MainFrameTest, StatisticsColumnIsFixedAtTheRightEdgeBetweenTheBars)
{
    // As created, then at two widths.
    for (LONG width : {0L, 600L, 900L}) {
        if (width > 0) {
            RECT rc = {0, 0, width, 400};
            ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, TRUE, 0);
            ::SetWindowPos(hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                           SWP_NOZORDER | SWP_NOMOVE);
            // A menu bar that wraps changes the client height, not the width.
            ASSERT_EQ(width, ClientWidth());
        }
        const LONG right = ClientWidth();
        RECT list = ChildRect(frame->m_wndEndpointList);
        EXPECT_EQ((RECT{0, list.top, right - 250, list.bottom}), list);
        EXPECT_EQ((RECT{right - 250, list.top, right, list.bottom}),
                  ChildRect(frame->m_wndStatistics));
        EXPECT_EQ((RECT{0, 0, right, list.top}), ChildRect(frame->m_wndToolBar));
        RECT bar = ChildRect(frame->m_wndStatusBar);
        EXPECT_EQ(list.bottom, bar.top);
        EXPECT_EQ(right, bar.right);
    }
}

TEST_F(MainFrameTest, ListsHaveTheirColumnsAndLabels)
{
    auto heading = [](HWND list, int column) {
        char text[64] = {};
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        ::SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
        return std::string(text) + "/" + std::to_string(info.cx);
    };
    const fw::CListCtrl& stats = frame->m_wndStatistics;
    // The endpoint list's widths follow the window (fitted at every layout).
    EXPECT_EQ(0u, heading(frame->m_wndEndpointList, 0).rfind("IP Address/", 0));
    EXPECT_EQ(0u, heading(frame->m_wndEndpointList, 1).rfind("Port/", 0));
    EXPECT_EQ("   Parameters/184", heading(stats, 0));
    EXPECT_EQ("  Value/60", heading(stats, 1));

    // Five labelled rows (the end-to-end test reads the labels), no values before a poll.
    ASSERT_EQ(5, stats.GetItemCount());
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ("", Cell(stats, row, 1));
    EXPECT_EQ(LVS_EX_GRIDLINES, stats.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_GRIDLINES);
    for (HWND list : {static_cast<HWND>(frame->m_wndEndpointList), static_cast<HWND>(stats)})
        EXPECT_EQ(WS_EX_CLIENTEDGE, static_cast<DWORD>(::GetWindowLongA(list, GWL_EXSTYLE)));
}

TEST_F(MainFrameTest, ToolBarHasItsButtonsAndImageListsWithoutGrey)
{
    const int commands[] = {ID_REFRESH,   ID_AUTOUPDATE, 0, ID_RESOLVE,  0,
                            ID_EDIT_COPY, ID_FILE_SAVE,  0, ID_SETTINGS, ID_APP_ABOUT};
    ASSERT_EQ(10, frame->m_wndToolBar.GetButtonCount());
    int image = 0;
    for (int i = 0; i < 10; ++i) {
        TBBUTTON button = {};
        ASSERT_TRUE(
            frame->m_wndToolBar.SendMessage(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
        EXPECT_EQ(commands[i], button.idCommand) << "button " << i;
        if (commands[i] != 0) {
            EXPECT_EQ(image++, button.iBitmap) << "button " << i;
        }
    }
    const UINT getters[] = {TB_GETIMAGELIST, TB_GETDISABLEDIMAGELIST, TB_GETHOTIMAGELIST};
    const HIMAGELIST expected[] = {frame->m_imlNormal, frame->m_imlDisabled, frame->m_imlHot};
    for (int i = 0; i < 3; ++i) {
        auto list = reinterpret_cast<HIMAGELIST>(frame->m_wndToolBar.SendMessage(getters[i]));
        ASSERT_EQ(expected[i], list);
        EXPECT_EQ(7, ::ImageList_GetImageCount(list));
        int cx = 0;
        int cy = 0;
        ::ImageList_GetIconSize(list, &cx, &cy);
        EXPECT_EQ(24 * 100 + 24, cx * 100 + cy);
        // Pixel (0, 0) of every button image is background grey in the bitmap; drawn from
        // the list it must come out as the button face.
        for (int index = 0; index < 7; ++index)
            EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ImageListPixels(list, index)[0])
                << "list " << i << " image " << index;
    }
}

TEST_F(MainFrameTest, FirstPollComesOnceAfterOneSecond)
{
    PumpMessages(700);
    EXPECT_EQ(0, table->readCalls);
    ASSERT_TRUE(PumpUntil([&] { return frame->m_wndEndpointList.GetItemCount() > 0; }, 10000));
    EXPECT_EQ("127.0.0.1", Cell(frame->m_wndEndpointList, 0, 0));
    EXPECT_EQ("53", Cell(frame->m_wndEndpointList, 0, 1));
    EXPECT_EQ("40000", Cell(frame->m_wndEndpointList, 1, 1));
    // dwNumAddrs, dwNoPorts, dwOutDatagrams, dwInDatagrams, dwInErrors
    const char* counters[] = {"5", "2", "4", "1", "3"};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(counters[row], Cell(frame->m_wndStatistics, row, 1)) << "row " << row;
    PumpMessages(1200);
    EXPECT_EQ(1, table->readCalls);
}

// What the screen shows, not what a paint into memory would: rows that come and go
// through polls must reach the screen.
TEST_F(MainFrameTest, ListOnScreenFollowsPollsThatAddAndRemoveRows)
{
    const COLORREF kSystem = RGB(20, 140, 30);
    const COLORREF kCustom = RGB(230, 160, 10);
    const COLORREF kBelowRows = RGB(90, 20, 20);
    CEndpointListCtrl& list = frame->m_wndEndpointList;
    list.m_crSystemColor = kSystem;
    list.m_crCustomColor = kCustom;
    list.SetBkColor(kBelowRows);
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
        Poll();
        PumpMessages(50);
        RECT first = {};
        list.GetItemRect(0, first, LVIR_BOUNDS);
        rowHeight = std::max(rowHeight, first.bottom - first.top);
        RECT client = list.GetClientRect();
        CDibSection screen(client.right, client.bottom);
        fw::CClientDC window(list);
        ::BitBlt(screen.Dc(), 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
        for (int row = 0; row < 4; ++row)
            EXPECT_EQ(step.shown[row],
                      screen.At(client.right - 3, first.top + rowHeight * row + rowHeight / 2))
                << step.rows.size() << " rows, row " << row;
    }
}

// Look-ups that hang must never hold the window: polls go on, and it closes at once,
// leaving the hanging run to finish (and be dropped) on its own.
TEST_F(MainFrameTest, HangingLookupsNeitherFreezeNorHoldTheClose)
{
    table->rows.insert(table->rows.begin(), MakeEndpoint(0, 0, 0, 0, 53));
    lookup->block = true;
    Poll();
    ASSERT_TRUE(PumpUntil([&] { return lookup->lookups > 0; }, 10000));
    // Should anything wait for the look-up, this lets it go after a while: the test then
    // fails instead of hanging.
    std::thread watchdog([hung = lookup] {
        for (int i = 0; i < 1000 && hung->block; ++i)
            ::Sleep(10);
        hung->block = false;
    });

    for (int i = 0; i < 5; ++i)
        Poll();
    EXPECT_EQ(3, frame->m_wndEndpointList.GetItemCount());
    EXPECT_EQ("0.0.0.0", Cell(frame->m_wndEndpointList, 0, 0));
    ::DestroyWindow(hwnd);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_TRUE(lookup->block) << "the polls or the close waited for the look-up";
    EXPECT_GE(table->readCalls, 6);

    // The run finishes after its owner is gone; its results go nowhere.
    lookup->block = false;
    watchdog.join();
    EXPECT_TRUE(PumpUntil([&] { return lookup.use_count() == 1; }, 10000));
}

TEST(ReplaceGreyTest, OnlyExactGreyBecomesButtonFace)
{
    // Width 5: rows of 15 bytes are padded to 16, so row starts are not pixel multiples.
    CDibSection dib(5, 2);
    const COLORREF nearGrey[] = {RGB(192, 192, 193), RGB(193, 192, 192), RGB(192, 191, 192),
                                 RGB(0, 0, 0), RGB(0, 0, 0)};
    for (int x = 0; x < 5; ++x) {
        ::SetPixelV(dib.Dc(), x, 0, RGB(192, 192, 192));
        ::SetPixelV(dib.Dc(), x, 1, nearGrey[x]);
    }
    ::GdiFlush();
    ReplaceGrey(dib.Get());
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dib.At(x, 0)) << x;
        EXPECT_EQ(nearGrey[x], dib.At(x, 1)) << x;
    }
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

} // namespace
