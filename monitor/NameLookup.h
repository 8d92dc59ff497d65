#pragma once

#include "monitor/EndpointAddress.h"

#include <cstdint>
#include <string>

namespace tarnwick {

// Host and service name look-ups. Called on the resolver worker thread only;
// each call may block for a long time.
class INameLookup {
public:
    virtual ~INameLookup() = default;

    // Reverse look-up of an address of either family; false when it has no name.
    virtual bool LookupHost(const EndpointAddress& address, std::string& name) = 0;

    // The local machine's host name.
    virtual bool LocalHostName(std::string& name) = 0;

    // The UDP service name of a port given in network byte order.
    virtual bool LookupService(std::uint16_t portNetworkOrder, std::string& name) = 0;
};

} // namespace tarnwick
