#pragma once

#include "UdpTable.h"

// The machine's UDP table and counters through the IP Helper interface.
class CWinUdpTable : public tarnwick::IUdpTable {
public:
    std::uint32_t ReadTable(void* buffer, std::uint32_t& size) override;
    bool ReadStatistics(tarnwick::UdpStats& stats) override;
};
