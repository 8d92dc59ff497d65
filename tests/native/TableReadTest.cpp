#include "EndpointMonitor.h"
#include "MonitorFakes.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>

namespace tarnwick {
namespace {

using fakes::CFakeNameLookup;
using fakes::CFakeRowList;
using fakes::CFakeUdpTable;
using fakes::MakeEndpoint;

constexpr std::uint32_t kInitialBufferBytes = 5124; // the count and 640 rows

// Rows 10.x.y.z port 1000 + i, sorted, all distinct.
void FillTable(CFakeUdpTable& table, std::size_t count)
{
    for (std::size_t i = table.rows.size(); i < count; ++i)
        table.rows.push_back(MakeEndpoint(
            10, static_cast<unsigned>(i >> 16), static_cast<unsigned>((i >> 8) & 0xFF),
            static_cast<unsigned>(i & 0xFF), static_cast<std::uint16_t>(1000 + i % 60000)));
}

std::string AddressOfRow(std::size_t i)
{
    return "10." + std::to_string(i >> 16) + "." + std::to_string((i >> 8) & 0xFF) + "." +
           std::to_string(i & 0xFF);
}

class TableRead : public ::testing::Test {
protected:
    CFakeUdpTable table;
    // No starter that runs anything: these tests are about the table alone.
    CEndpointMonitor monitor{table, std::make_shared<CFakeNameLookup>(),
                             [](std::function<void()>) { return false; }};
    CFakeRowList endpoints;
    CFakeRowList statistics{5};

    void Poll() { monitor.RefreshUdpInfo(endpoints, statistics); }
};

struct SizeCase {
    std::size_t rows;
    int firstPollReads;
};

void PrintTo(const SizeCase& c, std::ostream* out)
{
    *out << c.rows << " rows";
}

class TableReadSizes : public TableRead, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(TableReadSizes, WholeTableIsShownAndASteadyTableIsReadOncePerPoll)
{
    const SizeCase c = GetParam();
    FillTable(table, c.rows);

    Poll();
    EXPECT_EQ(table.readCalls, c.firstPollReads);
    EXPECT_EQ(table.offeredSizes.front(), kInitialBufferBytes);
    ASSERT_EQ(endpoints.GetRowCount(), static_cast<int>(c.rows));
    if (c.rows > 0) {
        const int last = static_cast<int>(c.rows) - 1;
        EXPECT_EQ(endpoints.Cell(last, 0), AddressOfRow(c.rows - 1));
        EXPECT_EQ(endpoints.Cell(last, 1), std::to_string(1000 + (c.rows - 1) % 60000));
    }
    EXPECT_GE(monitor.TableBufferSize(), 4 + 8 * c.rows);

    table.readCalls = 0;
    Poll();
    EXPECT_EQ(table.readCalls, 1);
    EXPECT_EQ(endpoints.GetRowCount(), static_cast<int>(c.rows));
}

INSTANTIATE_TEST_SUITE_P(Rows, TableReadSizes,
                         ::testing::Values(SizeCase{0, 1}, SizeCase{640, 1}, SizeCase{641, 2},
                                           SizeCase{5000, 2}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) {
                             return std::to_string(info.param.rows);
                         });

TEST_F(TableRead, BufferKeepsRoomForAFewNewSocketsBetweenReads)
{
    // Ten sockets open between the failing read and the retry.
    FillTable(table, 700);
    table.afterTooSmall = [](CFakeUdpTable& t) { FillTable(t, t.rows.size() + 10); };

    Poll();

    EXPECT_EQ(table.readCalls, 2);
    EXPECT_EQ(endpoints.GetRowCount(), 710);
}

TEST_F(TableRead, TableThatKeepsGrowingIsFollowedForAFewReads)
{
    FillTable(table, 700);
    int growths = 0;
    table.afterTooSmall = [&growths](CFakeUdpTable& t) {
        if (growths++ < 2)
            FillTable(t, t.rows.size() + 100);
    };

    Poll();

    EXPECT_EQ(table.readCalls, 4);
    EXPECT_EQ(endpoints.GetRowCount(), 900);
    EXPECT_EQ(endpoints.Cell(899, 0), AddressOfRow(899));
}

TEST_F(TableRead, TableThatNeverFitsIsAFailure)
{
    FillTable(table, 700);
    table.afterTooSmall = [](CFakeUdpTable& t) { FillTable(t, t.rows.size() + 1000); };
    table.stats.dwNoPorts = 5;

    Poll();

    const int readsInOnePoll = table.readCalls;
    EXPECT_GE(readsInOnePoll, 2);
    EXPECT_LE(readsInOnePoll, 8);
    ASSERT_EQ(endpoints.GetRowCount(), 1);
    EXPECT_EQ(endpoints.Cell(0, 0), "Unable to get UDP Connections");
    EXPECT_EQ(statistics.Cell(1, 1), "5");

    // Once the table stops growing, the next poll shows it.
    table.afterTooSmall = nullptr;
    Poll();
    EXPECT_EQ(endpoints.GetRowCount(), static_cast<int>(table.rows.size()));
}

} // namespace
} // namespace tarnwick
