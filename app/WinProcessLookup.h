#pragma once

#include "monitor/ProcessNames.h"

// The running processes as Windows tells of them: opened for the least access that reveals
// their program (PROCESS_QUERY_LIMITED_INFORMATION), so that services of other users are named
// too where the account may; a protected process cannot be opened at all.
class CWinProcessLookup : public tarnwick::IProcessLookup {
public:
    bool Identify(std::uint32_t pid, std::uint64_t& creationTime, std::string& name) override;
};
