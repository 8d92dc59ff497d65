#pragma once

#include <string>

namespace tarnwick {

// The rows of a list control, as the monitor sees them. UI thread only.
class IRowList {
public:
    virtual ~IRowList() = default;

    virtual int GetRowCount() const = 0;
    // Appends one row with empty cells at the end.
    virtual void AppendRow() = 0;
    virtual std::string GetCellText(int row, int column) const = 0;
    virtual void SetCellText(int row, int column, const std::string& text) = 0;
    virtual void DeleteRow(int row) = 0;
};

} // namespace tarnwick
