#include "MonitorFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

using fakes::CFakeNameLookup;
using fakes::CFakeRowList;
using fakes::CFakeUdpTable;
using fakes::CManualStarter;
using fakes::MakeEndpoint;
using Strings = std::vector<std::string>;

class EndpointPoll : public CMonitorFixture {};

TEST_F(EndpointPoll, RowsShowEachEndpointInTableOrder)
{
    auto odd = MakeEndpoint(192, 168, 1, 10, 40000);
    odd.portFieldHigh = 0xBEEF;
    table.rows = {MakeEndpoint(0, 0, 0, 0, 53), MakeEndpoint(127, 0, 0, 1, 137), odd};

    Poll();

    EXPECT_EQ(Column(0), (Strings{"0.0.0.0", "127.0.0.1", "192.168.1.10"}));
    EXPECT_EQ(Column(1), (Strings{"53", "137", "40000"}));
    EXPECT_FALSE(endpoints.outOfRange);
}

TEST_F(EndpointPoll, QueuesEachKeyOnceInItsFormat)
{
    table.rows = {MakeEndpoint(0, 0, 0, 0, 53), MakeEndpoint(127, 0, 0, 1, 53),
                  MakeEndpoint(127, 0, 0, 1, 137), MakeEndpoint(192, 168, 1, 10, 53)};
    Poll();
    Poll();

    EXPECT_EQ(monitor.PendingHosts(), (Strings{"0", "2130706433", "3232235786"}));
    EXPECT_EQ(monitor.PendingPorts(), (Strings{"13568", "35072"}));
    EXPECT_EQ(starter.requests, 1);
}

TEST_F(EndpointPoll, QueueKeysAreMatchedExactly)
{
    // 19.68.0.26 has the key 323223578, which is a part of 192.168.1.10's key 3232235786.
    table.rows = {MakeEndpoint(192, 168, 1, 10, 1)};
    Poll();
    table.rows.push_back(MakeEndpoint(19, 68, 0, 26, 1));
    Poll();

    EXPECT_EQ(monitor.PendingHosts(), (Strings{"3232235786", "323223578"}));
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
    for (int i = 0; i < 5; ++i) {
        endpoints.AppendRow();
        endpoints.SetCellText(i, 0, "old host " + std::to_string(i));
        endpoints.SetCellText(i, 1, "old port " + std::to_string(i));
    }
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
    endpoints.setCalls = 0;
    statistics.setCalls = 0;

    Poll();
    EXPECT_EQ(endpoints.setCalls, 0);
    EXPECT_EQ(statistics.setCalls, 0);

    table.rows[1].port = 3;
    table.stats.dwInErrors = 6;
    Poll();
    EXPECT_EQ(endpoints.setCalls, 1);
    EXPECT_EQ(endpoints.Cell(1, 1), "3");
    EXPECT_EQ(statistics.setCalls, 1);
}

TEST_F(EndpointPoll, EmptyTableDeletesEveryRowAndQueuesNothing)
{
    for (int i = 0; i < 3; ++i)
        endpoints.AppendRow();

    Poll();

    EXPECT_EQ(endpoints.GetRowCount(), 0);
    EXPECT_TRUE(monitor.PendingHosts().empty());
    EXPECT_TRUE(monitor.PendingPorts().empty());
    EXPECT_EQ(starter.requests, 0);
}

TEST_F(EndpointPoll, EmptyTableStillStartsARunForWhatIsQueued)
{
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
    table.stats.dwNoPorts = 0;
    table.stats.dwOutDatagrams = 4294967295u;
    table.stats.dwInDatagrams = 123456;
    table.stats.dwInErrors = 9;

    Poll();

    const Strings expected{"7", "0", "4294967295", "123456", "9"};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(statistics.Cell(row, 1), expected[row]) << "row " << row;
        EXPECT_EQ(statistics.Cell(row, 0), "") << "row " << row;
    }

    table.statsFail = true;
    table.stats.dwNumAddrs = 8;
    Poll();
    EXPECT_EQ(statistics.Cell(0, 1), "7");
}

TEST_F(EndpointPoll, ShortStatisticsListIsNotWrittenPastItsEnd)
{
    CFakeRowList shortList(2);
    table.stats.dwNoPorts = 3;
    monitor.RefreshUdpInfo(endpoints, shortList);

    EXPECT_EQ(shortList.Cell(1, 1), "3");
    EXPECT_FALSE(shortList.outOfRange);
}

class FailedRead : public EndpointPoll {
protected:
    void SetUp() override
    {
        table.failure = 31; // a general failure, not a size problem
        table.stats.dwInDatagrams = 42;
    }
};

TEST_F(FailedRead, EmptyListGetsARowWithTheMessage)
{
    Poll();

    ASSERT_EQ(endpoints.GetRowCount(), 1);
    EXPECT_EQ(endpoints.Cell(0, 0), "Unable to get UDP Connections");
    EXPECT_EQ(statistics.Cell(3, 1), "42");
    EXPECT_EQ(table.readCalls, 1);
}

TEST_F(FailedRead, OtherRowsKeepTheirTextsUntilTheNextGoodRead)
{
    table.failure = kNoError;
    table.rows = {MakeEndpoint(10, 0, 0, 1, 1), MakeEndpoint(10, 0, 0, 2, 2)};
    Poll();
    table.failure = 31;

    Poll();
    EXPECT_EQ(Column(0), (Strings{"Unable to get UDP Connections", "10.0.0.2"}));
    EXPECT_EQ(Column(1), (Strings{"1", "2"}));

    table.failure = kNoError;
    Poll();
    EXPECT_EQ(Column(0), (Strings{"10.0.0.1", "10.0.0.2"}));
}

TEST_F(FailedRead, SourceThatAlwaysFailsIsReadOncePerPoll)
{
    for (int i = 0; i < 3; ++i)
        Poll();

    EXPECT_EQ(table.readCalls, 3);
    EXPECT_EQ(Column(0), (Strings{"Unable to get UDP Connections"}));
    EXPECT_EQ(endpoints.setCalls, 1);
    EXPECT_EQ(starter.requests, 0);
}

} // namespace
} // namespace tarnwick
