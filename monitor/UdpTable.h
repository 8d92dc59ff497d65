#pragma once

#include <cstdint>

namespace tarnwick {

// Return codes of IUdpTable::ReadTable, with the values the platform uses.
constexpr std::uint32_t kNoError = 0;
constexpr std::uint32_t kErrorInsufficientBuffer = 122;

// Size of one table row and of the leading entry count, in bytes.
constexpr std::uint32_t kUdpRowSize = 8;
constexpr std::uint32_t kUdpTableHeaderSize = 4;

// The five machine-wide UDP counters, in the platform's record order.
struct UdpStats {
    std::uint32_t dwInDatagrams = 0;
    std::uint32_t dwNoPorts = 0;
    std::uint32_t dwInErrors = 0;
    std::uint32_t dwOutDatagrams = 0;
    std::uint32_t dwNumAddrs = 0;
};

// The machine's UDP listener table and counters. Called on the poll's worker thread, one
// call at a time.
class IUdpTable {
public:
    virtual ~IUdpTable() = default;

    // Fills `buffer` (of `size` bytes) with a 32-bit row count followed by the rows,
    // 8 bytes each: the IPv4 address, then a 32-bit field whose low 16 bits hold the
    // port; both in network byte order. Rows are sorted by address, then port, as
    // host-order numbers. Returns kNoError, or kErrorInsufficientBuffer with `size`
    // set to the bytes needed (buffer untouched), or any other code on failure.
    virtual std::uint32_t ReadTable(void* buffer, std::uint32_t& size) = 0;

    // Reads the counters; false on failure (then `stats` is unspecified).
    virtual bool ReadStatistics(UdpStats& stats) = 0;
};

} // namespace tarnwick
