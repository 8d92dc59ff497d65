#pragma once

#include "Wnd.h"

#include <commctrl.h>

#include <string>

namespace fw {

// A report-view list control (SysListView32), subclassed so that notifications
// reflected by the parent reach the object.
class CListCtrl : public CWnd {
public:
    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id);

    int InsertColumn(int column, const char* heading, int format, int width);
    int InsertItem(int item, const char* text);
    bool DeleteItem(int item);
    int GetItemCount() const;
    bool SetItemText(int item, int subItem, const char* text);
    std::string GetItemText(int item, int subItem) const;
    bool SetItemState(int item, UINT state, UINT mask);
    bool GetItemRect(int item, RECT& rc, int code) const;
    DWORD SetExtendedStyle(DWORD mask, DWORD style);
    bool SetBkColor(COLORREF color);
    bool SetTextBkColor(COLORREF color);
    bool SetTextColor(COLORREF color);
    HWND GetHeaderCtrl() const;
};

} // namespace fw
