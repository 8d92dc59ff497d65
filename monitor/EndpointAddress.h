#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarnwick {

enum class AddressFamily : std::uint8_t { kIPv4, kIPv6 };

// The local address of an endpoint, of either family, as the value that keys the caches and
// the queues. The bytes are in network order; an IPv4 address uses the first four and leaves
// the others zero. The scope id is part of the value: it tells apart equal link-local
// addresses of different interfaces.
struct EndpointAddress {
    AddressFamily family = AddressFamily::kIPv4;
    std::array<unsigned char, 16> bytes{};
    std::uint32_t scopeId = 0;

    static EndpointAddress IPv4(const unsigned char* address)
    {
        EndpointAddress value;
        for (std::size_t i = 0; i < 4; ++i)
            value.bytes[i] = address[i];
        return value;
    }
    static EndpointAddress IPv6(const unsigned char* address, std::uint32_t scopeId)
    {
        EndpointAddress value;
        value.family = AddressFamily::kIPv6;
        for (std::size_t i = 0; i < value.bytes.size(); ++i)
            value.bytes[i] = address[i];
        value.scopeId = scopeId;
        return value;
    }

    std::size_t Size() const { return family == AddressFamily::kIPv4 ? 4 : 16; }
    // 0.0.0.0 or "::".
    bool IsUnspecified() const;
    // 127.0.0.0/8 or "::1" (under Wine with a scope id).
    bool IsLoopback() const;
    // fe80::/10.
    bool IsLinkLocal() const
    {
        return family == AddressFamily::kIPv6 && bytes[0] == 0xFE && (bytes[1] & 0xC0) == 0x80;
    }
    // ::ffff:0:0/96, an IPv4 address on an IPv6 socket.
    bool IsV4Mapped() const;

    bool operator==(const EndpointAddress& other) const
    {
        return family == other.family && bytes == other.bytes && scopeId == other.scopeId;
    }
    bool operator!=(const EndpointAddress& other) const { return !(*this == other); }
};

struct EndpointAddressHash {
    std::size_t operator()(const EndpointAddress& address) const;
};

} // namespace tarnwick
