#include "app/WinUdpTable.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

static_assert(sizeof(MIB_UDPROW_OWNER_PID) == tarnwick::kUdpRowSize, "IPv4 row layout");
static_assert(sizeof(MIB_UDP6ROW_OWNER_PID) == tarnwick::kUdp6RowSize, "IPv6 row layout");

bool Ipv4RowLess(const MIB_UDPROW_OWNER_PID& a, const MIB_UDPROW_OWNER_PID& b)
{
    u_long addressA = ntohl(a.dwLocalAddr);
    u_long addressB = ntohl(b.dwLocalAddr);
    if (addressA != addressB)
        return addressA < addressB;
    return ntohs(static_cast<u_short>(a.dwLocalPort)) < ntohs(static_cast<u_short>(b.dwLocalPort));
}

bool Ipv6RowLess(const MIB_UDP6ROW_OWNER_PID& a, const MIB_UDP6ROW_OWNER_PID& b)
{
    if (int order = std::memcmp(a.ucLocalAddr, b.ucLocalAddr, sizeof a.ucLocalAddr))
        return order < 0;
    if (a.dwLocalScopeId != b.dwLocalScopeId)
        return a.dwLocalScopeId < b.dwLocalScopeId;
    return ntohs(static_cast<u_short>(a.dwLocalPort)) < ntohs(static_cast<u_short>(b.dwLocalPort));
}

template <class Row>
bool SortRows(void* buffer, std::uint32_t size, bool (*less)(const Row&, const Row&))
{
    auto* bytes = static_cast<unsigned char*>(buffer);
    DWORD count = 0;
    if (size < sizeof(count))
        return false;
    std::memcpy(&count, bytes, sizeof(count));
    // The count is the platform's word; rows past the buffer's end would be someone else's
    // memory.
    if (count > (size - sizeof(count)) / sizeof(Row))
        return false;
    std::vector<Row> rows(count);
    std::memcpy(rows.data(), bytes + sizeof(count), count * sizeof(Row));
    std::stable_sort(rows.begin(), rows.end(), less);
    std::memcpy(bytes + sizeof(count), rows.data(), count * sizeof(Row));
    return true;
}

} // namespace

std::uint32_t CWinUdpTable::ReadTable(tarnwick::AddressFamily family, void* buffer,
                                      std::uint32_t& size)
{
    ULONG bytes = size;
    const bool ipv6 = family == tarnwick::AddressFamily::kIPv6;
    // Each row with the id of the process that owns the socket.
    const DWORD result = ::GetExtendedUdpTable(buffer, &bytes, TRUE, ipv6 ? AF_INET6 : AF_INET,
                                               UDP_TABLE_OWNER_PID, 0);
    if (result == ERROR_INSUFFICIENT_BUFFER)
        size = bytes;
    if (result != NO_ERROR)
        return result;
    // Wine ignores the sort request.
    return SortUdpTable(family, buffer, size) ? NO_ERROR : ERROR_INVALID_DATA;
}

bool SortUdpTable(tarnwick::AddressFamily family, void* buffer, std::uint32_t size)
{
    return family == tarnwick::AddressFamily::kIPv6 ? SortRows(buffer, size, &Ipv6RowLess)
                                                    : SortRows(buffer, size, &Ipv4RowLess);
}

bool CWinUdpTable::ReadStatistics(tarnwick::AddressFamily family, tarnwick::UdpStats& stats)
{
    MIB_UDPSTATS record = {};
    const DWORD result = family == tarnwick::AddressFamily::kIPv6
                             ? ::GetUdpStatisticsEx(&record, AF_INET6)
                             : ::GetUdpStatistics(&record);
    if (result != NO_ERROR)
        return false;
    stats.dwInDatagrams = record.dwInDatagrams;
    stats.dwNoPorts = record.dwNoPorts;
    stats.dwInErrors = record.dwInErrors;
    stats.dwOutDatagrams = record.dwOutDatagrams;
    stats.dwNumAddrs = record.dwNumAddrs;
    return true;
}
