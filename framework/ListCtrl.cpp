#include "framework/ListCtrl.h"

#include "framework/Gdi.h"
#include "framework/Text.h"

#include <utility>
#include <vector>

namespace fw {

bool CListCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id, bool unicode)
{
    if (!unicode)
        return CreateEx(0, WC_LISTVIEWA, "", style, rect, parent, id);
    HWND hWnd = ::CreateWindowExW(0, WC_LISTVIEWW, L"", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (hWnd == nullptr || !SubclassWindow(hWnd))
        return false;
    // Its parent is an ANSI window, whose answer to WM_NOTIFYFORMAT made the notifications 8-bit.
    SendMessage(LVM_SETUNICODEFORMAT, TRUE);
    return true;
}

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width)
{
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    col.fmt = format;
    col.cx = width;
    col.pszText = const_cast<char*>(heading);
    col.iSubItem = column;
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&col)));
}

int CListCtrl::InsertItem(int item, const char* text)
{
    LVITEMA lvi = {};
    lvi.mask = LVIF_TEXT;
    lvi.iItem = item;
    lvi.pszText = const_cast<char*>(text);
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&lvi)));
}

bool CListCtrl::DeleteItem(int item)
{
    return SendMessage(LVM_DELETEITEM, item) != FALSE;
}

int CListCtrl::GetItemCount() const
{
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

bool CListCtrl::SetItemText(int item, int subItem, const char* text)
{
    LVITEMA lvi = {};
    lvi.iSubItem = subItem;
    lvi.pszText = const_cast<char*>(text);
    return SendMessage(LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&lvi)) != FALSE;
}

std::string CListCtrl::GetItemText(int item, int subItem) const
{
    // LVM_GETITEMTEXT returns the length copied; grow until the text fits.
    std::vector<wchar_t> buffer(256);
    for (;;) {
        LVITEMW lvi = {};
        lvi.iSubItem = subItem;
        lvi.cchTextMax = static_cast<int>(buffer.size());
        lvi.pszText = buffer.data();
        auto length = static_cast<std::size_t>(
            SendMessage(LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvi)));
        if (length + 1 < buffer.size() || buffer.size() >= 65536)
            return WideToUtf8(std::wstring(buffer.data(), length < buffer.size() ? length : 0));
        buffer.resize(buffer.size() * 4);
    }
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEMA lvi = {};
    lvi.state = state;
    lvi.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&lvi)) != FALSE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, item, mask));
}

int CListCtrl::GetNextItem(int item, UINT flags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, item, MAKELPARAM(flags, 0)));
}

int CListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, column));
}

bool CListCtrl::SetColumnWidth(int column, int width)
{
    return SendMessage(LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0)) != FALSE;
}

int CListCtrl::GetCountPerPage() const
{
    return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE));
}

bool CListCtrl::GetItemRect(int item, RECT& rc, int code) const
{
    rc.left = code;
    return SendMessage(LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rc)) != FALSE;
}

DWORD CListCtrl::SetExtendedStyle(DWORD mask, DWORD style)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style));
}

bool CListCtrl::SetBkColor(COLORREF color)
{
    return SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color)) != FALSE;
}

bool CListCtrl::SetTextBkColor(COLORREF color)
{
    return SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(color)) != FALSE;
}

bool CListCtrl::SetTextColor(COLORREF color)
{
    return SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(color)) != FALSE;
}

HWND CListCtrl::GetHeaderCtrl() const
{
    return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
}

namespace {
// How many guards hold a window's redrawing off, kept with the window.
const char kRedrawHolds[] = "fw.RedrawHolds";

// The parts of a window's children that wait to be repainted, kept while the window is hidden
// from drawing (which drops them) and asked for again after.
class CChildRepaints {
public:
    explicit CChildRepaints(HWND parent)
    {
        for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            CRgn region(::CreateRectRgn(0, 0, 0, 0));
            if (::GetUpdateRgn(child, region, FALSE) > NULLREGION)
                m_pending.emplace_back(child, std::move(region));
        }
    }

    void Repaint() const
    {
        for (const auto& [child, region] : m_pending)
            ::RedrawWindow(child, nullptr, region, RDW_INVALIDATE | RDW_ERASE);
    }

private:
    std::vector<std::pair<HWND, CRgn>> m_pending;
};

// Turns redrawing on for a shown window. A list view sets its scroll bars twice over as its
// redrawing comes back, and each setting draws the bar there and then (5 ms a draw under Wine's
// themes). So the window is hidden from drawing while the control catches up, and then
// repainted once: its frame with the bars, and its header too where the bars came or went and
// so changed the header's width.
void RedrawShownWindow(HWND hWnd)
{
    constexpr LONG_PTR kBars = WS_VSCROLL | WS_HSCROLL;
    const LONG_PTR bars = ::GetWindowLongPtrW(hWnd, GWL_STYLE) & kBars;
    const CChildRepaints children(hWnd);
    // DefWindowProc hides the window silently, where a style change would tell the control.
    ::DefWindowProcW(hWnd, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(hWnd, WM_SETREDRAW, TRUE, 0);
    ::DefWindowProcW(hWnd, WM_SETREDRAW, TRUE, 0);
    const LONG_PTR barsNow = ::GetWindowLongPtrW(hWnd, GWL_STYLE) & kBars;
    UINT flags = RDW_INVALIDATE | RDW_ERASE;
    if (bars != 0 || barsNow != 0)
        flags |= RDW_FRAME;
    if (barsNow != bars)
        flags |= RDW_ALLCHILDREN;
    ::RedrawWindow(hWnd, nullptr, nullptr, flags);
    children.Repaint();
}
} // namespace

CRedrawOff::CRedrawOff(HWND hWnd) : m_hWnd(hWnd)
{
    const auto holds = reinterpret_cast<INT_PTR>(::GetPropA(hWnd, kRedrawHolds));
    if (holds == 0) {
        m_bShown = (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
        ::SendMessageA(hWnd, WM_SETREDRAW, FALSE, 0);
    }
    ::SetPropA(hWnd, kRedrawHolds, reinterpret_cast<HANDLE>(holds + 1));
}

CRedrawOff::~CRedrawOff()
{
    const auto holds = reinterpret_cast<INT_PTR>(::GetPropA(m_hWnd, kRedrawHolds));
    if (holds > 1) {
        ::SetPropA(m_hWnd, kRedrawHolds, reinterpret_cast<HANDLE>(holds - 1));
        return;
    }
    ::RemovePropA(m_hWnd, kRedrawHolds);
    if (m_bShown)
        RedrawShownWindow(m_hWnd);
    else
        ::SendMessageA(m_hWnd, WM_SETREDRAW, TRUE, 0);
}

} // namespace fw
