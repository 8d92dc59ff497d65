#include "listctrl/EndpointListCtrl.h"

#include "framework/Gdi.h"
#include "framework/Text.h"
#include "res/resource.h"

#include <algorithm>
#include <string>

namespace {

const COLORREF kTextColor = RGB(0, 0, 50);
// Ports below this are the system's well-known ports.
const long kFirstCustomPort = 1024;

// Sets the background colour that the row's text is drawn on, and fills the row with it.
void FillRow(HDC dc, const RECT& rc, COLORREF color)
{
    ::SetBkColor(dc, color);
    fw::CBrush brush(::CreateSolidBrush(color));
    ::FillRect(dc, &rc, brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

UINT Justification(int format)
{
    switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

} // namespace

CEndpointListCtrl::CEndpointListCtrl()
{
    m_pContextMenu->Attach(
        ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_CONTEXTMENU)));
}

bool CEndpointListCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    // The rows are the monitor's: the list asks for the texts it shows. The header is clipped
    // out of the rows' paint, so that a repaint of the rows does not repaint it too: that
    // halved a page's repaint under Wine (9 ms to 4).
    if (!CListCtrl::Create(style | LVS_OWNERDATA | WS_CLIPCHILDREN, rect, parent, id, true))
        return false;
    MeasureRows();
    return true;
}

void CEndpointListCtrl::MeasureRows()
{
    // Wine's list view measures its rows, and sets its scroll bars once more, at its first
    // paint that has rows: 13 ms of showing a first list of 20,000. A row painted off-screen
    // now does it while the list is empty.
    SendMessage(LVM_SETITEMCOUNT, 1, LVSICF_NOINVALIDATEALL);
    fw::CMemDC memory;
    SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(static_cast<HDC>(memory)), PRF_CLIENT);
    SendMessage(LVM_SETITEMCOUNT, 0, LVSICF_NOINVALIDATEALL);
}

void CEndpointListCtrl::RowsChanged(std::size_t count, std::size_t first, std::size_t last)
{
    if (!IsWindow())
        return;
    if (m_filter.IsOn()) {
        ShowFiltered();
        return;
    }
    const auto shown = static_cast<std::size_t>(GetItemCount());
    const bool countChanged = count != shown;
    // Selection and focus stay with the row positions, and the list keeps its scroll position.
    if (countChanged) {
        SetRowCount(count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
        // Rows that came or went change everything from the old or new last row down.
        first = std::min(first, std::min(count, shown));
        last = std::max(count, shown);
    }
    if (first == kNone)
        return;
    // Only the changed rows on screen repaint, their fill reaching the client's right edge.
    const RECT client = GetClientRect();
    RECT rows = client;
    RECT row = {};
    if (first < count && GetItemRect(static_cast<int>(first), row, LVIR_BOUNDS))
        rows.top = std::max(row.top, client.top);
    else if (count > 0 && GetItemRect(static_cast<int>(count - 1), row, LVIR_BOUNDS))
        rows.top = std::max(row.bottom, client.top);
    if (last < count && GetItemRect(static_cast<int>(last), row, LVIR_BOUNDS))
        rows.bottom = std::min(row.bottom, client.bottom);
    if (rows.top < rows.bottom)
        ::InvalidateRect(m_hWnd, &rows, countChanged ? TRUE : FALSE);
}

void CEndpointListCtrl::SetRowCount(std::size_t count, DWORD flags)
{
    const bool fewer = count < static_cast<std::size_t>(std::max(GetItemCount(), 0));
    if (!fewer)
        FitColumnsFor(m_nFitWidth, count);
    SendMessage(LVM_SETITEMCOUNT, count, flags);
    if (fewer)
        FitColumnsFor(m_nFitWidth, count);
}

const tarnwick::EndpointRow* CEndpointListCtrl::FindShownRow(int item) const
{
    if (item < 0 || static_cast<std::size_t>(item) >= ShownCount())
        return nullptr;
    return &m_pRows->Row(m_filter.RowIndex(static_cast<std::size_t>(item)));
}

const std::string& CEndpointListCtrl::CellText(int item, int column) const
{
    static const std::string none;
    const tarnwick::EndpointRow* row = FindShownRow(item);
    if (row == nullptr || column < 0 || column >= tarnwick::kEndpointColumns)
        return none;
    return row->texts[column];
}

int CEndpointListCtrl::GetColumnCount() const
{
    HWND header = GetHeaderCtrl();
    return header != nullptr ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void CEndpointListCtrl::DrawItem(DRAWITEMSTRUCT* dis)
{
    HDC dc = dis->hDC;
    fw::CSaveDC saved(dc);
    m_nSelectedRow = -1;
    int item = static_cast<int>(dis->itemID);
    UINT state = GetRowState(item);
    bool hasFocus = ::GetFocus() == m_hWnd;
    bool highlighted = IsHighlighted(state, hasFocus);

    RECT bounds = {};
    RECT label = {};
    GetItemRect(item, bounds, LVIR_BOUNDS);
    GetItemRect(item, label, LVIR_LABEL);
    RECT client = GetClientRect();
    RECT fill = bounds;
    fill.left = label.left - 2;
    fill.right = std::max(bounds.right, client.right);
    SIZE blank = {};
    ::GetTextExtentPoint32A(dc, " ", 1, &blank);
    int inset = 2 * blank.cx;

    ::SetTextColor(dc, kTextColor);
    FillRow(dc, fill, highlighted ? m_crSelectColor : PortColor(item));
    if (highlighted)
        m_nSelectedRow = item;

    DrawCells(dc, item, bounds, inset);
    DrawBottomLine(dc, fill, bounds, (state & LVIS_FOCUSED) != 0 && hasFocus, client.right);
}

COLORREF CEndpointListCtrl::PortColor(int item) const
{
    // By the number, whether the row shows it or its service's name; a row that shows a
    // message has port 0.
    const tarnwick::EndpointRow* row = FindShownRow(item);
    if (row == nullptr)
        return m_crBackColor;
    if (row->change != tarnwick::RowChange::kNone)
        return row->change == tarnwick::RowChange::kNew ? m_crNewColor : m_crRemovedColor;
    return row->port < kFirstCustomPort ? m_crSystemColor : m_crCustomColor;
}

UINT CEndpointListCtrl::GetRowState(int item) const
{
    LVITEMA lvi = {};
    lvi.mask = LVIF_STATE;
    lvi.iItem = item;
    lvi.stateMask = 0xFFFF;
    SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&lvi));
    return lvi.state;
}

