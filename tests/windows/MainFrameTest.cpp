#include "FrameFixture.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

namespace {

class MainFrameTest : public CFrameFixture {
protected:
    void SetUp() override
    {
        CFrameFixture::SetUp();
        table->rows = {MakeEndpoint(127, 0, 0, 1, 53), MakeEndpoint(127, 0, 0, 1, 40000)};
    }

    // Sizes the frame so that its client area is `width` pixels wide.
    void SetClientWidth(int width)
    {
        RECT rc = {0, 0, width, 400};
        ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, TRUE, 0);
        ::SetWindowPos(hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOMOVE);
        // A menu bar that wraps changes the client height, not the width.
        ASSERT_EQ(width, ClientRect().right);
    }
    RECT ClientRect() const
    {
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        return rc;
    }
    RECT ChildRect(HWND child) const
    {
        RECT rc;
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    std::string ColumnText(HWND list, int column) const
    {
        char text[64] = {};
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = sizeof(text);
        ::SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
        return text;
    }
    std::string Cell(const fw::CListCtrl& list, int row, int column) const
    {
        return list.GetItemText(row, column);
    }
};

TEST_F(MainFrameTest, StatisticsColumnIsFixedAtTheRightEdgeBetweenTheBars)
{
    // As created, before any resize.
    LONG right = ClientRect().right;
    ASSERT_GT(right, 250);
    EXPECT_EQ(right - 250, ChildRect(frame->m_wndEndpointList).right);
    EXPECT_EQ(right, ChildRect(frame->m_wndStatistics).right);
    EXPECT_EQ(right, ChildRect(frame->m_wndToolBar).right);

    for (LONG width : {600, 900}) {
        SetClientWidth(width);
        RECT list = ChildRect(frame->m_wndEndpointList);
        RECT stats = ChildRect(frame->m_wndStatistics);
        EXPECT_EQ((RECT{0, list.top, width - 250, list.bottom}), list);
        EXPECT_EQ((RECT{width - 250, list.top, width, list.bottom}), stats);
        EXPECT_EQ(ChildRect(frame->m_wndToolBar).bottom, list.top);
        EXPECT_EQ(ChildRect(frame->m_wndStatusBar).top, list.bottom);
        EXPECT_EQ(ClientRect().bottom, ChildRect(frame->m_wndStatusBar).bottom);
    }
}

TEST_F(MainFrameTest, ListsHaveTheirColumnsAndLabels)
{
    EXPECT_EQ("IP Address", ColumnText(frame->m_wndEndpointList, 0));
    EXPECT_EQ("Port", ColumnText(frame->m_wndEndpointList, 1));
    EXPECT_EQ("   Parameters", ColumnText(frame->m_wndStatistics, 0));
    EXPECT_EQ(184, frame->m_wndStatistics.SendMessage(LVM_GETCOLUMNWIDTH, 0));

    const char* labels[] = {
        "Number of Listening Connections:", "Datagrams Having No Ports:", "Total Datagrams Sent:",
        "Total Datagrams Received:", "Error on Received Datagrams:"};
    ASSERT_EQ(5, frame->m_wndStatistics.GetItemCount());
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(labels[row], Cell(frame->m_wndStatistics, row, 0));
        EXPECT_EQ("", Cell(frame->m_wndStatistics, row, 1));
    }
    EXPECT_EQ(LVS_EX_GRIDLINES,
              frame->m_wndStatistics.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_GRIDLINES);
    EXPECT_EQ(WS_EX_CLIENTEDGE,
              static_cast<DWORD>(::GetWindowLongA(frame->m_wndEndpointList, GWL_EXSTYLE)));
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
        EXPECT_EQ(24, cx);
        EXPECT_EQ(24, cy);
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
    ASSERT_TRUE(PumpUntil([&] { return table->readCalls > 0; }, 2000));
    EXPECT_EQ(2, frame->m_wndEndpointList.GetItemCount());
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

TEST_F(MainFrameTest, FailedTableReadIsShownAndReplacedByTheNextPoll)
{
    table->failure = 5; // access denied
    Poll();
    ASSERT_EQ(1, frame->m_wndEndpointList.GetItemCount());
    EXPECT_EQ("Unable to get UDP Connections", Cell(frame->m_wndEndpointList, 0, 0));
    EXPECT_EQ("5", Cell(frame->m_wndStatistics, 0, 1));

    table->failure = tarnwick::kNoError;
    Poll();
    ASSERT_EQ(2, frame->m_wndEndpointList.GetItemCount());
    EXPECT_EQ("127.0.0.1", Cell(frame->m_wndEndpointList, 0, 0));
}

// Look-ups that hang must never hold the window: it keeps answering, and it closes at
// once, leaving the hanging run to finish (and be dropped) on its own.
TEST_F(MainFrameTest, HangingLookupsNeitherFreezeNorHoldTheClose)
{
    table->rows.insert(table->rows.begin(), MakeEndpoint(0, 0, 0, 0, 53));
    lookup->block = true;
    Poll();
    ASSERT_TRUE(PumpUntil([&] { return lookup->lookups > 0; }, 5000));

    // While the run hangs: polls go on and every message is answered promptly.
    DWORD longest = 0;
    for (int i = 0; i < 20; ++i) {
        DWORD start = ::GetTickCount();
        Poll();
        ::SendMessageA(hwnd, WM_NULL, 0, 0);
        ::SendMessageA(frame->m_wndEndpointList, LVM_GETITEMCOUNT, 0, 0);
        PumpMessages(0);
        longest = std::max(longest, ::GetTickCount() - start);
        ::Sleep(20);
    }
    std::printf("ui-answer-while-lookup-hangs: longest %lu ms\n", longest);
    EXPECT_LT(longest, 50u);
    EXPECT_GE(table->readCalls, 21);
    EXPECT_EQ(3, frame->m_wndEndpointList.GetItemCount());
    EXPECT_EQ("0.0.0.0", Cell(frame->m_wndEndpointList, 0, 0));

    DWORD start = ::GetTickCount();
    ::DestroyWindow(hwnd);
    DWORD closeTime = ::GetTickCount() - start;
    std::printf("close-while-lookup-hangs: %lu ms\n", closeTime);
    EXPECT_LT(closeTime, 500u);
    EXPECT_FALSE(::IsWindow(hwnd));

    // The run finishes after its owner is gone; its results go nowhere.
    lookup->block = false;
    EXPECT_TRUE(PumpUntil([&] { return lookup.use_count() == 1; }, 2000));
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
