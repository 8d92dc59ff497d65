#include "PaneBarHost.h"
#include "TestSupport.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

constexpr COLORREF kBack[4] = {RGB(30, 60, 90), RGB(40, 70, 100), RGB(50, 80, 110),
                               RGB(60, 90, 120)};
constexpr COLORREF kDisabledBack = RGB(250, 240, 230);
constexpr COLORREF kText = RGB(0, 0, 50);
constexpr COLORREF kDisabledText = RGB(200, 200, 0);
const char kStripesText[] = "IDB_BITMAP_PROCESS";

// Number of pixels in `rc` that differ from `expected(x, y)`, with the first one described.
template <typename Expected>
::testing::AssertionResult Matches(const CapturedImage& image, const RECT& rc, Expected expected)
{
    int wrong = 0;
    std::ostringstream first;
    for (LONG y = rc.top; y < rc.bottom; ++y) {
        for (LONG x = rc.left; x < rc.right; ++x) {
            COLORREF want = expected(x, y);
            COLORREF got = image.At(x, y);
            if (got != want && wrong++ == 0)
                first << "first at (" << x << "," << y << "): got " << std::hex << got << " want "
                      << want << std::dec;
        }
    }
    if (wrong == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ, " << first.str();
}

::testing::AssertionResult Filled(const CapturedImage& image, const RECT& rc, COLORREF color)
{
    return Matches(image, rc, [color](LONG, LONG) { return color; });
}

::testing::AssertionResult SameIn(const CapturedImage& image, const CapturedImage& reference,
                                  const RECT& rc)
{
    return Matches(image, rc, [&reference](LONG x, LONG y) { return reference.At(x, y); });
}

// A one-pixel outline: top row and left column (but the corners the other colour owns)
// in `topLeft`, right column and bottom row in `bottomRight`.
::testing::AssertionResult Ring(const CapturedImage& image, const RECT& rc, COLORREF topLeft,
                                COLORREF bottomRight)
{
    RECT inner = rc;
    ::InflateRect(&inner, -1, -1);
    return Matches(image, rc, [&](LONG x, LONG y) -> COLORREF {
        if (x == rc.right - 1 || y == rc.bottom - 1)
            return bottomRight;
        if (x == rc.left || y == rc.top)
            return topLeft;
        return image.At(x, y); // inside: not part of the ring
    });
}

int CountColor(const CapturedImage& image, const RECT& rc, COLORREF color)
{
    int count = 0;
    for (LONG y = rc.top; y < rc.bottom; ++y)
        for (LONG x = rc.left; x < rc.right; ++x)
            count += image.At(x, y) == color ? 1 : 0;
    return count;
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
            bar.GetPane(i)->SetBackColors(kBack[i], kDisabledBack);
            bar.GetPane(i)->SetTextColors(kText, kDisabledText);
        }
        ASSERT_GT(host.InnerRect(2).bottom - host.InnerRect(2).top, 16 + 4);
    }

    void ShowStripes(int index, UINT style)
    {
        bar.GetPane(index)->SetTexts(kStripesText, kStripesText);
        bar.GetPane(index)->SetStyle(style);
    }

    CapturedImage Paint() { return PrintClient(bar); }

    CapturedImage ReferenceText(int index, const std::string& text, LONG left, UINT format,
                                bool enabled = true)
    {
        RECT client = bar.GetClientRect();
        RECT inner = host.InnerRect(index);
        RECT rc = inner;
        rc.left = left;
        const CStatusPane* pane = bar.GetPane(index);
        return DrawReferenceText(client.right, client.bottom, pane->m_crBack[enabled],
                                 pane->m_lfFont, pane->m_crText[enabled], text, rc, format, inner);
    }

    SIZE TextSize(int index, const std::string& text)
    {
        HDC dc = ::CreateCompatibleDC(nullptr);
        HFONT font = ::CreateFontIndirectA(&bar.GetPane(index)->m_lfFont);
        HGDIOBJ old = ::SelectObject(dc, font);
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        ::SelectObject(dc, old);
        ::DeleteObject(font);
        ::DeleteDC(dc);
        return size;
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
    ASSERT_NE(nullptr, bitmap);
    CDibSection dib(48, 16);
    dib.CopyFrom(bitmap);
    ::DeleteObject(bitmap);

    int yellow = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 48; ++x) {
            ASSERT_EQ(StripeColor(x, y), dib.GetPixel(x, y)) << "(" << x << "," << y << ")";
            yellow += dib.GetPixel(x, y) == kStripeYellow ? 1 : 0;
        }
    }
    EXPECT_EQ(48 * 16 * 3 / 8, yellow);
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
    CapturedImage image = Paint();
    EXPECT_TRUE(Ring(image, host.ItemRect(0), face, face));
    EXPECT_TRUE(Ring(image, host.ItemRect(1), hilite, hilite));
    EXPECT_TRUE(Ring(image, host.ItemRect(2), hilite, shadow));
    EXPECT_TRUE(Ring(image, host.ItemRect(3), face, face));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(kBack[i], image.At(host.InnerRect(i).left, host.InnerRect(i).top)) << i;
    // Outside the panes: the button face.
    EXPECT_EQ(face, image.At(0, 0));
    EXPECT_EQ(face, image.At(host.ItemRect(1).left - 1, host.ItemRect(1).top + 3));

    bar.ChangePaneStyle(3, fw::SBPS_NOBORDERS | fw::SBPS_POPOUT);
    EXPECT_TRUE(Ring(Paint(), host.ItemRect(3), hilite, shadow));
}

