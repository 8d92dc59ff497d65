#include "tests/native/MonitorFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tarnwick {
namespace {

class EndpointPoll : public CMonitorFixture {};

TEST_F(EndpointPoll, RowsShowEachEndpointInTableOrderAndQueueEachKeyOnce)
{
    auto odd = MakeEndpoint(192, 168, 1, 10, 40000);
    odd.portFieldHigh = 0xBEEF;
    table.rows = {MakeEndpoint(0, 0, 0, 0, 53), MakeEndpoint(127, 0, 0, 1, 53),
                  MakeEndpoint(127, 0, 0, 1, 137), odd};
    Poll();
    EXPECT_EQ(Column(0), (Strings{"0.0.0.0", "127.0.0.1", "127.0.0.1", "192.168.1.10"}));
    EXPECT_EQ(Column(1), (Strings{"53", "53", "137", "40000"}));
    EXPECT_FALSE(endpoints.outOfRange);

    // 92.168.1.10 is a part of 192.168.1.10's text.
    table.rows.push_back(MakeEndpoint(92, 168, 1, 10, 53));
    Poll();
    EXPECT_EQ(monitor.PendingHosts(),
              (Strings{"0.0.0.0", "127.0.0.1", "192.168.1.10", "92.168.1.10"}));
    EXPECT_EQ(monitor.PendingPorts(), (Strings{"13568", "35072", "16540"}));
    EXPECT_EQ(starter.requests, 1);
}

TEST_F(EndpointPoll, NamesReplaceOnlyTheirOwnAddressAndPort)
{
    lookup->hosts["10.0.0.10"] = "ten";
    lookup->services[53] = "domain";
    table.rows = {MakeEndpoint(10, 0, 0, 10, 53)};
    PollResolvePoll();
    ASSERT_EQ(Column(0), (Strings{"ten"}));

    // 10.0.0.1 and port 5 are parts of the cached 10.0.0.10 and 53: still unknown.
    table.rows = {MakeEndpoint(10, 0, 0, 1, 5), MakeEndpoint(10, 0, 0, 10, 53)};
    Poll();

    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "ten"}));
    EXPECT_EQ(Column(1), (Strings{"5", "domain"}));
    EXPECT_EQ(monitor.PendingHosts(), (Strings{"10.0.0.1"}));
    EXPECT_EQ(monitor.PendingPorts(), (Strings{"1280"}));
}

TEST_F(EndpointPoll, TheListHearsTheRowCountAndWhichRowsChanged)
{
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1), MakeEndpoint(10, 0, 0, 2, 2),
                  MakeEndpoint(10, 0, 0, 3, 3), MakeEndpoint(10, 0, 0, 4, 4),
                  MakeEndpoint(10, 0, 0, 5, 5)};
    Poll();
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1), MakeEndpoint(10, 0, 0, 9, 2),
                  MakeEndpoint(10, 0, 0, 3, 3)};
    Poll();

    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.9", "10.0.0.3"}));
    EXPECT_EQ(endpoints.calls, 2);
    // Five new rows, then row 1 alone; the shorter list is no row more.
    EXPECT_EQ(endpoints.setCalls, 5 + 1);
    EXPECT_FALSE(endpoints.outOfRange);
}

TEST_F(EndpointPoll, WritesOnlyCellsWhoseTextChanges)
{
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1), MakeEndpoint(10, 0, 0, 2, 2)};
    table.stats = {1, 2, 3, 4, 5};
    Poll();
    endpoints.setCalls = statistics.setCalls = 0;

    Poll();
    EXPECT_EQ(endpoints.setCalls, 0);
    EXPECT_EQ(statistics.setCalls, 0);

    table.rows[1].port = 3;
    table.stats.dwInErrors = 6;
    Poll();
    EXPECT_EQ(endpoints.setCalls, 1);
    EXPECT_EQ(endpoints.GetCellText(1, 1), "3");
    EXPECT_EQ(statistics.setCalls, 1);
}

TEST_F(EndpointPoll, EmptyTableDeletesEveryRowYetStartsARunForWhatIsQueued)
{
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1), MakeEndpoint(10, 0, 0, 2, 2),
                  MakeEndpoint(10, 0, 0, 3, 3)};
    Poll();
    starter.RunAll();
    starter.requests = 0;
    table.rows.clear();
    Poll();
    EXPECT_EQ(endpoints.GetRowCount(), 0);
    EXPECT_TRUE(monitor.PendingHosts().empty());
    EXPECT_TRUE(monitor.PendingPorts().empty());
    EXPECT_EQ(starter.requests, 0);

    // Keys queued by a poll whose run could not start are taken by the next run.
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1)};
    starter.refuse = true;
    Poll();
    starter.refuse = false;
    table.rows.clear();
    Poll();
    EXPECT_EQ(endpoints.GetRowCount(), 0);
    EXPECT_EQ(starter.requests, 2);
    EXPECT_TRUE(monitor.IsResolverRunning());
}

