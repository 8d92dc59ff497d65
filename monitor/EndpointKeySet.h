#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnwick {

// A set of 64-bit endpoint keys in one array (open addressing, linear probing), refilled by
// every read: a node-based set allocated a node per row and took most of a 20,000-row poll
// with the owners on.
class CEndpointKeySet {
public:
    // Empties the set, sized for about `expected` keys; it grows past them as needed.
    void Reset(std::size_t expected);
    void Insert(std::uint64_t key);
    bool Contains(std::uint64_t key) const;
    std::size_t Size() const { return m_nCount; }
    void Swap(CEndpointKeySet& other);

private:
    std::size_t Slot(std::uint64_t key) const;
    void Grow();

    // Key 0 marks an empty slot; the key 0 itself is kept in m_bHasZero.
    std::vector<std::uint64_t> m_arrSlots;
    std::size_t m_nCount = 0;
    int m_nShift = 64;
    bool m_bHasZero = false;
};

} // namespace tarnwick
