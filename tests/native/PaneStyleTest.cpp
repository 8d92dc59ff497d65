// The pane style word and the colour and motion rules of the status bar, without Windows.
#include "../../statusbar/PaneStyle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r | (g << 8) | (b << 16);
}

std::vector<int> Offsets(int start, int extent, int restart, int count)
{
    std::vector<int> offsets;
    int offset = start;
    for (int i = 0; i < count; ++i) {
        offset = NextScrollOffset(offset, extent, restart);
        offsets.push_back(offset);
    }
    return offsets;
}

TEST(PaneStyle, KindBitsChooseTextBitmapOrNothing)
{
    EXPECT_EQ(PaneKind::Text, GetPaneKind(0x00100000));
    EXPECT_EQ(PaneKind::Text, GetPaneKind(0x00200000));
    EXPECT_EQ(PaneKind::Bitmap, GetPaneKind(0x00400000));
    // Only the exact kinds count; combinations and the free values draw nothing.
    EXPECT_EQ(PaneKind::None, GetPaneKind(0x00000000));
    EXPECT_EQ(PaneKind::None, GetPaneKind(0x00300000));
    EXPECT_EQ(PaneKind::None, GetPaneKind(0x00500000));
    EXPECT_EQ(PaneKind::None, GetPaneKind(0x00800000));
    // The other fields do not change the kind.
    EXPECT_EQ(PaneKind::Bitmap, GetPaneKind(SPS_BITMAP | SPS_TILE | SPS_HSCROLL | 0x000FFFFF));
    EXPECT_EQ(PaneKind::Text, GetPaneKind(0xFF0FFFFF | SPS_TEXT));
}

TEST(PaneStyle, AnyOfTheFourMotionBitsAnimates)
{
    EXPECT_TRUE(IsPaneAnimated(SPS_HSCROLL));
    EXPECT_TRUE(IsPaneAnimated(SPS_VSCROLL));
    EXPECT_TRUE(IsPaneAnimated(0x04000000));
    EXPECT_TRUE(IsPaneAnimated(0x08000000));
    EXPECT_FALSE(IsPaneAnimated(SPS_BITMAP | SPS_TILE | SPS_STRETCH | 0x000FFFFF));
    EXPECT_FALSE(IsPaneAnimated(0xC0000000));
}

TEST(PaneStyle, HorizontalMotionDropsCentreAndRightAlignment)
{
    const std::uint32_t centreRightVcentre = 1 | 2 | 4;
    EXPECT_EQ(centreRightVcentre, GetTextFormat(SPS_TEXT | centreRightVcentre));
    EXPECT_EQ(4u, GetTextFormat(SPS_TEXT | SPS_HSCROLL | centreRightVcentre));
    EXPECT_EQ(centreRightVcentre, GetTextFormat(SPS_TEXT | SPS_VSCROLL | centreRightVcentre));
    // The format is only the low 20 bits.
    EXPECT_EQ(0x000FFFFFu, GetTextFormat(0xFFFFFFFF & ~SPS_HSCROLL));
}

TEST(PaneStyle, HalvingDropsTheOddBitOfEachChannel)
{
    EXPECT_EQ(Rgb(96, 96, 96), HalveColor(Rgb(192, 192, 192)));
    EXPECT_EQ(Rgb(127, 127, 127), HalveColor(Rgb(255, 255, 255)));
    // No bit may move into the neighbouring channel.
    EXPECT_EQ(Rgb(0, 1, 127), HalveColor(Rgb(1, 3, 255)));
    EXPECT_EQ(Rgb(127, 0, 0), HalveColor(Rgb(255, 1, 1)));
}

TEST(PaneStyle, TiledOffsetCyclesThroughOneTile)
{
    std::vector<int> expected;
    for (int i = 1; i <= 48; ++i)
        expected.push_back(i);
    expected.insert(expected.end(), {1, 2, 3});
    EXPECT_EQ(expected, Offsets(0, 48, 1, 51));
}

TEST(PaneStyle, SingleContentReentersFromTheFarEdge)
{
    std::vector<int> offsets = Offsets(0, 100, -80, 100 + 181 + 1);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(i + 1, offsets[static_cast<std::size_t>(i)]);
    // From -80 the offset climbs back through 0 to the extent, then restarts again.
    for (int i = 0; i <= 180; ++i)
        ASSERT_EQ(-80 + i, offsets[static_cast<std::size_t>(100 + i)]);
    EXPECT_EQ(-80, offsets.back());
}

} // namespace
