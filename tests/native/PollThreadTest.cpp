// Table reads on a worker thread: one at a time, handed to the UI side, dropped after close.
// Run these under ThreadSanitizer as well (preset tsan).

#include "MonitorFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <ostream>
#include <thread>

namespace tarnwick {
namespace {

using namespace std::chrono_literals;
using Request = CEndpointMonitor::PollRequest;

bool WaitUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!done() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    return done();
}

// Polls asked for while the first read is in flight, whether auto-update pauses before it
// arrives, and the table reads that follow in all.
struct WhileReading {
    const char* name;
    std::vector<Request> requests;
    bool pause;
    int reads;
};
void PrintTo(const WhileReading& c, std::ostream* out)
{
    *out << c.name;
}

class PollRequests : public ::testing::TestWithParam<WhileReading> {
protected:
    std::shared_ptr<CFakeUdpTable> table = std::make_shared<CFakeUdpTable>();
    fakes::CManualStarter reads;
    int arrived = 0;
    CEndpointMonitor monitor{table, nullptr, StdThreadStarter(), reads.Starter(),
                             [this] { ++arrived; }};
    CFakeRowList endpoints;
    CFakeRowList statistics{5};
};

TEST_P(PollRequests, OneReadAtATimeAndOneMoreForWhatWasAskedMeanwhile)
{
    table->rows = {MakeEndpoint(10, 0, 0, 1, 53)};
    monitor.RequestPoll();
    for (Request request : GetParam().requests)
        monitor.RequestPoll(request);
    if (GetParam().pause)
        monitor.DropTimerTick();
    EXPECT_EQ(reads.requests, 1);
    EXPECT_FALSE(monitor.ApplyRead(endpoints, statistics));

    for (int applied = 0; !reads.started.empty() && applied < 10; ++applied) {
        reads.RunAll();
        EXPECT_EQ(arrived, applied + 1);
        EXPECT_TRUE(monitor.ApplyRead(endpoints, statistics));
    }
    EXPECT_EQ(reads.requests, GetParam().reads);
    EXPECT_EQ(endpoints.Cell(0, 0), "10.0.0.1");
    EXPECT_FALSE(monitor.IsPolling());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PollRequests,
    ::testing::Values(WhileReading{"nothing", {}, false, 1},
                      WhileReading{"a tick", {Request::kTimerTick}, false, 2},
                      WhileReading{"ticks and a refresh",
                                   {Request::kTimerTick, Request::kCommand, Request::kTimerTick},
                                   false,
                                   2},
                      WhileReading{"a tick, then pause", {Request::kTimerTick}, true, 1},
                      WhileReading{"a refresh and a tick, then pause",
                                   {Request::kCommand, Request::kTimerTick},
                                   true,
                                   2}));

TEST(PollThread, UiSideGoesOnWhileAReadBlocksAndALateReadIsDropped)
{
    auto table = std::make_shared<CFakeUdpTable>();
    table->rows = {MakeEndpoint(10, 0, 0, 1, 53)};
    table->block = true;
    std::atomic<int> arrived{0};
    auto monitor = std::make_unique<CEndpointMonitor>(table, nullptr, StdThreadStarter(),
                                                      StdThreadStarter(), [&] { ++arrived; });
    CFakeRowList endpoints;
    CFakeRowList statistics(5);

    monitor->RequestPoll();
    ASSERT_TRUE(WaitUntil([&] { return table->readCalls == 1; }));
    monitor->RequestPoll(Request::kTimerTick);
    EXPECT_FALSE(monitor->ApplyRead(endpoints, statistics));
    table->block = false;
    for (int read = 1; read <= 2; ++read) {
        ASSERT_TRUE(WaitUntil([&] { return arrived == read; }));
        EXPECT_TRUE(monitor->ApplyRead(endpoints, statistics));
    }
    EXPECT_EQ(endpoints.Cell(0, 0), "10.0.0.1");
    EXPECT_FALSE(monitor->IsPolling());
    EXPECT_EQ(table->readCalls, 2);

    table->block = true;
    monitor->RequestPoll();
    ASSERT_TRUE(WaitUntil([&] { return table->readCalls == 3; }));
    // Should closing wait for the read, this lets it go after a while: the test fails
    // instead of hanging.
    std::thread watchdog([table] {
        WaitUntil([&] { return !table->block; });
        table->block = false;
    });
    monitor.reset();
    const bool closedWhileBlocked = table->block;
    table->block = false;
    watchdog.join();

    EXPECT_TRUE(closedWhileBlocked);
    // The read ends on its own and frees what it shared; nobody hears of it.
    EXPECT_TRUE(WaitUntil([&] { return table.use_count() == 1; }));
    EXPECT_EQ(arrived, 2);
}

} // namespace
} // namespace tarnwick
