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

    // Wine ignores the sort request; sort as Windows does: by address, then port, both
    // compared as host-order numbers.
    auto* bytesIn = static_cast<unsigned char*>(buffer);
    DWORD count = 0;
    std::memcpy(&count, bytesIn, sizeof(count));
    std::vector<MIB_UDPROW> rows(count);
    std::memcpy(rows.data(), bytesIn + sizeof(DWORD), count * sizeof(MIB_UDPROW));
    std::stable_sort(rows.begin(), rows.end(), [](const MIB_UDPROW& a, const MIB_UDPROW& b) {
        u_long addressA = ntohl(a.dwLocalAddr);
        u_long addressB = ntohl(b.dwLocalAddr);
        if (addressA != addressB)
            return addressA < addressB;
        return ntohs(static_cast<u_short>(a.dwLocalPort)) <
               ntohs(static_cast<u_short>(b.dwLocalPort));
    });
    std::memcpy(bytesIn + sizeof(DWORD), rows.data(), count * sizeof(MIB_UDPROW));
    return NO_ERROR;
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
