#pragma once

#include "monitor/UdpTable.h"

#include <cstdint>

// The machine's UDP tables and counters through the IP Helper interface.
class CWinUdpTable : public tarnwick::IUdpTable {
public:
    std::uint32_t ReadTable(tarnwick::AddressFamily family, void* buffer,
                            std::uint32_t& size) override;
    bool ReadStatistics(tarnwick::AddressFamily family, tarnwick::UdpStats& stats) override;
};

// Checks the table of the family that the platform wrote into `buffer` (`size` bytes) and
// sorts its rows as Windows does: by address (IPv6: its bytes, then the scope id), then port,
// as host-order numbers. False, with the buffer unchanged, when the row count claims more
// rows than the buffer holds.
bool SortUdpTable(tarnwick::AddressFamily family, void* buffer, std::uint32_t size);
