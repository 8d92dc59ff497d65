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
const char kStripesText[] = "IDB_BITMAP_PROCESS";

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
    // Sets a pane's style, texts and offsets, then paints the bar once.
    CDibSection Show(int index, UINT style, const char* text, int scrollX = 0, int scrollY = 0)
    {
        Pane(index).SetTexts(text, text);
        Pane(index).SetStyle(style);
        Pane(index).m_nScrollX = scrollX;
        Pane(index).m_nScrollY = scrollY;
        return PrintClient(bar);
    }

    // Pane `index`'s inner rectangle with `text` drawn by DrawText at (left, top), in the
    // pane's colours, or at every (left + i dx, top + j dy) up to the inner right and bottom.
    CDibSection ReferenceText(int index, const std::string& text, LONG left, LONG top, UINT format,
                              LONG dx = 0, LONG dy = 0, bool enabled = true)
    {
        RECT client = bar.GetClientRect();
        RECT inner = host.InnerRect(index);
        CDibSection image(client.right, client.bottom, Pane(index).m_crBack[enabled]);
        fw::CFont font(::CreateFontIndirectA(&Pane(index).m_lfFont));
        fw::CSelectObject selectFont(image.Dc(), font);
        ::SetBkMode(image.Dc(), TRANSPARENT);
        ::SetTextColor(image.Dc(), Pane(index).m_crText[enabled]);
        ::IntersectClipRect(image.Dc(), inner.left, inner.top, inner.right, inner.bottom);
        for (LONG x = left; x <= inner.right; x += dx) {
            for (LONG y = top; y <= inner.bottom; y += dy) {
                RECT rc = {x, y, inner.right, inner.bottom};
                ::DrawTextA(image.Dc(), text.c_str(), -1, &rc, format);
                if (dy == 0)
                    break;
            }
            if (dx == 0)
                break;
        }
        return image;
    }

    using Pair = std::pair<LONG, LONG>;
    static Pair Offsets(POINT p) { return {p.x, p.y}; }
    Pair Offsets(int index) { return {Pane(index).m_nScrollX, Pane(index).m_nScrollY}; }

    SIZE TextSize(int index, const std::string& text)
    {
        CDibSection scratch(1, 1);
        fw::CFont font(::CreateFontIndirectA(&Pane(index).m_lfFont));
        fw::CSelectObject selectFont(scratch.Dc(), font);
        SIZE size = {};
        ::GetTextExtentPoint32A(scratch.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }

    CPaneBarHost host;
    CPaneStatusBar& bar = host.bar;
};

TEST_F(PanePaintingTest, FramesFollowTheSbpsStyleButPaneZeroHasNone)
{
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    ASSERT_NE(face, hilite);
    ASSERT_NE(hilite, shadow);

    bar.ChangePaneStyle(0, fw::SBPS_STRETCH | fw::SBPS_POPOUT);
    bar.ChangePaneStyle(1, fw::SBPS_NORMAL);
    bar.ChangePaneStyle(2, fw::SBPS_POPOUT);
    bar.ChangePaneStyle(3, fw::SBPS_NOBORDERS);
    CDibSection image = PrintClient(bar);
    EXPECT_TRUE(Ring(image, host.ItemRect(0), face, face));
    EXPECT_TRUE(Ring(image, host.ItemRect(1), hilite, hilite));
    EXPECT_TRUE(Ring(image, host.ItemRect(2), hilite, shadow));
    EXPECT_TRUE(Ring(image, host.ItemRect(3), face, face));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kBack[i], image.At(host.InnerRect(i).left, host.InnerRect(i).top)) << i;
    // Outside the panes: the button face.
    EXPECT_EQ(face, image.At(0, 0));
    EXPECT_EQ(face, image.At(host.ItemRect(1).left - 1, host.ItemRect(1).top + 3));

    // A pop-out frame wins over no borders; a changed style replaces the whole old one.
    EXPECT_EQ(fw::SBPS_NOBORDERS, bar.ChangePaneStyle(3, fw::SBPS_NOBORDERS | fw::SBPS_POPOUT));
    EXPECT_EQ(fw::SBPS_POPOUT, bar.ChangePaneStyle(2, fw::SBPS_NORMAL));
    image = PrintClient(bar);
    EXPECT_TRUE(Ring(image, host.ItemRect(3), hilite, shadow));
    EXPECT_TRUE(Ring(image, host.ItemRect(2), hilite, hilite));
}

