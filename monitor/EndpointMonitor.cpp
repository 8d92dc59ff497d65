#include "EndpointMonitor.h"

#include "EndpointText.h"
#include "ResolverState.h"
#include "ResolverWorker.h"

#include <algorithm>
#include <string_view>

namespace tarnwick {

namespace {

constexpr char kReadFailureText[] = "Unable to get UDP Connections";

// Room for 640 rows at first, which covers most machines with one read per poll.
constexpr std::uint32_t kInitialTableRows = 640;
// When the table does not fit, the buffer grows to the size asked plus this many rows, since
// sockets may be opened between the two reads. Under Wine every read costs about 2.5 ms per
// socket, so a retry is expensive.
constexpr std::uint32_t kSlackRows = 16;
constexpr int kMaxReadAttempts = 4;
// A guard against a nonsensical size from the platform (about 8 million rows).
constexpr std::uint64_t kMaxTableBytes = 64u * 1024u * 1024u;

constexpr int kStatisticsRows = 5;

std::size_t WordsFor(std::uint64_t bytes)
{
    return static_cast<std::size_t>((bytes + sizeof(std::uint32_t) - 1) / sizeof(std::uint32_t));
}

// The row count at the head of the table, as the (little-endian) platform wrote it.
std::uint32_t TableRowCount(const std::vector<std::uint32_t>& buffer)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
    return std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
           (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
}

void SetCellIfChanged(IRowList& list, int row, int column, const std::string& text)
{
    if (list.GetCellText(row, column) != text)
        list.SetCellText(row, column, text);
}

} // namespace

CEndpointMonitor::CEndpointMonitor(IUdpTable& table, std::shared_ptr<INameLookup> lookup,
                                   ThreadStarter starter)
    : m_table(table), m_pState(std::make_shared<CResolverState>(std::move(lookup))),
      m_starter(std::move(starter)),
      m_tableBuffer(WordsFor(kUdpTableHeaderSize + kInitialTableRows * kUdpRowSize))
{}

CEndpointMonitor::~CEndpointMonitor()
{
    m_pState->Close();
}

void CEndpointMonitor::RefreshUdpInfo(IRowList& endpoints, IRowList& statistics)
{
    if (ReadTable()) {
        BuildEndpointBlock();
        FillEndpointList(endpoints);
        StartResolver();
    } else {
        // The other rows keep what they showed; the next good poll overwrites row 0.
        if (endpoints.GetRowCount() == 0)
            endpoints.AppendRow();
        SetCellIfChanged(endpoints, 0, 0, kReadFailureText);
    }
    RefreshStatistics(statistics);
}

bool CEndpointMonitor::ReadTable()
{
    for (int attempt = 0; attempt < kMaxReadAttempts; ++attempt) {
        const auto capacity = static_cast<std::uint32_t>(TableBufferSize());
        std::uint32_t size = capacity;
        const std::uint32_t result = m_table.ReadTable(m_tableBuffer.data(), size);
        if (result == kNoError) {
            // A count that would run past the buffer is a broken answer, not a table.
            return TableRowCount(m_tableBuffer) <= (capacity - kUdpTableHeaderSize) / kUdpRowSize;
        }
        if (result != kErrorInsufficientBuffer || !GrowTableBuffer(size))
            return false;
    }
    return false;
}

bool CEndpointMonitor::GrowTableBuffer(std::uint32_t bytesNeeded)
{
    const std::uint64_t bytes =
        std::max<std::uint64_t>(bytesNeeded, TableBufferSize()) + kSlackRows * kUdpRowSize;
    if (bytes > kMaxTableBytes)
        return false;
    m_tableBuffer.resize(WordsFor(bytes));
    return true;
}

void CEndpointMonitor::BuildEndpointBlock()
{
    const std::uint32_t count = TableRowCount(m_tableBuffer);
    const unsigned char* rows =
        reinterpret_cast<const unsigned char*>(m_tableBuffer.data()) + kUdpTableHeaderSize;

    m_strEndpoints.clear();
    m_strEndpoints.reserve(std::size_t{count} * 24);
    std::string dotted;
    std::string portText;
    CResolverState::CAccess access(*m_pState);
    for (std::uint32_t i = 0; i < count; ++i) {
        const unsigned char* row = rows + std::size_t{i} * kUdpRowSize;
        const std::uint32_t hostOrder = HostOrderAddress(row);
        // Rows come sorted by address, so most rows repeat the address of the one before.
        if (i == 0 || hostOrder != HostOrderAddress(row - kUdpRowSize)) {
            dotted.clear();
            AppendDotted(dotted, hostOrder);
            access.QueueHost(dotted, hostOrder);
        }
        const unsigned char* portField = row + 4;
        const std::uint16_t port = HostOrderPort(portField);
        portText.clear();
        AppendDecimal(portText, port);
        access.QueuePort(port, PlatformPortValue(portField));
        AppendEndpointLine(m_strEndpoints, dotted, portText);
    }
}

std::size_t CEndpointMonitor::TakeRowTexts()
{
    std::size_t lines = 0;
    {
        CResolverState::CAccess access(*m_pState);
        std::size_t pos = 0;
        std::string_view host;
        std::string_view port;
        // Lines come sorted by address: one cache look-up serves a run of equal addresses.
        std::string_view lastHost;
        const std::string* lastHostName = nullptr;
        while (TakeEndpointLine(m_strEndpoints, pos, host, port)) {
            if (lines == m_rowTexts.size())
                m_rowTexts.emplace_back();
            auto& texts = m_rowTexts[lines++];
            const std::string* hostName = nullptr;
            const std::string* portName = nullptr;
            if (m_bResolve) {
                // Only the endpoint's own address and port have their names substituted.
                if (lines == 1 || host != lastHost) {
                    lastHost = host;
                    lastHostName = access.HostName(std::string(host));
                }
                hostName = lastHostName;
                std::uint16_t portNumber = 0;
                if (ParsePort(port, portNumber))
                    portName = access.PortName(portNumber);
            }
            if (hostName != nullptr)
                texts.first = *hostName;
            else
                texts.first.assign(host);
            if (portName != nullptr)
                texts.second = *portName;
            else
                texts.second.assign(port);
        }
    }
    m_strEndpoints.clear();
    return lines;
}

void CEndpointMonitor::FillEndpointList(IRowList& endpoints)
{
    const std::size_t lines = TakeRowTexts();
    // Rows are reused by position; a row keeps no tie to the endpoint it showed before.
    int rowCount = endpoints.GetRowCount();
    const int wanted = static_cast<int>(lines);
    for (int row = 0; row < wanted; ++row) {
        if (row >= rowCount) {
            endpoints.AppendRow();
            ++rowCount;
        }
        SetCellIfChanged(endpoints, row, 0, m_rowTexts[row].first);
        SetCellIfChanged(endpoints, row, 1, m_rowTexts[row].second);
    }
    while (rowCount > wanted)
        endpoints.DeleteRow(--rowCount);
}

void CEndpointMonitor::StartResolver()
{
    if (m_pState->Lookup() == nullptr || !m_pState->TryBeginRun())
        return;
    // The marker is already set, so a run that ends at once cannot leave it stale.
    std::shared_ptr<CResolverState> state = m_pState;
    if (!m_starter || !m_starter([state] { ResolverThreadProc(state); }))
        m_pState->CancelRun();
}

void CEndpointMonitor::RefreshStatistics(IRowList& statistics)
{
    UdpStats stats;
    if (!m_table.ReadStatistics(stats))
        return;
    const std::uint32_t values[kStatisticsRows] = {stats.dwNumAddrs, stats.dwNoPorts,
                                                   stats.dwOutDatagrams, stats.dwInDatagrams,
                                                   stats.dwInErrors};
    const int rows = std::min(kStatisticsRows, statistics.GetRowCount());
    std::string text;
    for (int row = 0; row < rows; ++row) {
        text.clear();
        AppendDecimal(text, values[row]);
        SetCellIfChanged(statistics, row, 1, text);
    }
}

bool CEndpointMonitor::IsResolverRunning() const
{
    return m_pState->IsRunning();
}

std::size_t CEndpointMonitor::HostCacheSize() const
{
    return m_pState->HostCacheSize();
}

std::size_t CEndpointMonitor::PortCacheSize() const
{
    return m_pState->PortCacheSize();
}

std::vector<std::string> CEndpointMonitor::PendingHosts() const
{
    return m_pState->PendingHosts();
}

std::vector<std::string> CEndpointMonitor::PendingPorts() const
{
    return m_pState->PendingPorts();
}

} // namespace tarnwick
