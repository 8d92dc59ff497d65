#pragma once

// The counters' list as a vector of two-cell rows, and the endpoint list as a view of the
// monitor's rows; both count their writes.

#include "monitor/EndpointRows.h"
#include "monitor/RowList.h"

#include <array>
#include <string>
#include <vector>

namespace tarnwick::fakes {

class CFakeRowList : public IRowList {
public:
    std::vector<std::array<std::string, 2>> rows;
    int setCalls = 0;
    // Set when the monitor touches a row that does not exist.
    bool outOfRange = false;

    explicit CFakeRowList(int rowCount = 0) : rows(static_cast<std::size_t>(rowCount)) {}

    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    std::string GetCellText(int row, int column) const
    {
        return Valid(row, column) ? rows[Index(row)][Index(column)] : std::string();
    }
    void SetCellText(int row, int column, const std::string& text) override
    {
        ++setCalls;
        if (Valid(row, column))
            rows[Index(row)][Index(column)] = text;
        else
            outOfRange = true;
    }

private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    bool Valid(int row, int column) const
    {
        return row >= 0 && row < GetRowCount() && column >= 0 && column < 2;
    }
};

// Shows as many of the rows as it was last told there are, as the list does; `setCalls`
// counts the rows it is told changed.
class CFakeEndpointView : public IEndpointView {
public:
    // A view of the rows a monitor shows (its Rows()).
    explicit CFakeEndpointView(const CEndpointRows& shown) : m_pRows(&shown) {}

    int setCalls = 0;
    int calls = 0;
    // Set when told of rows past the count.
    bool outOfRange = false;

    void RowsChanged(std::size_t count, std::size_t first, std::size_t last) override
    {
        ++calls;
        m_nCount = count;
        if (first == kNone)
            return;
        setCalls += static_cast<int>(last - first + 1);
        if (last >= count || first > last)
            outOfRange = true;
    }
    int GetRowCount() const { return static_cast<int>(m_nCount); }
    std::string GetCellText(int row, int column) const
    {
        if (row < 0 || row >= GetRowCount() || static_cast<std::size_t>(row) >= m_pRows->Count())
            return std::string();
        return m_pRows->Row(static_cast<std::size_t>(row)).texts[column];
    }

private:
    const CEndpointRows* m_pRows;
    std::size_t m_nCount = 0;
};

} // namespace tarnwick::fakes