TEST_F(PanePaintingTest, TextPaneShowsItsStateTextOrElseThePaneText)
{
    bar.GetPane(1)->SetStyle(SPS_TEXT | DT_CENTER);
    CapturedImage image = Paint();
    RECT inner = host.InnerRect(1);
    // No texts of its own: the indicator string, blanks included, centred.
    EXPECT_TRUE(
        SameIn(image, ReferenceText(1, " AutoUpdate PAUSED ", inner.left, DT_CENTER), inner));
    EXPECT_GT(CountColor(image, inner, kText), 20);

    bar.GetPane(1)->SetTexts("on", "off");
    EXPECT_TRUE(SameIn(Paint(), ReferenceText(1, "on", inner.left, DT_CENTER), inner));
    // In the pane's own font.
    bar.GetPane(1)->m_lfFont.lfHeight = -15;
    bar.GetPane(1)->m_lfFont.lfWeight = FW_BOLD;
    EXPECT_TRUE(SameIn(Paint(), ReferenceText(1, "on", inner.left, DT_CENTER), inner));

    // Both texts empty: the background only.
    bar.GetPane(1)->SetTexts("", "");
    bar.SetPaneText(1, "");
    EXPECT_TRUE(Filled(Paint(), inner, kBack[1]));
}

TEST_F(PanePaintingTest, DisabledPaneUsesTheFirstEntries)
{
    bar.GetPane(3)->SetTexts("enabled", "disabled");
    bar.ChangePaneStyle(3, fw::SBPS_DISABLED);
    RECT inner = host.InnerRect(3);
    CapturedImage image = Paint();
    EXPECT_TRUE(SameIn(image, ReferenceText(3, "disabled", inner.left, 0, false), inner));
    EXPECT_GT(CountColor(image, inner, kDisabledText), 10);

    // A disabled text that is empty falls back to the pane text.
    bar.GetPane(3)->SetTexts("enabled", "");
    EXPECT_TRUE(
        SameIn(Paint(), ReferenceText(3, " Resolve ON         ", inner.left, 0, false), inner));
}

TEST_F(PanePaintingTest, KindBitsChooseWhatIsDrawn)
{
    RECT inner = host.InnerRect(1);
    bar.GetPane(1)->SetTexts("text", "text");
    bar.GetPane(1)->SetStyle(0x00200000);
    EXPECT_TRUE(SameIn(Paint(), ReferenceText(1, "text", inner.left, 0), inner));
    bar.GetPane(1)->SetStyle(0x00800000 | SPS_TILE);
    EXPECT_TRUE(Filled(Paint(), inner, kBack[1]));
    bar.GetPane(1)->SetStyle(0x00300000);
    EXPECT_TRUE(Filled(Paint(), inner, kBack[1]));
}

TEST_F(PanePaintingTest, TiledStripesCoverTheWholePane)
{
    ShowStripes(2, SPS_BITMAP | SPS_TILE);
    RECT inner = host.InnerRect(2);
    EXPECT_TRUE(Matches(Paint(), inner, [&inner](LONG x, LONG y) {
        return StripeColor((x - inner.left) % 48, (y - inner.top) % 16);
    }));
    // Stretching does not apply to tiles.
    ShowStripes(2, SPS_BITMAP | SPS_TILE | SPS_STRETCH);
    EXPECT_TRUE(Matches(Paint(), inner, [&inner](LONG x, LONG y) {
        return StripeColor((x - inner.left) % 48, (y - inner.top) % 16);
    }));
}

