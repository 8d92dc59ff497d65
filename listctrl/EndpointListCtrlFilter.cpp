// The filter of the endpoint list: the list's items are the rows the filter keeps, looked up
// through it; the model keeps every row, so a row hidden now shows again once the text allows.
#include "listctrl/EndpointListCtrl.h"

#include <algorithm>

std::size_t CEndpointListCtrl::ShownCount() const
{
    return m_pRows != nullptr ? m_filter.Count(*m_pRows) : 0;
}

const tarnwick::EndpointRow& CEndpointListCtrl::ShownRow(std::size_t item) const
{
    return m_pRows->Row(m_filter.RowIndex(item));
}

void CEndpointListCtrl::SetFilterText(const std::string& text)
{
    // The selected and focused rows by the model's rows they show, which change items.
    const int selectedItem = GetNextItem(-1, LVNI_SELECTED);
    const int focusedItem = GetNextItem(-1, LVNI_FOCUSED);
    const std::size_t none = tarnwick::CRowFilter::kNone;
    const std::size_t selected =
        FindShownRow(selectedItem) != nullptr ? m_filter.RowIndex(selectedItem) : none;
    const std::size_t focused =
        FindShownRow(focusedItem) != nullptr ? m_filter.RowIndex(focusedItem) : none;
    fw::CRedrawOff hold(m_hWnd);
    // Only the items that have a state are cleared: clearing all (-1) would have the list view
    // visit each of 20,000 on every key typed.
    for (int item = selectedItem; item >= 0; item = GetNextItem(item, LVNI_SELECTED))
        SetItemState(item, 0, LVIS_SELECTED);
    m_filter.SetText(text);
    ShowFiltered();

    const std::size_t selectedNow = selected != none ? m_filter.ItemIndex(selected) : none;
    if (selectedNow != none)
        SetItemState(static_cast<int>(selectedNow), LVIS_SELECTED, LVIS_SELECTED);
    const std::size_t focusedNow = focused != none ? m_filter.ItemIndex(focused) : none;
    FocusOnPage(focusedNow != none ? static_cast<int>(focusedNow) : -1);
    NotifyParent();
}

void CEndpointListCtrl::FocusOnPage(int item)
{
    const int count = GetItemCount();
    if (count <= 0)
        return;
    int top = static_cast<int>(SendMessage(LVM_GETTOPINDEX));
    top = top < count ? std::max(top, 0) : 0;
    const int focused = GetNextItem(-1, LVNI_FOCUSED);
    if (item < 0)
        item = top;
    // Wine's list view scrolls to a row that gets the focus: moved to a row off the page, the
    // page would move under the user's eyes (and a filter key cost 10 ms more).
    if (item != focused && (item < top || item >= top + std::max(GetCountPerPage(), 1)))
        item = top;
    if (item != focused)
        SetItemState(item, LVIS_FOCUSED, LVIS_FOCUSED);
}

void CEndpointListCtrl::ShowFiltered()
{
    if (m_pRows == nullptr || !IsWindow())
        return;
    m_filter.Apply(*m_pRows, GetColumnCount());
    const std::size_t count = ShownCount();
    // The same count is only new texts: the rows repaint over themselves, and the list view
    // is spared setting a count it has.
    const bool countChanged = count != static_cast<std::size_t>(std::max(GetItemCount(), 0));
    if (countChanged)
        SetRowCount(count, LVSICF_NOSCROLL);
    Invalidate(countChanged);
}
