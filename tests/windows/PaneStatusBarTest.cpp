#include "res/resource.h"
#include "tests/windows/PaneBarHost.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

class PaneStatusBarTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }

    void Repaint() { ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

    CPaneBarHost host;
    CPaneStatusBar& bar = host.bar;
};

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
    stripes->SetBitmap(IDB_BITMAP_PROCESS);
    stripes->SetStyle(SPS_BITMAP | SPS_TILE | SPS_HSCROLL);
    Repaint();
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());

    // The timer repaints by itself, one step per tick.
    const int before = stripes->m_nScrollX;
    ASSERT_TRUE(PumpUntil([&] { return stripes->m_nScrollX - before >= 3; }, 10000));

    // Only the animation timer repaints, the whole bar.
    RECT update = {};
    ::ValidateRect(bar, nullptr);
    bar.SendMessage(WM_TIMER, 7);
    EXPECT_FALSE(::GetUpdateRect(bar, &update, FALSE));
    bar.SendMessage(WM_TIMER, CPaneStatusBar::IDT_PANE_ANIMATION);
    ASSERT_TRUE(::GetUpdateRect(bar, &update, FALSE));
    EXPECT_EQ(bar.GetClientRect(), update);

    stripes->SetStyle(SPS_BITMAP | SPS_TILE);
    Repaint();
    EXPECT_EQ(0u, bar.GetAnimTimer());
    EXPECT_FALSE(::KillTimer(bar, CPaneStatusBar::IDT_PANE_ANIMATION)) << "timer still set";

    stripes->SetStyle(SPS_BITMAP | SPS_TILE | SPS_HSCROLL);
    Repaint();
    bar.DestroyWindow();
    EXPECT_EQ(0u, bar.GetAnimTimer());
}

TEST(PaneStatusBarFailure, MissingIndicatorStringIsReportedToTheUser)
{
    CPaneBarHost host;
    char caption[64] = {};
    std::wstring text;
    WhenShown("#32770", [&](HWND box) {
        ::GetWindowTextA(box, caption, sizeof(caption));
        text = MessageBoxText(box);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    const UINT ids[] = {ID_SEPARATOR, 4242};
    EXPECT_FALSE(host.bar.CreateStatusBar(host, ids, 2, fw::SBPS_STRETCH));
    EXPECT_STREQ("Tarnwick", caption);
    EXPECT_EQ(L"Unable to create Statusbar.", text);
    // The first pane keeps the style it had.
    ASSERT_EQ(2, host.bar.GetCount());
    EXPECT_EQ(0u, host.bar.GetPaneStyle(0));
}

} // namespace
