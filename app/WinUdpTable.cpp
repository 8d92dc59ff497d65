#include "WinUdpTable.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

std::uint32_t CWinUdpTable::ReadTable(void* buffer, std::uint32_t& size)
{
    ULONG bytes = size;
    DWORD result = ::GetUdpTable(static_cast<PMIB_UDPTABLE>(buffer), &bytes, TRUE);
    if (result == ERROR_INSUFFICIENT_BUFFER)
        size = bytes;
    if (result != NO_ERROR)
        return result;
    // Wine ignores the sort request.
    return SortUdpTable(buffer, size) ? NO_ERROR : ERROR_INVALID_DATA;
}

bool SortUdpTable(void* buffer, std::uint32_t size)
{
    auto* bytes = static_cast<unsigned char*>(buffer);
    DWORD count = 0;
    if (size < sizeof(count))
        return false;
    std::memcpy(&count, bytes, sizeof(count));
    // The count is the platform's word; rows past the buffer's end would be someone else's
    // memory.
    if (count > (size - sizeof(count)) / sizeof(MIB_UDPROW))
        return false;
    std::vector<MIB_UDPROW> rows(count);
    std::memcpy(rows.data(), bytes + sizeof(count), count * sizeof(MIB_UDPROW));
    std::stable_sort(rows.begin(), rows.end(), [](const MIB_UDPROW& a, const MIB_UDPROW& b) {
        u_long addressA = ntohl(a.dwLocalAddr);
        u_long addressB = ntohl(b.dwLocalAddr);
        if (addressA != addressB)
            return addressA < addressB;
        return ntohs(static_cast<u_short>(a.dwLocalPort)) <
               ntohs(static_cast<u_short>(b.dwLocalPort));
    });
    std::memcpy(bytes + sizeof(count), rows.data(), count * sizeof(MIB_UDPROW));
    return true;
}

bool CWinUdpTable::ReadStatistics(tarnwick::UdpStats& stats)
{
    MIB_UDPSTATS record = {};
    if (::GetUdpStatistics(&record) != NO_ERROR)
        return false;
    stats.dwInDatagrams = record.dwInDatagrams;
    stats.dwNoPorts = record.dwNoPorts;
    stats.dwInErrors = record.dwInErrors;
    stats.dwOutDatagrams = record.dwOutDatagrams;
    stats.dwNumAddrs = record.dwNumAddrs;
    return true;
}
