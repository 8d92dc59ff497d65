#include "PaneBarHost.h"
#include "TestSupport.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class PaneStatusBarTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Create()); }

    CPaneBarHost host;
    CPaneStatusBar& bar = host.bar;
};

TEST_F(PaneStatusBarTest, CreatesTheFrameStatusBarWithItsIndicators)
{
    EXPECT_EQ(AFX_IDW_STATUS_BAR, ::GetDlgCtrlID(bar));
    EXPECT_EQ(host.Window(), ::GetParent(bar));
    EXPECT_TRUE(::IsWindowVisible(bar));
    ASSERT_EQ(4, bar.GetCount());
    EXPECT_EQ(fw::SBPS_STRETCH, bar.GetPaneStyle(0));
    EXPECT_EQ(" AutoUpdate PAUSED ", bar.GetPaneText(1));
    EXPECT_EQ("OVER", bar.GetPaneText(2));
    EXPECT_EQ(" Resolve ON         ", bar.GetPaneText(3));
    // The bar sits at the bottom of its parent, over the whole width.
    RECT client;
    ::GetClientRect(host.Window(), &client);
    RECT rc = bar.GetWindowRect();
    ::MapWindowPoints(HWND_DESKTOP, host.Window(), reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(client.bottom, rc.bottom);
    EXPECT_EQ(client.right, rc.right - rc.left);
}

TEST_F(PaneStatusBarTest, SetIndicatorsResetsEveryPane)
{
    for (int i = 0; i < 4; ++i) {
        CStatusPane* pane = bar.GetPane(i);
        pane->SetTexts("on", "off");
        pane->SetTextColors(RGB(1, 1, 1), RGB(2, 2, 2));
        pane->SetBackColors(RGB(3, 3, 3), RGB(4, 4, 4));
        pane->SetStyle(SPS_BITMAP | SPS_HSCROLL);
        pane->m_nScrollX = 5;
        pane->m_nScrollY = 6;
    }
    const UINT ids[] = {ID_SEPARATOR, ID_INDICATOR_OVR, ID_INDICATOR_RESOLVE};
    EXPECT_TRUE(bar.SetIndicators(ids, 3));
    ASSERT_EQ(3, bar.GetCount());
    EXPECT_EQ(" Resolve ON         ", bar.GetPaneText(2));

    CStatusPane fresh;
    for (int i = 0; i < 3; ++i) {
        const CStatusPane* pane = bar.GetPane(i);
        EXPECT_EQ("", pane->m_strText[0]) << "pane " << i;
        EXPECT_EQ("", pane->m_strText[1]) << "pane " << i;
        EXPECT_EQ(fresh.m_crText[1], pane->m_crText[1]) << "pane " << i;
        EXPECT_EQ(fresh.m_crBack[0], pane->m_crBack[0]) << "pane " << i;
        EXPECT_EQ(SPS_TEXT, pane->m_nStyle) << "pane " << i;
        EXPECT_EQ(0, pane->m_nScrollX) << "pane " << i;
        EXPECT_EQ(0, pane->m_nScrollY) << "pane " << i;
    }

    // A missing indicator string fails the call, but the panes are reset all the same.
    bar.GetPane(1)->SetTexts("on", "off");
    const UINT missing[] = {ID_SEPARATOR, ID_INDICATOR_OVR, 4242, ID_INDICATOR_RESOLVE};
    EXPECT_FALSE(bar.SetIndicators(missing, 4));
    ASSERT_EQ(4, bar.GetCount());
    EXPECT_EQ("", bar.GetPane(1)->GetStateText(true));
}

TEST_F(PaneStatusBarTest, ChangePaneStyleReplacesTheWholeStyle)
{
    UINT id;
    UINT style;
    int width;
    bar.GetPaneInfo(2, id, style, width);
    EXPECT_EQ(0u, bar.ChangePaneStyle(2, fw::SBPS_POPOUT | fw::SBPS_DISABLED));
    EXPECT_EQ(fw::SBPS_POPOUT | fw::SBPS_DISABLED, bar.ChangePaneStyle(2, fw::SBPS_NOBORDERS));
    UINT newId;
    int newWidth;
    bar.GetPaneInfo(2, newId, style, newWidth);
    EXPECT_EQ(fw::SBPS_NOBORDERS, style);
    EXPECT_EQ(id, newId);
    EXPECT_EQ(width, newWidth);
}

int HitTest(CPaneStatusBar& bar, LONG x, LONG y)
{
    POINT pt = {x, y};
    return bar.PaneFromPoint(pt);
}

TEST_F(PaneStatusBarTest, PaneRectanglesHoldTheirLeftAndTopEdgesOnly)
{
    for (int i = 0; i < 4; ++i) {
        RECT rc = host.ItemRect(i);
        EXPECT_EQ(i, HitTest(bar, rc.left, rc.top)) << "pane " << i;
        EXPECT_EQ(i, HitTest(bar, rc.right - 1, rc.bottom - 1)) << "pane " << i;
        EXPECT_NE(i, HitTest(bar, rc.right, rc.top)) << "pane " << i;
        EXPECT_EQ(-1, HitTest(bar, rc.left, rc.bottom)) << "pane " << i;
        EXPECT_EQ(-1, HitTest(bar, rc.left, rc.top - 1)) << "pane " << i;
    }
    // The control leaves gaps between panes and room for the grip on the right.
    for (int i = 0; i + 1 < 4; ++i) {
        RECT left = host.ItemRect(i);
        RECT right = host.ItemRect(i + 1);
        ASSERT_LT(left.right, right.left) << "no gap after pane " << i;
        EXPECT_EQ(-1, HitTest(bar, left.right, left.top)) << "gap after pane " << i;
    }
    RECT client = bar.GetClientRect();
    EXPECT_EQ(-1, HitTest(bar, client.right - 2, client.bottom - 2));
}

// A dialog owner hands its own client coordinates; a plain window hands the bar's.
TEST(PaneStatusBarDialogOwner, PointIsConvertedFromTheDialogClient)
{
    HWND dialog = ::CreateWindowExA(0, "#32770", "", WS_OVERLAPPED | WS_VISIBLE, 20, 20, 400, 150,
                                    nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, dialog);
    {
        CPaneStatusBar bar;
        ASSERT_TRUE(bar.CreateStatusBar(dialog, kMainIndicators, 4, fw::SBPS_STRETCH));
        bar.SendMessage(WM_SIZE);
        RECT pane2 = {};
        ASSERT_TRUE(bar.GetItemRect(2, pane2));
        POINT inDialog = {pane2.left, pane2.top};
        ::MapWindowPoints(bar, dialog, &inDialog, 1);
        ASSERT_FALSE(inDialog.x == pane2.left && inDialog.y == pane2.top);

        POINT pt = inDialog;
        EXPECT_EQ(2, bar.PaneFromPoint(pt));
        EXPECT_EQ(pane2.left, pt.x);
        EXPECT_EQ(pane2.top, pt.y);
    }
    ::DestroyWindow(dialog);
}

TEST_F(PaneStatusBarTest, MouseMessagesReachTheOwnerFirstUnchanged)
{
    const UINT mouse[] = {WM_LBUTTONDOWN,   WM_LBUTTONUP,     WM_LBUTTONDBLCLK, WM_MBUTTONDOWN,
                          WM_MBUTTONUP,     WM_MBUTTONDBLCLK, WM_RBUTTONDOWN,   WM_RBUTTONUP,
                          WM_RBUTTONDBLCLK, WM_MOUSEMOVE};
    RECT pane1 = host.ItemRect(1);
    LPARAM at = MAKELPARAM(pane1.left + 3, pane1.top + 2);
    for (UINT msg : mouse) {
        host.messages.clear();
        bar.SendMessage(msg, MK_SHIFT, at);
        ASSERT_FALSE(host.messages.empty()) << "message " << msg;
        EXPECT_EQ((HostMessage{msg, MK_SHIFT, at}), host.messages.front()) << "message " << msg;
    }
    // The control's own processing follows the owner's: a click notification comes after.
    host.messages.clear();
    bar.SendMessage(WM_LBUTTONUP, 0, at);
    std::vector<HostMessage> expected = {{WM_LBUTTONUP, 0, at}, {WM_NOTIFY, AFX_IDW_STATUS_BAR, 0}};
    EXPECT_EQ(expected, host.messages);
}

int PaneOffset(CPaneStatusBar& bar, int index)
{
    return bar.GetPane(index)->m_nScrollX;
}

TEST_F(PaneStatusBarTest, AnimationTimerFollowsTheMotionBitsAtTheNextRepaint)
{
    CStatusPane* stripes = bar.GetPane(2);
    stripes->SetTexts("IDB_BITMAP_PROCESS", "IDB_BITMAP_PROCESS");
    stripes->SetStyle(SPS_BITMAP | SPS_TILE);
    ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(0u, bar.GetAnimTimer());

    stripes->SetStyle(stripes->m_nStyle | SPS_HSCROLL);
    EXPECT_EQ(0u, bar.GetAnimTimer()) << "a setter must not start the timer";
    bar.InvalidateRect(nullptr, FALSE);
    ::UpdateWindow(bar);
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());

    // The timer repaints by itself, one step per tick.
    int before = PaneOffset(bar, 2);
    PumpMessages(650);
    int steps = PaneOffset(bar, 2) - before;
    EXPECT_GE(steps, 3);
    EXPECT_LE(steps, 8);

    stripes->SetStyle(stripes->m_nStyle & ~SPS_HSCROLL);
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());
    bar.InvalidateRect(nullptr, FALSE);
    ::UpdateWindow(bar);
    EXPECT_EQ(0u, bar.GetAnimTimer());
    EXPECT_FALSE(::KillTimer(bar, CPaneStatusBar::IDT_PANE_ANIMATION)) << "timer still set";
    int stopped = PaneOffset(bar, 2);
    PumpMessages(300);
    EXPECT_EQ(stopped, PaneOffset(bar, 2));
}