TEST_F(PanePaintingTest, TextPaneShowsItsStateTextOrElseThePaneText)
{
    Pane(1).SetStyle(SPS_TEXT | DT_CENTER);
    RECT inner = host.InnerRect(1);
    // No texts of its own: the indicator string, blanks included, centred.
    CDibSection image = PrintClient(bar);
    EXPECT_TRUE(SameIn(
        image, ReferenceText(1, " AutoUpdate PAUSED ", inner.left, inner.top, DT_CENTER), inner));
    EXPECT_GT(CountColor(image, inner, kText), 20);

    // The second text kind draws the same way, in the pane's own font.
    Pane(1).m_lfFont.lfHeight = -15;
    Pane(1).m_lfFont.lfWeight = FW_BOLD;
    EXPECT_TRUE(SameIn(Show(1, SPS_TEXT_ALT | DT_CENTER, "on"),
                       ReferenceText(1, "on", inner.left, inner.top, DT_CENTER), inner));

    // Both texts empty: the background only.
    bar.SetPaneText(1, "");
    EXPECT_TRUE(Filled(Show(1, SPS_TEXT, ""), inner, kBack[1]));

    // A disabled pane uses the first entries, and the pane text when its text is empty.
    inner = host.InnerRect(3);
    Pane(3).SetTexts("enabled", "disabled");
    bar.ChangePaneStyle(3, fw::SBPS_DISABLED);
    image = PrintClient(bar);
    EXPECT_TRUE(
        SameIn(image, ReferenceText(3, "disabled", inner.left, inner.top, 0, 0, 0, false), inner));
    EXPECT_GT(CountColor(image, inner, kDisabledText), 10);
    Pane(3).SetTexts("enabled", nullptr);
    EXPECT_TRUE(SameIn(
        PrintClient(bar),
        ReferenceText(3, " Resolve ON         ", inner.left, inner.top, 0, 0, 0, false), inner));
}

