// The resolver on real threads. Run these under ThreadSanitizer as well (preset tsan).

#include "tests/native/MonitorFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace tarnwick {
namespace {

using namespace std::chrono_literals;

TEST(ResolverThread, ClosingWhileALookupHangsNeitherWaitsNorCrashes)
{
    auto lookup = std::make_shared<CFakeNameLookup>();
    lookup->hosts["10.0.0.1"] = "too.late";
    lookup->block = true;
    const std::weak_ptr<CFakeNameLookup> watched = lookup;
    auto table = std::make_shared<CFakeUdpTable>();
    table->rows = {MakeEndpoint(10, 0, 0, 1, 53), MakeEndpoint(10, 0, 0, 2, 53)};
    auto monitor = std::make_unique<CEndpointMonitor>(table, lookup, StdThreadStarter(),
                                                      fakes::InlineStarter());
    auto endpoints = std::make_unique<fakes::CFakeEndpointView>(monitor->Rows());
    auto statistics = std::make_unique<CFakeRowList>(5);

    monitor->RequestPoll();
    monitor->ApplyRead(*endpoints, *statistics);
    ASSERT_TRUE(WaitUntil([&] { return lookup->lookups > 0; }));

    // Should the destructor wait for the worker, this lets the look-up go after a while, so
    // the test fails instead of hanging.
    std::thread watchdog([lookup] {
        for (int i = 0; i < 500 && lookup->block; ++i)
            std::this_thread::sleep_for(10ms);
        lookup->block = false;
    });
    monitor.reset();
    const bool closedWhileHanging = lookup->block;
    // Everything the monitor was given goes away while the look-up still hangs.
    table.reset();
    endpoints.reset();
    statistics.reset();
    lookup->block = false;
    lookup.reset();
    watchdog.join();

    EXPECT_TRUE(closedWhileHanging);
    // The run ends on its own and frees the shared state, and with it the look-up object.
    EXPECT_TRUE(WaitUntil([&] { return watched.expired(); }));
}

// Look-ups on a real thread while the UI thread keeps polling a growing table, so that polls
// queue keys and read the caches while a run takes keys and adds names.
TEST(ResolverThread, PollsWhileRunsComeAndGo)
{
    constexpr unsigned kHosts = 200;
    auto sharedTable = std::make_shared<CFakeUdpTable>();
    CFakeUdpTable& table = *sharedTable;
    auto lookup = std::make_shared<CFakeNameLookup>();
    for (unsigned i = 0; i < kHosts; ++i)
        lookup->hosts["10.0." + std::to_string(i / 100) + "." + std::to_string(i % 100)] =
            "host" + std::to_string(i);
    lookup->services[53] = "domain";
    lookup->duringHostLookup = [] { std::this_thread::sleep_for(200us); };
    CEndpointMonitor monitor(sharedTable, lookup, StdThreadStarter(), fakes::InlineStarter());
    fakes::CFakeEndpointView endpoints{monitor.Rows()};
    CFakeRowList statistics(5);
    const auto poll = [&] {
        monitor.RequestPoll();
        monitor.ApplyRead(endpoints, statistics);
    };

    for (unsigned i = 0; i < kHosts; ++i) {
        table.rows.push_back(MakeEndpoint(10, 0, i / 100, i % 100, 53));
        poll();
        std::this_thread::sleep_for(100us);
    }
    // Keep polling until every name is cached and no run is left.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while ((monitor.IsResolverRunning() || monitor.HostCacheSize() < kHosts) &&
           std::chrono::steady_clock::now() < deadline) {
        poll();
        std::this_thread::sleep_for(1ms);
    }
    poll();

    EXPECT_FALSE(monitor.IsResolverRunning());
    EXPECT_TRUE(monitor.PendingHosts().empty());
    EXPECT_TRUE(monitor.PendingPorts().empty());
    ASSERT_EQ(endpoints.GetRowCount(), static_cast<int>(kHosts));
    EXPECT_EQ(endpoints.GetCellText(0, 0), "host0");
    EXPECT_EQ(endpoints.GetCellText(kHosts - 1, 0), "host" + std::to_string(kHosts - 1));
    EXPECT_EQ(endpoints.GetCellText(kHosts - 1, 1), "domain");
}

} // namespace
} // namespace tarnwick
