#include "FrameFixture.h"
#include "PaneBarHost.h"
#include "TestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 150, 0);

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
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ASSERT_EQ(4, bar.GetCount());
    EXPECT_EQ(fw::SBPS_STRETCH, bar.GetPaneStyle(0));
    const UINT styles[] = {0x00100000, 0x00100001, 0x10400000, 0x00100001};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(styles[i], bar.GetPane(i)->m_nStyle) << "pane " << i;
        EXPECT_EQ(face, bar.GetPane(i)->m_crBack[1]) << "pane " << i;
        EXPECT_EQ(kWhite, bar.GetPane(i)->m_crBack[0]) << "pane " << i;
    }
    EXPECT_EQ(kRed, bar.GetPane(1)->m_crText[1]);
    EXPECT_EQ(kWhite, bar.GetPane(1)->m_crText[0]);
    EXPECT_EQ("", bar.GetPane(1)->GetStateText(true));
    EXPECT_EQ("", bar.GetPane(1)->GetStateText(false));
    EXPECT_EQ("IDB_BITMAP_PROCESS", bar.GetPane(2)->GetStateText(true));
    EXPECT_EQ("IDB_BITMAP_PROCESS", bar.GetPane(2)->GetStateText(false));
    EXPECT_EQ(kGreen, bar.GetPane(3)->m_crText[1]);
    EXPECT_EQ("Resolve ON", bar.GetPane(3)->GetStateText(true));
    EXPECT_EQ("", bar.GetPane(3)->GetStateText(false));
    EXPECT_EQ("Ready", bar.GetPaneText(0));
    EXPECT_EQ(0u, bar.GetAnimTimer());
}

TEST_F(MainWindowPanesTest, PausedStateShowsRedIndicatorTextAndStillStripes)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    CapturedImage image = PrintClient(bar);

    RECT pane1 = Inner(1);
    CapturedImage reference =
        DrawReferenceText(image.width, image.height, face, bar.GetPane(1)->m_lfFont, kRed,
                          " AutoUpdate PAUSED ", pane1, DT_CENTER, pane1);
    int red = 0;
    for (LONG y = pane1.top; y < pane1.bottom; ++y) {
        for (LONG x = pane1.left; x < pane1.right; ++x) {
            ASSERT_EQ(reference.At(x, y), image.At(x, y)) << "(" << x << "," << y << ")";
            red += image.At(x, y) == kRed ? 1 : 0;
        }
    }
    EXPECT_GT(red, 20);

    RECT pane2 = Inner(2);
    for (LONG y = pane2.top; y < pane2.bottom; ++y)
        for (LONG x = pane2.left; x < pane2.right; ++x)
            ASSERT_EQ(StripeColor((x - pane2.left) % 48, (y - pane2.top) % 16), image.At(x, y))
                << "(" << x << "," << y << ")";

    // Nothing moves, so painting again gives the same picture.
    CapturedImage again = PrintClient(bar);
    EXPECT_TRUE(again.pixels == image.pixels);
}

TEST_F(MainWindowPanesTest, ScreenShowsWhatThePaintRoutineDraws)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client = bar.GetClientRect();
    CDibSection dib(client.right, client.bottom);
    HDC window = ::GetDC(bar);
    HDC mem = ::CreateCompatibleDC(window);
    HGDIOBJ old = ::SelectObject(mem, dib.Get());
    ::BitBlt(mem, 0, 0, client.right, client.bottom, window, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::ReleaseDC(bar, window);

    CapturedImage printed = PrintClient(bar);
    int differ = 0;
    for (LONG y = 0; y < client.bottom; ++y)
        for (LONG x = 0; x < client.right; ++x)
            differ += dib.GetPixel(x, y) != printed.At(x, y) ? 1 : 0;
    EXPECT_EQ(0, differ);
}

TEST_F(MainWindowPanesTest, MaximisedWindowHasNoGripDots)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    auto shadowInGrip = [&bar, shadow] {
        CapturedImage image = PrintClient(bar);
        int count = 0;
        for (int y = image.height - 14; y < image.height; ++y)
            for (int x = image.width - 14; x < image.width; ++x)
                count += image.At(x, y) == shadow ? 1 : 0;
        return count;
    };
    EXPECT_EQ(6 * 3, shadowInGrip());
    ::ShowWindow(hwnd, SW_MAXIMIZE);
    ASSERT_TRUE(::IsZoomed(hwnd));
    EXPECT_EQ(0, shadowInGrip());
    ::ShowWindow(hwnd, SW_RESTORE);
    EXPECT_EQ(6 * 3, shadowInGrip());
}

double FileTimeMs(const FILETIME& ft)
{
    ULARGE_INTEGER value;
    value.LowPart = ft.dwLowDateTime;
    value.HighPart = ft.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 10000.0;
}

double ProcessCpuMs()
{
    FILETIME created;
    FILETIME exited;
    FILETIME kernel;
    FILETIME user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    return FileTimeMs(kernel) + FileTimeMs(user);
}

// Not a pass/fail check: prints what the idle animation costs.
TEST_F(MainWindowPanesTest, IdleAnimationCost)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    PumpMessages(1200); // the first poll
    bar.GetPane(2)->SetStyle(bar.GetPane(2)->m_nStyle | SPS_HSCROLL);
    bar.InvalidateRect(nullptr, FALSE);

    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    double cpuStart = ProcessCpuMs();
    double paintMs = 0;
    int frames = 0;
    const double runMs = 5000;
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            bool barPaint = msg.message == WM_PAINT && msg.hwnd == bar;
            LARGE_INTEGER before;
            LARGE_INTEGER after;
            ::QueryPerformanceCounter(&before);
            ::DispatchMessageA(&msg);
            ::QueryPerformanceCounter(&after);
            if (barPaint) {
                ++frames;
                paintMs += 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) /
                           static_cast<double>(frequency.QuadPart);
            }
        }
        ::QueryPerformanceCounter(&now);
        double elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                         static_cast<double>(frequency.QuadPart);
        if (elapsed >= runMs)
            break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    double wallMs = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart);
    double cpuMs = ProcessCpuMs() - cpuStart;

    std::printf("status-animation-cpu: %.2f %% of one core (%.0f ms CPU in %.0f ms, %d frames)\n",
                100.0 * cpuMs / wallMs, cpuMs, wallMs, frames);
    std::printf("status-paint: %.3f ms\n", frames > 0 ? paintMs / frames : 0.0);
    EXPECT_GT(frames, 0);
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());
}

} // namespace