TEST_F(PanePaintingTest, TextIsTiledOrMovedAndRestartsBeyondTheFarEdge)
{
    const std::string text = "Moving text, moving on";
    const std::string tile = "ab  "; // "ab" with the two blanks that tiling appends
    const RECT in = host.InnerRect(0);
    const SIZE t = TextSize(0, text);
    const SIZE ab = TextSize(0, tile);
    const LONG width = in.right - in.left;
    const LONG height = in.bottom - in.top;
    ASSERT_GT(width, 3 * ab.cx);
    struct Case {
        const char* name;
        UINT style;
        const char* paneText;
        POINT preset;
        // Where the copies stand after the paint, and the offsets then.
        LONG left, top, dx, dy;
        UINT format;
        POINT after;
    };
    const Case cases[] = {
        {"tiled, still: one copy",
         SPS_TEXT | SPS_TILE,
         "ab",
         {0, 0},
         in.left,
         in.top,
         0,
         0,
         0,
         {0, 0}},
        {"tiled, moving left: one row",
         SPS_TEXT | SPS_TILE | SPS_HSCROLL,
         "ab",
         {0, 0},
         in.left - 1,
         in.top,
         ab.cx,
         0,
         0,
         {1, 0}},
        {"tiled, moving up: one column",
         SPS_TEXT | SPS_TILE | SPS_VSCROLL,
         "ab",
         {0, 0},
         in.left,
         in.top - 1,
         0,
         ab.cy,
         0,
         {0, 1}},
        {"tiled, moving both ways: the whole pane",
         SPS_TEXT | SPS_TILE | SPS_HSCROLL | SPS_VSCROLL,
         "ab",
         {2, 1},
         in.left - 3,
         in.top - 2,
         ab.cx,
         ab.cy,
         0,
         {3, 2}},
        {"tiles start over after one tile",
         SPS_TEXT | SPS_TILE | SPS_HSCROLL,
         "ab",
         {ab.cx, 0},
         in.left - 1,
         in.top,
         ab.cx,
         0,
         0,
         {1, 0}},
        {"moving left, always left-aligned",
         SPS_TEXT | SPS_HSCROLL | DT_CENTER,
         text.c_str(),
         {0, 0},
         in.left - 1,
         in.top,
         0,
         0,
         DT_LEFT,
         {1, 0}},
        {"out on the left, back at the right edge",
         SPS_TEXT | SPS_HSCROLL,
         text.c_str(),
         {t.cx, 0},
         in.right,
         in.top,
         0,
         0,
         0,
         {-width, 0}},
        {"re-entering from the right",
         SPS_TEXT | SPS_HSCROLL,
         text.c_str(),
         {-width, 0},
         in.right - 1,
         in.top,
         0,
         0,
         0,
         {1 - width, 0}},
        {"moving up keeps the centring",
         SPS_TEXT | SPS_VSCROLL | DT_CENTER,
         text.c_str(),
         {0, 0},
         in.left,
         in.top - 1,
         0,
         0,
         DT_CENTER,
         {0, 1}},
        {"out at the top, back at the bottom edge",
         SPS_TEXT | SPS_VSCROLL,
         text.c_str(),
         {0, t.cy},
         in.left,
         in.bottom,
         0,
         0,
         0,
         {0, -height}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDibSection image = Show(0, c.style, c.paneText, c.preset.x, c.preset.y);
        const std::string drawn = (c.style & SPS_TILE) ? tile : text;
        EXPECT_TRUE(
            SameIn(image, ReferenceText(0, drawn, c.left, c.top, c.format, c.dx, c.dy), in));
        EXPECT_EQ(Offsets(c.after), Offsets(0));
    }
}

TEST_F(PanePaintingTest, BitmapPaneIsTiledAlignedStretchedOrMoved)
{
    // Inner width 96: twice the bitmap's width. The control keeps a gap before the pane.
    host.SetPaneWidth(2, 96);
    host.SetPaneWidth(2, 96 + 96 - (host.InnerRect(2).right - host.InnerRect(2).left));
    const RECT inner = host.InnerRect(2);
    ASSERT_EQ(96, inner.right - inner.left);
    const LONG height = inner.bottom - inner.top;
    using Expected = std::function<COLORREF(LONG, LONG)>;
    // One copy of the stripes with its top-left corner at (left, top), the background
    // elsewhere.
    auto at = [](LONG left, LONG top) -> Expected {
        return [left, top](LONG x, LONG y) {
            bool outside = x < left || x >= left + 48 || y < top || y >= top + 16;
            return outside ? kBack[2] : StripeColor(x - left, y - top);
        };
    };
    // Tiles shifted by (dx, dy); `rows` and `columns` limit them to one row or column.
    auto tiles = [](LONG dx, LONG dy, bool oneRow = false, bool oneColumn = false) -> Expected {
        return [=](LONG x, LONG y) {
            if ((oneRow && y >= 16) || (oneColumn && x >= 48))
                return kBack[2];
            return StripeColor((x + dx) % 48, (y + dy) % 16);
        };
    };
    const Expected nothing = [](LONG, LONG) { return kBack[2]; };
    struct Case {
        UINT style;
        const char* enabledText;
        POINT preset;
        // The colour at a point relative to the inner rectangle's top-left corner.
        Expected expected;
        POINT after;
    };
    const Case cases[] = {
        // Stretching does not apply to tiles.
        {SPS_BITMAP | SPS_TILE, kStripesText, {0, 0}, tiles(0, 0), {0, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_STRETCH, kStripesText, {0, 0}, tiles(0, 0), {0, 0}},
        // Moving tiles: one row (column) moves; the whole pane when both ways. After one
        // whole tile the offset starts over at 1.
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL, kStripesText, {0, 0}, tiles(1, 0, true), {1, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL, kStripesText, {47, 0}, tiles(0, 0, true), {48, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL, kStripesText, {48, 0}, tiles(1, 0, true), {1, 0}},
        {SPS_BITMAP | SPS_TILE | SPS_VSCROLL,
         kStripesText,
         {0, 0},
         tiles(0, 1, false, true),
         {0, 1}},
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL | SPS_VSCROLL,
         kStripesText,
         {5, 3},
         tiles(6, 4),
         {6, 4}},
        {SPS_BITMAP | DT_CENTER | DT_VCENTER,
         kStripesText,
         {0, 0},
         at(24, (height - 16) / 2),
         {0, 0}},
        {SPS_BITMAP | DT_RIGHT | DT_BOTTOM, kStripesText, {0, 0}, at(48, height - 16), {0, 0}},
        {SPS_BITMAP, kStripesText, {0, 0}, at(0, 0), {0, 0}},
        // With motion, one unstretched copy moves instead; past its own size it restarts
        // beyond the far edge and comes back in from there.
        {SPS_BITMAP | SPS_STRETCH | SPS_HSCROLL, kStripesText, {0, 0}, at(-1, 0), {1, 0}},
        {SPS_BITMAP | SPS_HSCROLL, kStripesText, {48, 0}, nothing, {-96, 0}},
        {SPS_BITMAP | SPS_HSCROLL, kStripesText, {-96, 0}, at(95, 0), {-95, 0}},
        {SPS_BITMAP | SPS_VSCROLL, kStripesText, {0, 16}, nothing, {0, -height}},
        {SPS_BITMAP | SPS_VSCROLL, kStripesText, {0, 0}, at(0, -1), {0, 1}},
        // A bitmap pane draws only while its enabled text is not empty; kinds other than
        // text and bitmap draw nothing.
        {SPS_BITMAP | SPS_TILE, "", {0, 0}, nothing, {0, 0}},
        {0x00800000 | SPS_TILE, kStripesText, {0, 0}, nothing, {0, 0}},
        {0x00300000, kStripesText, {0, 0}, nothing, {0, 0}},
    };
    const COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const RECT gap = {host.ItemRect(1).right, inner.top, host.ItemRect(2).left, inner.bottom};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << std::hex << c.style << std::dec << " \"" << c.enabledText << "\" from "
                     << c.preset.x << "," << c.preset.y);
        CDibSection image = Show(2, c.style, c.enabledText, c.preset.x, c.preset.y);
        EXPECT_TRUE(Matches(image, inner, [&](LONG x, LONG y) {
            return c.expected(x - inner.left, y - inner.top);
        }));
        EXPECT_EQ(Offsets(c.after), Offsets(2));
        // Content is clipped to the inside of the pane.
        EXPECT_TRUE(Ring(image, host.ItemRect(2), hilite, hilite));
        EXPECT_TRUE(Filled(image, gap, ::GetSysColor(COLOR_BTNFACE)));
    }

    // Stretched over the pane, at twice the bitmap's width.
    CDibSection image = Show(2, SPS_BITMAP | SPS_STRETCH, kStripesText);
    RECT firstRow = {inner.left, inner.top, inner.right, inner.top + 1};
    EXPECT_TRUE(Matches(image, firstRow,
                        [&inner](LONG x, LONG) { return StripeColor((x - inner.left) / 2, 0); }));
    EXPECT_EQ(0, CountColor(image, inner, kBack[2]));
}

