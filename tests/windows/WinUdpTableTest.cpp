#include "app/WinUdpTable.h"

#include <winsock2.h>
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

using tarnwick::AddressFamily;

struct UdpTable3 {
    DWORD count;
    MIB_UDPROW_OWNER_PID rows[3];
};

TEST(WinUdpTableTest, RowsAreSortedAsHostOrderNumbersAndACountPastTheBufferIsRefused)
{
    // Compared in network order, 11.0.0.1 would come first, and port 1025 before 53.
    // The owner travels with its row.
    const MIB_UDPROW_OWNER_PID a = {htonl(0x0A000002), htons(53), 7};
    const MIB_UDPROW_OWNER_PID b = {htonl(0x0B000001), htons(53), 8};
    const MIB_UDPROW_OWNER_PID c = {htonl(0x0A000002), htons(1025), 9};
    UdpTable3 table = {3, {b, c, a}};
    ASSERT_TRUE(SortUdpTable(AddressFamily::kIPv4, &table, sizeof table));
    const UdpTable3 sorted = {3, {a, c, b}};
    EXPECT_EQ(0, std::memcmp(&sorted, &table, sizeof table));

    for (DWORD count : {4ul, 0xFFFFFFFFul}) {
        table.count = count;
        const UdpTable3 before = table;
        EXPECT_FALSE(SortUdpTable(AddressFamily::kIPv4, &table, sizeof table)) << count;
        EXPECT_EQ(0, std::memcmp(&before, &table, sizeof table)) << count;
    }

    // IPv6: address bytes, then scope id, then port.
    const auto row = [](BYTE last, DWORD scopeId, u_short port) {
        MIB_UDP6ROW_OWNER_PID result = {};
        result.ucLocalAddr[0] = 0xFE;
        result.ucLocalAddr[1] = 0x80;
        result.ucLocalAddr[15] = last;
        result.dwLocalScopeId = scopeId;
        result.dwLocalPort = htons(port);
        result.dwOwningPid = port;
        return result;
    };
    struct {
        DWORD count;
        MIB_UDP6ROW_OWNER_PID rows[4];
    } table6 = {4, {row(2, 1, 5), row(1, 3, 7), row(1, 2, 1025), row(1, 2, 53)}};
    ASSERT_TRUE(SortUdpTable(AddressFamily::kIPv6, &table6, sizeof table6));
    const MIB_UDP6ROW_OWNER_PID sorted6[] = {row(1, 2, 53), row(1, 2, 1025), row(1, 3, 7),
                                             row(2, 1, 5)};
    EXPECT_EQ(0, std::memcmp(sorted6, table6.rows, sizeof sorted6));
    table6.count = 5;
    EXPECT_FALSE(SortUdpTable(AddressFamily::kIPv6, &table6, sizeof table6));
}

} // namespace
