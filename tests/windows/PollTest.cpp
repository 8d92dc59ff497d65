// The poll's table read runs on a worker thread: the window goes on while it blocks, shows
// the rows when it arrives, and closes at once under a read that has not come back.

#include "FrameFixture.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

class PollTest : public CFrameFixture {};

TEST_F(PollTest, ABlockedReadHoldsNeitherTheWindowNorItsClose)
{
    table->rows = {MakeEndpoint(127, 0, 0, 1, 53), MakeEndpoint(127, 0, 0, 1, 40000)};
    table->block = true;
    frame->RefreshUdpInfo();
    ASSERT_TRUE(PumpUntil([&] { return table->readCalls == 1; }, 2000));
    EXPECT_EQ(0, frame->m_wndEndpointList.GetItemCount());
    table->block = false;
    WaitForPoll();
    EXPECT_EQ(2, frame->m_wndEndpointList.GetItemCount());

    table->block = true;
    frame->RefreshUdpInfo();
    ASSERT_TRUE(PumpUntil([&] { return table->readCalls == 2; }, 2000));
    // Should the close wait for the read, this lets it go after a while: the test fails
    // instead of hanging.
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
    // The read ends after its window and lets go of what it shared; its result goes nowhere.
    EXPECT_TRUE(PumpUntil([&] { return sharedTable.use_count() == 1; }, 2000));
}

} // namespace