TEST_F(PaneStatusBarTest, TimerOnlyBitKeepsTheTimerWithoutMovingAnything)
{
    bar.GetPane(3)->SetStyle(SPS_TEXT | 0x04000000);
    ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());
    PumpMessages(250);
    EXPECT_EQ(0, bar.GetPane(3)->m_nScrollX);
    EXPECT_EQ(0, bar.GetPane(3)->m_nScrollY);
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());
}

TEST_F(PaneStatusBarTest, OnlyTheAnimationTimerRepaints)
{
    bar.GetPane(1)->SetStyle(SPS_TEXT | SPS_HSCROLL);
    ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());

    RECT update = {};
    ::ValidateRect(bar, nullptr);
    bar.SendMessage(WM_TIMER, 7);
    EXPECT_FALSE(::GetUpdateRect(bar, &update, FALSE));
    bar.SendMessage(WM_TIMER, CPaneStatusBar::IDT_PANE_ANIMATION);
    ASSERT_TRUE(::GetUpdateRect(bar, &update, FALSE));
    RECT client = bar.GetClientRect();
    EXPECT_TRUE(::EqualRect(&client, &update));
}

TEST_F(PaneStatusBarTest, DestroyKillsTheAnimationTimer)
{
    bar.GetPane(1)->SetStyle(SPS_TEXT | SPS_VSCROLL);
    ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());
    bar.DestroyWindow();
    EXPECT_EQ(0u, bar.GetAnimTimer());
}

