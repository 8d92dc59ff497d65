#pragma once

// A UDP table that writes its rows the way the platform stores them, and can hold a read until
// the test lets it go. Used by the native tests, the Windows tests and the benchmarks, so no
// test framework here.

#include "UdpTable.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace tarnwick::fakes {

// One table row: 4 address bytes (network order) and a 32-bit port field whose low 16 bits
// hold the port in network order, as little-endian x86 stores them.
struct Endpoint {
    std::array<unsigned char, 4> address{};
    std::uint16_t port = 0;
    // The platform does not promise zeros in the upper half of the port field.
    std::uint16_t portFieldHigh = 0;
};

inline Endpoint MakeEndpoint(unsigned a, unsigned b, unsigned c, unsigned d, std::uint16_t port)
{
    const auto byte = [](unsigned v) { return static_cast<unsigned char>(v); };
    return Endpoint{{byte(a), byte(b), byte(c), byte(d)}, port, 0};
}

class CFakeUdpTable : public IUdpTable {
public:
    std::vector<Endpoint> rows;
    // Returned instead of a table when not kNoError.
    std::uint32_t failure = kNoError;
    // Runs after each "buffer too small" answer: lets the table grow between two reads.
    std::function<void(CFakeUdpTable&)> afterTooSmall;
    UdpStats stats;
    bool statsFail = false;
    // While set, a table read waits (after it is counted): a platform that takes its time.
    std::atomic<bool> block{false};
    std::atomic<int> readCalls{0};
    // Written by the reading thread: look once its read has been shown.
    std::vector<std::uint32_t> offeredSizes;

    std::uint32_t ReadTable(void* buffer, std::uint32_t& size) override
    {
        ++readCalls;
        while (block)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        offeredSizes.push_back(size);
        if (failure != kNoError)
            return failure;
        const auto count = static_cast<std::uint32_t>(rows.size());
        if (size < kUdpTableHeaderSize + count * kUdpRowSize) {
            size = kUdpTableHeaderSize + count * kUdpRowSize;
            if (afterTooSmall)
                afterTooSmall(*this);
            return kErrorInsufficientBuffer;
        }
        const auto byte = [](unsigned v) { return static_cast<unsigned char>(v); };
        auto* out = static_cast<unsigned char*>(buffer);
        const unsigned char head[4] = {byte(count), byte(count >> 8), byte(count >> 16),
                                       byte(count >> 24)};
        std::memcpy(out, head, sizeof head);
        for (std::uint32_t i = 0; i < count; ++i) {
            const Endpoint& e = rows[i];
            const unsigned char row[8] = {
                e.address[0],      e.address[1], e.address[2],          e.address[3],
                byte(e.port >> 8), byte(e.port), byte(e.portFieldHigh), byte(e.portFieldHigh >> 8)};
            std::memcpy(out + kUdpTableHeaderSize + i * kUdpRowSize, row, sizeof row);
        }
        return kNoError;
    }

    bool ReadStatistics(UdpStats& out) override
    {
        if (!statsFail)
            out = stats;
        return !statsFail;
    }
};

} // namespace tarnwick::fakes
