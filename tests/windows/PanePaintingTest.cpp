// The status bar's pane painting, pixel by pixel. Motion is tested by presetting a pane's
// offsets and painting once: each paint moves content one step on from where it stands.
#include "Gdi.h"
#include "PaneBarHost.h"

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
const char kStripes[] = "IDB_BITMAP_PROCESS";

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

    // Pane `index`'s inner rectangle with `text` drawn by DrawText at (x, y) from its top-left
    // corner, in the pane's colours, and again every dx (dy) up to the inner right (bottom).
    CDibSection ReferenceText(int index, const std::string& text, LONG x, LONG y, UINT format,
                              LONG dx = 0, LONG dy = 0, bool enabled = true)
    {
        const RECT client = bar.GetClientRect(), in = host.InnerRect(index);
        CDibSection image(client.right, client.bottom, Pane(index).m_crBack[enabled]);
        fw::CFont font(::CreateFontIndirectA(&Pane(index).m_lfFont));
        fw::CSelectObject selectFont(image.Dc(), font);
        ::SetBkMode(image.Dc(), TRANSPARENT);
        ::SetTextColor(image.Dc(), Pane(index).m_crText[enabled]);
        ::IntersectClipRect(image.Dc(), in.left, in.top, in.right, in.bottom);
        // A step of 0 draws one copy.
        for (LONG left = in.left + x; left <= in.right; left += dx > 0 ? dx : 4096) {
            for (LONG top = in.top + y; top <= in.bottom; top += dy > 0 ? dy : 4096) {
                RECT rc = {left, top, in.right, in.bottom};
                ::DrawTextA(image.Dc(), text.c_str(), -1, &rc, format);
            }
        }
        return image;
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
    // Pane 0 never has a frame. A pop-out frame wins over no borders; a changed style replaces
    // the whole old one.
    // clang-format off
    const struct { int pane; UINT style; COLORREF topLeft, bottomRight; } cases[] = {
        {0, fw::SBPS_STRETCH | fw::SBPS_POPOUT, face, face}, {1, fw::SBPS_NORMAL, hilite, hilite},
        {2, fw::SBPS_POPOUT, hilite, shadow},                {3, fw::SBPS_NOBORDERS, face, face},
        {3, fw::SBPS_NOBORDERS | fw::SBPS_POPOUT, hilite, shadow}, {2, fw::SBPS_NORMAL, hilite, hilite}};
    // clang-format on
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

TEST_F(PanePaintingTest, DisabledTextPaneShowsItsStateTextOrElseThePaneText)
{
    // A disabled pane uses the first entries, and the pane text when its text is empty.
    const RECT in3 = host.InnerRect(3);
    Pane(3).SetTexts("enabled", "disabled");
    bar.ChangePaneStyle(3, fw::SBPS_DISABLED);
    CDibSection image = PrintClient(bar);
    EXPECT_TRUE(SameIn(image, ReferenceText(3, "disabled", 0, 0, 0, 0, 0, false), in3));
    EXPECT_GT(CountColor(image, in3, kDisabledText), 10);
    Pane(3).SetTexts("enabled", nullptr);
    EXPECT_TRUE(SameIn(PrintClient(bar),
                       ReferenceText(3, " Resolve ON         ", 0, 0, 0, 0, 0, false), in3));
}

TEST_F(PanePaintingTest, TextIsTiledOrMovedAndRestartsBeyondTheFarEdge)
{
    const std::string text = "Moving text, moving on";
    const std::string tile = "ab  "; // "ab" with the two blanks that tiling appends
    const RECT in = host.InnerRect(0);
    // The second text kind draws as the first does, in the pane's own font.
    Pane(0).m_lfFont.lfHeight = -15;
    Pane(0).m_lfFont.lfWeight = FW_BOLD;
    CDibSection scratch(1, 1);
    fw::CFont font(::CreateFontIndirectA(&Pane(0).m_lfFont));
    fw::CSelectObject selectFont(scratch.Dc(), font);
    SIZE t = {}, ab = {};
    ::GetTextExtentPoint32A(scratch.Dc(), text.c_str(), static_cast<int>(text.size()), &t);
    ::GetTextExtentPoint32A(scratch.Dc(), tile.c_str(), static_cast<int>(tile.size()), &ab);
    const LONG w = in.right - in.left, h = in.bottom - in.top;
    ASSERT_GT(w, 3 * ab.cx);
    // Where the copies stand after the paint (from the inner top-left corner, one every dx and
    // dy when not 0), and the offsets then.
    // clang-format off
    struct Case { const char* name; UINT style; POINT preset; LONG x, y, dx, dy; UINT format; std::pair<LONG, LONG> after; };
    const Case cases[] = {
        {"tiled, still",                 SPS_TILE,                             {0, 0}, 0, 0, 0, 0, 0, {0, 0}},
        {"tiled, moving left: one row",  SPS_TILE | SPS_HSCROLL,               {0, 0}, -1, 0, ab.cx, 0, 0, {1, 0}},
        {"tiled, moving up: one column", SPS_TILE | SPS_VSCROLL,               {0, 0}, 0, -1, 0, ab.cy, 0, {0, 1}},
        {"tiled, both ways: whole pane", SPS_TILE | SPS_HSCROLL | SPS_VSCROLL, {2, 1}, -3, -2, ab.cx, ab.cy, 0, {3, 2}},
        {"tiles restart after one tile", SPS_TILE | SPS_HSCROLL,               {ab.cx, 0}, -1, 0, ab.cx, 0, 0, {1, 0}},
        {"moving left: left-aligned",    SPS_HSCROLL | DT_CENTER,              {0, 0}, -1, 0, 0, 0, DT_LEFT, {1, 0}},
        {"out left, back at the right",  SPS_HSCROLL,                          {t.cx, 0}, w, 0, 0, 0, 0, {-w, 0}},
        {"re-entering from the right",   SPS_HSCROLL,                          {-w, 0}, w - 1, 0, 0, 0, 0, {1 - w, 0}},
        {"moving up: still centred",     SPS_VSCROLL | DT_CENTER,              {0, 0}, 0, -1, 0, 0, DT_CENTER, {0, 1}},
        {"out top, back at the bottom",  SPS_VSCROLL,                          {0, t.cy}, 0, h, 0, 0, 0, {0, -h}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool tiled = (c.style & SPS_TILE) != 0;
        CDibSection image = Show(0, SPS_TEXT_ALT | c.style, tiled ? "ab" : text.c_str(), c.preset);
        EXPECT_TRUE(SameIn(
            image, ReferenceText(0, tiled ? tile : text, c.x, c.y, c.format, c.dx, c.dy), in));
        EXPECT_EQ(c.after, Offsets(0));
    }
}

TEST_F(PanePaintingTest, BitmapPaneIsTiledAlignedStretchedOrMoved)
{
    // Inner width 96: twice the bitmap's width. The control keeps a gap before the pane.
    UINT id, style;
    int width;
    bar.GetPaneInfo(2, id, style, width);
    bar.SetPaneInfo(2, id, style, 96);
    bar.SetPaneInfo(2, id, style, 96 + 96 - (host.InnerRect(2).right - host.InnerRect(2).left));
    const RECT in = host.InnerRect(2);
    ASSERT_EQ(96, in.right - in.left);
    const LONG h = in.bottom - in.top;
    // The colour at a point relative to the inner rectangle's top-left corner.
    using Expected = std::function<COLORREF(LONG, LONG)>;
    // One copy of the stripes with its top-left corner at (left, top), the background
    // elsewhere.
    auto at = [](LONG left, LONG top) -> Expected {
        return [left, top](LONG x, LONG y) {
            bool outside = x < left || x >= left + 48 || y < top || y >= top + 16;
            return outside ? kBack[2] : StripeColor(x - left, y - top);
        };
    };
    // Tiles shifted by (dx, dy), limited to one row or one column when asked.
    auto tiles = [](LONG dx, LONG dy, bool oneRow = false, bool oneColumn = false) -> Expected {
        return [=](LONG x, LONG y) {
            if ((oneRow && y >= 16) || (oneColumn && x >= 48))
                return kBack[2];
            return StripeColor((x + dx) % 48, (y + dy) % 16);
        };
    };
    const Expected nothing = [](LONG, LONG) { return kBack[2]; };
    // clang-format off
    struct Case { UINT style; const char* text; POINT preset; Expected expected; std::pair<LONG, LONG> after; };
    const Case cases[] = {
        // Stretching does not apply to tiles. Moving tiles: one row (column) moves; the whole
        // pane when both ways. After one whole tile the offset starts over at 1.
        {SPS_BITMAP | SPS_TILE,                             kStripes, {0, 0},   tiles(0, 0),              {0, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_STRETCH,               kStripes, {0, 0},   tiles(0, 0),              {0, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL,               kStripes, {0, 0},   tiles(1, 0, true),        {1, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL,               kStripes, {47, 0},  tiles(0, 0, true),        {48, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL,               kStripes, {48, 0},  tiles(1, 0, true),        {1, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_VSCROLL,               kStripes, {0, 0},   tiles(0, 1, false, true), {0, 1}},
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL | SPS_VSCROLL, kStripes, {5, 3},   tiles(6, 4),              {6, 4}},
        {SPS_BITMAP | DT_CENTER | DT_VCENTER,               kStripes, {0, 0},   at(24, (h - 16) / 2),     {0, 0}},
        {SPS_BITMAP | DT_RIGHT | DT_BOTTOM,                 kStripes, {0, 0},   at(48, h - 16),           {0, 0}},
        {SPS_BITMAP,                                        kStripes, {0, 0},   at(0, 0),                 {0, 0}},
        // With motion, one unstretched copy moves instead; past its own size it restarts
        // beyond the far edge and comes back in from there.
        {SPS_BITMAP | SPS_STRETCH | SPS_HSCROLL,            kStripes, {0, 0},   at(-1, 0),                {1, 0}},
        {SPS_BITMAP | SPS_HSCROLL,                          kStripes, {48, 0},  nothing,                  {-96, 0}},
        {SPS_BITMAP | SPS_HSCROLL,                          kStripes, {-96, 0}, at(95, 0),                {-95, 0}},
        {SPS_BITMAP | SPS_VSCROLL,                          kStripes, {0, 16},  nothing,                  {0, -h}},
        {SPS_BITMAP | SPS_VSCROLL,                          kStripes, {0, 0},   at(0, -1),                {0, 1}},
        // Drawn only while the enabled text is not empty; other kinds draw nothing.
        {SPS_BITMAP | SPS_TILE,                             "",       {0, 0},   nothing,                  {0, 0}},
        {0x00800000 | SPS_TILE,                             kStripes, {0, 0},   nothing,                  {0, 0}},
        {0x00300000,                                        kStripes, {0, 0},   nothing,                  {0, 0}},
    };
    // clang-format on
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const RECT gap = {host.ItemRect(1).right, in.top, host.ItemRect(2).left, in.bottom};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << &c - cases);
        CDibSection image = Show(2, c.style, c.text, c.preset);
        EXPECT_TRUE(Matches(image, in,
                            [&](LONG x, LONG y) { return c.expected(x - in.left, y - in.top); }));
        EXPECT_EQ(c.after, Offsets(2));
        // Content is clipped to the inside of the pane.
        EXPECT_TRUE(Ring(image, host.ItemRect(2), hilite, hilite));
        EXPECT_TRUE(Filled(image, gap, ::GetSysColor(COLOR_BTNFACE)));
    }

    // Stretched over the pane, at twice the bitmap's width.
    CDibSection image = Show(2, SPS_BITMAP | SPS_STRETCH, kStripes);
    EXPECT_TRUE(Matches(image, {in.left, in.top, in.right, in.top + 1},
                        [&in](LONG x, LONG) { return StripeColor((x - in.left) / 2, 0); }));
    EXPECT_EQ(0, CountColor(image, in, kBack[2]));
}

} // namespace
