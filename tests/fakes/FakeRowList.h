#pragma once

// The rows of a list as a vector of two-cell rows that counts its writes.

#include "RowList.h"

#include <array>
#include <string>
#include <vector>

namespace tarnwick::fakes {

class CFakeRowList : public IRowList {
public:
    std::vector<std::array<std::string, 2>> rows;
    int setCalls = 0;
    std::vector<int> deletedRows;
    // Set when the monitor touches a row that does not exist.
    bool outOfRange = false;

    explicit CFakeRowList(int rowCount = 0) : rows(static_cast<std::size_t>(rowCount)) {}

    int GetRowCount() const override { return static_cast<int>(rows.size()); }
    void AppendRow() override { rows.emplace_back(); }
    std::string GetCellText(int row, int column) const override
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
    void DeleteRow(int row) override
    {
        deletedRows.push_back(row);
        if (Valid(row, 0))
            rows.erase(rows.begin() + row);
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

} // namespace tarnwick::fakes