TEST_F(EndpointPoll, StatisticsGoToColumnOneInRowOrder)
{
    table.stats.dwNumAddrs = 7;
    table.stats.dwOutDatagrams = 4294967295u;
    table.stats.dwInDatagrams = 123456;
    table.stats.dwInErrors = 9;
    Poll();

    const Strings expected{"7", "0", "4294967295", "123456", "9"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(statistics.GetCellText(row, 1), expected[row]) << "row " << row;
        EXPECT_EQ(statistics.GetCellText(row, 0), "") << "row " << row;
    }

    // Failing counters leave the texts as they were.
    table.statsFail = true;
    table.stats.dwNumAddrs = 8;
    Poll();
    EXPECT_EQ(statistics.GetCellText(0, 1), "7");

    // A shorter list is not written past its end.
    CFakeRowList shortList(2);
    table.statsFail = false;
    table.stats.dwNoPorts = 3;
    Poll(shortList);
    EXPECT_EQ(shortList.GetCellText(1, 1), "3");
    EXPECT_FALSE(shortList.outOfRange);
}

TEST_F(EndpointPoll, FailedReadShowsTheMessageUntilTheNextGoodRead)
{
    const std::string failed = "Unable to get UDP Connections";
    table.failure = 31; // a general failure, not a size problem
    table.stats.dwInDatagrams = 42;
    // An empty list gets a row for the message; the counters are still shown, and a failing
    // source is read once per poll, its message written once.
    for (int i = 0; i < 3; ++i)
        Poll();
    EXPECT_EQ(Column(0), (Strings{failed}));
    EXPECT_EQ(statistics.GetCellText(3, 1), "42");
    EXPECT_EQ(table.readCalls, 3);
    EXPECT_EQ(endpoints.setCalls, 1);
    EXPECT_EQ(starter.requests, 0);

    table.failure = kNoError;
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1), MakeEndpoint(10, 0, 0, 2, 2)};
    Poll();
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2"}));

    // The other rows keep their texts.
    table.failure = 31;
    Poll();
    EXPECT_EQ(Column(0), (Strings{failed, "10.0.0.2"}));
    EXPECT_EQ(Column(1), (Strings{"1", "2"}));

    table.failure = kNoError;
    Poll();
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2"}));
}

using fakes::MakeEndpoint6;

class Ipv6Poll : public CMonitorFixture {
protected:
    Ipv6Poll() { monitor.SetIPv6(true, endpoints); }
};