bool CEndpointListCtrl::IsHighlighted(UINT state, bool hasFocus) const
{
    bool showAlways = (::GetWindowLongA(m_hWnd, GWL_STYLE) & LVS_SHOWSELALWAYS) != 0;
    return (state & LVIS_SELECTED) != 0 && (hasFocus || showAlways);
}

void CEndpointListCtrl::DrawCells(HDC dc, int item, const RECT& bounds, int inset) const
{
    RECT cell = bounds;
    cell.right = cell.left;
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    for (int index = 0;
         SendMessage(LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column)) != FALSE; ++index) {
        const std::wstring text = fw::Utf8ToWide(CellText(item, index));
        cell.left = cell.right;
        cell.right = cell.left + column.cx;
        // LineTo leaves out its end point: the separator covers B.top to B.bottom.
        Line(dc, cell.right - 1, bounds.bottom, cell.right - 1, bounds.top - 1);
        RECT textRect = {cell.left + inset, cell.top, cell.right - inset, cell.bottom};
        ::DrawTextW(dc, text.c_str(), -1, &textRect,
                    Justification(column.fmt) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                        DT_END_ELLIPSIS);
    }
}

void CEndpointListCtrl::DrawBottomLine(HDC dc, const RECT& fill, const RECT& bounds, bool focused,
                                       int clientWidth) const
{
    int left = fill.left;
    int right = fill.right - 1;
    int top = bounds.top;
    int bottom = bounds.bottom - 1;
    if (focused && !m_bGridLines) {
        // Segments rather than one Polyline path, like every other line of the row.
        Line(dc, left, top, left, bottom);
        ::LineTo(dc, right, bottom);
        ::LineTo(dc, right, top);
        ::LineTo(dc, left, top);
    } else if (focused || m_bGridLines) {
        Line(dc, left, bottom, right, bottom);
        if (focused || clientWidth < fill.right - fill.left)
            ::LineTo(dc, right, top - 1);
    }
}
