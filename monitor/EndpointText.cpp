#include "monitor/EndpointText.h"

#include <charconv>

namespace tarnwick {

std::uint32_t HostOrderAddress(const unsigned char* address)
{
    return (std::uint32_t{address[0]} << 24) | (std::uint32_t{address[1]} << 16) |
           (std::uint32_t{address[2]} << 8) | std::uint32_t{address[3]};
}

std::uint32_t PlatformWord(const unsigned char* bytes)
{
    return std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
           (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
}

std::uint16_t HostOrderPort(const unsigned char* portField)
{
    return static_cast<std::uint16_t>((portField[0] << 8) | portField[1]);
}

std::uint16_t PlatformPortValue(const unsigned char* portField)
{
    return static_cast<std::uint16_t>(portField[0] | (portField[1] << 8));
}

void AppendDecimal(std::string& text, std::uint32_t value)
{
    char digits[10];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, result.ptr);
}

void AppendDotted(std::string& text, std::uint32_t hostOrder)
{
    AppendDecimal(text, hostOrder >> 24);
    text += '.';
    AppendDecimal(text, (hostOrder >> 16) & 0xFFu);
    text += '.';
    AppendDecimal(text, (hostOrder >> 8) & 0xFFu);
    text += '.';
    AppendDecimal(text, hostOrder & 0xFFu);
}

void AppendAddressText(std::string& text, const EndpointAddress& address)
{
    if (address.family == AddressFamily::kIPv4 || address.IsV4Mapped()) {
        if (address.family == AddressFamily::kIPv6)
            text += "::ffff:";
        AppendDotted(text, HostOrderAddress(address.bytes.data() + address.Size() - 4));
        return;
    }
    unsigned groups[8];
    for (int i = 0; i < 8; ++i)
        groups[i] = (unsigned{address.bytes[2 * i]} << 8) | address.bytes[2 * i + 1];
    // A single zero group is written out, so a run must beat length 1.
    int runStart = -1;
    int runLength = 1;
    for (int i = 0; i < 8;) {
        int end = i;
        while (end < 8 && groups[end] == 0)
            ++end;
        if (end - i > runLength) {
            runStart = i;
            runLength = end - i;
        }
        i = end == i ? i + 1 : end;
    }
    for (int i = 0; i < 8; ++i) {
        if (i == runStart) {
            text += "::";
            i += runLength - 1;
            continue;
        }
        if (i > 0 && i != runStart + runLength)
            text += ':';
        char digits[4];
        // Lower case, without leading zeros.
        const auto result = std::to_chars(digits, digits + sizeof digits, groups[i], 16);
        text.append(digits, result.ptr);
    }
    if (address.IsLinkLocal()) {
        text += '%';
        AppendDecimal(text, address.scopeId);
    }
}

std::string AddressText(const EndpointAddress& address)
{
    std::string text;
    AppendAddressText(text, address);
    return text;
}

} // namespace tarnwick
