#pragma once

#include "monitor/UdpTable.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnwick {

// The platform reads of one poll for one address family: the endpoint table, into a buffer kept
// from read to read so that a steady table costs one call, then the counters. Not thread-safe:
// it runs on the poll's worker thread, and the UI thread looks at the result only after the
// read has been handed over.
class CTableReader {
public:
    explicit CTableReader(AddressFamily family = AddressFamily::kIPv4) : m_family(family) {}

    // Reads the table, growing the buffer a few times at most while the table does not fit,
    // then the counters. Never throws: a read that cannot be done is a failed read.
    void Read(IUdpTable& table);

    // The result of the last Read.
    bool TableRead() const { return m_bTableRead; }
    // Why the table could not be read: the platform's code, or kErrorInvalidData for a row
    // count past the buffer.
    std::uint32_t Error() const { return m_nError; }
    AddressFamily Family() const { return m_family; }
    // The rows, when the table was read: RowCount() rows of UdpRowSize(Family()) bytes each, as
    // the platform wrote them.
    std::uint32_t RowCount() const { return m_bTableRead ? m_nRows : 0; }
    const unsigned char* Rows() const;
    bool StatisticsRead() const { return m_bStatisticsRead; }
    const UdpStats& Statistics() const { return m_stats; }

private:
    bool ReadTable(IUdpTable& table);
    bool GrowBuffer(std::uint32_t bytesNeeded);
    std::uint32_t BufferSize() const;

    // The table as the platform writes it: a 32-bit row count, then the rows. Held as 32-bit
    // words for the platform's alignment. Allocated by the first read.
    std::vector<std::uint32_t> m_buffer;
    const AddressFamily m_family;
    bool m_bTableRead = false;
    std::uint32_t m_nError = kNoError;
    std::uint32_t m_nRows = 0;
    bool m_bStatisticsRead = false;
    UdpStats m_stats;
};

} // namespace tarnwick
