#include "PaneBarHost.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace {

class PaneStatusBarTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }

    void Repaint() { ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

    CPaneBarHost host;
    CPaneStatusBar& bar = host.bar;
};

TEST_F(PaneStatusBarTest, SetIndicatorsResetsEveryPaneToTheMenuColours)
{
    // The defaults come from the menu colours, set here to known values and put back.
    const INT elements[] = {COLOR_MENU, COLOR_MENUTEXT};
    const COLORREF saved[] = {::GetSysColor(COLOR_MENU), ::GetSysColor(COLOR_MENUTEXT)};
    const COLORREF known[] = {RGB(192, 192, 192), RGB(1, 2, 3)};
    ::SetSysColors(2, elements, known);
    LOGFONTA ansiVar = {};
    ::GetObjectA(::GetStockObject(ANSI_VAR_FONT), sizeof(ansiVar), &ansiVar);
    for (int i = 0; i < 4; ++i) {
        CStatusPane* pane = bar.GetPane(i);
        pane->SetTexts("on", "off");
        pane->SetTextColors(RGB(1, 1, 1), RGB(2, 2, 2));
        pane->SetBackColors(RGB(3, 3, 3), RGB(4, 4, 4));
        pane->SetStyle(SPS_BITMAP | SPS_HSCROLL);
        pane->m_lfFont.lfHeight = 40;
        pane->m_nScrollX = pane->m_nScrollY = 5;
    }
    // A missing indicator string fails the call, but the panes are reset all the same.
    const UINT ids[] = {ID_SEPARATOR, ID_INDICATOR_OVR, 4242, ID_INDICATOR_RESOLVE};
    EXPECT_FALSE(bar.SetIndicators(ids, 4));
    EXPECT_EQ(4, bar.GetCount());
    EXPECT_EQ(" Resolve ON         ", bar.GetPaneText(3));
    // Texts; disabled and enabled text colours (disabled: the menu colour with each channel
    // halved) and back colours; style; offsets.
    for (int i = 0; i < bar.GetCount(); ++i) {
        const CStatusPane& p = *bar.GetPane(i);
        EXPECT_EQ(std::make_tuple(std::string("|"), RGB(96, 96, 96), RGB(1, 2, 3),
                                  RGB(192, 192, 192), RGB(192, 192, 192), SPS_TEXT, 0, 0),
                  std::make_tuple(p.m_strText[0] + "|" + p.m_strText[1], p.m_crText[0],
                                  p.m_crText[1], p.m_crBack[0], p.m_crBack[1], p.m_nStyle,
                                  p.m_nScrollX, p.m_nScrollY))
            << i;
        EXPECT_EQ(0, std::memcmp(&ansiVar, &p.m_lfFont, sizeof(ansiVar))) << i;
    }

    // A disabled colour of -1 stands for the menu colours.
    CStatusPane& pane = *bar.GetPane(0);
    pane.SetTextColors(RGB(0, 150, 0), 0xFFFFFFFF);
    pane.SetBackColors(RGB(4, 5, 6), 0xFFFFFFFF);
    EXPECT_EQ(RGB(96, 96, 96), pane.m_crText[0]);
    EXPECT_EQ(RGB(192, 192, 192), pane.m_crBack[0]);
    ::SetSysColors(2, elements, saved);
}

TEST_F(PaneStatusBarTest, PaneRectanglesHoldTheirLeftAndTopEdgesOnly)
{
    auto HitTest = [this](LONG x, LONG y) {
        POINT pt = {x, y};
        return bar.PaneFromPoint(pt);
    };
    for (int i = 0; i < 4; ++i) {
        RECT rc = host.ItemRect(i);
        EXPECT_EQ(i, HitTest(rc.left, rc.top)) << "pane " << i;
        EXPECT_EQ(i, HitTest(rc.right - 1, rc.bottom - 1)) << "pane " << i;
        EXPECT_EQ(-1, HitTest(rc.left, rc.bottom)) << "pane " << i;
        EXPECT_EQ(-1, HitTest(rc.left, rc.top - 1)) << "pane " << i;
        // The control leaves gaps between panes and room for the grip on the right.
        EXPECT_EQ(-1, HitTest(rc.right, rc.top)) << "gap after pane " << i;
    }
    RECT client = bar.GetClientRect();
    EXPECT_EQ(-1, HitTest(client.right - 2, client.bottom - 2));
}

TEST_F(PaneStatusBarTest, MotionBitsRunTheAnimationTimerFromTheNextRepaint)
{
    CStatusPane* stripes = bar.GetPane(2);
    stripes->SetTexts("IDB_BITMAP_PROCESS", "IDB_BITMAP_PROCESS");
    stripes->SetStyle(SPS_BITMAP | SPS_TILE | SPS_HSCROLL);
    Repaint();
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());

    // The timer repaints by itself, one step per tick.
    const int before = stripes->m_nScrollX;
    ASSERT_TRUE(PumpUntil([&] { return stripes->m_nScrollX - before >= 3; }, 10000));

    stripes->SetStyle(SPS_BITMAP | SPS_TILE);
    Repaint();
    EXPECT_EQ(0u, bar.GetAnimTimer());
    EXPECT_FALSE(::KillTimer(bar, CPaneStatusBar::IDT_PANE_ANIMATION)) << "timer still set";
    const int stopped = stripes->m_nScrollX;

    // The other motion bits keep the timer running but move nothing.
    for (UINT bit : {0x04000000u, 0x08000000u}) {
        stripes->SetStyle(SPS_BITMAP | SPS_TILE | bit);
        Repaint();
        EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer()) << std::hex << bit;
    }
    // Only the animation timer repaints, the whole bar.
    RECT update = {};
    ::ValidateRect(bar, nullptr);
    bar.SendMessage(WM_TIMER, 7);
    EXPECT_FALSE(::GetUpdateRect(bar, &update, FALSE));
    bar.SendMessage(WM_TIMER, CPaneStatusBar::IDT_PANE_ANIMATION);
    ASSERT_TRUE(::GetUpdateRect(bar, &update, FALSE));
    EXPECT_EQ(bar.GetClientRect(), update);
    ::UpdateWindow(bar);
    EXPECT_EQ(stopped, stripes->m_nScrollX);
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());

    bar.DestroyWindow();
    EXPECT_EQ(0u, bar.GetAnimTimer());
}

TEST(PaneStatusBarFailure, MissingIndicatorStringIsReportedToTheUser)
{
    CPaneBarHost host;
    char caption[64] = {};
    char text[64] = {};
    WhenShown("#32770", [&](HWND box) {
        ::GetWindowTextA(box, caption, sizeof(caption));
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof(text)); // the message's static control
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    const UINT ids[] = {ID_SEPARATOR, 4242};
    EXPECT_FALSE(host.bar.CreateStatusBar(host, ids, 2, fw::SBPS_STRETCH));
    EXPECT_STREQ("Tarnwick", caption);
    EXPECT_STREQ("Unable to create Statusbar.", text);
    // The first pane keeps the style it had.
    ASSERT_EQ(2, host.bar.GetCount());
    EXPECT_EQ(0u, host.bar.GetPaneStyle(0));
}

} // namespace
