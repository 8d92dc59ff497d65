#pragma once

#include "monitor/EndpointAddress.h"

#include <cstdint>

namespace tarnwick {

// Return codes of IUdpTable::ReadTable, with the values the platform uses.
constexpr std::uint32_t kNoError = 0;
constexpr std::uint32_t kErrorNotEnoughMemory = 8;
constexpr std::uint32_t kErrorInvalidData = 13;
constexpr std::uint32_t kErrorInsufficientBuffer = 122;

// Size of one table row (with its owner's process id) and of the leading entry count, in bytes.
constexpr std::uint32_t kUdpRowSize = 12;
constexpr std::uint32_t kUdp6RowSize = 28;
constexpr std::uint32_t kUdpTableHeaderSize = 4;
// Where the port field and the owner's process id lie in a row of either family: the last two
// 32-bit words.
constexpr std::uint32_t kPortFieldFromEnd = 8;
constexpr std::uint32_t kOwnerPidFromEnd = 4;

constexpr std::uint32_t UdpRowSize(AddressFamily family)
{
    return family == AddressFamily::kIPv4 ? kUdpRowSize : kUdp6RowSize;
}

// The five machine-wide UDP counters of one family, in the platform's record order.
struct UdpStats {
    std::uint32_t dwInDatagrams = 0;
    std::uint32_t dwNoPorts = 0;
    std::uint32_t dwInErrors = 0;
    std::uint32_t dwOutDatagrams = 0;
    std::uint32_t dwNumAddrs = 0;
};

// The machine's UDP listener tables and counters, one of each per address family. Called on
// the poll's worker thread, one call at a time.
class IUdpTable {
public:
    virtual ~IUdpTable() = default;

    // Fills `buffer` (of `size` bytes) with a 32-bit row count followed by the rows of the
    // family, UdpRowSize(family) bytes each. IPv4: the address, then a 32-bit field whose low
    // 16 bits hold the port. IPv6: the 16 address bytes, a 32-bit scope id, then the port
    // field. Both end with the owning process id. Address and port in network byte order,
    // count, scope id and process id as the platform's words. Rows are sorted by address (IPv6: its
    // bytes, then the scope id), then port, as host-order numbers. Returns kNoError, or
    // kErrorInsufficientBuffer with `size` set to the bytes needed (buffer untouched), or any other
    // code on failure.
    virtual std::uint32_t ReadTable(AddressFamily family, void* buffer, std::uint32_t& size) = 0;

    // Reads the counters of the family; false on failure (then `stats` is unspecified).
    virtual bool ReadStatistics(AddressFamily family, UdpStats& stats) = 0;
};

} // namespace tarnwick
