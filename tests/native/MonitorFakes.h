#pragma once

// Stand-ins for the platform behind the monitor core: a UDP table that writes rows the way
// the platform stores them, a vector-backed row list that counts its writes, name look-ups
// from maps, and a thread starter the test drives by hand. Shared by the tests and the
// benchmarks, so no test framework here.

#include "NameLookup.h"
#include "RowList.h"
#include "ThreadStarter.h"
#include "UdpTable.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <utility>
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
    int readCalls = 0;
    std::vector<std::uint32_t> offeredSizes;

    std::uint32_t ReadTable(void* buffer, std::uint32_t& size) override
    {
        ++readCalls;
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

class CFakeRowList : public IRowList {
public:
    std::vector<std::array<std::string, 2>> rows;
    int setCalls = 0;
    std::vector<int> deletedRows;
    // Set when the monitor touches a row that does not exist.
    bool outOfRange = false;

    explicit CFakeRowList(int rowCount = 0) : rows(static_cast<std::size_t>(rowCount)) {}

    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    void AppendRow() override { rows.emplace_back(); }
    std::string GetCellText(int row, int column) const override
    {
        return Valid(row, column) ? rows[Index(row)][Index(column)] : std::string();
    }
    void SetCellText(int row, int column, const std::string& text) override
    {
        ++setCalls;
        if (Valid(row, column))
            rows[Index(row)][Index(column)] = text;
        else
            outOfRange = true;
    }
    void DeleteRow(int row) override
    {
        deletedRows.push_back(row);
        if (Valid(row, 0))
            rows.erase(rows.begin() + row);
        else
            outOfRange = true;
    }

    std::string Cell(int row, int column) const { return GetCellText(row, column); }

private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    bool Valid(int row, int column) const
    {
        return row >= 0 && row < GetRowCount() && column >= 0 && column < 2;
    }
};

// Look-ups from maps, keyed by dotted address and by host-order port, recording each call.
class CFakeNameLookup : public INameLookup {
public:
    std::map<std::string, std::string> hosts;
    std::map<std::uint16_t, std::string> services;
    std::string localHostName = "MYPC";
    bool localHostFails = false;
    std::vector<std::string> hostQueries;
    std::vector<std::uint16_t> serviceQueries;
    int localHostQueries = 0;
    // Called inside a look-up, as if the look-up took a while.
    std::function<void()> duringHostLookup;
    std::function<void()> duringServiceLookup;

    bool LookupHost(std::uint32_t addressNetworkOrder, std::string& name) override
    {
        // Little-endian: the first address byte is the low byte of the value.
        std::string dotted;
        for (int shift = 0; shift < 32; shift += 8)
            dotted += (shift ? "." : "") + std::to_string((addressNetworkOrder >> shift) & 0xFF);
        hostQueries.push_back(dotted);
        if (duringHostLookup)
            duringHostLookup();
        return Find(hosts, dotted, name);
    }

    bool LocalHostName(std::string& name) override
    {
        ++localHostQueries;
        name = localHostName;
        return !localHostFails;
    }

    bool LookupService(std::uint16_t portNetworkOrder, std::string& name) override
    {
        const auto port =
            static_cast<std::uint16_t>(((portNetworkOrder & 0xFF) << 8) | (portNetworkOrder >> 8));
        serviceQueries.push_back(port);
        if (duringServiceLookup)
            duringServiceLookup();
        return Find(services, port, name);
    }

private:
    template <class Map, class Key>
    static bool Find(const Map& map, const Key& key, std::string& name)
    {
        const auto it = map.find(key);
        if (it != map.end())
            name = it->second;
        return it != map.end();
    }
};

// A thread starter that only records what it is asked to start; the test runs it later on
// its own thread, or refuses to start it.
class CManualStarter {
public:
    std::vector<std::function<void()>> started;
    int requests = 0;
    bool refuse = false;

    ThreadStarter Starter()
    {
        return [this](std::function<void()> fn) {
            ++requests;
            if (!refuse)
                started.push_back(std::move(fn));
            return !refuse;
        };
    }

    // Runs every recorded start, oldest first.
    void RunAll()
    {
        auto runs = std::move(started);
        started.clear();
        for (auto& fn : runs)
            fn();
    }
};

// Runs the worker at once on the caller's thread.
inline ThreadStarter InlineStarter()
{
    return [](std::function<void()> fn) {
        fn();
        return true;
    };
}

} // namespace tarnwick::fakes