TEST_F(PanePaintingTest, MovingStripesRunLeftInOneRow)
{
    host.SetPaneWidth(2, 110);
    ShowStripes(2, SPS_BITMAP | SPS_TILE | SPS_HSCROLL);
    RECT inner = host.InnerRect(2);
    auto moved = [&inner](int offset) {
        return [&inner, offset](LONG x, LONG y) {
            if (y - inner.top >= 16)
                return kBack[2];
            return StripeColor((x - inner.left + offset) % 48, y - inner.top);
        };
    };
    // Frames 1 to 48 shift the row by 1 to 48 pixels; then the cycle starts again.
    for (int frame = 1; frame <= 50; ++frame) {
        CapturedImage image = Paint();
        int offset = (frame - 1) % 48 + 1;
        if (frame <= 2 || frame >= 47) {
            EXPECT_TRUE(Matches(image, inner, moved(offset))) << "frame " << frame;
        }
    }
    EXPECT_EQ(2, bar.GetPane(2)->m_nScrollX);
    // The tiles that start left of the pane are clipped to its inside.
    CapturedImage image = Paint();
    COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_TRUE(Ring(image, host.ItemRect(2), hilite, hilite));
    RECT gap = {host.ItemRect(1).right, inner.top, host.ItemRect(2).left, inner.bottom};
    EXPECT_TRUE(Filled(image, gap, ::GetSysColor(COLOR_BTNFACE)));
}

TEST_F(PanePaintingTest, VerticallyMovingStripesFormOneColumn)
{
    host.SetPaneWidth(2, 110);
    ShowStripes(2, SPS_BITMAP | SPS_TILE | SPS_VSCROLL);
    RECT inner = host.InnerRect(2);
    CapturedImage image = Paint();
    EXPECT_TRUE(Matches(image, inner, [&inner](LONG x, LONG y) {
        if (x - inner.left >= 48)
            return kBack[2];
        return StripeColor(x - inner.left, (y - inner.top + 1) % 16);
    }));
}

TEST_F(PanePaintingTest, BitmapPaneWithoutTextShowsItsBackground)
{
    bar.GetPane(2)->SetStyle(SPS_BITMAP | SPS_TILE);
    EXPECT_TRUE(Filled(Paint(), host.InnerRect(2), kBack[2]));
    // Only the enabled text counts while the pane is enabled.
    bar.GetPane(2)->SetTexts("", kStripesText);
    EXPECT_TRUE(Filled(Paint(), host.InnerRect(2), kBack[2]));
}

TEST_F(PanePaintingTest, SingleBitmapIsAlignedByTheFormatBits)
{
    host.SetPaneWidth(2, 110);
    RECT inner = host.InnerRect(2);
    auto placedAt = [&inner](LONG left, LONG top) {
        return [&inner, left, top](LONG x, LONG y) {
            if (x < left || x >= left + 48 || y < top || y >= top + 16)
                return kBack[2];
            return StripeColor(x - left, y - top);
        };
    };
    ShowStripes(2, SPS_BITMAP | DT_CENTER | DT_VCENTER);
    EXPECT_TRUE(Matches(
        Paint(), inner,
        placedAt((inner.right - 48 + inner.left) / 2, (inner.bottom - 16 + inner.top) / 2)));
    ShowStripes(2, SPS_BITMAP | DT_RIGHT | DT_BOTTOM);
    EXPECT_TRUE(Matches(Paint(), inner, placedAt(inner.right - 48, inner.bottom - 16)));
    ShowStripes(2, SPS_BITMAP);
    EXPECT_TRUE(Matches(Paint(), inner, placedAt(inner.left, inner.top)));
}

