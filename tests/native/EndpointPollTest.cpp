#include "MonitorFixture.h"

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

TEST_F(EndpointPoll, RowsAreReusedByPositionAndSurplusRowsDeleted)
{
    endpoints.rows.assign(5, {"old host", "old port"});
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1), MakeEndpoint(10, 0, 0, 2, 2),
                  MakeEndpoint(10, 0, 0, 3, 3)};

    Poll();

    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2", "10.0.0.3"}));
    EXPECT_EQ(Column(1), (Strings{"1", "2", "3"}));
    EXPECT_EQ(endpoints.deletedRows, (std::vector<int>{4, 3}));
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
    endpoints.rows.resize(3);
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
    Poll(shortList);
    EXPECT_EQ(shortList.GetCellText(1, 1), "0");
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
    Ipv6Poll() { monitor.SetIPv6(true); }
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
    EXPECT_EQ(endpoints.setCalls, 4);
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

    // Off: the IPv4 table alone is read, and the IPv6 rows go.
    monitor.SetIPv6(false);
    endpoints.setCalls = table.readCalls = 0;
    Poll();
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2"}));
    EXPECT_EQ(endpoints.setCalls + table.readCalls, 1);
}

TEST_F(Ipv6Poll, Ipv6NamesAreLookedUpAndMatchedByTheWholeAddress)
{
    lookup->hosts["2001:db8::1"] = "six";
    table.rows = {MakeEndpoint6({0x2001, 0xDB8, 0, 0, 0, 0, 0, 1}, 1),
                  MakeEndpoint6({0x2001, 0xDB8, 0, 0, 0, 0, 0, 0x10}, 1),
                  MakeEndpoint6({0, 0, 0, 0, 0, 0, 0, 0}, 1),
                  MakeEndpoint6({0, 0, 0, 0, 0, 0, 0, 1}, 1, 4096)};
    PollResolvePoll();
    EXPECT_EQ(Column(0), (Strings{"six", "2001:db8::10", "MYPC", "localhost"}));
    // "::" and "::1" never reach the reverse look-up; what did not resolve is asked again.
    EXPECT_EQ(lookup->hostQueries, (Strings{"2001:db8::1", "2001:db8::10"}));
    EXPECT_EQ(monitor.PendingHosts(), (Strings{"2001:db8::10"}));
}

} // namespace
} // namespace tarnwick
