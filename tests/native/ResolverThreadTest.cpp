// The resolver on real threads. Run these under ThreadSanitizer as well (preset tsan).

#include "MonitorFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace tarnwick {
namespace {

using namespace std::chrono_literals;

// Lets a test hold a look-up inside the worker and see when the look-up object is freed.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool entered = false;
    bool released = false;
    bool lookupFreed = false;

    bool WaitFor(std::chrono::milliseconds timeout, bool Gate::*flag)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, timeout, [this, flag] { return this->*flag; });
    }
    void Set(bool Gate::*flag)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            this->*flag = true;
        }
        changed.notify_all();
    }
};

class CBlockingLookup : public INameLookup {
public:
    explicit CBlockingLookup(std::shared_ptr<Gate> gate) : m_gate(std::move(gate)) {}
    ~CBlockingLookup() override { m_gate->Set(&Gate::lookupFreed); }

    bool LookupHost(std::uint32_t, std::string& name) override
    {
        m_gate->Set(&Gate::entered);
        m_gate->WaitFor(std::chrono::hours(1), &Gate::released);
        name = "too.late";
        return true;
    }
    bool LocalHostName(std::string&) override { return false; }
    bool LookupService(std::uint16_t, std::string&) override { return false; }

private:
    std::shared_ptr<Gate> m_gate;
};

TEST(ResolverThread, ClosingWhileALookupBlocksNeitherWaitsNorCrashes)
{
    auto gate = std::make_shared<Gate>();
    auto table = std::make_unique<CFakeUdpTable>();
    auto endpoints = std::make_unique<CFakeRowList>();
    auto statistics = std::make_unique<CFakeRowList>(5);
    table->rows = {MakeEndpoint(10, 0, 0, 1, 53), MakeEndpoint(10, 0, 0, 2, 53)};
    auto monitor =
        std::make_unique<CEndpointMonitor>(*table, std::make_shared<CBlockingLookup>(gate));

    monitor->RefreshUdpInfo(*endpoints, *statistics);
    ASSERT_TRUE(gate->WaitFor(5s, &Gate::entered));

    // Should the destructor wait for the worker, this releases it after two seconds, so the
    // test fails on the time instead of hanging.
    std::thread watchdog([gate] {
        if (!gate->WaitFor(2s, &Gate::released))
            gate->Set(&Gate::released);
    });
    const auto start = std::chrono::steady_clock::now();
    monitor.reset();
    const auto closeTime = std::chrono::steady_clock::now() - start;
    // Everything the monitor was given goes away while the look-up still blocks.
    table.reset();
    endpoints.reset();
    statistics.reset();

    gate->Set(&Gate::released);
    watchdog.join();
    EXPECT_LT(closeTime, 500ms);
    // The run ends on its own and frees the shared state, and with it the look-up object.
    EXPECT_TRUE(gate->WaitFor(5s, &Gate::lookupFreed));
}

// Look-ups on a real thread while the UI thread keeps polling a growing table, so that polls
// queue keys and read the caches while a run takes keys and adds names.
TEST(ResolverThread, PollsWhileRunsComeAndGo)
{
    constexpr unsigned kHosts = 200;
    CFakeUdpTable table;
    auto lookup = std::make_shared<CFakeNameLookup>();
    for (unsigned i = 0; i < kHosts; ++i)
        lookup->hosts["10.0." + std::to_string(i / 100) + "." + std::to_string(i % 100)] =
            "host" + std::to_string(i);
    lookup->services[53] = "domain";
    lookup->duringHostLookup = [] { std::this_thread::sleep_for(200us); };
    CEndpointMonitor monitor(table, lookup);
    CFakeRowList endpoints;
    CFakeRowList statistics(5);

    for (unsigned i = 0; i < kHosts; ++i) {
        table.rows.push_back(MakeEndpoint(10, 0, i / 100, i % 100, 53));
        monitor.RefreshUdpInfo(endpoints, statistics);
        std::this_thread::sleep_for(100us);
    }
    // Keep polling until every name is cached and no run is left.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while ((monitor.IsResolverRunning() || monitor.HostCacheSize() < kHosts) &&
           std::chrono::steady_clock::now() < deadline) {
        monitor.RefreshUdpInfo(endpoints, statistics);
        std::this_thread::sleep_for(1ms);
    }
    monitor.RefreshUdpInfo(endpoints, statistics);

    EXPECT_FALSE(monitor.IsResolverRunning());
    EXPECT_TRUE(monitor.PendingHosts().empty());
    EXPECT_TRUE(monitor.PendingPorts().empty());
    ASSERT_EQ(endpoints.GetRowCount(), static_cast<int>(kHosts));
    EXPECT_EQ(endpoints.Cell(0, 0), "host0");
    EXPECT_EQ(endpoints.Cell(kHosts - 1, 0), "host" + std::to_string(kHosts - 1));
    EXPECT_EQ(endpoints.Cell(kHosts - 1, 1), "domain");
}

} // namespace
} // namespace tarnwick
