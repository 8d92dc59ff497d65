#include "EndpointMonitor.h"

#include "EndpointText.h"
#include "PollState.h"
#include "ResolverState.h"
#include "ResolverWorker.h"

#include <algorithm>

namespace tarnwick {

namespace {

constexpr char kReadFailureText[] = "Unable to get UDP Connections";
constexpr char kRead6FailureText[] = "Unable to get IPv6 UDP Connections (error ";

constexpr int kStatisticsRows = 5;

using RowTexts = std::vector<std::pair<std::string, std::string>>;

void SetCellIfChanged(IRowList& list, int row, int column, const std::string& text)
{
    if (list.GetCellText(row, column) != text)
        list.SetCellText(row, column, text);
}

// The texts of row `index`, reusing the storage of an earlier poll.
std::pair<std::string, std::string>& RowAt(RowTexts& texts, std::size_t index)
{
    if (index == texts.size())
        texts.emplace_back();
    return texts[index];
}

// Adds the texts of the read's rows after the first `count`, and queues each address and port
// for the resolver. Returns the new count.
std::size_t AppendRowTexts(const CTableReader& read, bool resolve, CResolverState::CAccess& access,
                           RowTexts& texts, std::size_t count)
{
    const bool ipv6 = read.Family() == AddressFamily::kIPv6;
    const std::uint32_t rowSize = UdpRowSize(read.Family());
    const unsigned char* rows = read.Rows();
    EndpointAddress address;
    std::string addressText;
    const std::string* hostName = nullptr;
    for (std::uint32_t i = 0; i < read.RowCount(); ++i) {
        const unsigned char* row = rows + std::size_t{i} * rowSize;
        const EndpointAddress next =
            ipv6 ? EndpointAddress::IPv6(row, PlatformWord(row + 16)) : EndpointAddress::IPv4(row);
        // Rows come sorted by address, so most rows repeat the address of the one before.
        if (i == 0 || next != address) {
            address = next;
            addressText.clear();
            AppendAddressText(addressText, address);
            access.QueueHost(address);
            hostName = resolve ? access.HostName(address) : nullptr;
        }
        const unsigned char* portField = row + rowSize - 4;
        const std::uint16_t port = HostOrderPort(portField);
        access.QueuePort(port, PlatformPortValue(portField));
        const std::string* portName = resolve ? access.PortName(port) : nullptr;

        auto& rowTexts = RowAt(texts, count++);
        rowTexts.first = hostName != nullptr ? *hostName : addressText;
        if (portName != nullptr) {
            rowTexts.second = *portName;
        } else {
            rowTexts.second.clear();
            AppendDecimal(rowTexts.second, port);
        }
    }
    return count;
}

// Column 1 of the five counter rows from `firstRow` on, as far as the list has them: the
// counters, or empty texts when there are none.
void ShowCounters(IRowList& statistics, int firstRow, const UdpStats* stats)
{
    const int end = std::min(firstRow + kStatisticsRows, statistics.GetRowCount());
    std::string text;
    for (int row = firstRow; row < end; ++row) {
        text.clear();
        if (stats != nullptr) {
            const std::uint32_t values[kStatisticsRows] = {stats->dwNumAddrs, stats->dwNoPorts,
                                                           stats->dwOutDatagrams,
                                                           stats->dwInDatagrams, stats->dwInErrors};
            AppendDecimal(text, values[row - firstRow]);
        }
        SetCellIfChanged(statistics, row, 1, text);
    }
}

} // namespace

CEndpointMonitor::CEndpointMonitor(std::shared_ptr<IUdpTable> table,
                                   std::shared_ptr<INameLookup> lookup, ThreadStarter starter,
                                   ThreadStarter readStarter, std::function<void()> readDone)
    : m_pPoll(std::make_shared<CPollState>(std::move(table), std::move(readDone))),
      m_pState(std::make_shared<CResolverState>(std::move(lookup))), m_starter(std::move(starter)),
      m_readStarter(std::move(readStarter))
{}

CEndpointMonitor::~CEndpointMonitor()
{
    Close();
}

void CEndpointMonitor::Close()
{
    m_bCommandWaiting = m_bTickWaiting = false;
    m_pPoll->Close();
    m_pState->Close();
}

void CEndpointMonitor::RequestPoll(PollRequest request)
{
    if (!m_pPoll->IsBusy()) {
        StartRead();
        return;
    }
    if (request == PollRequest::kTimerTick)
        m_bTickWaiting = true;
    else
        m_bCommandWaiting = true;
}

void CEndpointMonitor::DropTimerTick()
{
    m_bTickWaiting = false;
}

void CEndpointMonitor::StartRead()
{
    if (!m_pPoll->TryBeginRead(m_bIPv6))
        return;
    std::shared_ptr<CPollState> poll = m_pPoll;
    std::function<void()> read = [poll] { poll->RunRead(); };
    // Without a thread the read runs here: the window waits for it, but the poll is not lost.
    if (!m_readStarter || !m_readStarter(read))
        read();
}

bool CEndpointMonitor::ApplyRead(IRowList& endpoints, IRowList& statistics)
{
    const CTableReader* read = m_pPoll->ArrivedRead();
    if (read == nullptr)
        return false;
    const CTableReader* read6 = m_pPoll->ArrivedRead(AddressFamily::kIPv6);
    if (read->TableRead()) {
        FillEndpointList(endpoints, BuildRowTexts(*read, read6));
        StartResolver();
    } else {
        // The other rows keep what they showed; the next good poll overwrites row 0.
        if (endpoints.GetRowCount() == 0)
            endpoints.AppendRow();
        SetCellIfChanged(endpoints, 0, 0, kReadFailureText);
    }
    RefreshStatistics(*read, read6, statistics);
    m_pPoll->EndRead();

    if (m_bCommandWaiting || m_bTickWaiting) {
        m_bCommandWaiting = m_bTickWaiting = false;
        StartRead();
    }
    return true;
}

bool CEndpointMonitor::IsPolling() const
{
    return m_pPoll->IsBusy() || m_bCommandWaiting || m_bTickWaiting;
}

std::size_t CEndpointMonitor::BuildRowTexts(const CTableReader& read, const CTableReader* read6)
{
    CResolverState::CAccess access(*m_pState);
    std::size_t count = AppendRowTexts(read, m_bResolve, access, m_rowTexts, 0);
    if (read6 == nullptr)
        return count;
    if (read6->TableRead())
        return AppendRowTexts(*read6, m_bResolve, access, m_rowTexts, count);
    auto& texts = RowAt(m_rowTexts, count++);
    texts.first = kRead6FailureText;
    AppendDecimal(texts.first, read6->Error());
    texts.first += ')';
    texts.second.clear();
    return count;
}

void CEndpointMonitor::FillEndpointList(IRowList& endpoints, std::size_t rows)
{
    // Rows are reused by position; a row keeps no tie to the endpoint it showed before.
    int rowCount = endpoints.GetRowCount();
    const int wanted = static_cast<int>(rows);
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

void CEndpointMonitor::RefreshStatistics(const CTableReader& read, const CTableReader* read6,
                                         IRowList& statistics)
{
    // Failed IPv4 counters keep the texts of the last good read.
    if (read.StatisticsRead())
        ShowCounters(statistics, 0, &read.Statistics());
    if (read6 != nullptr)
        ShowCounters(statistics, kStatisticsRows,
                     read6->StatisticsRead() ? &read6->Statistics() : nullptr);
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
    std::vector<std::string> texts;
    for (const EndpointAddress& address : m_pState->PendingHosts())
        texts.push_back(AddressText(address));
    return texts;
}

std::vector<std::string> CEndpointMonitor::PendingPorts() const
{
    return m_pState->PendingPorts();
}

} // namespace tarnwick
