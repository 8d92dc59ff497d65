#pragma once

#include "monitor/NameLookup.h"

// Host and service names through Windows Sockets. Sockets must be initialised.
class CWinNameLookup : public tarnwick::INameLookup {
public:
    bool LookupHost(const tarnwick::EndpointAddress& address, std::string& name) override;
    bool LocalHostName(std::string& name) override;
    bool LookupService(std::uint16_t portNetworkOrder, std::string& name) override;
};
