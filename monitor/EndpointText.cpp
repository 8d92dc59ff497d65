#include "EndpointText.h"

#include <charconv>
#include <system_error>

namespace tarnwick {

namespace {

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view TrimLeft(std::string_view text)
{
    std::size_t first = 0;
    while (first < text.size() && IsWhiteSpace(text[first]))
        ++first;
    return text.substr(first);
}

std::string_view TrimRight(std::string_view text)
{
    std::size_t end = text.size();
    while (end > 0 && IsWhiteSpace(text[end - 1]))
        --end;
    return text.substr(0, end);
}

} // namespace

std::uint32_t HostOrderAddress(const unsigned char* address)
{
    return (std::uint32_t{address[0]} << 24) | (std::uint32_t{address[1]} << 16) |
           (std::uint32_t{address[2]} << 8) | std::uint32_t{address[3]};
}

std::uint32_t PlatformAddressValue(std::uint32_t hostOrder)
{
    return ((hostOrder & 0xFFu) << 24) | ((hostOrder & 0xFF00u) << 8) |
           ((hostOrder >> 8) & 0xFF00u) | (hostOrder >> 24);
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

bool ParsePort(std::string_view text, std::uint16_t& port)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, port);
    return result.ec == std::errc() && result.ptr == end;
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

void AppendEndpointLine(std::string& block, std::string_view address, std::string_view port)
{
    block.append(address);
    block += ':';
    block.append(port);
    block.append(" \r\n");
}

bool TakeEndpointLine(std::string_view block, std::size_t& pos, std::string_view& host,
                      std::string_view& port)
{
    if (pos >= block.size())
        return false;
    std::string_view rest = block.substr(pos);
    std::string_view line;
    const std::size_t cr = rest.find('\r');
    if (cr == std::string_view::npos) {
        line = TrimRight(TrimLeft(rest));
        pos = block.size();
    } else {
        line = TrimRight(rest.substr(0, cr));
        // The CR, the LF and any blanks before the next line.
        pos = block.size() - TrimLeft(rest.substr(cr)).size();
    }
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        host = line;
        port = std::string_view();
    } else {
        host = line.substr(0, colon);
        port = TrimRight(TrimLeft(line.substr(colon + 1)));
    }
    return true;
}

} // namespace tarnwick
