#pragma once

#include "monitor/EndpointAddress.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick {

// The columns of the endpoint list; the last two are shown only with the owners.
enum class EndpointColumn { kAddress, kPort, kPid, kProcess };
constexpr int kEndpointColumns = 4;

// A row's state while changes are highlighted: the endpoint appeared, or went and lingers.
enum class RowChange : std::uint8_t { kNone, kNew, kGone };

// One row of the endpoint list: the endpoint as data, and the texts it shows (UTF-8).
struct EndpointRow {
    EndpointAddress address;
    // In host order; 0 for a row that shows a message.
    std::uint16_t port = 0;
    std::uint32_t pid = 0;
    // The address or its host name, the port or its service name, the owner's id and program.
    std::string texts[kEndpointColumns];
    RowChange change = RowChange::kNone;
    // The poll that found the change (a count of polls) and its time, in milliseconds.
    std::uint32_t changePoll = 0;
    std::uint64_t changedAt = 0;

    const std::string& Text(EndpointColumn column) const { return texts[static_cast<int>(column)]; }
    bool operator==(const EndpointRow& other) const;
    bool operator!=(const EndpointRow& other) const { return !(*this == other); }
};

// The rows the endpoint list shows, in the order shown: table order after each poll, until a
// sort reorders them. UI thread only; the list paints from it, Save, Copy and sorting read it.
class CEndpointRows {
public:
    std::size_t Count() const { return m_rows.size(); }
    const EndpointRow& Row(std::size_t index) const { return m_rows[index]; }
    const std::vector<EndpointRow>& Rows() const { return m_rows; }

    // Puts row order[i] at position i; `order` is a permutation of the rows' indices.
    void Reorder(const std::vector<std::size_t>& order);

    // The poll's side: the rows are replaced as a whole.
    std::vector<EndpointRow>& Edit() { return m_rows; }

private:
    std::vector<EndpointRow> m_rows;
};

} // namespace tarnwick
