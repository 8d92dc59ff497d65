// The filter of the endpoint list: the list's items are the rows the filter keeps, looked up
// through it; the model keeps every row, so a row hidden now shows again once the text allows.
#include "listctrl/EndpointListCtrl.h"

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
    m_filter.SetText(text);
    ShowFiltered();

    fw::CRedrawOff hold(m_hWnd);
    SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    const std::size_t selectedNow = selected != none ? m_filter.ItemIndex(selected) : none;
    if (selectedNow != none)
        SetItemState(static_cast<int>(selectedNow), LVIS_SELECTED, LVIS_SELECTED);
    const std::size_t focusedNow = focused != none ? m_filter.ItemIndex(focused) : none;
    // The keyboard needs a focused row to start from.
    if (focusedNow != none || ShownCount() > 0)
        SetItemState(focusedNow != none ? static_cast<int>(focusedNow) : 0, LVIS_FOCUSED,
                     LVIS_FOCUSED);
    NotifyParent();
}

void CEndpointListCtrl::ShowFiltered()
{
    if (m_pRows == nullptr || !IsWindow())
        return;
    m_filter.Apply(*m_pRows, GetColumnCount());
    SendMessage(LVM_SETITEMCOUNT, ShownCount(), LVSICF_NOSCROLL);
    Invalidate(true);
}
