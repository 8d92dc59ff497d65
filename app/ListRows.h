#pragma once

#include "ListCtrl.h"
#include "RowList.h"

#include <optional>

// The rows of a list control as the monitor core sees them, for one poll. Adding or
// removing rows, or changing many cells, turns the list's redrawing off until the poll ends
// (one repaint instead of one per row: under Wine a list of 700 rows fills in milliseconds
// instead of seconds); changing a few cells repaints only their rows.
class CListRows : public tarnwick::IRowList {
public:
    explicit CListRows(fw::CListCtrl& list) : m_list(list) {}
    CListRows(const CListRows&) = delete;
    CListRows& operator=(const CListRows&) = delete;
    ~CListRows() override
    {
        if (m_redrawOff) {
            m_redrawOff.reset();
            m_list.Invalidate(TRUE);
        }
    }

    int GetRowCount() const override { return m_list.GetItemCount(); }
    void AppendRow() override
    {
        HoldRedraw();
        m_list.InsertItem(m_list.GetItemCount(), "");
    }
    std::string GetCellText(int row, int column) const override
    {
        return m_list.GetItemText(row, column);
    }
    void SetCellText(int row, int column, const std::string& text) override
    {
        // A few changed cells repaint their rows as they are written; many (names arriving,
        // sorted rows put back in table order) are written with redrawing off and shown in
        // one repaint: under Wine 5,000 such writes take 50 ms instead of a second.
        if (++m_nWrites > kWritesShownOneByOne)
            HoldRedraw();
        m_list.SetItemText(row, column, text.c_str());
    }
    void DeleteRow(int row) override
    {
        HoldRedraw();
        m_list.DeleteItem(row);
    }

private:
    void HoldRedraw()
    {
        if (!m_redrawOff && m_list.IsWindow())
            m_redrawOff.emplace(m_list);
    }

    static constexpr int kWritesShownOneByOne = 16;

    fw::CListCtrl& m_list;
    std::optional<fw::CRedrawOff> m_redrawOff;
    int m_nWrites = 0;
};
