#include "WinNameLookup.h"

#include <winsock2.h>

bool CWinNameLookup::LookupHost(std::uint32_t addressNetworkOrder, std::string& name)
{
    // The returned entry lives in per-thread storage of Windows Sockets.
    const hostent* entry =
        ::gethostbyaddr(reinterpret_cast<const char*>(&addressNetworkOrder), 4, AF_INET);
    if (entry == nullptr || entry->h_name == nullptr)
        return false;
    name = entry->h_name;
    return true;
}

bool CWinNameLookup::LocalHostName(std::string& name)
{
    char buffer[128] = {};
    if (::gethostname(buffer, sizeof(buffer) - 1) != 0)
        return false;
    name = buffer;
    return true;
}

bool CWinNameLookup::LookupService(std::uint16_t portNetworkOrder, std::string& name)
{
    const servent* entry = ::getservbyport(portNetworkOrder, "udp");
    if (entry == nullptr || entry->s_name == nullptr)
        return false;
    name = entry->s_name;
    return true;
}
