#include "tests/windows/FrameFixture.h"
#include "tests/windows/PaneBarHost.h"

#include <gtest/gtest.h>

namespace {

using MainWindowPanesTest = CFrameFixture;

// At start: "Ready", auto-update paused in red, still stripes, name display on in green.
TEST_F(MainWindowPanesTest, PanesStartPausedAndResolvingWithStillStripes)
{
    CPaneStatusBar& bar = Probe().StatusBar();
    // The panes write in the system's status bar font.
    const LOGFONTA statusFont = CStatusPane::StatusFont();
    CDibSection image = PrintClient(bar);
    // The auto-update pane has no text of its own before the first toggle: its indicator string.
    // clang-format off
    const struct { int pane; const char* text; COLORREF color; UINT format; } cases[] = {
        {kMessagePane, "Ready", ::GetSysColor(COLOR_MENUTEXT), 0}, {kAutoUpdatePane, " AutoUpdate PAUSED ", RGB(200, 0, 0), DT_CENTER},
        {kResolvePane, "Resolve ON", RGB(0, 150, 0), DT_CENTER}};
    // clang-format on
    for (const auto& c : cases) {
        RECT in = InnerRect(bar, c.pane);
        EXPECT_TRUE(
            SameIn(image,
                   DrawReferenceText(image.Width(), image.Height(), ::GetSysColor(COLOR_BTNFACE),
                                     statusFont, c.color, c.text, in, c.format, in),
                   in))
            << c.text;
        EXPECT_GT(CountColor(image, in, c.color), 10) << c.text;
    }
    // The message pane takes what the others leave.
    EXPECT_GT(InnerRect(bar, 0).right, image.Width() / 2);
    RECT stripes = InnerRect(bar, 2);
    EXPECT_TRUE(Matches(image, stripes, [&stripes](LONG x, LONG y) {
        return StripeColor((x - stripes.left) % 48, (y - stripes.top) % 16);
    }));

    // Nothing moves: the screen shows the same picture, and no timer runs.
    ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(0u, bar.GetAnimTimer());
    CDibSection screen(image.Width(), image.Height());
    HDC window = ::GetDC(bar);
    ::BitBlt(screen.Dc(), 0, 0, screen.Width(), screen.Height(), window, 0, 0, SRCCOPY);
    ::ReleaseDC(bar, window);
    EXPECT_TRUE(SameIn(screen, image, image.All()));
}

} // namespace
