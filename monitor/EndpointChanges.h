#pragma once

#include "monitor/EndpointRows.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnwick {

// Finds the endpoints that appear and go from one poll to the next. With highlighting on it
// marks them in the rows: an endpoint that appears is new, one that goes stays as a gone row in
// its table place. Either change lasts kShownMs and at least until the next poll, whichever
// ends later. The rows of the first poll are not new. UI thread only.
class CEndpointChanges {
public:
    static constexpr std::uint64_t kShownMs = 3000;

    void SetHighlight(bool on) { m_bHighlight = on; }
    bool GetHighlight() const { return m_bHighlight; }
    // The rows that appeared and went are kept for TakeReport.
    void SetReport(bool on) { m_bReport = on; }

    // A poll's rows `next`, in table order, replace `shown` at `now` (milliseconds). Rows of
    // `next` that `shown` lacks are new, except those of IPv6 when `ipv6Baseline` (its rows
    // were not read before); live rows of `shown` that `next` lacks are gone.
    void Apply(const std::vector<EndpointRow>& shown, std::vector<EndpointRow>& next,
               std::uint64_t now, bool ipv6Baseline);
    static constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);

    // Ends the changes that are over at `now`: new rows become plain, gone rows leave. Returns
    // the first row that changed (rows after a gone one move up), or kNoRow.
    std::size_t Expire(std::vector<EndpointRow>& rows, std::uint64_t now) const;
    // Ends every change at once, as Expire does; for highlighting switched off.
    static std::size_t EndAll(std::vector<EndpointRow>& rows);
    // The rows that appeared and went since the last call, in table order.
    void TakeReport(std::vector<EndpointRow>& appeared, std::vector<EndpointRow>& gone);

private:
    bool IsOver(const EndpointRow& row, std::uint64_t now) const;
    void Mark(EndpointRow& row, RowChange change, std::uint64_t now) const;

    bool m_bHighlight = false;
    bool m_bReport = false;
    std::uint32_t m_nPoll = 0;
    std::vector<EndpointRow> m_appeared;
    std::vector<EndpointRow> m_gone;
};

// Any row still shows a change.
bool AnyChange(const std::vector<EndpointRow>& rows);

} // namespace tarnwick
