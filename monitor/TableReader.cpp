#include "monitor/TableReader.h"

#include "monitor/EndpointText.h"

#include <algorithm>

namespace tarnwick {

namespace {

// Room for 8,192 rows (64 KB) at first: a whole machine's table in the common case, so that
// even the first poll costs a single read.
constexpr std::uint32_t kInitialTableRows = 8192;
// A table that does not fit grows the buffer to the size asked plus a quarter of it, and at
// least this many rows: sockets come and go between the two reads, and under Wine a read of a
// few thousand sockets takes seconds, so the room must grow with the table.
constexpr std::uint32_t kMinSlackRows = 64;
constexpr int kMaxReadAttempts = 4;
// A guard against a nonsensical size from the platform (about 8 million rows).
constexpr std::uint64_t kMaxTableBytes = 64u * 1024u * 1024u;

std::size_t WordsFor(std::uint64_t bytes)
{
    return static_cast<std::size_t>((bytes + sizeof(std::uint32_t) - 1) / sizeof(std::uint32_t));
}

} // namespace

const unsigned char* CTableReader::Rows() const
{
    return reinterpret_cast<const unsigned char*>(m_buffer.data()) + kUdpTableHeaderSize;
}

std::uint32_t CTableReader::BufferSize() const
{
    return static_cast<std::uint32_t>(m_buffer.size() * sizeof(std::uint32_t));
}

void CTableReader::Read(IUdpTable& table)
{
    m_bTableRead = false;
    m_bStatisticsRead = false;
    try {
        if (m_buffer.empty())
            m_buffer.resize(WordsFor(kUdpTableHeaderSize +
                                     std::uint64_t{kInitialTableRows} * UdpRowSize(m_family)));
        m_bTableRead = ReadTable(table);
        m_bStatisticsRead = table.ReadStatistics(m_family, m_stats);
    } catch (...) {
        // Out of memory here or in the platform's adapter: an exception must not end the
        // process from the worker thread; the poll shows a failed read.
        if (!m_bTableRead)
            m_nError = kErrorNotEnoughMemory;
    }
}

bool CTableReader::ReadTable(IUdpTable& table)
{
    const std::uint32_t rowSize = UdpRowSize(m_family);
    for (int attempt = 0; attempt < kMaxReadAttempts; ++attempt) {
        const std::uint32_t capacity = BufferSize();
        std::uint32_t size = capacity;
        m_nError = table.ReadTable(m_family, m_buffer.data(), size);
        if (m_nError == kNoError) {
            m_nRows = PlatformWord(reinterpret_cast<const unsigned char*>(m_buffer.data()));
            // A count that would run past the buffer is a broken answer, not a table.
            if (m_nRows <= (capacity - kUdpTableHeaderSize) / rowSize)
                return true;
            m_nError = kErrorInvalidData;
            return false;
        }
        if (m_nError != kErrorInsufficientBuffer || !GrowBuffer(size))
            return false;
    }
    return false;
}

bool CTableReader::GrowBuffer(std::uint32_t bytesNeeded)
{
    const std::uint64_t needed = std::max(bytesNeeded, BufferSize());
    const std::uint64_t slack =
        std::max<std::uint64_t>(needed / 4, kMinSlackRows * UdpRowSize(m_family));
    if (needed + slack > kMaxTableBytes)
        return false;
    m_buffer.resize(WordsFor(needed + slack));
    return true;
}

} // namespace tarnwick