TEST_F(PanePaintingTest, SizeGripShowsOnlyWhileTheParentIsNotMaximised)
{
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    // Six 3 x 3 dots in a triangle: shadow top and left, highlight right and bottom.
    auto grip = [&](bool shown) {
        RECT rc = bar.GetClientRect();
        const LONG W = rc.right;
        const LONG H = rc.bottom;
        const POINT dots[] = {{W - 4, H - 3}, {W - 9, H - 3},  {W - 14, H - 3},
                              {W - 4, H - 8}, {W - 4, H - 13}, {W - 9, H - 8}};
        CDibSection image = PrintClient(bar);
        for (POINT dot : dots) {
            EXPECT_TRUE(Matches(image, {dot.x, dot.y, dot.x + 3, dot.y + 3},
                                [&](LONG x, LONG y) {
                                    if (!shown)
                                        return face;
                                    if (x == dot.x + 2 || y == dot.y + 2)
                                        return hilite;
                                    return x == dot.x || y == dot.y ? shadow : face;
                                }))
                << "dot at " << dot.x << "," << dot.y;
        }
        EXPECT_EQ(face, image.At(W - 6, H - 13)); // a gap in the triangle
    };

    grip(true);
    ::ShowWindow(host.Window(), SW_MAXIMIZE);
    ASSERT_TRUE(::IsZoomed(host.Window()));
    grip(false);
    ::ShowWindow(host.Window(), SW_RESTORE);
    grip(true);
}

} // namespace
