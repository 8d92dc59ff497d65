#pragma once

#include "ListCtrl.h"
#include "Menu.h"

#include <memory>
#include <string>

// The owner-drawn list of UDP endpoints: column 0 the address or host name, column 1
// the port or service name. Each row is filled in one colour chosen from its state and
// the port shown in its last column; the control draws its own column separators,
// grid lines and focus mark with the pen that is current in the paint DC.
//
// It tells its parent when its highlighted row may have changed (WM_LISTSELECT), shows a
// context menu (Copy URL, Save events) whose commands and state are its parent's, sorts its
// rows by a clicked column, and fits its columns to the width it is given.
class CEndpointListCtrl : public fw::CListCtrl {
public:
    CEndpointListCtrl();

    // Number of items in the list's header.
    int GetColumnCount() const;

    // Paints one row; uses only the structure's itemID and hDC.
    virtual void DrawItem(DRAWITEMSTRUCT* dis);

    // Makes the columns fill `width`, the list's width in its parent, less its frame and, when
    // there are more rows than fit, the vertical scroll bar: one pixel per column in turn from
    // column 0, no column narrower than zero. Changes and repaints nothing when they fill it.
    void FitColumns(int width);

    // Sorts rows nLow to nHigh (-1: the last row) by the text of column nColumn, compared as
    // strcmp does; texts, state and selection move with the rows. FALSE when nothing was
    // sorted (no such column, fewer than two rows).
    BOOL SortRowsByText(int nColumn, BOOL bAscending, int nLow = 0, int nHigh = -1);

    // A row is shown highlighted: selected while the list has the focus (or shows its
    // selection always), or a drop target.
    bool HasHighlightedRow() const;
    // The text that Copy puts on the clipboard: column 0 of the highlighted row, trimmed;
    // false when no row is highlighted.
    bool GetCopyText(std::string& text) const;

    // Index of the row most recently painted highlighted; -1 when the most recent row
    // painted was not highlighted.
    int m_nSelectedRow = -1;
    BOOL m_bSortAscending = TRUE;
    BOOL m_bGridLines = TRUE;
    COLORREF m_crBackColor = RGB(200, 200, 205);
    COLORREF m_crSystemColor = RGB(220, 255, 220);
    COLORREF m_crCustomColor = RGB(255, 255, 220);
    COLORREF m_crSelectColor = RGB(200, 200, 255);

protected:
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Fill of a row that is not highlighted, by the port shown in its last column.
    COLORREF PortColor(int item) const;
    UINT GetRowState(int item) const;
    bool IsHighlighted(UINT state, bool hasFocus) const;
    void DrawCells(HDC dc, int item, const RECT& bounds, int inset) const;
    void DrawBottomLine(HDC dc, const RECT& fill, const RECT& bounds, bool focused,
                        int clientWidth) const;

    // At the cursor (a click), or at `at` in screen coordinates.
    void OnShowRowMenu(const POINT* at = nullptr);
    // Shift+F10 or the menu key: the menu at the selected row, else the focused one.
    void OnKeyboardMenu();
    // WM_LISTSELECT to the parent: wParam 1 while a row is highlighted, else 0.
    void NotifyParent() const;
    void OnColumnClick(const NMLISTVIEW* click);
    void OnItemChanged(const NMLISTVIEW* change);
    void InvalidateRow(int item);
    int GetCopyRow() const;

    // Menu 130; its popup 0 is shown, a plain menu (not owner-drawn).
    std::unique_ptr<fw::CMenu> m_pContextMenu = std::make_unique<fw::CMenu>();
};
