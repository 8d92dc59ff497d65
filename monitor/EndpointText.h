#pragma once

#include "monitor/EndpointAddress.h"

#include <cstdint>
#include <string>

namespace tarnwick {

// Text forms of the table rows and of the queue keys.
//
// The platform stores a row's address and port field in network byte order. Every value
// here is computed from those bytes, so the results do not depend on the byte order of the
// machine that runs the code. Where a function yields "the value the platform holds", it
// means the number a little-endian x86 machine reads from those bytes, which is what the
// platform's look-up functions expect.

// The address as a host-order number: the bytes 127 0 0 1 give 0x7F000001 (2130706433).
std::uint32_t HostOrderAddress(const unsigned char* address);

// A 32-bit word as the (little-endian) platform wrote it: a row count, a scope id.
std::uint32_t PlatformWord(const unsigned char* bytes);

// The port in host order from the low 16 bits of a port field.
std::uint16_t HostOrderPort(const unsigned char* portField);

// The low 16 bits of a port field as the platform holds them (network order): port 53
// gives 0x3500 (13568). The upper 16 bits of the field are not part of the port.
std::uint16_t PlatformPortValue(const unsigned char* portField);

// Converts between the network-order and the host-order value of a port.
constexpr std::uint16_t SwapPortBytes(std::uint16_t port)
{
    return static_cast<std::uint16_t>(((port & 0xFFu) << 8) | (port >> 8));
}

void AppendDecimal(std::string& text, std::uint32_t value);

// Dotted quad of a host-order address: 0x7F000001 gives "127.0.0.1".
void AppendDotted(std::string& text, std::uint32_t hostOrder);

// An IPv4 address as a dotted quad; an IPv6 address compressed and in lower case (RFC 5952:
// the longest run of two or more zero groups, the first of equal runs, becomes "::"), an
// IPv4-mapped one with its IPv4 part dotted, a link-local one with "%" and its scope id.
void AppendAddressText(std::string& text, const EndpointAddress& address);
std::string AddressText(const EndpointAddress& address);

} // namespace tarnwick
