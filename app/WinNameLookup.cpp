#include "app/WinNameLookup.h"

#include "framework/Text.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstring>

bool CWinNameLookup::LookupHost(const tarnwick::EndpointAddress& address, std::string& name)
{
    if (address.family == tarnwick::AddressFamily::kIPv6) {
        sockaddr_in6 socketAddress = {};
        socketAddress.sin6_family = AF_INET6;
        std::memcpy(&socketAddress.sin6_addr, address.bytes.data(), address.bytes.size());
        socketAddress.sin6_scope_id = address.scopeId;
        char host[NI_MAXHOST] = {};
        if (::getnameinfo(reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress,
                          host, sizeof host, nullptr, 0, NI_NAMEREQD) != 0)
            return false;
        name = fw::AnsiToUtf8(host);
        return true;
    }
    // The returned entry lives in per-thread storage of Windows Sockets.
    const hostent* entry =
        ::gethostbyaddr(reinterpret_cast<const char*>(address.bytes.data()), 4, AF_INET);
    if (entry == nullptr || entry->h_name == nullptr)
        return false;
    // The system's 8-bit text; the rows hold UTF-8.
    name = fw::AnsiToUtf8(entry->h_name);
    return true;
}

bool CWinNameLookup::LocalHostName(std::string& name)
{
    char buffer[128] = {};
    if (::gethostname(buffer, sizeof(buffer) - 1) != 0)
        return false;
    name = fw::AnsiToUtf8(buffer);
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
