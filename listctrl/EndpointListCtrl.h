#pragma once

#include "ListCtrl.h"

// The owner-drawn list of UDP endpoints: column 0 the address or host name, column 1
// the port or service name. Each row is filled in one colour chosen from its state and
// the port shown in its last column; the control draws its own column separators,
// grid lines and focus mark with the pen that is current in the paint DC.
class CEndpointListCtrl : public fw::CListCtrl {
public:
    // Number of items in the list's header.
    int GetColumnCount() const;

    // Paints one row; uses only the structure's itemID and hDC.
    virtual void DrawItem(DRAWITEMSTRUCT* dis);

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

private:
    // Fill of a row that is not highlighted, by the port shown in its last column.
    COLORREF PortColor(int item) const;
    UINT GetRowState(int item) const;
    bool IsHighlighted(UINT state, bool hasFocus) const;
    void DrawCells(HDC dc, int item, const RECT& bounds, int inset) const;
    void DrawBottomLine(HDC dc, const RECT& fill, const RECT& bounds, bool focused,
                        int clientWidth) const;
};
