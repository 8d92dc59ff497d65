#include "monitor/ChangeLogLine.h"
#include "tests/native/MonitorFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

class Changes : public CMonitorFixture {
protected:
    std::uint64_t now = 0;

    void SetUp() override
    {
        monitor.SetClock([this] { return now; });
        monitor.SetHighlight(true, endpoints);
    }
    // The ports of 10.0.0.1 in the table.
    void SetPorts(const std::vector<std::uint16_t>& ports)
    {
        table.rows.clear();
        for (const std::uint16_t port : ports)
            table.rows.push_back(MakeEndpoint(10, 0, 0, 1, port));
    }
    // The rows' ports as shown, "+" after a new one and "-" after a gone one.
    std::string Marks() const
    {
        std::string marks;
        for (const EndpointRow& row : monitor.Rows().Rows()) {
            marks += (marks.empty() ? "" : " ") + std::to_string(row.port);
            marks += row.change == RowChange::kNew    ? "+"
                     : row.change == RowChange::kGone ? "-"
                                                      : "";
        }
        return marks;
    }
};

TEST_F(Changes, NewAndGoneRowsLastThreeSecondsAndAtLeastUntilTheNextPoll)
{
    struct Step {
        std::uint64_t at;
        // Polls a table of these ports; empty: the timer looks for changes that are over.
        std::vector<std::uint16_t> poll;
        const char* marks;
    };
    const Step steps[] = {
        {0, {1, 2}, "1 2"},        // the rows of start-up are not new
        {1000, {1, 3}, "1 2- 3+"}, // 2 went and stays in its place
        {2000, {1, 3}, "1 2- 3+"}, // a poll, but not yet 3 s
        {3999, {}, "1 2- 3+"},
        {4000, {}, "1 3"},           // 3 s and a poll since: over
        {4500, {1, 3, 4}, "1 3 4+"}, // the timer alone does not end a change
        {8000, {}, "1 3 4+"},        // until the next poll
        {8500, {1, 3, 4}, "1 3 4"},  // which ends it, being 3 s later
        {9000, {1, 4}, "1 3- 4"},
        {9500, {1, 3, 4}, "1 3+ 4"}, // back: the gone row makes room for the new one
    };
    for (const Step& step : steps) {
        now = step.at;
        if (step.poll.empty()) {
            monitor.ExpireChanges(endpoints);
        } else {
            SetPorts(step.poll);
            Poll();
        }
        EXPECT_EQ(Marks(), step.marks) << "at " << step.at;
    }
    EXPECT_FALSE(endpoints.outOfRange);

    // A header click put the rows in another order; the next poll finds the changes all the same.
    monitor.Rows().Reorder({2, 1, 0});
    ASSERT_EQ(Marks(), "4 3+ 1");
    SetPorts({1, 4});
    Poll();
    ASSERT_EQ(Marks(), "1 3- 4");

    // Switched off, the gone rows go and no row is marked; the row that moved up into the gone
    // one's place is told changed.
    const int told = endpoints.setCalls;
    monitor.SetHighlight(false, endpoints);
    EXPECT_EQ(Marks(), "1 4");
    EXPECT_EQ(endpoints.GetRowCount(), 2);
    EXPECT_EQ(endpoints.setCalls - told, 1);
}

TEST_F(Changes, EachPollReportsTheEndpointsThatCameAndWentButNotThoseOfStartUpOrOfIPv6SwitchedOn)
{
    monitor.SetHighlight(false, endpoints);
    monitor.SetReportChanges(true);
    std::vector<EndpointRow> appeared;
    std::vector<EndpointRow> gone;
    const auto ports = [](const std::vector<EndpointRow>& rows) {
        std::vector<std::uint16_t> list;
        for (const EndpointRow& row : rows)
            list.push_back(row.port);
        return list;
    };
    SetPorts({1, 2});
    Poll();
    monitor.TakeChanges(appeared, gone);
    EXPECT_TRUE(appeared.empty());

    SetPorts({1, 3, 4});
    Poll();
    monitor.TakeChanges(appeared, gone);
    EXPECT_EQ(ports(appeared), (std::vector<std::uint16_t>{3, 4}));
    EXPECT_EQ(ports(gone), (std::vector<std::uint16_t>{2}));
    // Off, a gone endpoint leaves at once.
    EXPECT_EQ(Marks(), "1 3 4");

    table.rows.push_back(fakes::MakeEndpoint6({0, 0, 0, 0, 0, 0, 0, 1}, 5));
    monitor.SetIPv6(true, endpoints);
    Poll();
    monitor.TakeChanges(appeared, gone);
    EXPECT_TRUE(appeared.empty());
    table.rows.push_back(fakes::MakeEndpoint6({0, 0, 0, 0, 0, 0, 0, 1}, 6));
    Poll();
    monitor.TakeChanges(appeared, gone);
    EXPECT_EQ(ports(appeared), (std::vector<std::uint16_t>{6}));
}

TEST(ChangeLogLine, HoldsTheTimeTheSignAndTheNumbersOfTheRow)
{
    EndpointRow row;
    row.address = fakes::MakeEndpoint6({0xFE80, 0, 0, 0, 0, 0, 0, 1}, 41100, 12).address;
    row.port = 41100;
    row.pid = 4321;
    row.texts[0] = "host.example";
    row.texts[1] = "service";
    row.texts[3] = "srv.exe";
    std::string text;
    AppendChangeLogLine(text, {2024, 3, 7, 9, 5, 1}, true, row, false);
    AppendChangeLogLine(text, {2024, 12, 31, 23, 59, 59}, false, row, true);
    EXPECT_EQ(text, "2024-03-07 09:05:01   +   fe80::1%12   41100   \r\n"
                    "2024-12-31 23:59:59   -   fe80::1%12   41100   4321   srv.exe   \r\n");
}

} // namespace
} // namespace tarnwick
