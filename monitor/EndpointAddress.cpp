#include "monitor/EndpointAddress.h"

namespace tarnwick {

namespace {

bool AllZero(const unsigned char* bytes, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

} // namespace

bool EndpointAddress::IsUnspecified() const
{
    return AllZero(bytes.data(), Size());
}

bool EndpointAddress::IsLoopback() const
{
    if (family == AddressFamily::kIPv4)
        return bytes[0] == 127;
    return AllZero(bytes.data(), 15) && bytes[15] == 1;
}

bool EndpointAddress::IsV4Mapped() const
{
    return family == AddressFamily::kIPv6 && AllZero(bytes.data(), 10) && bytes[10] == 0xFF &&
           bytes[11] == 0xFF;
}

std::size_t EndpointAddressHash::operator()(const EndpointAddress& address) const
{
    // FNV-1a over the family, the bytes and the scope id.
    std::uint32_t hash = 2166136261u;
    const auto mix = [&hash](unsigned value) { hash = (hash ^ (value & 0xFFu)) * 16777619u; };
    mix(static_cast<unsigned>(address.family));
    for (std::size_t i = 0; i < address.Size(); ++i)
        mix(address.bytes[i]);
    for (int shift = 0; shift < 32; shift += 8)
        mix(address.scopeId >> shift);
    return hash;
}

} // namespace tarnwick
