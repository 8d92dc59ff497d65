#pragma once

// Host and service look-ups answered from maps. They record what was asked, can run a hook
// inside a look-up (as if it took a while), and can hang until the test lets them go.

#include "monitor/EndpointText.h"
#include "monitor/NameLookup.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace tarnwick::fakes {

class CFakeNameLookup : public INameLookup {
public:
    // Keyed by the address as a row shows it and by host-order port.
    std::map<std::string, std::string> hosts;
    std::map<std::uint16_t, std::string> services;
    std::string localHostName = "MYPC";
    bool localHostFails = false;
    // While set, every look-up waits: a name server that does not answer.
    std::atomic<bool> block{false};
    // Look-ups begun, of all three kinds.
    std::atomic<int> lookups{0};
    // Written by the resolver's thread: read them once its run is over.
    std::vector<std::string> hostQueries;
    std::vector<std::uint16_t> serviceQueries;
    int localHostQueries = 0;
    std::function<void()> duringHostLookup;
    std::function<void()> duringServiceLookup;

    bool LookupHost(const EndpointAddress& address, std::string& name) override
    {
        hostQueries.push_back(AddressText(address));
        Begin(duringHostLookup);
        return Find(hosts, hostQueries.back(), name);
    }

    bool LocalHostName(std::string& name) override
    {
        ++localHostQueries;
        Begin(nullptr);
        name = localHostName;
        return !localHostFails;
    }

    bool LookupService(std::uint16_t portNetworkOrder, std::string& name) override
    {
        const auto port =
            static_cast<std::uint16_t>(((portNetworkOrder & 0xFF) << 8) | (portNetworkOrder >> 8));
        serviceQueries.push_back(port);
        Begin(duringServiceLookup);
        return Find(services, port, name);
    }

private:
    void Begin(const std::function<void()>& hook)
    {
        ++lookups;
        while (block)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (hook)
            hook();
    }

    template <class Map, class Key>
    static bool Find(const Map& map, const Key& key, std::string& name)
    {
        const auto it = map.find(key);
        if (it != map.end())
            name = it->second;
        return it != map.end();
    }
};

} // namespace tarnwick::fakes
