#include "monitor/EndpointMonitor.h"

#include "monitor/EndpointText.h"
#include "monitor/PollState.h"
#include "monitor/ResolverState.h"
#include "monitor/ResolverWorker.h"

#include <algorithm>
#include <chrono>

namespace tarnwick {

namespace {

constexpr char kReadFailureText[] = "Unable to get UDP Connections";
constexpr char kRead6FailureText[] = "Unable to get IPv6 UDP Connections (error ";

constexpr int kStatisticsRows = 5;

// The row at `index` of `rows`, reusing the storage of an earlier poll.
EndpointRow& RowAt(std::vector<EndpointRow>& rows, std::size_t index)
{
    if (index == rows.size())
        rows.emplace_back();
    return rows[index];
}

// The address whose name a row shows: an IPv4 address on an IPv6 socket is named as the IPv4
// address it is.
EndpointAddress NamedAddress(const EndpointAddress& address)
{
    return address.IsV4Mapped() ? EndpointAddress::IPv4(address.bytes.data() + 12) : address;
}

// Adds the read's rows after the first `count`, and queues each address and port for the
// resolver. Returns the new count.
std::size_t AppendRows(const CTableReader& read, bool resolve, const CProcessNames* owners,
                       CResolverState::CAccess& access, std::vector<EndpointRow>& rows,
                       std::size_t count)
{
    const bool ipv6 = read.Family() == AddressFamily::kIPv6;
    const std::uint32_t rowSize = UdpRowSize(read.Family());
    const unsigned char* table = read.Rows();
    EndpointAddress address;
    std::string addressText;
    const std::string* hostName = nullptr;
    // Rows of one owner mostly come together, so its name is found once per run.
    const std::string* ownerName = nullptr;
    std::uint32_t ownerPid = 0;
    for (std::uint32_t i = 0; i < read.RowCount(); ++i) {
        const unsigned char* field = table + std::size_t{i} * rowSize;
        const EndpointAddress next = ipv6 ? EndpointAddress::IPv6(field, PlatformWord(field + 16))
                                          : EndpointAddress::IPv4(field);
        // Rows come sorted by address, so most rows repeat the address of the one before.
        if (i == 0 || next != address) {
            address = next;
            addressText.clear();
            AppendAddressText(addressText, address);
            const EndpointAddress named = NamedAddress(address);
            access.QueueHost(named);
            hostName = resolve ? access.HostName(named) : nullptr;
        }
        const unsigned char* portField = field + rowSize - kPortFieldFromEnd;
        const std::uint16_t port = HostOrderPort(portField);
        access.QueuePort(port, PlatformPortValue(portField));
        const std::string* portName = resolve ? access.PortName(port) : nullptr;

        EndpointRow& row = RowAt(rows, count++);
        row.address = address;
        row.port = port;
        row.pid = PlatformWord(field + rowSize - kOwnerPidFromEnd);
        row.texts[0] = hostName != nullptr ? *hostName : addressText;
        if (portName != nullptr) {
            row.texts[1] = *portName;
        } else {
            row.texts[1].clear();
            AppendDecimal(row.texts[1], port);
        }
        row.texts[2].clear();
        if (owners != nullptr) {
            AppendDecimal(row.texts[2], row.pid);
            if (ownerName == nullptr || row.pid != ownerPid) {
                ownerPid = row.pid;
                ownerName = &owners->Name(row.pid);
            }
            row.texts[3] = *ownerName;
        } else {
            row.texts[3].clear();
        }
    }
    return count;
}

// A row that shows a message in column 0 and nothing else.
void SetMessageRow(EndpointRow& row, std::string text)
{
    row = EndpointRow();
    row.texts[0] = std::move(text);
}

// The texts of the five counters, or empty texts when there are none.
void CounterTexts(const UdpStats* stats, std::string* texts)
{
    for (int i = 0; i < kStatisticsRows; ++i)
        texts[i].clear();
    if (stats == nullptr)
        return;
    const std::uint32_t values[kStatisticsRows] = {stats->dwNumAddrs, stats->dwNoPorts,
                                                   stats->dwOutDatagrams, stats->dwInDatagrams,
                                                   stats->dwInErrors};
    for (int i = 0; i < kStatisticsRows; ++i)
        AppendDecimal(texts[i], values[i]);
}

} // namespace

CEndpointMonitor::CEndpointMonitor(std::shared_ptr<IUdpTable> table,
                                   std::shared_ptr<INameLookup> lookup, ThreadStarter starter,
                                   ThreadStarter readStarter, std::function<void()> readDone,
                                   std::shared_ptr<IProcessLookup> processes)
    : m_pPoll(std::make_shared<CPollState>(std::move(table), std::move(readDone),
                                           std::move(processes))),
      m_pState(std::make_shared<CResolverState>(std::move(lookup))), m_starter(std::move(starter)),
      m_readStarter(std::move(readStarter)), m_clock([] {
          return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                std::chrono::steady_clock::now().time_since_epoch())
                                                .count());
      })
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
    if (!m_pPoll->TryBeginRead(m_bIPv6, m_bOwners))
        return;
    std::shared_ptr<CPollState> poll = m_pPoll;
    std::function<void()> read = [poll] { poll->RunRead(); };
    // Without a thread the read runs here: the window waits for it, but the poll is not lost.
    if (!m_readStarter || !m_readStarter(read))
        read();
}

