#pragma once

#include "framework/ListCtrl.h"
#include "framework/Menu.h"
#include "monitor/EndpointRows.h"
#include "monitor/RowFilter.h"
#include "monitor/RowList.h"

#include <memory>
#include <string>
#include <vector>

// The owner-drawn list of UDP endpoints, a virtual list that shows the monitor's rows: column 0
// the address or host name, column 1 the port or service name, and with the owners the
// process id and program. Each row is filled in one colour chosen from its state and its port
// number, or its change (new, closed); the control draws its own column separators, grid lines and
// focus mark with the pen that is current in the paint DC. A Unicode window: its texts reach the
// screen, and other programs, in UTF-16.
//
// It tells its parent when its highlighted row may have changed (WM_LISTSELECT), shows a
// context menu (Copy URL, Save events) whose commands and state are its parent's, sorts its
// rows by a clicked column, and fits its columns to the width it is given, again whenever the
// rows it shows bring or take away the vertical scroll bar.
class CEndpointListCtrl : public fw::CListCtrl, public tarnwick::IEndpointView {
public:
    CEndpointListCtrl();

    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id);
    // The rows shown; they live as long as the list.
    void SetRows(tarnwick::CEndpointRows* rows) { m_pRows = rows; }
    // The rows changed: the list takes their count and repaints those shown that changed.
    // While a filter is on, the rows it keeps are found anew and all of them repainted.
    void RowsChanged(std::size_t count, std::size_t first, std::size_t last) override;

    // Shows only the rows whose shown cells hold `text` (UTF-8), every row when it is empty.
    // The selected and focused rows stay so when they are still shown.
    void SetFilterText(const std::string& text);
    bool IsFiltered() const { return m_filter.IsOn(); }
    // The keyboard needs a focused row to start from: `item` gets the focus when it lies on the
    // page shown, else (or for -1) the page's first row does. Nothing without rows.
    void FocusOnPage(int item);
    // The rows shown, in the order shown: those the filter keeps. Save and Copy read these.
    std::size_t ShownCount() const;
    const tarnwick::EndpointRow& ShownRow(std::size_t item) const;

    // Number of items in the list's header.
    int GetColumnCount() const;

    // Paints one row; uses only the structure's itemID and hDC.
    virtual void DrawItem(DRAWITEMSTRUCT* dis);

    // Makes the columns fill `width`, the list's width in its parent, less its frame and, when
    // there are more rows than fit, the vertical scroll bar: one pixel per column in turn from
    // column 0, no column narrower than zero. Changes and repaints nothing when they fill it.
    void FitColumns(int width);

    // Sorts rows nLow to nHigh (-1: the last row) by column nColumn: the address and port by
    // their texts, compared as strcmp does, the process id as a number, the program's name
    // without regard to case. Rows that compare equal keep their order; selection and focus
    // move with the rows. False when nothing was sorted (no such column, fewer than two rows).
    bool SortRowsByText(int nColumn, bool bAscending, int nLow = 0, int nHigh = -1);

    // A row is shown highlighted: selected while the list has the focus (or shows its
    // selection always). A virtual list keeps no other state of its rows.
    bool HasHighlightedRow() const;
    // The text that Copy puts on the clipboard: column 0 of the highlighted row, trimmed, in
    // UTF-8; false when no row is highlighted.
    bool GetCopyText(std::string& text) const;

    // Index of the row most recently painted highlighted; -1 when the most recent row
    // painted was not highlighted.
    int m_nSelectedRow = -1;
    bool m_bSortAscending = true;
    bool m_bGridLines = true;
    COLORREF m_crBackColor = RGB(200, 200, 205);
    COLORREF m_crSystemColor = RGB(220, 255, 220);
    COLORREF m_crCustomColor = RGB(255, 255, 220);
    COLORREF m_crSelectColor = RGB(200, 200, 255);
    // Rows of endpoints that appeared and went, while changes are highlighted.
    COLORREF m_crNewColor = RGB(120, 220, 120);
    COLORREF m_crRemovedColor = RGB(240, 120, 120);

protected:
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // Fill of a row that is not highlighted: by its change, else by its port number.
    COLORREF PortColor(int item) const;
    // The text of a cell; empty past the rows.
    const std::string& CellText(int item, int column) const;
    void OnGetDispInfo(NMLVDISPINFOW* info) const;
    int OnFindItem(const NMLVFINDITEMW* find) const;
    void MoveStates(const std::vector<std::size_t>& order, int low);
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

    // Has the list view measure its rows while it is empty.
    void MeasureRows();
    // FitColumns for a list of `rowCount` rows.
    void FitColumnsFor(int width, std::size_t rowCount);
    // The item count becomes `count`, the columns fitted for it to the width last given while
    // the list holds the fewer rows: with 20,000 rows a column width set costs Wine's list view
    // 12 to 20 ms, with ten well under one.
    void SetRowCount(std::size_t count, DWORD flags);
    // The filter anew over the rows, the list's item count set to the rows it keeps.
    void ShowFiltered();
    // The row shown as `item`, or null past the rows.
    const tarnwick::EndpointRow* FindShownRow(int item) const;

    tarnwick::CEndpointRows* m_pRows = nullptr;
    // The width the columns were last fitted to; 0 before the first fit.
    int m_nFitWidth = 0;
    tarnwick::CRowFilter m_filter;
    // The List menu (IDR_CONTEXTMENU); its one popup is shown, a plain menu (not owner-drawn).
    std::unique_ptr<fw::CMenu> m_pContextMenu = std::make_unique<fw::CMenu>();
};
