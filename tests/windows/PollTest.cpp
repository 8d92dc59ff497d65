#include "FrameFixture.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class PollTest : public CFrameFixture {};

// The table is read on a worker thread: the window closes at once under a read that has not
// come back, and the read, when it ends, finds nobody to tell.
TEST_F(PollTest, ClosingWhileAReadBlocksClosesAtOnce)
{
    table->block = true;
    frame->RefreshUdpInfo();
    ASSERT_TRUE(PumpUntil([&] { return table->readCalls == 1; }, 2000));
    // Should the close wait for the read, this lets it go: the test fails instead of hanging.
    std::thread watchdog([read = sharedTable] {
        for (int i = 0; i < 500 && read->block; ++i)
            ::Sleep(10);
        read->block = false;
    });
    ::DestroyWindow(hwnd);
    const bool closedWhileBlocked = table->block;
    table->block = false;
    watchdog.join();

    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_TRUE(closedWhileBlocked);
    EXPECT_TRUE(PumpUntil([&] { return sharedTable.use_count() == 1; }, 2000));
}

} // namespace
