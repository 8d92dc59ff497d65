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
// It tells the main window when a row is clicked and when it loses the focus
// (WM_LISTSELECT), has a context menu of its own (Copy URL, Save events), sorts its rows
// by a clicked column, and fits its columns to the window.
class CEndpointListCtrl : public fw::CListCtrl {
public:
    CEndpointListCtrl();

    // Number of items in the list's header.
    int GetColumnCount() const;

    // Paints one row; uses only the structure's itemID and hDC.
    virtual void DrawItem(DRAWITEMSTRUCT* dis);

    // Makes the columns fill the list's part of the main window (its client width less the
    // statistics column), one pixel per column in turn from column 0; no column gets narrower
    // than zero. The frame calls it at every layout.
    void FitColumns();

    // Sorts rows nLow to nHigh (-1: the last row) by the text of column nColumn, compared as
    // strcmp does; texts, state and selection move with the rows. FALSE when nothing was
    // sorted (no such column, fewer than two rows).
    BOOL SortRowsByText(int nColumn, BOOL bAscending, int nLow = 0, int nHigh = -1);

    // The text that Copy puts on the clipboard: column 0 of the highlighted row, trimmed;
    // empty when no row is selected.
    std::string GetCopyText() const;

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
    // The context menu's commands.
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Fill of a row that is not highlighted, by the port shown in its last column.
    COLORREF PortColor(int item) const;
    UINT GetRowState(int item) const;
    bool IsHighlighted(UINT state, bool hasFocus) const;
    void DrawCells(HDC dc, int item, const RECT& bounds, int inset) const;
    void DrawBottomLine(HDC dc, const RECT& fill, const RECT& bounds, bool focused,
                        int clientWidth) const;

    void OnShowRowMenu();
    // WM_LISTSELECT to the main window: 1 a row was clicked, 0 the focus is gone.
    void NotifyMainWindow(WPARAM selected) const;
    void OnColumnClick(const NMLISTVIEW* click);
    void OnItemChanged(const NMLISTVIEW* change);
    void InvalidateRow(int item);
    int GetCopyRow() const;

    // Menu 130; its popup 0 is shown, a plain menu (not owner-drawn).
    std::unique_ptr<fw::CMenu> m_pContextMenu = std::make_unique<fw::CMenu>();
};
