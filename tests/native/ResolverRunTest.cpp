#include "tests/native/MonitorFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

using Ports = std::vector<std::uint16_t>;

// Resolver runs driven by hand on the test's own thread.
class ResolverRun : public CMonitorFixture {
protected:
    // Makes one poll from inside the first look-up of the given kind, with `row` added.
    void PollDuringLookup(std::function<void()>& hook, fakes::Endpoint row)
    {
        hook = [this, row, done = false]() mutable {
            if (!done) {
                done = true;
                table.rows.push_back(row);
                Poll();
            }
        };
    }
};

TEST_F(ResolverRun, AddressNamesAndWhichAddressesAreLookedUp)
{
    lookup->hosts["12.7.0.1"] = "twelve";
    table.rows = {MakeEndpoint(0, 0, 0, 0, 1), MakeEndpoint(12, 7, 0, 1, 1),
                  MakeEndpoint(127, 1, 2, 3, 1), MakeEndpoint(192, 168, 1, 10, 1)};

    PollResolvePoll();

    EXPECT_EQ(Column(0), (Strings{"MYPC", "twelve", "localhost", "192.168.1.10"}));
    // The loopback net and 0.0.0.0 never reach the reverse look-up.
    EXPECT_EQ(lookup->hostQueries, (Strings{"12.7.0.1", "192.168.1.10"}));
    EXPECT_EQ(monitor.HostCacheSize(), 3u);
    // Nothing was cached for the address that did not resolve: it is asked again.
    EXPECT_EQ(monitor.PendingHosts(), (Strings{"192.168.1.10"}));
}

TEST_F(ResolverRun, LocalHostNameIsShownOnlyWhenLongerThanTwoCharacters)
{
    table.rows = {MakeEndpoint(0, 0, 0, 0, 1)};
    struct Case {
        const char* name;
        bool fails;
        const char* shown;
    };
    for (const Case c :
         {Case{"ab", false, "0.0.0.0"}, Case{"abcd", true, "0.0.0.0"}, Case{"abc", false, "abc"}}) {
        lookup->localHostName = c.name;
        lookup->localHostFails = c.fails;
        PollResolvePoll();
        EXPECT_EQ(Column(0), (Strings{c.shown})) << c.name;
    }
    EXPECT_EQ(lookup->localHostQueries, 3);
}

TEST_F(ResolverRun, PortNamesUnknownPortsAndPortZero)
{
    lookup->services[53] = "domain";
    table.rows = {MakeEndpoint(0, 0, 0, 0, 0), MakeEndpoint(0, 0, 0, 0, 53),
                  MakeEndpoint(0, 0, 0, 0, 40000)};

    PollResolvePoll();

    EXPECT_EQ(Column(1), (Strings{"0", "domain", "40000"}));
    EXPECT_EQ(lookup->serviceQueries, (Ports{53, 40000}));
    // An unknown port is cached under its own number and not asked again; port 0 never is.
    EXPECT_EQ(monitor.PortCacheSize(), 2u);
    EXPECT_EQ(monitor.PendingPorts(), (Strings{"0"}));
}

TEST_F(ResolverRun, DisplaySwitchShowsNamesOrNumbersAtTheNextPoll)
{
    lookup->hosts["10.0.0.10"] = "ten";
    lookup->services[53] = "domain";
    table.rows = {MakeEndpoint(10, 0, 0, 10, 53)};
    monitor.SetResolve(false);

    // Names are looked up while they are not shown.
    PollResolvePoll();
    EXPECT_EQ(Column(0), (Strings{"10.0.0.10"}));
    EXPECT_EQ(Column(1), (Strings{"53"}));
    EXPECT_EQ(monitor.HostCacheSize(), 1u);

    monitor.SetResolve(true);
    EXPECT_EQ(Column(0), (Strings{"10.0.0.10"}));
    Poll();
    EXPECT_EQ(Column(0), (Strings{"ten"}));
    EXPECT_EQ(Column(1), (Strings{"domain"}));

    monitor.SetResolve(false);
    Poll();
    EXPECT_EQ(Column(0), (Strings{"10.0.0.10"}));
    EXPECT_EQ(Column(1), (Strings{"53"}));
}

TEST_F(ResolverRun, OneRunAtATime)
{
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1)};
    Poll();
    EXPECT_TRUE(monitor.IsResolverRunning());

    table.rows.push_back(MakeEndpoint(10, 0, 0, 2, 2));
    Poll();
    Poll();
    EXPECT_EQ(starter.requests, 1);
    EXPECT_EQ(monitor.PendingHosts(), (Strings{"10.0.0.1", "10.0.0.2"}));

    // The queues are empty once the marker is clear.
    starter.RunAll();
    EXPECT_FALSE(monitor.IsResolverRunning());
    EXPECT_TRUE(monitor.PendingHosts().empty());
    EXPECT_TRUE(monitor.PendingPorts().empty());

    // Neither address resolved, so the next poll queues them and starts a new run.
    Poll();
    EXPECT_EQ(starter.requests, 2);
    EXPECT_TRUE(monitor.IsResolverRunning());
}

TEST_F(ResolverRun, KeysQueuedDuringARunAreTakenUntilTheirPassIsOver)
{
    lookup->hosts["10.1.1.1"] = "late";
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1)};
    // Polls that arrive while an address and while a port is looked up. They would
    // deadlock if a look-up held the lock.
    PollDuringLookup(lookup->duringHostLookup, MakeEndpoint(10, 1, 1, 1, 7));
    PollDuringLookup(lookup->duringServiceLookup, MakeEndpoint(10, 2, 2, 2, 9));
    Poll();
    starter.RunAll();

    EXPECT_EQ(starter.requests, 1);
    EXPECT_EQ(lookup->hostQueries, (Strings{"10.0.0.1", "10.1.1.1"}));
    EXPECT_EQ(lookup->serviceQueries, (Ports{1, 7, 9}));
    // The address queued after the address pass went with the queues; the next poll
    // queues it again.
    EXPECT_TRUE(monitor.PendingHosts().empty());
    Poll();
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "late", "10.2.2.2"}));
    EXPECT_EQ(monitor.PendingHosts(), (Strings{"10.0.0.1", "10.2.2.2"}));
}

} // namespace
} // namespace tarnwick
