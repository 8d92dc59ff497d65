// Table reads on a worker thread. Run these under ThreadSanitizer as well (preset tsan).

#include "tests/native/MonitorFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <ostream>
#include <thread>

namespace tarnwick {
namespace {

using Request = CEndpointMonitor::PollRequest;

// What comes while the first read is in flight (c Refresh, t timer tick, p pause), and the
// reads there are in all.
struct WhileReading {
    const char* events;
    int reads;
};
void PrintTo(const WhileReading& c, std::ostream* out)
{
    *out << '"' << c.events << '"';
}

class PollRequests : public ::testing::TestWithParam<WhileReading> {
protected:
    std::shared_ptr<CFakeUdpTable> table = std::make_shared<CFakeUdpTable>();
    fakes::CManualStarter reads;
    int arrived = 0;
    CEndpointMonitor monitor{table, nullptr, nullptr, reads.Starter(), [this] { ++arrived; }};
    fakes::CFakeEndpointView endpoints{monitor.Rows()};
    CFakeRowList statistics{5};
};

TEST_P(PollRequests, OneReadAtATimeAndOneMoreForWhatWasAskedMeanwhile)
{
    table->rows = {MakeEndpoint(10, 0, 0, 1, 53)};
    monitor.RequestPoll();
    for (const char* c = GetParam().events; *c != '\0'; ++c) {
        if (*c == 'p')
            monitor.DropTimerTick();
        else
            monitor.RequestPoll(*c == 't' ? Request::kTimerTick : Request::kCommand);
    }
    EXPECT_FALSE(monitor.ApplyRead(endpoints, statistics));
    for (int read = 1; !reads.started.empty() && read <= 10; ++read) {
        EXPECT_EQ(reads.requests, read);
        reads.RunAll();
        EXPECT_EQ(arrived, read);
        EXPECT_TRUE(monitor.ApplyRead(endpoints, statistics));
    }
    EXPECT_EQ(reads.requests, GetParam().reads);
    EXPECT_EQ(endpoints.GetCellText(0, 0), "10.0.0.1");
    EXPECT_FALSE(monitor.IsPolling());
}

INSTANTIATE_TEST_SUITE_P(Cases, PollRequests,
                         ::testing::Values(WhileReading{"", 1}, WhileReading{"t", 2},
                                           WhileReading{"tct", 2}, WhileReading{"tp", 1},
                                           WhileReading{"ctp", 2}));

TEST(PollThread, UiSideGoesOnWhileAReadBlocksAndALateReadIsDropped)
{
    auto table = std::make_shared<CFakeUdpTable>();
    table->rows = {MakeEndpoint(10, 0, 0, 1, 53)};
    table->block = true;
    std::atomic<int> arrived{0};
    auto monitor = std::make_unique<CEndpointMonitor>(table, nullptr, nullptr, StdThreadStarter(),
                                                      [&] { ++arrived; });
    fakes::CFakeEndpointView endpoints{monitor->Rows()};
    CFakeRowList statistics(5);

    monitor->RequestPoll();
    ASSERT_TRUE(WaitUntil([&] { return table->readCalls == 1; }));
    EXPECT_FALSE(monitor->ApplyRead(endpoints, statistics));
    table->block = false;
    // Asked for again and again while the read ends, with nothing else between the threads:
    // an unguarded hand-over is a data race that ThreadSanitizer sees here.
    ASSERT_TRUE(WaitUntil([&] { return monitor->ApplyRead(endpoints, statistics); }));
    EXPECT_EQ(arrived, 1);
    EXPECT_EQ(endpoints.GetCellText(0, 0), "10.0.0.1");

    table->block = true;
    monitor->RequestPoll();
    ASSERT_TRUE(WaitUntil([&] { return table->readCalls == 2; }));
    // Should closing wait for the read, this lets it go: the test fails instead of hanging.
    std::thread watchdog([table] {
        WaitUntil([&] { return !table->block; });
        table->block = false;
    });
    monitor.reset();
    const bool closedWhileBlocked = table->block;
    table->block = false;
    watchdog.join();

    EXPECT_TRUE(closedWhileBlocked);
    // The read ends on its own, unheard of, and lets go of what it shared.
    EXPECT_TRUE(WaitUntil([&] { return table.use_count() == 1; }));
    EXPECT_EQ(arrived, 1);
}

} // namespace
} // namespace tarnwick
