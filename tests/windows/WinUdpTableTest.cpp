#include "WinUdpTable.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct UdpTable3 {
    DWORD count;
    MIB_UDPROW rows[3];
};

TEST(WinUdpTableTest, RowsAreSortedAsHostOrderNumbersAndACountPastTheBufferIsRefused)
{
    // Compared in network order, 11.0.0.1 would come first, and port 1025 before 53.
    const MIB_UDPROW a = {htonl(0x0A000002), htons(53)};
    const MIB_UDPROW b = {htonl(0x0B000001), htons(53)};
    const MIB_UDPROW c = {htonl(0x0A000002), htons(1025)};
    UdpTable3 table = {3, {b, c, a}};
    ASSERT_TRUE(SortUdpTable(&table, sizeof table));
    const UdpTable3 sorted = {3, {a, c, b}};
    EXPECT_EQ(0, std::memcmp(&sorted, &table, sizeof table));

    for (DWORD count : {4ul, 0xFFFFFFFFul}) {
        table.count = count;
        const UdpTable3 before = table;
        EXPECT_FALSE(SortUdpTable(&table, sizeof table)) << count;
        EXPECT_EQ(0, std::memcmp(&before, &table, sizeof table)) << count;
    }
}

} // namespace
