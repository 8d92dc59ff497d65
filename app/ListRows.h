#pragma once

#include "ListCtrl.h"
#include "RowList.h"

// The rows of a list control as the monitor core sees them.
class CListRows : public tarnwick::IRowList {
public:
    explicit CListRows(fw::CListCtrl& list) : m_list(list) {}

    int GetRowCount() const override { return m_list.GetItemCount(); }
    void AppendRow() override { m_list.InsertItem(m_list.GetItemCount(), ""); }
    std::string GetCellText(int row, int column) const override
    {
        return m_list.GetItemText(row, column);
    }
    void SetCellText(int row, int column, const std::string& text) override
    {
        m_list.SetItemText(row, column, text.c_str());
    }
    void DeleteRow(int row) override { m_list.DeleteItem(row); }

private:
    fw::CListCtrl& m_list;
};
