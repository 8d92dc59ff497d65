#include "MonitorFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

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

class TableRead : public CMonitorFixture {
protected:
    // After each failing read the table gets `growth` more rows, `times` times at most.
    void GrowAfterTooSmall(std::size_t growth, int times)
    {
        table.afterTooSmall = [growth, times](CFakeUdpTable& t) mutable {
            if (times-- > 0)
                FillTable(t, t.rows.size() + growth);
        };
    }
};

class TableReadSizes : public TableRead, public ::testing::WithParamInterface<int> {};

TEST_P(TableReadSizes, WholeTableIsShownAndASteadyTableIsReadOncePerPoll)
{
    const auto rows = static_cast<std::size_t>(GetParam());
    FillTable(table, rows);

    Poll();
    // A table that does not fit the first buffer costs one failing read, once.
    EXPECT_EQ(table.readCalls, rows > 640 ? 2 : 1);
    EXPECT_EQ(table.offeredSizes.front(), kInitialBufferBytes);
    ASSERT_EQ(endpoints.GetRowCount(), GetParam());
    if (rows > 0) {
        EXPECT_EQ(endpoints.Cell(GetParam() - 1, 0), AddressOfRow(rows - 1));
        EXPECT_EQ(endpoints.Cell(GetParam() - 1, 1), std::to_string(1000 + (rows - 1) % 60000));
    }

    table.readCalls = 0;
    Poll();
    EXPECT_EQ(table.readCalls, 1);
    EXPECT_EQ(endpoints.GetRowCount(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Rows, TableReadSizes, ::testing::Values(0, 640, 641, 5000));

TEST_F(TableRead, BufferKeepsRoomForAFewNewSocketsBetweenReads)
{
    FillTable(table, 700);
    GrowAfterTooSmall(10, 1);
    Poll();
    EXPECT_EQ(table.readCalls, 2);
    EXPECT_EQ(endpoints.GetRowCount(), 710);
}

TEST_F(TableRead, TableThatKeepsGrowingIsFollowedForAFewReads)
{
    FillTable(table, 700);
    GrowAfterTooSmall(100, 2);
    Poll();
    EXPECT_EQ(table.readCalls, 4);
    ASSERT_EQ(endpoints.GetRowCount(), 900);
    EXPECT_EQ(endpoints.Cell(899, 0), AddressOfRow(899));
}

TEST_F(TableRead, TableThatNeverFitsIsAFailure)
{
    FillTable(table, 700);
    GrowAfterTooSmall(1000, 1000);
    table.stats.dwNoPorts = 5;

    Poll();

    EXPECT_GE(table.readCalls, 2);
    EXPECT_LE(table.readCalls, 8);
    EXPECT_EQ(Column(0), (Strings{"Unable to get UDP Connections"}));
    EXPECT_EQ(statistics.Cell(1, 1), "5");

    // Once the table stops growing, the next poll shows it.
    table.afterTooSmall = nullptr;
    Poll();
    EXPECT_EQ(endpoints.GetRowCount(), static_cast<int>(table.rows.size()));
}

} // namespace
} // namespace tarnwick
