#include "PaneBarHost.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

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
    void Show(int index, UINT style, const char* text = kStripesText)
    {
        Pane(index).SetTexts(text, text);
        Pane(index).SetStyle(style);
    }
    CDibSection Paint() { return PrintClient(bar); }

    // Pane `index`'s inner rectangle drawn by DrawText from `left` on, in the pane's colours.
    CDibSection ReferenceText(int index, const std::string& text, LONG left, UINT format,
                              bool enabled = true)
    {
        RECT client = bar.GetClientRect();
        RECT inner = host.InnerRect(index);
        RECT rc = inner;
        rc.left = left;
        return DrawReferenceText(client.right, client.bottom, Pane(index).m_crBack[enabled],
                                 Pane(index).m_lfFont, Pane(index).m_crText[enabled], text, rc,
                                 format, inner);
    }

    int TextWidth(int index, const std::string& text)
    {
        CDibSection scratch(1, 1);
        HFONT font = ::CreateFontIndirectA(&Pane(index).m_lfFont);
        HGDIOBJ old = ::SelectObject(scratch.Dc(), font);
        SIZE size = {};
        ::GetTextExtentPoint32A(scratch.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
        ::SelectObject(scratch.Dc(), old);
        ::DeleteObject(font);
        return size.cx;
    }

    CPaneBarHost host;
    CPaneStatusBar& bar = host.bar;
};

TEST(StripeBitmap, ResourceHoldsSixteenColourDiagonalStripes)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(IDB_BITMAP_PROCESS),
                                  MAKEINTRESOURCEA(2)); // RT_BITMAP
    ASSERT_NE(nullptr, found);
    auto* header =
        static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(instance, found)));
    ASSERT_NE(nullptr, header);
    EXPECT_EQ(48, header->biWidth);
    EXPECT_EQ(16, header->biHeight);
    EXPECT_EQ(4, header->biBitCount);

    HBITMAP bitmap = ::LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_BITMAP_PROCESS));
    CDibSection dib(48, 16);
    dib.CopyFrom(bitmap);
    ::DeleteObject(bitmap);
    EXPECT_TRUE(Matches(dib, dib.All(), StripeColor));
    EXPECT_EQ(48 * 16 * 3 / 8, CountColor(dib, dib.All(), kStripeYellow));
}

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
    CDibSection image = Paint();
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
    image = Paint();
    EXPECT_TRUE(Ring(image, host.ItemRect(3), hilite, shadow));
    EXPECT_TRUE(Ring(image, host.ItemRect(2), hilite, hilite));
}

TEST_F(PanePaintingTest, TextPaneShowsItsStateTextOrElseThePaneText)
{
    Pane(1).SetStyle(SPS_TEXT | DT_CENTER);
    RECT inner = host.InnerRect(1);
    // No texts of its own: the indicator string, blanks included, centred.
    CDibSection image = Paint();
    EXPECT_TRUE(
        SameIn(image, ReferenceText(1, " AutoUpdate PAUSED ", inner.left, DT_CENTER), inner));
    EXPECT_GT(CountColor(image, inner, kText), 20);

    // The second text kind draws the same way, in the pane's own font.
    Pane(1).SetTexts("on", "off");
    Pane(1).SetStyle(SPS_TEXT_ALT | DT_CENTER);
    Pane(1).m_lfFont.lfHeight = -15;
    Pane(1).m_lfFont.lfWeight = FW_BOLD;
    EXPECT_TRUE(SameIn(Paint(), ReferenceText(1, "on", inner.left, DT_CENTER), inner));

    // Both texts empty: the background only.
    Pane(1).SetTexts("", "");
    bar.SetPaneText(1, "");
    EXPECT_TRUE(Filled(Paint(), inner, kBack[1]));

    // A disabled pane uses the first entries, and the pane text when its text is empty.
    inner = host.InnerRect(3);
    Pane(3).SetTexts("enabled", "disabled");
    bar.ChangePaneStyle(3, fw::SBPS_DISABLED);
    image = Paint();
    EXPECT_TRUE(SameIn(image, ReferenceText(3, "disabled", inner.left, 0, false), inner));
    EXPECT_GT(CountColor(image, inner, kDisabledText), 10);
    Pane(3).SetTexts("enabled", nullptr);
    EXPECT_TRUE(
        SameIn(Paint(), ReferenceText(3, " Resolve ON         ", inner.left, 0, false), inner));
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
    // The stripes with their top-left corner at (left, top), the background elsewhere.
    auto at = [](LONG left, LONG top) -> Expected {
        return [left, top](LONG x, LONG y) {
            bool outside = x < left || x >= left + 48 || y < top || y >= top + 16;
            return outside ? kBack[2] : StripeColor(x - left, y - top);
        };
    };
    const Expected tiles = [](LONG x, LONG y) { return StripeColor(x % 48, y % 16); };
    const Expected nothing = [](LONG, LONG) { return kBack[2]; };
    struct Case {
        UINT style;
        const char* enabledText;
        // The colour at a point relative to the inner rectangle's top-left corner.
        Expected expected;
    };
    const Case cases[] = {
        // Stretching does not apply to tiles.
        {SPS_BITMAP | SPS_TILE, kStripesText, tiles},
        {SPS_BITMAP | SPS_TILE | SPS_STRETCH, kStripesText, tiles},
        // The first frame of motion is one pixel on; one row (column) of tiles moves.
        {SPS_BITMAP | SPS_TILE | SPS_HSCROLL, kStripesText,
         [](LONG x, LONG y) { return y >= 16 ? kBack[2] : StripeColor((x + 1) % 48, y); }},
        {SPS_BITMAP | SPS_TILE | SPS_VSCROLL, kStripesText,
         [](LONG x, LONG y) { return x >= 48 ? kBack[2] : StripeColor(x, (y + 1) % 16); }},
        {SPS_BITMAP | DT_CENTER | DT_VCENTER, kStripesText, at(24, (height - 16) / 2)},
        {SPS_BITMAP | DT_RIGHT | DT_BOTTOM, kStripesText, at(48, height - 16)},
        {SPS_BITMAP, kStripesText, at(0, 0)},
        // With motion, one unstretched copy moves instead.
        {SPS_BITMAP | SPS_STRETCH | SPS_HSCROLL, kStripesText, at(-1, 0)},
        // A bitmap pane draws only while its enabled text is not empty; kinds other than
        // text and bitmap draw nothing.
        {SPS_BITMAP | SPS_TILE, "", nothing},
        {0x00800000 | SPS_TILE, kStripesText, nothing},
        {0x00300000, kStripesText, nothing},
    };
    for (const Case& c : cases) {
        Pane(2).SetTexts(c.enabledText, kStripesText);
        Pane(2).SetStyle(c.style);
        Pane(2).m_nScrollX = Pane(2).m_nScrollY = 0;
        EXPECT_TRUE(
            Matches(Paint(), inner,
                    [&](LONG x, LONG y) { return c.expected(x - inner.left, y - inner.top); }))
            << std::hex << c.style << " \"" << c.enabledText << "\"";
    }

    // Stretched over the pane, at twice the bitmap's width.
    Show(2, SPS_BITMAP | SPS_STRETCH);
    CDibSection image = Paint();
    RECT firstRow = {inner.left, inner.top, inner.right, inner.top + 1};
    EXPECT_TRUE(Matches(image, firstRow,
                        [&inner](LONG x, LONG) { return StripeColor((x - inner.left) / 2, 0); }));
    EXPECT_EQ(0, CountColor(image, inner, kBack[2]));
}

