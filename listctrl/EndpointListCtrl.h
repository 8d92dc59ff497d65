#pragma once

#include "ListCtrl.h"

// The owner-drawn list of UDP endpoints: column 0 the address or host name, column 1
// the port or service name.
class CEndpointListCtrl : public fw::CListCtrl {
public:
    int GetColumnCount() const;

    // Paints one row.
    virtual void DrawItem(const DRAWITEMSTRUCT& dis);

    int m_nSelectedRow = -1;
    BOOL m_bSortAscending = TRUE;
    BOOL m_bGridLines = TRUE;
    COLORREF m_crBackColor = RGB(200, 200, 205);
    COLORREF m_crSystemColor = RGB(220, 255, 220);
    COLORREF m_crCustomColor = RGB(255, 255, 220);
    COLORREF m_crSelectColor = RGB(200, 200, 255);

protected:
    bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
