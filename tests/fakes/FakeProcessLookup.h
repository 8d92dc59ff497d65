#pragma once

#include "monitor/ProcessNames.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick::fakes {

// Processes by id: their creation time and program; an id missing here cannot be opened.
class CFakeProcesses : public IProcessLookup {
public:
    std::map<std::uint32_t, std::pair<std::uint64_t, std::string>> running;
    // Written by the read thread: read it once the read is over.
    std::vector<std::uint32_t> opened;

    bool Identify(std::uint32_t pid, std::uint64_t& creationTime, std::string& name) override
    {
        opened.push_back(pid);
        const auto it = running.find(pid);
        if (it == running.end())
            return false;
        creationTime = it->second.first;
        name = it->second.second;
        return true;
    }
};

} // namespace tarnwick::fakes