TEST_F(PanePaintingTest, StretchedBitmapFillsThePaneUnlessItMoves)
{
    // Inner width 96: twice the bitmap's width. The control keeps a gap before the pane.
    host.SetPaneWidth(2, 96);
    host.SetPaneWidth(2, 96 + 96 - (host.InnerRect(2).right - host.InnerRect(2).left));
    RECT inner = host.InnerRect(2);
    ASSERT_EQ(96, inner.right - inner.left);
    ShowStripes(2, SPS_BITMAP | SPS_STRETCH);
    CapturedImage image = Paint();
    RECT firstRow = {inner.left, inner.top, inner.right, inner.top + 1};
    EXPECT_TRUE(Matches(image, firstRow,
                        [&inner](LONG x, LONG) { return StripeColor((x - inner.left) / 2, 0); }));
    EXPECT_EQ(0, CountColor(image, inner, kBack[2]));

    // With motion, one unstretched copy moves instead.
    ShowStripes(2, SPS_BITMAP | SPS_STRETCH | SPS_HSCROLL);
    EXPECT_TRUE(Matches(Paint(), inner, [&inner](LONG x, LONG y) {
        int bx = x - inner.left + 1;
        if (bx >= 48 || y - inner.top >= 16)
            return kBack[2];
        return StripeColor(bx, y - inner.top);
    }));
}

TEST_F(PanePaintingTest, MovingTextIsLeftAlignedAndReentersFromTheRight)
{
    const std::string text = "Moving text, moving on and on and on";
    bar.GetPane(0)->SetTexts(text.c_str(), "");
    bar.GetPane(0)->SetStyle(SPS_TEXT | SPS_HSCROLL | DT_CENTER);
    RECT inner = host.InnerRect(0);
    int cx = TextSize(0, text).cx;
    int width = inner.right - inner.left;
    ASSERT_GT(width, 40);

    for (int frame = 1; frame <= cx + 3; ++frame) {
        CapturedImage image = Paint();
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
    const std::string text = "ab";
    bar.GetPane(0)->SetTexts(text.c_str(), "");
    RECT inner = host.InnerRect(0);
    int cx = TextSize(0, text + "  ").cx;

    // Without motion: one copy, with the two blanks appended.
    bar.GetPane(0)->SetStyle(SPS_TEXT | SPS_TILE);
    EXPECT_TRUE(SameIn(Paint(), ReferenceText(0, text + "  ", inner.left, 0), inner));

    // Moving: copies every cx pixels over the whole width, starting 1 pixel left.
    bar.GetPane(0)->SetStyle(SPS_TEXT | SPS_TILE | SPS_HSCROLL);
    CapturedImage image = Paint();
    EXPECT_GT(CountColor(image, {inner.right - cx, inner.top, inner.right, inner.bottom}, kText),
              0);
    RECT repeated = {inner.left, inner.top, inner.right - cx, inner.bottom};
    EXPECT_TRUE(Matches(image, repeated, [&](LONG x, LONG y) { return image.At(x + cx, y); }));
    RECT first = {inner.left, inner.top, inner.left - 1 + cx, inner.bottom};
    EXPECT_TRUE(SameIn(image, ReferenceText(0, text + "  ", inner.left - 1, 0), first));
}

TEST_F(PanePaintingTest, SizeGripShowsOnlyWhileTheParentIsNotMaximised)
{
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    auto dots = [this] {
        RECT rc = bar.GetClientRect();
        const LONG W = rc.right;
        const LONG H = rc.bottom;
        return std::vector<POINT>{{W - 4, H - 3}, {W - 9, H - 3},  {W - 14, H - 3},
                                  {W - 4, H - 8}, {W - 4, H - 13}, {W - 9, H - 8}};
    };

    CapturedImage image = Paint();
    for (POINT dot : dots()) {
        RECT square = {dot.x, dot.y, dot.x + 3, dot.y + 3};
        EXPECT_TRUE(Matches(image, square,
                            [&](LONG x, LONG y) {
                                if (x == dot.x + 2 || y == dot.y + 2)
                                    return hilite;
                                if (x == dot.x || y == dot.y)
                                    return shadow;
                                return face;
                            }))
            << "dot at " << dot.x << "," << dot.y;
    }
    RECT rc = bar.GetClientRect();
    EXPECT_EQ(face, image.At(rc.right - 6, rc.bottom - 13)); // a gap in the triangle

    ::ShowWindow(host.Window(), SW_MAXIMIZE);
    ASSERT_TRUE(::IsZoomed(host.Window()));
    image = Paint();
    for (POINT dot : dots()) {
        RECT square = {dot.x, dot.y, dot.x + 3, dot.y + 3};
        EXPECT_TRUE(Filled(image, square, face)) << "dot at " << dot.x << "," << dot.y;
    }
}

} // namespace
