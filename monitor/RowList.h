#pragma once

#include <cstddef>
#include <string>

namespace tarnwick {

// The rows of a plain list control (the counters), as the monitor writes them. UI thread only.
class IRowList {
public:
    virtual ~IRowList() = default;

    virtual int GetRowCount() const = 0;
    virtual void SetCellText(int row, int column, const std::string& text) = 0;
};

// The endpoint list, which shows the monitor's rows itself: it is told only what changed.
class IEndpointView {
public:
    virtual ~IEndpointView() = default;

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // The rows now number `count` (surplus rows went from the end); rows first to last
    // (inclusive) changed their contents, or none when first is kNone. Not called when nothing
    // changed.
    virtual void RowsChanged(std::size_t count, std::size_t first, std::size_t last) = 0;
};

} // namespace tarnwick
