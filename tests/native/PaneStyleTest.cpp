// The pane style word and the colour rule of the status bar, without Windows.
#include "../../statusbar/PaneStyle.h"

#include <gtest/gtest.h>

namespace {

TEST(PaneStyle, KindMotionAndTextFormatOfAStyleWord)
{
    struct Case {
        std::uint32_t style;
        PaneKind kind;
        bool animated;
        std::uint32_t format;
    };
    const Case cases[] = {
        {0x00100000 | 1 | 4, PaneKind::Text, false, 1 | 4},
        {0x00200000 | SPS_VSCROLL | 1 | 2, PaneKind::Text, true, 1 | 2},
        // Horizontal motion drops centre and right alignment.
        {0x00100000 | SPS_HSCROLL | 1 | 2 | 4, PaneKind::Text, true, 4},
        {0x00400000 | 0x08000000, PaneKind::Bitmap, true, 0},
        // Only the exact kinds count; combinations and the free values draw nothing.
        {0x00300000 | 0x04000000, PaneKind::None, true, 0},
        {0x00800000, PaneKind::None, false, 0},
        // The other fields change neither the kind nor the motion.
        {SPS_BITMAP | SPS_TILE | SPS_STRETCH | 0xC00FFFFF, PaneKind::Bitmap, false, 0x000FFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.kind, GetPaneKind(c.style)) << std::hex << c.style;
        EXPECT_EQ(c.animated, IsPaneAnimated(c.style)) << std::hex << c.style;
        EXPECT_EQ(c.format, GetTextFormat(c.style)) << std::hex << c.style;
    }
}

TEST(PaneStyle, HalvingDropsTheOddBitOfEachChannel)
{
    // 0x00BBGGRR: no bit may move into the neighbouring channel.
    EXPECT_EQ(0x00606060u, HalveColor(0x00C0C0C0));
    EXPECT_EQ(0x007F0100u, HalveColor(0x00FF0301));
    EXPECT_EQ(0x0000007Fu, HalveColor(0x000101FF));
}

} // namespace
