// Cost of one poll (table reads, row texts, reconciliation into the rows the list shows,
// counters) for tables of various sizes, steady or changing between polls, IPv4 alone, with as
// many IPv6 rows, or with the owning programs. The read and the look-ups run at once on the
// polling thread, so the caches are warm after the first poll.

#include "monitor/EndpointMonitor.h"
#include "tests/fakes/FakeNameLookup.h"
#include "tests/fakes/FakeProcessLookup.h"
#include "tests/fakes/FakeRowList.h"
#include "tests/fakes/FakeUdpTable.h"
#include "tests/fakes/ManualStarter.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace tarnwick {
namespace {

using fakes::CFakeEndpointView;
using fakes::CFakeNameLookup;
using fakes::CFakeProcesses;
using fakes::CFakeRowList;
using fakes::CFakeUdpTable;
using fakes::MakeEndpoint;
using fakes::MakeEndpoint6;

constexpr unsigned kAddresses = 8;

// `rows` endpoints of each family asked for on a few addresses, sorted by address then port,
// the first half owned by process 1200 and the others by 3400; `shift` moves every port.
void FillTable(CFakeUdpTable& table, int rows, bool ipv6, int shift)
{
    table.rows.clear();
    const int perAddress = (rows + kAddresses - 1) / kAddresses;
    for (int i = 0; i < rows; ++i) {
        const unsigned a = static_cast<unsigned>(i / perAddress);
        const auto port = static_cast<std::uint16_t>(1024 + (i % perAddress + shift) % 64000);
        table.rows.push_back(a == 0 ? MakeEndpoint(0, 0, 0, 0, port)
                                    : MakeEndpoint(192, 168, 1, a, port));
        table.rows.back().pid = i < rows / 2 ? 1200 : 3400;
        // The first address of each family is the unspecified one, the others 2001:db8::a.
        const std::uint16_t prefix[2] = {a == 0 ? std::uint16_t{0} : std::uint16_t{0x2001},
                                         a == 0 ? std::uint16_t{0} : std::uint16_t{0xDB8}};
        if (ipv6)
            table.rows.push_back(MakeEndpoint6(
                {prefix[0], prefix[1], 0, 0, 0, 0, 0, static_cast<std::uint16_t>(a)}, port));
        if (ipv6)
            table.rows.back().pid = 1200;
    }
}

// Every address and every port below 30000 has a name; the others are unknown services.
std::shared_ptr<CFakeNameLookup> NamedLookup()
{
    auto lookup = std::make_shared<CFakeNameLookup>();
    for (unsigned a = 1; a < kAddresses; ++a) {
        lookup->hosts["192.168.1." + std::to_string(a)] = "host" + std::to_string(a);
        lookup->hosts["2001:db8::" + std::to_string(a)] = "host6-" + std::to_string(a);
    }
    for (std::uint16_t port = 1; port < 30000; ++port)
        lookup->services[port] = "svc" + std::to_string(port);
    return lookup;
}

void BM_Poll(benchmark::State& state, bool changing, bool ipv6, bool owners = false)
{
    const int rows = static_cast<int>(state.range(0));
    auto sharedTable = std::make_shared<CFakeUdpTable>();
    CFakeUdpTable& table = *sharedTable;
    table.stats = {1, 2, 3, 4, 5};
    table.stats6 = {6, 7, 8, 9, 10};
    FillTable(table, rows, ipv6, 0);
    // The two programs of the table.
    auto processes = std::make_shared<CFakeProcesses>();
    processes->running = {{1200, {1, "svchost.exe"}}, {3400, {2, "dns-server.exe"}}};
    CEndpointMonitor monitor(sharedTable, NamedLookup(), fakes::InlineStarter(),
                             fakes::InlineStarter(), {}, processes);
    CFakeEndpointView endpoints(monitor.Rows());
    monitor.SetIPv6(ipv6, endpoints);
    monitor.SetOwners(owners);
    CFakeRowList statistics(ipv6 ? 10 : 5);
    const auto poll = [&] {
        monitor.RequestPoll();
        monitor.ApplyRead(endpoints, statistics);
    };
    // Grows the buffer and fills the caches.
    poll();
    const auto firstLookups = processes->opened.size();
    poll();
    table.readCalls = 0;
    processes->opened.clear();
    endpoints.calls = endpoints.setCalls = statistics.setCalls = 0;

    int shift = 0;
    for (auto _ : state) {
        if (changing) {
            state.PauseTiming();
            FillTable(table, rows, ipv6, ++shift);
            state.ResumeTiming();
        }
        poll();
    }
    if (endpoints.GetRowCount() != (ipv6 ? 2 * rows : rows))
        state.SkipWithError("wrong row count");
    if (!changing && endpoints.calls + statistics.setCalls != 0)
        state.SkipWithError("a steady poll changed rows");
    if (endpoints.outOfRange)
        state.SkipWithError("rows told changed past the count");
    state.counters["reads/poll"] =
        benchmark::Counter(table.readCalls.load(), benchmark::Counter::kAvgIterations);
    state.counters["rows changed/poll"] =
        benchmark::Counter(endpoints.setCalls, benchmark::Counter::kAvgIterations);
    if (owners) {
        // The first poll meets both programs; a poll that moves every port opens them again.
        state.counters["first poll's look-ups"] = firstLookups;
        state.counters["look-ups/poll"] =
            benchmark::Counter(processes->opened.size(), benchmark::Counter::kAvgIterations);
    }
}

void BM_Steady(benchmark::State& state)
{
    BM_Poll(state, false, false);
}

void BM_Changing(benchmark::State& state)
{
    BM_Poll(state, true, false);
}

// The argument is the row count of each family.
void BM_SteadyWithIPv6(benchmark::State& state)
{
    BM_Poll(state, false, true);
}

void BM_ChangingWithIPv6(benchmark::State& state)
{
    BM_Poll(state, true, true);
}

// The first poll of a new monitor: every row, address and port is new.
void BM_FirstPoll(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    auto sharedTable = std::make_shared<CFakeUdpTable>();
    FillTable(*sharedTable, rows, false, 0);
    const auto lookup = NamedLookup();
    CFakeRowList statistics(5);
    for (auto _ : state) {
        state.PauseTiming();
        auto monitor = std::make_unique<CEndpointMonitor>(sharedTable, lookup, nullptr,
                                                          fakes::InlineStarter());
        CFakeEndpointView endpoints(monitor->Rows());
        state.ResumeTiming();
        monitor->RequestPoll();
        monitor->ApplyRead(endpoints, statistics);
        state.PauseTiming();
        if (endpoints.GetRowCount() != rows)
            state.SkipWithError("wrong row count");
        monitor.reset();
        state.ResumeTiming();
    }
}

// The argument is the row count; half of the rows belong to each of two programs.
void BM_SteadyWithOwners(benchmark::State& state)
{
    BM_Poll(state, false, false, true);
}

void BM_ChangingWithOwners(benchmark::State& state)
{
    BM_Poll(state, true, false, true);
}

BENCHMARK(BM_FirstPoll)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Steady)->Arg(640)->Arg(5000)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Changing)->Arg(640)->Arg(5000)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SteadyWithIPv6)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChangingWithIPv6)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SteadyWithOwners)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChangingWithOwners)->Arg(20000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace tarnwick

BENCHMARK_MAIN();
