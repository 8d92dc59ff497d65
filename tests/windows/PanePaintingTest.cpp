// The status bar's pane painting, pixel by pixel, in the styles the main window gives its
// panes. Motion is tested by presetting a pane's offsets and painting once: each paint moves
// content one step on from where it stands.
#include "framework/Gdi.h"
#include "res/resource.h"
#include "tests/windows/PaneBarHost.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

namespace {

constexpr COLORREF kBack[4] = {RGB(30, 60, 90), RGB(40, 70, 100), RGB(50, 80, 110),
                               RGB(60, 90, 120)};
constexpr COLORREF kDisabledBack = RGB(250, 240, 230);
constexpr COLORREF kText = RGB(0, 0, 50);
constexpr COLORREF kDisabledText = RGB(200, 200, 0);

// A one-pixel outline: top row and left column in `topLeft`, right column and bottom row
// (with the corners they touch) in `bottomRight`.
::testing::AssertionResult Ring(const CDibSection& image, const RECT& rc, COLORREF topLeft,
                                COLORREF bottomRight)
{
    return Matches(image, rc, [&](LONG x, LONG y) -> COLORREF {
        if (x == rc.right - 1 || y == rc.bottom - 1)
            return bottomRight;
        if (x == rc.left || y == rc.top)
            return topLeft;
        return image.At(x, y); // inside: not part of the ring
    });
}

class PanePaintingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        // A taller bar than the font needs, so that a 16-pixel row of tiles leaves room.
        bar.SendMessage(SB_SETMINHEIGHT, 30);
        bar.SendMessage(WM_SIZE);
        for (int i = 0; i < 4; ++i) {
            Pane(i).SetBackColors(kBack[i], kDisabledBack);
            Pane(i).SetTextColors(kText, kDisabledText);
        }
        ASSERT_GT(host.InnerRect(2).bottom - host.InnerRect(2).top, 16 + 4);
    }

    CStatusPane& Pane(int index) { return *bar.GetPane(index); }
    std::pair<LONG, LONG> Offsets(int index)
    {
        return {Pane(index).m_nScrollX, Pane(index).m_nScrollY};
    }
    // Sets a pane's style, texts and offsets, then paints the bar once.
    CDibSection Show(int index, UINT style, const char* text, POINT preset = {})
    {
        Pane(index).SetTexts(text, text);
        Pane(index).SetStyle(style);
        Pane(index).m_nScrollX = preset.x;
        Pane(index).m_nScrollY = preset.y;
        return PrintClient(bar);
    }

    CPaneBarHost host;
    CPaneStatusBar& bar = host.bar;
};

TEST_F(PanePaintingTest, FramesFollowTheSbpsStyleAndTheGripTheWindowState)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    ASSERT_NE(face, hilite);
    ASSERT_NE(hilite, shadow);
    // The first pane, the message pane, never has a frame.
    const struct {
        int pane;
        UINT style;
        COLORREF topLeft, bottomRight;
    } cases[] = {{0, fw::SBPS_STRETCH, face, face}, {1, fw::SBPS_NORMAL, hilite, hilite}};
    for (const auto& c : cases) {
        bar.ChangePaneStyle(c.pane, c.style);
        CDibSection image = PrintClient(bar);
        EXPECT_TRUE(Ring(image, host.ItemRect(c.pane), c.topLeft, c.bottomRight)) << c.pane;
        EXPECT_EQ(kBack[c.pane], image.At(host.InnerRect(c.pane).left, host.InnerRect(c.pane).top));
        // Outside the panes: the button face.
        EXPECT_EQ(face, image.At(0, 0));
        EXPECT_EQ(face, image.At(host.ItemRect(1).left - 1, host.ItemRect(1).top + 3));
    }

    // The size grip: six 3 x 3 dots in a triangle in the bottom-right corner, each with its top
    // and left (3 pixels) in shadow and its right and bottom (5 pixels) in highlight; none
    // while the window is maximised.
    for (bool maximised : {false, true, false}) {
        ::ShowWindow(host, maximised ? SW_MAXIMIZE : SW_RESTORE);
        ASSERT_EQ(maximised, ::IsZoomed(host) != FALSE);
        const RECT rc = bar.GetClientRect();
        const RECT corner = {rc.right - 14, rc.bottom - 13, rc.right, rc.bottom};
        CDibSection image = PrintClient(bar);
        EXPECT_EQ(maximised ? 0 : 6 * 3, CountColor(image, corner, shadow));
        EXPECT_EQ(maximised ? 0 : 6 * 5, CountColor(image, corner, hilite));
        // The corners of the outer dots.
        EXPECT_EQ(!maximised, image.At(rc.right - 14, rc.bottom - 3) == shadow);
        EXPECT_EQ(!maximised, image.At(rc.right - 4, rc.bottom - 13) == shadow);
        EXPECT_EQ(!maximised, image.At(rc.right - 2, rc.bottom - 1) == hilite);
    }
}

TEST_F(PanePaintingTest, BitmapPaneIsTiledAndMovedLeft)
{
    // Inner width 96: twice the bitmap's width. The control keeps a gap before the pane.
    UINT id, style;
    int width;
    bar.GetPaneInfo(2, id, style, width);
    bar.SetPaneInfo(2, id, style, 96);
    bar.SetPaneInfo(2, id, style, 96 + 96 - (host.InnerRect(2).right - host.InnerRect(2).left));
    const RECT in = host.InnerRect(2);
    ASSERT_EQ(96, in.right - in.left);
    Pane(2).SetBitmap(IDB_BITMAP_PROCESS);
    // The colour at a point relative to the inner rectangle's top-left corner: tiles shifted
    // by dx, in one row when they move.
    using Expected = std::function<COLORREF(LONG, LONG)>;
    auto tiles = [](LONG dx, bool oneRow = false) -> Expected {
        return [=](LONG x, LONG y) {
            return oneRow && y >= 16 ? kBack[2] : StripeColor((x + dx) % 48, y % 16);
        };
    };
    // After one whole tile the offset starts over at 1.
    // clang-format off
    struct Case { UINT style; POINT preset; Expected expected; std::pair<LONG, LONG> after; };
    const Case cases[] = {
        {SPS_BITMAP | SPS_TILE,               {0, 0},  tiles(0),       {0, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL, {0, 0},  tiles(1, true), {1, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL, {47, 0}, tiles(0, true), {48, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL, {48, 0}, tiles(1, true), {1, 0}},
    };
    // clang-format on
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const RECT gap = {host.ItemRect(1).right, in.top, host.ItemRect(2).left, in.bottom};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        CDibSection image = Show(2, c.style, "", c.preset);
        EXPECT_TRUE(Matches(image, in,
                            [&](LONG x, LONG y) { return c.expected(x - in.left, y - in.top); }));
        EXPECT_EQ(c.after, Offsets(2));
        // Content is clipped to the inside of the pane.
        EXPECT_TRUE(Ring(image, host.ItemRect(2), hilite, hilite));
        EXPECT_TRUE(Filled(image, gap, ::GetSysColor(COLOR_BTNFACE)));
    }
}

} // namespace