// Closes the message box that a failed creation shows, keeping its texts.
struct MessageBoxWatch {
    static std::vector<std::string> texts;
    static std::string caption;

    static BOOL CALLBACK CollectText(HWND child, LPARAM)
    {
        char text[256] = {};
        if (::GetWindowTextA(child, text, sizeof(text)) > 0)
            texts.emplace_back(text);
        return TRUE;
    }
    static BOOL CALLBACK CloseBox(HWND hWnd, LPARAM)
    {
        char className[16] = {};
        ::GetClassNameA(hWnd, className, sizeof(className));
        if (std::string(className) != "#32770" || !::IsWindowVisible(hWnd))
            return TRUE;
        char text[256] = {};
        ::GetWindowTextA(hWnd, text, sizeof(text));
        caption = text;
        ::EnumChildWindows(hWnd, &CollectText, 0);
        ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
        return FALSE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        ::EnumThreadWindows(::GetCurrentThreadId(), &CloseBox, 0);
    }
};
std::vector<std::string> MessageBoxWatch::texts;
std::string MessageBoxWatch::caption;

TEST(PaneStatusBarFailure, MissingIndicatorStringIsReportedToTheUser)
{
    CPaneBarHost host;
    MessageBoxWatch::texts.clear();
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &MessageBoxWatch::OnTimer);
    const UINT ids[] = {ID_SEPARATOR, 4242};
    bool created = host.bar.CreateStatusBar(host.Window(), ids, 2, fw::SBPS_STRETCH);
    ::KillTimer(nullptr, timer);

    EXPECT_FALSE(created);
    EXPECT_EQ("Tarnwick", MessageBoxWatch::caption);
    EXPECT_NE(MessageBoxWatch::texts.end(),
              std::find(MessageBoxWatch::texts.begin(), MessageBoxWatch::texts.end(),
                        "Unable to create Statusbar."));
    // The first pane keeps the style it had.
    ASSERT_EQ(2, host.bar.GetCount());
    EXPECT_EQ(0u, host.bar.GetPaneStyle(0));
}

} // namespace
