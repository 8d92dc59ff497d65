// What the endpoint list does besides painting and sorting: the notifications its parent
// reflects, the context menu, the row Copy takes, and fitting the columns to a width.
#include "listctrl/EndpointListCtrl.h"

#include "framework/Dpi.h"
#include "framework/Text.h"
#include "res/resource.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// Changes the widths one pixel at a time, column after column from column 0, until they add
// up to `target`; a column at zero width is passed over, and when all are there the widths
// stay short of the target. At most |total - target| steps.
void ShareOut(std::vector<int>& widths, int target)
{
    int total = std::accumulate(widths.begin(), widths.end(), 0);
    int step = total < target ? 1 : -1;
    bool changed = true;
    while (total != target && changed) {
        changed = false;
        for (int& width : widths) {
            if (total == target)
                break;
            if (width + step < 0)
                continue;
            width += step;
            total += step;
            changed = true;
        }
    }
}

} // namespace

bool CEndpointListCtrl::OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (msg == WM_DRAWITEM) {
        DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        *result = TRUE;
        return true;
    }
    if (msg != WM_NOTIFY)
        return false;
    const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
    switch (hdr->code) {
    case NM_RCLICK:
    case NM_DBLCLK:
        OnShowRowMenu();
        break;
    case NM_SETFOCUS:
    case NM_KILLFOCUS:
        NotifyParent();
        break;
    case LVN_COLUMNCLICK:
        OnColumnClick(reinterpret_cast<const NMLISTVIEW*>(lParam));
        break;
    case LVN_ITEMCHANGED:
        OnItemChanged(reinterpret_cast<const NMLISTVIEW*>(lParam));
        break;
    case LVN_GETDISPINFOW:
        OnGetDispInfo(reinterpret_cast<NMLVDISPINFOW*>(lParam));
        break;
    case LVN_ODFINDITEMW:
        *result = OnFindItem(reinterpret_cast<const NMLVFINDITEMW*>(lParam));
        return true;
    default:
        return false;
    }
    *result = 0;
    return true;
}

void CEndpointListCtrl::OnGetDispInfo(NMLVDISPINFOW* info) const
{
    if ((info->item.mask & LVIF_TEXT) != 0)
        fw::CopyUtf8(CellText(info->item.iItem, info->item.iSubItem), info->item.pszText,
                     info->item.cchTextMax);
}

int CEndpointListCtrl::OnFindItem(const NMLVFINDITEMW* find) const
{
    // Typing a row's first letters: the next row from the start row on, round the end, whose
    // address or host name begins with them, without regard to case.
    const LVFINDINFOW& info = find->lvfi;
    if ((info.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || info.psz == nullptr ||
        ShownCount() == 0)
        return -1;
    const std::wstring typed = info.psz;
    const auto count = static_cast<int>(ShownCount());
    const int start = find->iStart >= 0 && find->iStart < count ? find->iStart : 0;
    for (int i = 0; i < count; ++i) {
        const int item = (start + i) % count;
        const std::wstring text = fw::Utf8ToWide(CellText(item, 0));
        const int length = (info.flags & LVFI_PARTIAL) != 0
                               ? static_cast<int>(std::min(text.size(), typed.size()))
                               : static_cast<int>(text.size());
        if (text.size() >= typed.size() &&
            ::CompareStringOrdinal(text.c_str(), length, typed.c_str(),
                                   static_cast<int>(typed.size()), TRUE) == CSTR_EQUAL)
            return item;
    }
    return -1;
}

LRESULT CEndpointListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // A click brings NM_RCLICK, and WM_CONTEXTMENU at the cursor after it. The keys are taken
    // here: Wine's default procedure makes no WM_CONTEXTMENU of them, and the system's does
    // not see them, so the menu cannot come twice.
    const bool shiftF10 = msg == WM_SYSKEYDOWN && wParam == VK_F10 &&
                          (::GetKeyState(VK_SHIFT) & 0x8000) != 0 && (lParam & (1 << 29)) == 0;
    if (shiftF10 || (msg == WM_KEYUP && wParam == VK_APPS) ||
        (msg == WM_CONTEXTMENU && lParam == MAKELPARAM(-1, -1))) {
        OnKeyboardMenu();
        return 0;
    }
    if (msg == WM_KEYDOWN && wParam == VK_APPS)
        return 0;
    return CListCtrl::WindowProc(msg, wParam, lParam);
}

