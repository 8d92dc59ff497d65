#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

#include <string>

namespace fw {

// A report-view list control (SysListView32), subclassed so that notifications
// reflected by the parent reach the object.
class CListCtrl : public CWnd {
public:
    // A Unicode list (`unicode`) hands out and takes its texts in UTF-16, its notifications
    // among them.
    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id, bool unicode = false);

    int InsertColumn(int column, const char* heading, int format, int width);
    int InsertItem(int item, const char* text);
    bool DeleteItem(int item);
    int GetItemCount() const;
    bool SetItemText(int item, int subItem, const char* text);
    // In UTF-8, whatever the list's character set.
    std::string GetItemText(int item, int subItem) const;
    bool SetItemState(int item, UINT state, UINT mask);
    UINT GetItemState(int item, UINT mask) const;
    // The next item after `item` (-1: from the start) that has all the LVNI_ `flags`, or -1.
    int GetNextItem(int item, UINT flags) const;
    int GetColumnWidth(int column) const;
    bool SetColumnWidth(int column, int width);
    // Rows that fit in the visible area.
    int GetCountPerPage() const;
    bool GetItemRect(int item, RECT& rc, int code) const;
    DWORD SetExtendedStyle(DWORD mask, DWORD style);
    bool SetBkColor(COLORREF color);
    bool SetTextBkColor(COLORREF color);
    bool SetTextColor(COLORREF color);
    HWND GetHeaderCtrl() const;
};

// Turns a window's redrawing off for the guard's lifetime (WM_SETREDRAW). Guards nest: only
// the outermost turns it on again, so that an inner one does not repaint halfway through. A
// window shown when the hold began is repainted at its end, frame and all.
class CRedrawOff {
public:
    explicit CRedrawOff(HWND hWnd);
    CRedrawOff(const CRedrawOff&) = delete;
    CRedrawOff& operator=(const CRedrawOff&) = delete;
    ~CRedrawOff();

private:
    HWND m_hWnd;
    // Shown when the outermost hold began: only a shown window is hidden from drawing and shown
    // again as its redrawing comes back on.
    bool m_bShown = false;
};

} // namespace fw
