#include "EndpointMonitor.h"

#include "EndpointText.h"
#include "PollState.h"
#include "ResolverState.h"
#include "ResolverWorker.h"

#include <algorithm>
#include <string_view>

namespace tarnwick {

namespace {

constexpr char kReadFailureText[] = "Unable to get UDP Connections";

constexpr int kStatisticsRows = 5;

void SetCellIfChanged(IRowList& list, int row, int column, const std::string& text)
{
    if (list.GetCellText(row, column) != text)
        list.SetCellText(row, column, text);
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
    if (!m_pPoll->TryBeginRead())
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
    if (read->TableRead()) {
        BuildEndpointBlock(*read);
        FillEndpointList(endpoints);
        StartResolver();
    } else {
        // The other rows keep what they showed; the next good poll overwrites row 0.
        if (endpoints.GetRowCount() == 0)
            endpoints.AppendRow();
        SetCellIfChanged(endpoints, 0, 0, kReadFailureText);
    }
    RefreshStatistics(*read, statistics);
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

void CEndpointMonitor::BuildEndpointBlock(const CTableReader& read)
{
    const std::uint32_t count = read.RowCount();
    const unsigned char* rows = read.Rows();

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

void CEndpointMonitor::RefreshStatistics(const CTableReader& read, IRowList& statistics)
{
    if (!read.StatisticsRead())
        return;
    const UdpStats& stats = read.Statistics();
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
