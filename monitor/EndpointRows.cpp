#include "monitor/EndpointRows.h"

#include <algorithm>

namespace tarnwick {

bool EndpointRow::operator==(const EndpointRow& other) const
{
    return address == other.address && port == other.port && pid == other.pid &&
           change == other.change &&
           std::equal(std::begin(texts), std::end(texts), std::begin(other.texts));
}

void CEndpointRows::Reorder(const std::vector<std::size_t>& order)
{
    std::vector<EndpointRow> sorted;
    sorted.reserve(m_rows.size());
    for (const std::size_t index : order)
        sorted.push_back(std::move(m_rows[index]));
    m_rows.swap(sorted);
}

} // namespace tarnwick
