#include "monitor/EndpointChanges.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tarnwick {

namespace {

// The table's order: IPv4 before IPv6, then the address bytes (network order, so as numbers),
// scope id and port; the process id tells apart sockets that share an endpoint.
bool TableLess(const EndpointRow& a, const EndpointRow& b)
{
    if (a.address.family != b.address.family)
        return a.address.family < b.address.family;
    if (a.address.bytes != b.address.bytes)
        return a.address.bytes < b.address.bytes;
    if (a.address.scopeId != b.address.scopeId)
        return a.address.scopeId < b.address.scopeId;
    if (a.port != b.port)
        return a.port < b.port;
    return a.pid < b.pid;
}

// Rows that show a message (port 0) are no endpoints; gone rows are no longer live.
bool IsLiveEndpoint(const EndpointRow& row)
{
    return row.port != 0 && row.change != RowChange::kGone;
}

// The indices of the live endpoints of `rows`, in table order. The table comes sorted, so
// the sort runs only after a header click reordered the rows.
std::vector<std::size_t> SortedEndpoints(const std::vector<EndpointRow>& rows)
{
    std::vector<std::size_t> order;
    order.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (IsLiveEndpoint(rows[i]))
            order.push_back(i);
    const auto less = [&rows](std::size_t a, std::size_t b) { return TableLess(rows[a], rows[b]); };
    if (!std::is_sorted(order.begin(), order.end(), less))
        std::stable_sort(order.begin(), order.end(), less);
    return order;
}

// Ends the changes of the rows for which `over` holds: new rows become plain, gone rows
// leave. Returns the first row that changed (rows after a gone one move up), or kNoRow.
template <class Over> std::size_t EndChanges(std::vector<EndpointRow>& rows, Over over)
{
    std::size_t first = CEndpointChanges::kNoRow;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EndpointRow& row = rows[i];
        if (row.change != RowChange::kNone && over(row)) {
            first = std::min(first, kept);
            if (row.change == RowChange::kGone)
                continue;
            row.change = RowChange::kNone;
        }
        if (kept != i)
            rows[kept] = std::move(row);
        ++kept;
    }
    rows.resize(kept);
    return first;
}

} // namespace

bool CEndpointChanges::IsOver(const EndpointRow& row, std::uint64_t now) const
{
    return row.changePoll < m_nPoll && now - row.changedAt >= kShownMs;
}

void CEndpointChanges::Mark(EndpointRow& row, RowChange change, std::uint64_t now) const
{
    row.change = change;
    row.changePoll = m_nPoll;
    row.changedAt = now;
}

void CEndpointChanges::Apply(const std::vector<EndpointRow>& shown, std::vector<EndpointRow>& next,
                             std::uint64_t now, bool ipv6Baseline)
{
    // The rows reuse the storage of earlier polls.
    for (EndpointRow& row : next)
        row.change = RowChange::kNone;
    // The first poll shows what was there before the program started: nothing is new.
    if (++m_nPoll == 1 || (!m_bHighlight && !m_bReport))
        return;
    const std::vector<std::size_t> before = SortedEndpoints(shown);
    const std::vector<std::size_t> after = SortedEndpoints(next);
    std::vector<EndpointRow> lingering;
    const auto gone = [&](const EndpointRow& row) {
        if (m_bReport)
            m_gone.push_back(row);
        if (m_bHighlight) {
            lingering.push_back(row);
            Mark(lingering.back(), RowChange::kGone, now);
        }
    };
    std::size_t b = 0;
    for (const std::size_t index : after) {
        EndpointRow& row = next[index];
        while (b < before.size() && TableLess(shown[before[b]], row))
            gone(shown[before[b++]]);
        if (b < before.size() && !TableLess(row, shown[before[b]])) {
            // The same endpoint: it keeps a change that is not over yet.
            const EndpointRow& was = shown[before[b++]];
            if (m_bHighlight && was.change == RowChange::kNew && !IsOver(was, now)) {
                row.change = was.change;
                row.changePoll = was.changePoll;
                row.changedAt = was.changedAt;
            }
        } else if (!ipv6Baseline || row.address.family != AddressFamily::kIPv6) {
            if (m_bReport)
                m_appeared.push_back(row);
            if (m_bHighlight)
                Mark(row, RowChange::kNew, now);
        }
    }
    while (b < before.size())
        gone(shown[before[b++]]);
    // Rows that went before and linger still, unless their endpoint is back.
    const auto isBack = [&](const EndpointRow& row) {
        const auto at = std::lower_bound(after.begin(), after.end(), row,
                                         [&next](std::size_t index, const EndpointRow& value) {
                                             return TableLess(next[index], value);
                                         });
        return at != after.end() && !TableLess(row, next[*at]);
    };
    if (m_bHighlight)
        for (const EndpointRow& row : shown)
            if (row.change == RowChange::kGone && !IsOver(row, now) && !isBack(row))
                lingering.push_back(row);
    if (lingering.empty())
        return;
    // In their place, so that a closed endpoint is seen where it was; the table is in table
    // order, and message rows sort where their family's rows begin.
    std::stable_sort(lingering.begin(), lingering.end(), TableLess);
    std::vector<EndpointRow> merged;
    merged.reserve(next.size() + lingering.size());
    std::merge(std::make_move_iterator(next.begin()), std::make_move_iterator(next.end()),
               std::make_move_iterator(lingering.begin()), std::make_move_iterator(lingering.end()),
               std::back_inserter(merged), TableLess);
    next.swap(merged);
}

std::size_t CEndpointChanges::Expire(std::vector<EndpointRow>& rows, std::uint64_t now) const
{
    return EndChanges(rows, [&](const EndpointRow& row) { return IsOver(row, now); });
}

std::size_t CEndpointChanges::EndAll(std::vector<EndpointRow>& rows)
{
    return EndChanges(rows, [](const EndpointRow&) { return true; });
}

void CEndpointChanges::TakeReport(std::vector<EndpointRow>& appeared,
                                  std::vector<EndpointRow>& gone)
{
    appeared.clear();
    gone.clear();
    appeared.swap(m_appeared);
    gone.swap(m_gone);
}

bool AnyChange(const std::vector<EndpointRow>& rows)
{
    return std::any_of(rows.begin(), rows.end(),
                       [](const EndpointRow& row) { return row.change != RowChange::kNone; });
}

} // namespace tarnwick
