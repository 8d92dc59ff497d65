// The pane style word and the colour and motion rules of the status bar, without Windows.
#include "../../statusbar/PaneStyle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return r | (g << 8) | (b << 16);
}

TEST(PaneStyle, StyleWordDecoding)
{
    struct Case {
        std::uint32_t style;
        PaneKind kind;
        bool animated;
    };
    const Case cases[] = {
        {0x00100000, PaneKind::Text, false},
        {0x00200000, PaneKind::Text, false},
        {0x00400000 | SPS_HSCROLL, PaneKind::Bitmap, true},
        // Only the exact kinds count; combinations and the free values draw nothing.
        {0x00000000 | SPS_VSCROLL, PaneKind::None, true},
        {0x00300000 | 0x04000000, PaneKind::None, true},
        {0x00500000 | 0x08000000, PaneKind::None, true},
        {0x00800000, PaneKind::None, false},
        // The other fields change neither the kind nor the motion.
        {SPS_BITMAP | SPS_TILE | SPS_STRETCH | 0xC00FFFFF, PaneKind::Bitmap, false},
        {0xF00FFFFF | SPS_TEXT, PaneKind::Text, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.kind, GetPaneKind(c.style)) << std::hex << c.style;
        EXPECT_EQ(c.animated, IsPaneAnimated(c.style)) << std::hex << c.style;
    }

    // Horizontal motion drops centre and right alignment; the format is the low 20 bits.
    const std::uint32_t centreRightVcentre = 1 | 2 | 4;
    EXPECT_EQ(centreRightVcentre, GetTextFormat(SPS_TEXT | centreRightVcentre));
    EXPECT_EQ(4u, GetTextFormat(SPS_TEXT | SPS_HSCROLL | centreRightVcentre));
    EXPECT_EQ(centreRightVcentre, GetTextFormat(SPS_TEXT | SPS_VSCROLL | centreRightVcentre));
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

TEST(PaneStyle, ScrollOffsetSequences)
{
    auto offsets = [](int extent, int restart, int count) {
        std::vector<int> out;
        for (int offset = 0; count-- > 0;)
            out.push_back(offset = NextScrollOffset(offset, extent, restart));
        return out;
    };
    auto range = [](int from, int to) {
        std::vector<int> out;
        for (int i = from; i <= to; ++i)
            out.push_back(i);
        return out;
    };
    auto join = [](std::vector<std::vector<int>> parts) {
        std::vector<int> out;
        for (const auto& part : parts)
            out.insert(out.end(), part.begin(), part.end());
        return out;
    };
    // Tiles cycle through one tile: 1 to 48, then 1 again.
    EXPECT_EQ(join({range(1, 48), range(1, 3)}), offsets(48, 1, 51));
    // Single content re-enters from the far edge: from -80 the offset climbs back through 0
    // to the extent, then restarts again.
    EXPECT_EQ(join({range(1, 100), range(-80, 100), {-80}}), offsets(100, -80, 100 + 181 + 1));
}

} // namespace
