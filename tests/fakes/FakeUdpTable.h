#pragma once

// A UDP table that writes its rows the way the platform stores them, and can hold a read until
// the test lets it go. Used by the native tests, the Windows tests and the benchmarks, so no
// test framework here.

#include "monitor/UdpTable.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

namespace tarnwick::fakes {

// One table row: the address bytes (network order), an IPv6 row's scope id, and a 32-bit port
// field whose low 16 bits hold the port in network order, as little-endian x86 stores them.
struct Endpoint {
    EndpointAddress address;
    std::uint16_t port = 0;
    // The platform does not promise zeros in the upper half of the port field.
    std::uint16_t portFieldHigh = 0;
    // The owning process.
    std::uint32_t pid = 0;
};

inline Endpoint MakeEndpoint(unsigned a, unsigned b, unsigned c, unsigned d, std::uint16_t port)
{
    const auto byte = [](unsigned v) { return static_cast<unsigned char>(v); };
    return Endpoint{{AddressFamily::kIPv4, {byte(a), byte(b), byte(c), byte(d)}, 0}, port, 0, 0};
}

inline Endpoint MakeEndpoint6(const std::array<std::uint16_t, 8>& groups, std::uint16_t port,
                              std::uint32_t scopeId = 0)
{
    Endpoint e{{AddressFamily::kIPv6, {}, scopeId}, port, 0, 0};
    for (std::size_t i = 0; i < 16; ++i)
        e.address.bytes[i] = static_cast<unsigned char>(groups[i / 2] >> (i % 2 ? 0 : 8));
    return e;
}

class CFakeUdpTable : public IUdpTable {
public:
    // Rows of both families; each family's table holds its own, in this order.
    std::vector<Endpoint> rows;
    // Returned instead of a table when not kNoError.
    std::uint32_t failure = kNoError;
    std::uint32_t failure6 = kNoError;
    // The IPv6 table's count claims one row more than the buffer holds.
    bool overCount6 = false;
    // Runs after each "buffer too small" answer: lets the table grow between two reads.
    std::function<void(CFakeUdpTable&)> afterTooSmall;
    UdpStats stats;
    UdpStats stats6;
    bool statsFail = false;
    bool stats6Fail = false;
    // While set, a table read waits (after it is counted): a platform that takes its time.
    std::atomic<bool> block{false};
    std::atomic<int> readCalls{0};
    // Written by the reading thread: look once its read has been shown.
    std::vector<std::uint32_t> offeredSizes;

    std::uint32_t ReadTable(AddressFamily family, void* buffer, std::uint32_t& size) override
    {
        ++readCalls;
        while (block)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        offeredSizes.push_back(size);
        const bool ipv6 = family == AddressFamily::kIPv6;
        if (const std::uint32_t fails = ipv6 ? failure6 : failure)
            return fails;
        const auto count = static_cast<std::uint32_t>(std::count_if(
            rows.begin(), rows.end(), [family](auto& e) { return e.address.family == family; }));
        const std::uint32_t rowSize = UdpRowSize(family);
        if (size < kUdpTableHeaderSize + count * rowSize) {
            size = kUdpTableHeaderSize + count * rowSize;
            if (afterTooSmall)
                afterTooSmall(*this);
            return kErrorInsufficientBuffer;
        }
        auto* out = static_cast<unsigned char*>(buffer);
        // Little-endian, as x86 stores a word.
        const auto put = [&out](std::uint32_t word) {
            for (int shift = 0; shift < 32; shift += 8)
                *out++ = static_cast<unsigned char>(word >> shift);
        };
        put(ipv6 && overCount6 ? (size - kUdpTableHeaderSize) / rowSize + 1 : count);
        for (const Endpoint& e : rows) {
            if (e.address.family != family)
                continue;
            out = std::copy_n(e.address.bytes.begin(), e.address.Size(), out);
            if (ipv6)
                put(e.address.scopeId);
            put((e.port >> 8) | (e.port & 0xFFu) << 8 | std::uint32_t{e.portFieldHigh} << 16);
            put(e.pid);
        }
        return kNoError;
    }

    bool ReadStatistics(AddressFamily family, UdpStats& out) override
    {
        const bool ipv6 = family == AddressFamily::kIPv6;
        out = ipv6 ? stats6 : stats;
        return !(ipv6 ? stats6Fail : statsFail);
    }
};

} // namespace tarnwick::fakes
