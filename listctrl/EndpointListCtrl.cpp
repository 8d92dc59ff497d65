#include "EndpointListCtrl.h"

#include "Gdi.h"

int CEndpointListCtrl::GetColumnCount() const
{
    HWND header = GetHeaderCtrl();
    return header != nullptr ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0))
                             : 0;
}

void CEndpointListCtrl::DrawItem(const DRAWITEMSTRUCT& dis)
{
    HDC dc = dis.hDC;
    fw::CSaveDC saved(dc);
    int item = static_cast<int>(dis.itemID);
    RECT bounds;
    GetItemRect(item, bounds, LVIR_BOUNDS);
    fw::FillSolidRect(dc, bounds, m_crBackColor);
    ::SetTextColor(dc, RGB(0, 0, 50));
    ::SetBkMode(dc, TRANSPARENT);
    RECT cell = bounds;
    cell.right = cell.left;
    for (int column = 0; column < GetColumnCount(); ++column) {
        cell.left = cell.right;
        cell.right = cell.left + GetColumnWidth(column);
        RECT text = {cell.left + 4, cell.top, cell.right - 4, cell.bottom};
        std::string s = GetItemText(item, column);
        ::DrawTextA(dc, s.c_str(), -1, &text,
                    DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

bool CEndpointListCtrl::OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (msg != WM_DRAWITEM)
        return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}
