#include "FrameFixture.h"
#include "PaneBarHost.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(200, 0, 0);

class MainWindowPanesTest : public CFrameFixture {
protected:
    RECT Inner(int index) const
    {
        RECT rc = {};
        frame->m_wndStatusBar.GetItemRect(index, rc);
        ::InflateRect(&rc, -1, -1);
        return rc;
    }
};

TEST_F(MainWindowPanesTest, PanesStartWithTheirStylesTextsAndColours)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    ASSERT_EQ(4, bar.GetCount());
    EXPECT_EQ(fw::SBPS_STRETCH, bar.GetPaneStyle(0));
    const UINT styles[] = {0x00100000, 0x00100001, 0x10400000, 0x00100001};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(styles[i], bar.GetPane(i)->m_nStyle) << "pane " << i;
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), bar.GetPane(i)->m_crBack[1]) << "pane " << i;
        EXPECT_EQ(kWhite, bar.GetPane(i)->m_crBack[0]) << "pane " << i;
    }
    EXPECT_EQ(kWhite, bar.GetPane(1)->m_crText[0]);
    EXPECT_EQ("IDB_BITMAP_PROCESS", bar.GetPane(2)->GetStateText(false));
    EXPECT_EQ(RGB(0, 150, 0), bar.GetPane(3)->m_crText[1]);
    EXPECT_EQ("Resolve ON", bar.GetPane(3)->GetStateText(true));
    EXPECT_EQ("", bar.GetPane(3)->GetStateText(false));
    EXPECT_EQ("Ready", bar.GetPaneText(0));
    EXPECT_EQ(0u, bar.GetAnimTimer());
}

TEST_F(MainWindowPanesTest, PausedStateShowsRedIndicatorTextAndStillStripes)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    CDibSection image = PrintClient(bar);
    // Pane 1 has no text of its own before the first toggle: its indicator string, centred.
    RECT pane1 = Inner(1);
    EXPECT_TRUE(SameIn(image,
                       DrawReferenceText(image.Width(), image.Height(),
                                         ::GetSysColor(COLOR_BTNFACE), bar.GetPane(1)->m_lfFont,
                                         kRed, " AutoUpdate PAUSED ", pane1, DT_CENTER, pane1),
                       pane1));
    EXPECT_GT(CountColor(image, pane1, kRed), 20);

    RECT pane2 = Inner(2);
    EXPECT_TRUE(Matches(image, pane2, [&pane2](LONG x, LONG y) {
        return StripeColor((x - pane2.left) % 48, (y - pane2.top) % 16);
    }));

    // Nothing moves, so painting again gives the same picture; the screen shows it too.
    EXPECT_TRUE(SameIn(PrintClient(bar), image, image.All()));
    ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CDibSection screen(image.Width(), image.Height());
    HDC window = ::GetDC(bar);
    ::BitBlt(screen.Dc(), 0, 0, screen.Width(), screen.Height(), window, 0, 0, SRCCOPY);
    ::ReleaseDC(bar, window);
    EXPECT_TRUE(SameIn(screen, image, image.All()));
}

double ProcessCpuMs()
{
    FILETIME times[4];
    ::GetProcessTimes(::GetCurrentProcess(), &times[0], &times[1], &times[2], &times[3]);
    double ms = 0;
    for (const FILETIME& ft : {times[2], times[3]}) // kernel and user time, in 100 ns
        ms += static_cast<double>((ULONGLONG{ft.dwHighDateTime} << 32) | ft.dwLowDateTime) / 1e4;
    return ms;
}

double NowMs()
{
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Not a pass/fail check: prints what the idle animation costs.
TEST_F(MainWindowPanesTest, IdleAnimationCost)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    PumpMessages(1200); // the first poll
    bar.GetPane(2)->SetStyle(bar.GetPane(2)->m_nStyle | SPS_HSCROLL);
    bar.InvalidateRect(nullptr, FALSE);

    const double start = NowMs();
    const double cpuStart = ProcessCpuMs();
    double paintMs = 0;
    int frames = 0;
    while (NowMs() - start < 2000) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            const double before = NowMs();
            ::DispatchMessageA(&msg);
            if (msg.message == WM_PAINT && msg.hwnd == bar) {
                ++frames;
                paintMs += NowMs() - before;
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    const double wallMs = NowMs() - start;
    const double cpuMs = ProcessCpuMs() - cpuStart;

    std::printf("status-animation-cpu: %.2f %% of one core (%.0f ms CPU in %.0f ms, %d frames)\n",
                100.0 * cpuMs / wallMs, cpuMs, wallMs, frames);
    std::printf("status-paint: %.3f ms\n", frames > 0 ? paintMs / frames : 0.0);
    EXPECT_GT(frames, 0);
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());
}

} // namespace
