#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

// The value the platform holds for an address stored in network order: 127.0.0.1 gives
// 0x0100007F.
std::uint32_t PlatformAddressValue(std::uint32_t hostOrder);

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

// Reads a port written by AppendDecimal; false unless `text` is exactly such a number.
bool ParsePort(std::string_view text, std::uint16_t& port);

// Dotted quad of a host-order address: 0x7F000001 gives "127.0.0.1".
void AppendDotted(std::string& text, std::uint32_t hostOrder);

// One line of the endpoint block: address, ":", port, one blank, CR LF.
void AppendEndpointLine(std::string& block, std::string_view address, std::string_view port);

// Takes the next line of an endpoint block from `pos` on and splits it into the host text
// (before the first ":") and the port text (after it, trimmed). Returns false when the
// block holds no further line.
bool TakeEndpointLine(std::string_view block, std::size_t& pos, std::string_view& host,
                      std::string_view& port);

} // namespace tarnwick
