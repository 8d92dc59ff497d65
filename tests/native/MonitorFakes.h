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
    Endpoint e;
    e.address = {static_cast<unsigned char>(a), static_cast<unsigned char>(b),
                 static_cast<unsigned char>(c), static_cast<unsigned char>(d)};
    e.port = port;
    return e;
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
        const auto needed =
            static_cast<std::uint32_t>(kUdpTableHeaderSize + rows.size() * kUdpRowSize);
        if (size < needed) {
            size = needed;
            if (afterTooSmall)
                afterTooSmall(*this);
            return kErrorInsufficientBuffer;
        }
        auto* out = static_cast<unsigned char*>(buffer);
        const auto count = static_cast<std::uint32_t>(rows.size());
        const unsigned char head[4] = {
            static_cast<unsigned char>(count), static_cast<unsigned char>(count >> 8),
            static_cast<unsigned char>(count >> 16), static_cast<unsigned char>(count >> 24)};
        std::memcpy(out, head, sizeof head);
        out += kUdpTableHeaderSize;
        for (const Endpoint& e : rows) {
            const unsigned char row[8] = {e.address[0],
                                          e.address[1],
                                          e.address[2],
                                          e.address[3],
                                          static_cast<unsigned char>(e.port >> 8),
                                          static_cast<unsigned char>(e.port),
                                          static_cast<unsigned char>(e.portFieldHigh),
                                          static_cast<unsigned char>(e.portFieldHigh >> 8)};
            std::memcpy(out, row, sizeof row);
            out += kUdpRowSize;
        }
        return kNoError;
    }

    bool ReadStatistics(UdpStats& out) override
    {
        if (statsFail)
            return false;
        out = stats;
        return true;
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
        if (!Valid(row, column))
            return std::string();
        return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    void SetCellText(int row, int column, const std::string& text) override
    {
        ++setCalls;
        if (!Valid(row, column)) {
            outOfRange = true;
            return;
        }
        rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    }
    void DeleteRow(int row) override
    {
        deletedRows.push_back(row);
        if (row < 0 || row >= GetRowCount()) {
            outOfRange = true;
            return;
        }
        rows.erase(rows.begin() + row);
    }

    std::string Cell(int row, int column) const { return GetCellText(row, column); }

private:
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
        const std::string dotted = std::to_string(addressNetworkOrder & 0xFF) + "." +
                                   std::to_string((addressNetworkOrder >> 8) & 0xFF) + "." +
                                   std::to_string((addressNetworkOrder >> 16) & 0xFF) + "." +
                                   std::to_string(addressNetworkOrder >> 24);
        hostQueries.push_back(dotted);
        if (duringHostLookup)
            duringHostLookup();
        const auto it = hosts.find(dotted);
        if (it == hosts.end())
            return false;
        name = it->second;
        return true;
    }

    bool LocalHostName(std::string& name) override
    {
        ++localHostQueries;
        if (localHostFails)
            return false;
        name = localHostName;
        return true;
    }

    bool LookupService(std::uint16_t portNetworkOrder, std::string& name) override
    {
        const auto port =
            static_cast<std::uint16_t>(((portNetworkOrder & 0xFF) << 8) | (portNetworkOrder >> 8));
        serviceQueries.push_back(port);
        if (duringServiceLookup)
            duringServiceLookup();
        const auto it = services.find(port);
        if (it == services.end())
            return false;
        name = it->second;
        return true;
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
            if (refuse)
                return false;
            started.push_back(std::move(fn));
            return true;
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
