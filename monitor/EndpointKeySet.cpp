#include "monitor/EndpointKeySet.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tarnwick {

namespace {

constexpr int kMinBits = 4;

} // namespace

void CEndpointKeySet::Reset(std::size_t expected)
{
    // At most half full, so that probes stay short.
    int bits = kMinBits;
    while ((std::size_t{1} << bits) < 2 * expected)
        ++bits;
    m_arrSlots.assign(std::size_t{1} << bits, 0);
    m_nShift = 64 - bits;
    m_nCount = 0;
    m_bHasZero = false;
}

std::size_t CEndpointKeySet::Slot(std::uint64_t key) const
{
    // Fibonacci hashing: the top bits of the product spread keys that differ in any bit.
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> m_nShift);
}

void CEndpointKeySet::Insert(std::uint64_t key)
{
    if (key == 0) {
        m_nCount += m_bHasZero ? 0 : 1;
        m_bHasZero = true;
        return;
    }
    if (2 * (m_nCount + 1) > m_arrSlots.size())
        Grow();
    const std::size_t mask = m_arrSlots.size() - 1;
    for (std::size_t i = Slot(key);; i = (i + 1) & mask) {
        if (m_arrSlots[i] == key)
            return;
        if (m_arrSlots[i] == 0) {
            m_arrSlots[i] = key;
            ++m_nCount;
            return;
        }
    }
}

bool CEndpointKeySet::Contains(std::uint64_t key) const
{
    if (key == 0)
        return m_bHasZero;
    if (m_arrSlots.empty())
        return false;
    const std::size_t mask = m_arrSlots.size() - 1;
    for (std::size_t i = Slot(key);; i = (i + 1) & mask) {
        if (m_arrSlots[i] == key)
            return true;
        if (m_arrSlots[i] == 0)
            return false;
    }
}

void CEndpointKeySet::Grow()
{
    std::vector<std::uint64_t> keys;
    keys.reserve(m_nCount);
    std::copy_if(m_arrSlots.begin(), m_arrSlots.end(), std::back_inserter(keys),
                 [](std::uint64_t key) { return key != 0; });
    const bool hasZero = m_bHasZero;
    Reset(std::max<std::size_t>(2 * m_nCount, 8));
    for (const std::uint64_t key : keys)
        Insert(key);
    if (hasZero)
        Insert(0);
}

void CEndpointKeySet::Swap(CEndpointKeySet& other)
{
    std::swap(m_arrSlots, other.m_arrSlots);
    std::swap(m_nCount, other.m_nCount);
    std::swap(m_nShift, other.m_nShift);
    std::swap(m_bHasZero, other.m_bHasZero);
}

} // namespace tarnwick
