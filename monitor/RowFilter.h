#pragma once

#include "monitor/EndpointRows.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tarnwick {

// The rows of the endpoint list that a typed text keeps: those that hold it in a shown cell,
// with ASCII letters matched without regard to case (other letters match as typed). Off, with
// no text, every row is shown. The list maps its items to the model's rows through it.
class CRowFilter {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // The text to look for, UTF-8. The rows shown change only with the next Apply.
    void SetText(const std::string& text);
    bool IsOn() const { return !m_strFolded.empty(); }
    // Keeps the rows of `rows` that hold the text in one of their first `columns` cells.
    void Apply(const CEndpointRows& rows, int columns);

    // The number of rows shown; `rows` is the model the filter was last applied to.
    std::size_t Count(const CEndpointRows& rows) const
    {
        return IsOn() ? m_arrShown.size() : rows.Count();
    }
    // The model's row shown as item `item`, and the item that shows model row `row` (kNone
    // when it is hidden).
    std::size_t RowIndex(std::size_t item) const { return IsOn() ? m_arrShown[item] : item; }
    std::size_t ItemIndex(std::size_t row) const;
    // The model's new order when the shown items are put in `itemOrder` (itemOrder[i] is the
    // item that goes to place i) and hidden rows keep their places, so that the same rows stay
    // shown: a permutation of the model's `rowCount` rows, for CEndpointRows::Reorder.
    std::vector<std::size_t> RowOrder(const std::vector<std::size_t>& itemOrder,
                                      std::size_t rowCount) const;

private:
    // The text with its ASCII letters in lower case.
    std::string m_strFolded;
    // The model's rows shown, ascending.
    std::vector<std::size_t> m_arrShown;
};

// Whether `text` holds `folded` (lower case ASCII letters) without regard to ASCII case.
bool ContainsFolded(const std::string& text, const std::string& folded);

// "3 of 1,510 endpoints": what a filter shows, with thousands separated by commas.
std::string ShownCountText(std::size_t shown, std::size_t total);

} // namespace tarnwick
