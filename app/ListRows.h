#pragma once

#include "framework/ListCtrl.h"
#include "monitor/RowList.h"

#include <optional>

// The rows of a plain list control (the counters) as the monitor core writes them, for one
// poll. Changing many cells turns the list's redrawing off until the poll ends (one repaint
// instead of one per cell); changing a few cells repaints only their rows.
class CListRows : public tarnwick::IRowList {
public:
    explicit CListRows(fw::CListCtrl& list) : m_list(list) {}
    CListRows(const CListRows&) = delete;
    CListRows& operator=(const CListRows&) = delete;

    int GetRowCount() const override { return m_list.GetItemCount(); }
    void SetCellText(int row, int column, const std::string& text) override
    {
        // A few changed cells repaint their rows as they are written; many are written with
        // redrawing off and shown in one repaint.
        if (++m_nWrites > kWritesShownOneByOne)
            HoldRedraw();
        m_list.SetItemText(row, column, text.c_str());
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
