// Sorting the rows by a clicked column. The rows are the monitor's: the order is worked out
// from their texts and numbers, the rows are put in it, and selection and focus follow them;
// nothing is read back from the control, so 20,000 rows sort in milliseconds.
#include "listctrl/EndpointListCtrl.h"

#include "framework/Text.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

using tarnwick::EndpointColumn;
using tarnwick::EndpointRow;

// Programs' names compared without regard to case, each converted once.
class CNameOrder {
public:
    CNameOrder(const CEndpointListCtrl& list, std::size_t low, std::size_t high)
    {
        for (std::size_t i = low; i <= high; ++i)
            m_names.push_back(fw::Utf8ToWide(list.ShownRow(i).Text(EndpointColumn::kProcess)));
        m_low = low;
    }
    int Compare(std::size_t a, std::size_t b) const
    {
        const std::wstring& x = m_names[a - m_low];
        const std::wstring& y = m_names[b - m_low];
        return ::CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                                      static_cast<int>(y.size()), TRUE) -
               CSTR_EQUAL;
    }

private:
    std::vector<std::wstring> m_names;
    std::size_t m_low = 0;
};

int Compare(EndpointColumn column, const EndpointRow& a, const EndpointRow& b)
{
    if (column == EndpointColumn::kPid)
        return a.pid < b.pid ? -1 : a.pid > b.pid ? 1 : 0;
    return std::strcmp(a.Text(column).c_str(), b.Text(column).c_str());
}

} // namespace

void CEndpointListCtrl::OnColumnClick(const NMLISTVIEW* click)
{
    HCURSOR previous = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
    SortRowsByText(click->iSubItem, m_bSortAscending, 0, -1);
    ::SetCursor(previous);
    // One direction for all columns: every click turns it round.
    m_bSortAscending = !m_bSortAscending;
}

bool CEndpointListCtrl::SortRowsByText(int nColumn, bool bAscending, int nLow, int nHigh)
{
    const int count = static_cast<int>(ShownCount());
    if (nColumn < 0 || nColumn >= GetColumnCount() || nColumn >= tarnwick::kEndpointColumns)
        return false;
    if (nHigh == -1 || nHigh >= count)
        nHigh = count - 1;
    if (nLow < 0 || nHigh <= nLow)
        return false;

    const auto low = static_cast<std::size_t>(nLow);
    const auto high = static_cast<std::size_t>(nHigh);
    const auto column = static_cast<EndpointColumn>(nColumn);
    // The order of the items shown; rows the filter hides keep their places in the model.
    std::vector<std::size_t> order(ShownCount());
    std::iota(order.begin(), order.end(), 0);
    const auto sign = bAscending ? 1 : -1;
    if (column == EndpointColumn::kProcess) {
        const CNameOrder names(*this, low, high);
        std::stable_sort(
            order.begin() + nLow, order.begin() + nHigh + 1,
            [&](std::size_t a, std::size_t b) { return sign * names.Compare(a, b) < 0; });
    } else {
        std::stable_sort(order.begin() + nLow, order.begin() + nHigh + 1,
                         [&](std::size_t a, std::size_t b) {
                             return sign * Compare(column, ShownRow(a), ShownRow(b)) < 0;
                         });
    }
    m_pRows->Reorder(m_filter.RowOrder(order, m_pRows->Count()));
    MoveStates(order, nLow);
    Invalidate(false);
    return true;
}

void CEndpointListCtrl::MoveStates(const std::vector<std::size_t>& order, int low)
{
    // The list keeps selection and focus by position: they go where their rows went.
    std::vector<std::size_t> position(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        position[order[i]] = i;
    std::vector<int> selected;
    for (int item = GetNextItem(low - 1, LVNI_SELECTED); item >= 0;
         item = GetNextItem(item, LVNI_SELECTED))
        selected.push_back(item);
    const int focused = GetNextItem(-1, LVNI_FOCUSED);
    fw::CRedrawOff hold(m_hWnd);
    // Only the sorted rows' selection moves; clearing all items (-1) would also have Wine's
    // list view visit each of 20,000.
    for (const int item : selected)
        SetItemState(item, 0, LVIS_SELECTED);
    for (const int item : selected)
        SetItemState(static_cast<int>(position[static_cast<std::size_t>(item)]), LVIS_SELECTED,
                     LVIS_SELECTED);
    if (focused >= 0)
        SetItemState(static_cast<int>(position[static_cast<std::size_t>(focused)]), LVIS_FOCUSED,
                     LVIS_FOCUSED);
}
