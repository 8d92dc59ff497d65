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
    // The keyboard needs a focused row to start from: the focused row where it is still on the
    // page shown, else the page's first row. Wine's list view scrolls to a row that gets the
    // focus, which would move the page under the user's eyes and cost 10 ms a key.
    const int count = static_cast<int>(ShownCount());
    int top = static_cast<int>(SendMessage(LVM_GETTOPINDEX));
    top = top < count ? std::max(top, 0) : 0;
    int focusNow = focusedNow != none ? static_cast<int>(focusedNow) : top;
    const int focusBefore = GetNextItem(-1, LVNI_FOCUSED);
    if (focusNow != focusBefore &&
        (focusNow < top || focusNow >= top + std::max(GetCountPerPage(), 1)))
        focusNow = top;
    if (count > 0 && focusNow != focusBefore)
        SetItemState(focusNow, LVIS_FOCUSED, LVIS_FOCUSED);
    NotifyParent();
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
