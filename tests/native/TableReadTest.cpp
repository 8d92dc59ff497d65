#include "tests/native/MonitorFixture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace tarnwick {
namespace {

// The reader's first buffer holds the count and this many rows.
constexpr std::uint32_t kInitialRows = 8192;
constexpr std::uint32_t kInitialBufferBytes = kUdpTableHeaderSize + kInitialRows * kUdpRowSize;
constexpr int kFailed = -1;

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

struct ReadCase {
    const char* name;
    std::size_t rows;
    // After each "buffer too small" answer the table grows by this many percent, `times` times.
    std::size_t growthPercent;
    int times;
    int reads;
    int shownRows; // or kFailed
};
void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class TableRead : public CMonitorFixture, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(TableRead, TableIsShownAfterAtMostFourReadsAndAGrownBufferIsKept)
{
    const ReadCase c = GetParam();
    FillTable(table, c.rows);
    int times = c.times;
    table.afterTooSmall = [&c, &times](CFakeUdpTable& t) {
        if (times-- > 0)
            FillTable(t, t.rows.size() * (100 + c.growthPercent) / 100);
    };

    Poll();
    EXPECT_EQ(table.offeredSizes.front(), kInitialBufferBytes);
    EXPECT_EQ(table.readCalls, c.reads);
    if (c.shownRows == kFailed)
        EXPECT_EQ(Column(0), (Strings{"Unable to get UDP Connections"}));
    else
        EXPECT_EQ(endpoints.GetRowCount(), c.shownRows);

    // Once the table holds still, a poll reads it once.
    Poll();
    table.readCalls = 0;
    Poll();
    EXPECT_EQ(table.readCalls, 1);
    const auto rows = table.rows.size();
    ASSERT_EQ(endpoints.GetRowCount(), static_cast<int>(rows));
    if (rows > 0) {
        EXPECT_EQ(endpoints.GetCellText(static_cast<int>(rows) - 1, 0), AddressOfRow(rows - 1));
        EXPECT_EQ(endpoints.GetCellText(static_cast<int>(rows) - 1, 1),
                  std::to_string(1000 + (rows - 1) % 60000));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableRead,
    ::testing::Values(ReadCase{"empty", 0, 0, 0, 1, 0},
                      ReadCase{"fills the first buffer", kInitialRows, 0, 0, 1, kInitialRows},
                      ReadCase{"one row too many", kInitialRows + 1, 0, 0, 2, kInitialRows + 1},
                      ReadCase{"a tenth more between size and read", 10000, 10, 1, 2, 11000},
                      ReadCase{"doubles twice", 9000, 100, 2, 4, 36000},
                      ReadCase{"doubles three times", 9000, 100, 3, 4, kFailed}));

} // namespace
} // namespace tarnwick
