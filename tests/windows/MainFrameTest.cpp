#include "FrameFixture.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

class MainFrameTest : public CFrameFixture {
protected:
    void SetUp() override
    {
        CFrameFixture::SetUp();
        table->rows = {{0x7F000001, 53}, {0x7F000001, 40000}};
    }

    // Sizes the frame so that its client area is `width` pixels wide.
    void SetClientWidth(int width)
    {
        RECT rc = {0, 0, width, 400};
        ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, TRUE, 0);
        ::SetWindowPos(hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOMOVE);
        // A menu bar that wraps changes the client height, not the width.
        RECT client;
        ::GetClientRect(hwnd, &client);
        ASSERT_EQ(width, client.right);
    }

    RECT ChildRect(HWND child) const
    {
        RECT rc;
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(HWND_DESKTOP, hwnd, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
};

TEST_F(MainFrameTest, StatisticsColumnIsFixedAtTheRightEdge)
{
    // As created, before any resize.
    RECT client;
    ::GetClientRect(hwnd, &client);
    ASSERT_GT(client.right, 250);
    EXPECT_EQ(client.right - 250, ChildRect(frame->m_wndEndpointList).right);
    EXPECT_EQ(client.right, ChildRect(frame->m_wndStatistics).right);
    EXPECT_EQ(client.right, ChildRect(frame->m_wndToolBar).right);

    SetClientWidth(600);
    RECT list = ChildRect(frame->m_wndEndpointList);
    RECT stats = ChildRect(frame->m_wndStatistics);
    EXPECT_EQ(0, list.left);
    EXPECT_EQ(350, list.right - list.left);
    EXPECT_EQ(350, stats.left);
    EXPECT_EQ(600, stats.right);
    EXPECT_EQ(list.top, stats.top);
    EXPECT_EQ(list.bottom, stats.bottom);

    SetClientWidth(900);
    EXPECT_EQ(650, ChildRect(frame->m_wndEndpointList).right);
    EXPECT_EQ(250,
              ChildRect(frame->m_wndStatistics).right - ChildRect(frame->m_wndStatistics).left);
}

TEST_F(MainFrameTest, ListsSitBetweenToolBarAndStatusBar)
{
    SetClientWidth(600);
    RECT client;
    ::GetClientRect(hwnd, &client);
    RECT toolBar = ChildRect(frame->m_wndToolBar);
    RECT statusBar = ChildRect(frame->m_wndStatusBar);
    RECT list = ChildRect(frame->m_wndEndpointList);
    EXPECT_EQ(toolBar.bottom, list.top);
    EXPECT_EQ(statusBar.top, list.bottom);
    EXPECT_EQ(client.bottom, statusBar.bottom);
}

TEST_F(MainFrameTest, ListsHaveTheirColumnsAndLabels)
{
    char text[64] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = sizeof(text);
    ASSERT_TRUE(
        frame->m_wndEndpointList.SendMessage(LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ("IP Address", text);
    ASSERT_TRUE(
        frame->m_wndEndpointList.SendMessage(LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ("Port", text);
    ASSERT_TRUE(
        frame->m_wndStatistics.SendMessage(LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ("   Parameters", text);
    EXPECT_EQ(184, column.cx);

    const char* labels[] = {
        "Number of Listening Connections:", "Datagrams Having No Ports:", "Total Datagrams Sent:",
        "Total Datagrams Received:", "Error on Received Datagrams:"};
    ASSERT_EQ(5, frame->m_wndStatistics.GetItemCount());
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(labels[row], frame->m_wndStatistics.GetItemText(row, 0));
        EXPECT_EQ("", frame->m_wndStatistics.GetItemText(row, 1));
    }
    EXPECT_EQ(LVS_EX_GRIDLINES,
              frame->m_wndStatistics.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_GRIDLINES);
    EXPECT_EQ(WS_EX_CLIENTEDGE,
              static_cast<DWORD>(::GetWindowLongA(frame->m_wndEndpointList, GWL_EXSTYLE)));
}

TEST_F(MainFrameTest, ToolBarHasItsButtonsAndImageLists)
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
    }
}

TEST_F(MainFrameTest, ToolBarImagesLoseTheirGreyBackground)
{
    // Pixel (0, 0) of every button image is background grey in the bitmap; drawn from
    // each list it must come out as the button face.
    for (HIMAGELIST list :
         {frame->m_imlNormal.Get(), frame->m_imlDisabled.Get(), frame->m_imlHot.Get()}) {
        for (int image = 0; image < 7; ++image) {
            CDibSection dib(24, 24);
            HDC dc = ::CreateCompatibleDC(nullptr);
            HGDIOBJ old = ::SelectObject(dc, dib.Get());
            ::ImageList_Draw(list, image, dc, 0, 0, ILD_NORMAL);
            ::SelectObject(dc, old);
            ::DeleteDC(dc);
            EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dib.GetPixel(0, 0)) << "image " << image;
        }
    }
}

TEST_F(MainFrameTest, FirstPollComesOnceAfterOneSecond)
{
    PumpMessages(700);
    EXPECT_EQ(0, table->tableReads);
    ASSERT_TRUE(PumpUntil([&] { return table->tableReads > 0; }, 2000));
    EXPECT_EQ(2, frame->m_wndEndpointList.GetItemCount());
    EXPECT_EQ("127.0.0.1", frame->m_wndEndpointList.GetItemText(0, 0));
    EXPECT_EQ("53", frame->m_wndEndpointList.GetItemText(0, 1));
    EXPECT_EQ("40000", frame->m_wndEndpointList.GetItemText(1, 1));
    EXPECT_EQ("5", frame->m_wndStatistics.GetItemText(0, 1)); // dwNumAddrs
    EXPECT_EQ("2", frame->m_wndStatistics.GetItemText(1, 1)); // dwNoPorts
    EXPECT_EQ("4", frame->m_wndStatistics.GetItemText(2, 1)); // dwOutDatagrams
    EXPECT_EQ("1", frame->m_wndStatistics.GetItemText(3, 1)); // dwInDatagrams
    EXPECT_EQ("3", frame->m_wndStatistics.GetItemText(4, 1)); // dwInErrors
    PumpMessages(1500);
    EXPECT_EQ(1, table->tableReads);
}

TEST_F(MainFrameTest, FailedTableReadIsShownAndReplacedByTheNextPoll)
{
    table->failTable = true;
    frame->RefreshUdpInfo();
    ASSERT_EQ(1, frame->m_wndEndpointList.GetItemCount());
    EXPECT_EQ("Unable to get UDP Connections", frame->m_wndEndpointList.GetItemText(0, 0));
    EXPECT_EQ("5", frame->m_wndStatistics.GetItemText(0, 1));

    table->failTable = false;
    frame->RefreshUdpInfo();
    ASSERT_EQ(2, frame->m_wndEndpointList.GetItemCount());
    EXPECT_EQ("127.0.0.1", frame->m_wndEndpointList.GetItemText(0, 0));
}

TEST(ReplaceGreyTest, OnlyExactGreyBecomesButtonFace)
{
    // Width 5: rows of 15 bytes are padded to 16, so row starts are not pixel multiples.
    CDibSection dib(5, 2);
    const COLORREF grey = RGB(192, 192, 192);
    const COLORREF nearGrey[] = {RGB(192, 192, 193), RGB(193, 192, 192), RGB(192, 191, 192)};
    for (int x = 0; x < 5; ++x) {
        dib.SetPixel(x, 0, grey);
        dib.SetPixel(x, 1, x < 3 ? nearGrey[x] : RGB(0, 0, 0));
    }
    ReplaceGrey(dib.Get());
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dib.GetPixel(x, 0)) << x;
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(nearGrey[x], dib.GetPixel(x, 1)) << x;
    EXPECT_EQ(RGB(0, 0, 0), dib.GetPixel(3, 1));
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
