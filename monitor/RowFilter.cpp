#include "monitor/RowFilter.h"

#include <algorithm>
#include <numeric>

namespace tarnwick {

namespace {

char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string WithSeparators(std::size_t number)
{
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits;
}

} // namespace

void CRowFilter::SetText(const std::string& text)
{
    m_strFolded = text;
    std::transform(m_strFolded.begin(), m_strFolded.end(), m_strFolded.begin(), FoldAscii);
}

void CRowFilter::Apply(const CEndpointRows& rows, int columns)
{
    m_arrShown.clear();
    if (!IsOn())
        return;
    columns = std::min(columns, kEndpointColumns);
    for (std::size_t row = 0; row < rows.Count(); ++row) {
        const EndpointRow& shown = rows.Row(row);
        for (int column = 0; column < columns; ++column) {
            if (ContainsFolded(shown.texts[column], m_strFolded)) {
                m_arrShown.push_back(row);
                break;
            }
        }
    }
}

std::size_t CRowFilter::ItemIndex(std::size_t row) const
{
    if (!IsOn())
        return row;
    const auto at = std::lower_bound(m_arrShown.begin(), m_arrShown.end(), row);
    return at != m_arrShown.end() && *at == row ? static_cast<std::size_t>(at - m_arrShown.begin())
                                                : kNone;
}

std::vector<std::size_t> CRowFilter::RowOrder(const std::vector<std::size_t>& itemOrder,
                                              std::size_t rowCount) const
{
    if (!IsOn())
        return itemOrder;
    std::vector<std::size_t> order(rowCount);
    std::iota(order.begin(), order.end(), 0);
    for (std::size_t place = 0; place < itemOrder.size(); ++place)
        order[m_arrShown[place]] = m_arrShown[itemOrder[place]];
    return order;
}

bool ContainsFolded(const std::string& text, const std::string& folded)
{
    return std::search(text.begin(), text.end(), folded.begin(), folded.end(),
                       [](char a, char b) { return FoldAscii(a) == b; }) != text.end();
}

std::string ShownCountText(std::size_t shown, std::size_t total)
{
    return WithSeparators(shown) + " of " + WithSeparators(total) + " endpoints";
}

} // namespace tarnwick