TEST_F(PanePaintingTest, MovingStripesCycleThroughOneTileInsideThePane)
{
    host.SetPaneWidth(2, 110);
    Show(2, SPS_BITMAP | SPS_TILE | SPS_HSCROLL);
    RECT inner = host.InnerRect(2);
    // Frames 1 to 48 shift the row by 1 to 48 pixels; then the cycle starts again.
    for (int frame = 1; frame <= 50; ++frame) {
        CDibSection image = Paint();
        int offset = (frame - 1) % 48 + 1;
        if (frame <= 2 || frame >= 47) {
            EXPECT_TRUE(Matches(image, inner,
                                [&](LONG x, LONG y) {
                                    return y - inner.top >= 16
                                               ? kBack[2]
                                               : StripeColor((x - inner.left + offset) % 48,
                                                             y - inner.top);
                                }))
                << "frame " << frame;
        }
    }
    EXPECT_EQ(2, Pane(2).m_nScrollX);
    // The tiles that start left of the pane are clipped to its inside.
    CDibSection image = Paint();
    COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_TRUE(Ring(image, host.ItemRect(2), hilite, hilite));
    RECT gap = {host.ItemRect(1).right, inner.top, host.ItemRect(2).left, inner.bottom};
    EXPECT_TRUE(Filled(image, gap, ::GetSysColor(COLOR_BTNFACE)));
}

TEST_F(PanePaintingTest, MovingTextIsLeftAlignedAndReentersFromTheRight)
{
    const std::string text = "Moving text, moving on and on and on";
    Pane(0).SetTexts(text.c_str(), "");
    Pane(0).SetStyle(SPS_TEXT | SPS_HSCROLL | DT_CENTER);
    RECT inner = host.InnerRect(0);
    int cx = TextWidth(0, text);
    ASSERT_GT(inner.right - inner.left, 40);

    for (int frame = 1; frame <= cx + 3; ++frame) {
        CDibSection image = Paint();
        LONG left = frame <= cx ? inner.left - frame : inner.right - (frame - cx - 1);
        if (frame <= 2 || frame >= cx) {
            EXPECT_TRUE(SameIn(image, ReferenceText(0, text, left, DT_LEFT), inner))
                << "frame " << frame;
        }
        if (frame == cx || frame == cx + 1) {
            EXPECT_TRUE(Filled(image, inner, kBack[0])) << "frame " << frame;
        }
    }
}

TEST_F(PanePaintingTest, TiledTextRepeatsOnlyWhileItMoves)
{
    const std::string tile = "ab  ";
    Pane(0).SetTexts("ab", "");
    RECT inner = host.InnerRect(0);
    int cx = TextWidth(0, tile);

    // Without motion: one copy, with the two blanks appended.
    Pane(0).SetStyle(SPS_TEXT | SPS_TILE);
    EXPECT_TRUE(SameIn(Paint(), ReferenceText(0, tile, inner.left, 0), inner));

    // Moving: copies every cx pixels over the whole width, starting 1 pixel left.
    Pane(0).SetStyle(SPS_TEXT | SPS_TILE | SPS_HSCROLL);
    CDibSection image = Paint();
    EXPECT_GT(CountColor(image, {inner.right - cx, inner.top, inner.right, inner.bottom}, kText),
              0);
    RECT repeated = {inner.left, inner.top, inner.right - cx, inner.bottom};
    EXPECT_TRUE(Matches(image, repeated, [&](LONG x, LONG y) { return image.At(x + cx, y); }));
    RECT first = {inner.left, inner.top, inner.left - 1 + cx, inner.bottom};
    EXPECT_TRUE(SameIn(image, ReferenceText(0, tile, inner.left - 1, 0), first));
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
        CDibSection image = Paint();
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