void CEndpointListCtrl::OnKeyboardMenu()
{
    int row = GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    if (row < 0)
        row = GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        row = GetNextItem(-1, LVNI_FOCUSED);
    RECT rc = {};
    if (row >= 0) {
        SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
        GetItemRect(row, rc, LVIR_LABEL);
    }
    POINT at = {rc.left, (rc.top + rc.bottom) / 2};
    ::ClientToScreen(m_hWnd, &at);
    OnShowRowMenu(&at);
}

void CEndpointListCtrl::OnShowRowMenu(const POINT* at)
{
    POINT cursor = {};
    if (at != nullptr)
        cursor = *at;
    else
        ::GetCursorPos(&cursor);
    HMENU popup = ::GetSubMenu(*m_pContextMenu, 0);
    // Owned by the parent: it greys the items as for its own menus, shows their prompts and
    // gets the chosen command.
    if (popup != nullptr)
        ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, GetParent(),
                         nullptr);
}

void CEndpointListCtrl::NotifyParent() const
{
    ::SendMessageA(GetParent(), WM_LISTSELECT, HasHighlightedRow() ? 1 : 0, 0);
}

void CEndpointListCtrl::OnItemChanged(const NMLISTVIEW* change)
{
    // The list view repaints only the columns' width of a row whose state changed, but the
    // row's fill and focus mark reach the client's right edge.
    const UINT shown = LVIS_SELECTED | LVIS_FOCUSED;
    if ((change->uChanged & LVIF_STATE) == 0 ||
        ((change->uOldState ^ change->uNewState) & shown) == 0)
        return;
    InvalidateRow(change->iItem);
    if (((change->uOldState ^ change->uNewState) & LVIS_SELECTED) != 0)
        NotifyParent();
}

void CEndpointListCtrl::InvalidateRow(int item)
{
    RECT row = {};
    if (item < 0 || !GetItemRect(item, row, LVIR_BOUNDS)) {
        Invalidate(false);
        return;
    }
    RECT client = GetClientRect();
    row.left = std::min(row.left, client.left);
    row.right = std::max(row.right, client.right);
    ::InvalidateRect(m_hWnd, &row, FALSE);
}

int CEndpointListCtrl::GetCopyRow() const
{
    // Painting records the last row it drew highlighted, which is not the highlighted row
    // when rows below it were painted after it.
    if (m_nSelectedRow >= 0 && GetItemState(m_nSelectedRow, LVIS_SELECTED) != 0)
        return m_nSelectedRow;
    int focused = GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    return focused >= 0 ? focused : GetNextItem(-1, LVNI_SELECTED);
}

bool CEndpointListCtrl::HasHighlightedRow() const
{
    const int row = GetCopyRow();
    return row >= 0 && IsHighlighted(GetRowState(row), ::GetFocus() == m_hWnd);
}

bool CEndpointListCtrl::GetCopyText(std::string& text) const
{
    if (!HasHighlightedRow())
        return false;
    const char* const blanks = " \t\r\n\v\f";
    text = CellText(GetCopyRow(), 0);
    const std::string::size_type first = text.find_first_not_of(blanks);
    text = first == std::string::npos
               ? std::string()
               : text.substr(first, text.find_last_not_of(blanks) - first + 1);
    return true;
}

void CEndpointListCtrl::FitColumns(int width)
{
    m_nFitWidth = width;
    FitColumnsFor(width, static_cast<std::size_t>(std::max(GetItemCount(), 0)));
}

void CEndpointListCtrl::FitColumnsFor(int width, std::size_t rowCount)
{
    if (width <= 0)
        return;
    const UINT dpi = fw::GetWindowDpi(m_hWnd);
    int target = width - (::GetSystemMetrics(SM_CXFRAME) + fw::ScaleForDpi(2, dpi));
    // Room for the vertical scroll bar that the rows bring.
    if (rowCount > static_cast<std::size_t>(std::max(GetCountPerPage(), 0)))
        target -= ::GetSystemMetrics(SM_CXVSCROLL) + fw::ScaleForDpi(1, dpi);
    std::vector<int> widths(static_cast<std::size_t>(std::max(GetColumnCount(), 0)));
    for (std::size_t column = 0; column < widths.size(); ++column)
        widths[column] = GetColumnWidth(static_cast<int>(column));
    std::vector<int> fitted = widths;
    ShareOut(fitted, target);
    if (fitted == widths)
        return;
    {
        fw::CRedrawOff hold(m_hWnd);
        for (std::size_t column = 0; column < widths.size(); ++column)
            if (fitted[column] != widths[column])
                SetColumnWidth(static_cast<int>(column), fitted[column]);
    }
    ::ShowScrollBar(m_hWnd, SB_HORZ, FALSE);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE);
}
