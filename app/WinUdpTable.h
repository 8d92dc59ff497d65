#pragma once

#include "UdpTable.h"

#include <cstdint>

// The machine's UDP table and counters through the IP Helper interface.
class CWinUdpTable : public tarnwick::IUdpTable {
public:
    std::uint32_t ReadTable(void* buffer, std::uint32_t& size) override;
    bool ReadStatistics(tarnwick::UdpStats& stats) override;
};

// Checks the table that the platform wrote into `buffer` (`size` bytes) and sorts its rows as
// Windows does: by address, then port, both as host-order numbers. False, with the buffer
// unchanged, when the row count claims more rows than the buffer holds.
bool SortUdpTable(void* buffer, std::uint32_t size);
