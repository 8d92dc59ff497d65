// The colour rule of the status bar's panes, without Windows. The style word's rules are
// tested through the panes' pixels and the animation timer.
#include "../../statusbar/PaneStyle.h"

#include <gtest/gtest.h>

namespace {

TEST(PaneStyle, HalvingDropsTheOddBitOfEachChannel)
{
    // 0x00BBGGRR: no bit may move into the neighbouring channel.
    EXPECT_EQ(0x00606060u, HalveColor(0x00C0C0C0));
    EXPECT_EQ(0x007F0100u, HalveColor(0x00FF0301));
    EXPECT_EQ(0x0000007Fu, HalveColor(0x000101FF));
}

} // namespace