void CEndpointMonitor::SetIPv6(bool ipv6, IEndpointView& endpoints)
{
    if (ipv6 == m_bIPv6)
        return;
    m_bIPv6 = ipv6;
    m_bIPv6Baseline = ipv6;
    if (ipv6)
        return;
    // The IPv6 rows are the last ones, until a sort mixes them in.
    std::vector<EndpointRow>& rows = m_rows.Edit();
    const auto isIPv6 = [](const EndpointRow& row) {
        return row.address.family == AddressFamily::kIPv6;
    };
    const auto firstIPv6 = std::find_if(rows.begin(), rows.end(), isIPv6);
    if (firstIPv6 == rows.end())
        return;
    const auto first = static_cast<std::size_t>(firstIPv6 - rows.begin());
    rows.erase(std::remove_if(firstIPv6, rows.end(), isIPv6), rows.end());
    endpoints.RowsChanged(rows.size(), first < rows.size() ? first : IEndpointView::kNone,
                          rows.empty() ? 0 : rows.size() - 1);
}

bool CEndpointMonitor::ApplyRead(IEndpointView& endpoints, IRowList& statistics)
{
    const CTableReader* read = m_pPoll->ArrivedRead();
    if (read == nullptr)
        return false;
    const CTableReader* read6 = m_pPoll->ArrivedRead(AddressFamily::kIPv6);
    const bool owners = m_pPoll->ArrivedWithOwners();
    if ((read6 != nullptr) != m_bIPv6 || owners != m_bOwners) {
        // Begun under the choice before: its rows would bring back what the user switched off.
        m_pPoll->EndRead();
        m_bCommandWaiting = m_bTickWaiting = false;
        StartRead();
        return true;
    }
    if (read->TableRead()) {
        BuildRows(*read, read6);
        ShowNextRows(endpoints);
        StartResolver();
    } else {
        ShowFailedRead(endpoints);
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

void CEndpointMonitor::BuildRows(const CTableReader& read, const CTableReader* read6)
{
    CResolverState::CAccess access(*m_pState);
    const CProcessNames* owners = m_bOwners ? &m_pPoll->ArrivedOwners() : nullptr;
    // Grown once: moving 20,000 rows of four texts at each doubling took half of a first poll.
    m_next.reserve(std::size_t{read.RowCount()} + (read6 != nullptr ? read6->RowCount() + 1 : 0));
    std::size_t count = AppendRows(read, m_bResolve, owners, access, m_next, 0);
    if (read6 != nullptr) {
        if (read6->TableRead()) {
            count = AppendRows(*read6, m_bResolve, owners, access, m_next, count);
        } else {
            std::string text = kRead6FailureText;
            AppendDecimal(text, read6->Error());
            text += ')';
            EndpointRow& row = RowAt(m_next, count++);
            SetMessageRow(row, std::move(text));
            // It goes with the IPv6 rows.
            row.address.family = AddressFamily::kIPv6;
        }
    }
    m_next.resize(count);
}

void CEndpointMonitor::ShowFailedRead(IEndpointView& endpoints)
{
    // The other rows keep what they showed; the next good poll shows the table again.
    std::vector<EndpointRow>& rows = m_rows.Edit();
    if (rows.empty()) {
        rows.emplace_back();
        SetMessageRow(rows.front(), kReadFailureText);
    } else if (rows.front().texts[0] != kReadFailureText) {
        rows.front().texts[0] = kReadFailureText;
    } else {
        return;
    }
    endpoints.RowsChanged(rows.size(), 0, 0);
}

void CEndpointMonitor::ShowNextRows(IEndpointView& endpoints)
{
    std::vector<EndpointRow>& rows = m_rows.Edit();
    m_changes.Apply(rows, m_next, m_clock(), m_bIPv6Baseline);
    m_bIPv6Baseline = false;
    const std::size_t common = std::min(rows.size(), m_next.size());
    std::size_t first = IEndpointView::kNone;
    std::size_t last = 0;
    for (std::size_t i = 0; i < common; ++i) {
        if (rows[i] != m_next[i]) {
            if (first == IEndpointView::kNone)
                first = i;
            last = i;
        }
    }
    // Rows that came are changed rows too.
    if (m_next.size() > rows.size()) {
        if (first == IEndpointView::kNone)
            first = rows.size();
        last = m_next.size() - 1;
    }
    const bool countChanged = rows.size() != m_next.size();
    rows.swap(m_next);
    if (countChanged || first != IEndpointView::kNone)
        endpoints.RowsChanged(rows.size(), first, last);
}

void CEndpointMonitor::SetHighlight(bool on, IEndpointView& endpoints)
{
    if (on == m_changes.GetHighlight())
        return;
    m_changes.SetHighlight(on);
    if (!on)
        ShowEndedChanges(CEndpointChanges::EndAll(m_rows.Edit()), endpoints);
}

bool CEndpointMonitor::ExpireChanges(IEndpointView& endpoints)
{
    ShowEndedChanges(m_changes.Expire(m_rows.Edit(), m_clock()), endpoints);
    return AnyChange(m_rows.Rows());
}

void CEndpointMonitor::ShowEndedChanges(std::size_t first, IEndpointView& endpoints) const
{
    // The rows below the first change may have moved up.
    const std::size_t count = m_rows.Count();
    if (first != CEndpointChanges::kNoRow)
        endpoints.RowsChanged(count, first < count ? first : IEndpointView::kNone,
                              count == 0 ? 0 : count - 1);
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
    m_counterTexts.resize(2 * kStatisticsRows);
    std::string texts[kStatisticsRows];
    const auto show = [&](int firstRow, const UdpStats* stats) {
        CounterTexts(stats, texts);
        const int end = std::min(firstRow + kStatisticsRows, statistics.GetRowCount());
        for (int row = firstRow; row < end; ++row) {
            std::string& shown = m_counterTexts[static_cast<std::size_t>(row)];
            const std::string& text = texts[row - firstRow];
            // Rows the list did not have before start empty.
            if (shown != text) {
                statistics.SetCellText(row, 1, text);
                shown = text;
            }
        }
    };
    // Failed IPv4 counters keep the texts of the last good read.
    if (read.StatisticsRead())
        show(0, &read.Statistics());
    if (read6 != nullptr)
        show(kStatisticsRows, read6->StatisticsRead() ? &read6->Statistics() : nullptr);
    else
        // The IPv6 rows went with the choice; should they come back, they start empty.
        std::fill(m_counterTexts.begin() + kStatisticsRows, m_counterTexts.end(), std::string());
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