TEST_F(Ipv6Poll, AddressTextsAreCompressedInLowerCaseAfterTheIpv4Rows)
{
    // clang-format off
    const std::pair<fakes::Endpoint, const char*> cases[] = {
        {MakeEndpoint6({0, 0, 0, 0, 0, 0, 0, 0}, 1),                   "::"},
        {MakeEndpoint6({0, 0, 0, 0, 0, 0, 0, 1}, 1, 4096),             "::1"}, // Wine's scope id
        {MakeEndpoint6({0x2001, 0xDB8, 0, 0, 0, 0, 0, 1}, 1),          "2001:db8::1"},
        {MakeEndpoint6({0xFE80, 0, 0, 0, 0, 0, 0, 1}, 1, 12),          "fe80::1%12"},
        {MakeEndpoint6({0xFEBF, 0xABCD, 0, 0, 0, 0, 0, 0}, 1, 3),      "febf:abcd::%3"},
        {MakeEndpoint6({0, 0, 0, 0, 0, 0xFFFF, 0xC000, 0x201}, 1),     "::ffff:192.0.2.1"},
        {MakeEndpoint6({0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}, 1),
                                                       "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
        {MakeEndpoint6({1, 0, 0, 2, 0, 0, 0, 3}, 1),                   "1:0:0:2::3"},
        {MakeEndpoint6({1, 0, 0, 2, 0, 0, 3, 4}, 1),                   "1::2:0:0:3:4"},
        {MakeEndpoint6({1, 0, 2, 3, 4, 5, 6, 0x70}, 1),                "1:0:2:3:4:5:6:70"},
    };
    // clang-format on
    Strings texts{"192.0.2.1"};
    for (const auto& c : cases) {
        table.rows.push_back(c.first);
        texts.push_back(c.second);
    }
    table.rows.push_back(MakeEndpoint(192, 0, 2, 1, 53));
    Poll();
    EXPECT_EQ(Column(0), texts);
}

TEST_F(Ipv6Poll, Ipv6RowsCountersAndFailuresComeAndGoWithoutAWriteToTheIpv4Rows)
{
    const std::string failed = "Unable to get IPv6 UDP Connections (error ";
    const auto counters = [this] {
        std::string values;
        for (const auto& row : statistics.rows)
            values += row[1] + " ";
        return values;
    };
    statistics.rows.resize(10);
    table.stats = {1, 2, 3, 4, 5};
    table.stats6 = {11, 12, 13, 14, 15};
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1), MakeEndpoint(10, 0, 0, 2, 2)};
    Poll();
    endpoints.setCalls = 0;
    table.rows.push_back(MakeEndpoint6({0x2001, 0xDB8, 0, 0, 0, 0, 0, 1}, 3));
    table.rows.push_back(MakeEndpoint6({0x2001, 0xDB8, 0, 0, 0, 0, 0, 2}, 4));
    Poll();
    EXPECT_EQ(endpoints.setCalls, 2);
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2", "2001:db8::1", "2001:db8::2"}));
    EXPECT_EQ(Column(1), (Strings{"1", "2", "3", "4"}));
    EXPECT_EQ(counters(), "5 2 4 1 3 15 12 14 11 13 ");

    table.failure6 = 31;
    table.statsFail = table.stats6Fail = true;
    Poll();
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2", failed + "31)"}));
    EXPECT_EQ(Column(1), (Strings{"1", "2", ""}));
    EXPECT_EQ(counters(), "5 2 4 1 3      ");
    table.failure6 = kNoError;
    table.overCount6 = true;
    Poll();
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2", failed + "13)"}));

    // Off: the IPv6 rows go at once, a read begun before is not shown, and then the IPv4
    // table alone is read.
    table.overCount6 = false;
    monitor.RequestPoll();
    monitor.SetIPv6(false, endpoints);
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2"}));
    endpoints.setCalls = table.readCalls = 0;
    ASSERT_TRUE(monitor.ApplyRead(endpoints, statistics));
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2"}));
    ASSERT_TRUE(monitor.ApplyRead(endpoints, statistics));
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2"}));
    // One read of the IPv4 table, whose rows are those shown.
    EXPECT_EQ(table.readCalls, 1);
    EXPECT_EQ(endpoints.setCalls, 0);
    EXPECT_FALSE(monitor.IsPolling());
}

TEST_F(Ipv6Poll, Ipv6NamesAreLookedUpAndMatchedByTheWholeAddress)
{
    lookup->hosts["2001:db8::1"] = "six";
    lookup->hosts["fe80::1%12"] = "link";
    lookup->hosts["10.0.0.7"] = "seven";
    table.rows = {MakeEndpoint6({0x2001, 0xDB8, 0, 0, 0, 0, 0, 1}, 1),
                  MakeEndpoint6({0x2001, 0xDB8, 0, 0, 0, 0, 0, 0x10}, 1),
                  MakeEndpoint6({0, 0, 0, 0, 0, 0, 0, 0}, 1),
                  MakeEndpoint6({0, 0, 0, 0, 0, 0, 0, 1}, 1, 4096),
                  MakeEndpoint6({0xFE80, 0, 0, 0, 0, 0, 0, 1}, 1, 12),
                  MakeEndpoint6({0xFE80, 0, 0, 0, 0, 0, 0, 1}, 1, 13),
                  MakeEndpoint6({0, 0, 0, 0, 0, 0xFFFF, 0x0A00, 0x0007}, 1)};
    PollResolvePoll();
    // An IPv4 address on an IPv6 socket has the IPv4 address's name; equal link-local
    // addresses of two interfaces are two endpoints.
    EXPECT_EQ(Column(0),
              (Strings{"six", "2001:db8::10", "MYPC", "localhost", "link", "fe80::1%13", "seven"}));
    // "::" and "::1" never reach the reverse look-up; what did not resolve is asked again.
    EXPECT_EQ(lookup->hostQueries,
              (Strings{"2001:db8::1", "2001:db8::10", "fe80::1%12", "fe80::1%13", "10.0.0.7"}));
    EXPECT_EQ(monitor.PendingHosts(), (Strings{"2001:db8::10", "fe80::1%13"}));
}

} // namespace
} // namespace tarnwick
