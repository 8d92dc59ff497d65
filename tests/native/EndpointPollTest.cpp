#include "MonitorFixture.h"

#include <gtest/gtest.h>

#include <string>
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

    // 19.68.0.26 has the key 323223578, a part of 192.168.1.10's key 3232235786.
    table.rows.push_back(MakeEndpoint(19, 68, 0, 26, 53));
    Poll();
    EXPECT_EQ(monitor.PendingHosts(), (Strings{"0", "2130706433", "3232235786", "323223578"}));
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
    EXPECT_EQ(monitor.PendingHosts(), (Strings{"167772161"}));
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

} // namespace
} // namespace tarnwick
