#pragma once

#include "monitor/EndpointChanges.h"
#include "monitor/EndpointRows.h"
#include "monitor/NameLookup.h"
#include "monitor/ProcessNames.h"
#include "monitor/RowList.h"
#include "monitor/ThreadStarter.h"
#include "monitor/UdpTable.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick {

class CPollState;
class CResolverState;
class CTableReader;

// Polls the UDP endpoint table and counters: the endpoints into its rows, which a list shows,
// and the counters into a list. Keeps names for the addresses and ports, looked up by a
// background run, and the programs that own the endpoints. The platform reads of a poll run on a
// worker thread, so a slow table never holds the UI thread; everything else is UI thread only.
class CEndpointMonitor {
public:
    enum class PollRequest { kCommand, kTimerTick };

    // `table` and `processes` are read on the poll's worker thread and `lookup` on the
    // resolver's; all may outlive this object. `starter` starts the resolver's runs and
    // `readStarter` the table reads. `readDone` is called on the read's thread when a read has
    // arrived: it must get the UI thread to call ApplyRead soon (post it a message), and must
    // neither block nor call into this object.
    CEndpointMonitor(std::shared_ptr<IUdpTable> table, std::shared_ptr<INameLookup> lookup,
                     ThreadStarter starter = StdThreadStarter(),
                     ThreadStarter readStarter = StdThreadStarter(),
                     std::function<void()> readDone = {},
                     std::shared_ptr<IProcessLookup> processes = nullptr);
    // Never waits for a read or a resolver run; one still in progress finishes on its own and
    // its results are dropped.
    ~CEndpointMonitor();
    CEndpointMonitor(const CEndpointMonitor&) = delete;
    CEndpointMonitor& operator=(const CEndpointMonitor&) = delete;

    // Asks for one poll: reads the table and the counters on a worker thread; ApplyRead shows
    // them. One read at a time: a request made while a read is in flight is remembered, and
    // however many came, one more poll follows once that read has been applied.
    void RequestPoll(PollRequest request = PollRequest::kCommand);
    // Auto-update paused: a remembered timer tick is forgotten (a read in flight still shows).
    void DropTimerTick();
    // Shows the read that has arrived: the endpoint rows in table order (a failed read shows a
    // message in row 0, the other rows as they were), the IPv6 rows after the IPv4 ones (a
    // failed IPv6 read: one row with a message instead), and a resolver run when names are
    // missing and no run is in progress; `endpoints` hears which rows changed. Then the five
    // counters in column 1 of the statistics rows 0 to 4, and those of IPv6 in rows 5 to 9
    // (empty when they could not be read) where the list has such rows; only cells whose text
    // changes are written. Then starts the remembered poll, if any. False, with nothing
    // changed, when no read has arrived. A read begun before the IPv6 or owner choice changed is
    // not shown: a new one is begun instead.
    bool ApplyRead(IEndpointView& endpoints, IRowList& statistics);
    // The rows shown; a sort may reorder them (until the next poll).
    CEndpointRows& Rows() { return m_rows; }
    const CEndpointRows& Rows() const { return m_rows; }
    // From a poll's request until its read, and the one remembered meanwhile, has been applied.
    bool IsPolling() const;
    // The owner goes away: no further polls, and the results of a read or a resolver run
    // still in progress are dropped. Also done by the destructor.
    void Close();

    // Name display, on by default. Takes effect at the next poll; names are looked up
    // either way.
    void SetResolve(bool resolve) { m_bResolve = resolve; }
    bool GetResolve() const { return m_bResolve; }

    // IPv6 endpoints and counters, off by default. Switched off, the IPv6 rows go at once
    // (`endpoints` hears of it); the next read takes the new choice. While off, the IPv6 table
    // and counters are not read and statistics rows past 4 are not touched.
    void SetIPv6(bool ipv6, IEndpointView& endpoints);
    bool GetIPv6() const { return m_bIPv6; }

    // The owning programs' names, off by default; the next read takes the choice. While off no
    // process is opened and the rows' id and program texts are empty (their ids are kept as
    // numbers).
    void SetOwners(bool owners) { m_bOwners = owners; }
    bool GetOwners() const { return m_bOwners; }

    // Highlighted changes, off by default: new rows are marked and gone ones stay a while (see
    // CEndpointChanges). Switched off, the gone rows leave and the marks go at once.
    void SetHighlight(bool on, IEndpointView& endpoints);
    bool GetHighlight() const { return m_changes.GetHighlight(); }
    // The rows that appear and go are kept for TakeChanges (for a log), off by default.
    void SetReportChanges(bool on) { m_changes.SetReport(on); }
    void TakeChanges(std::vector<EndpointRow>& appeared, std::vector<EndpointRow>& gone)
    {
        m_changes.TakeReport(appeared, gone);
    }
    // Ends the highlighted changes that are over; `endpoints` hears of it. True while rows still
    // show a change, so that the caller looks again soon.
    bool ExpireChanges(IEndpointView& endpoints);
    // Milliseconds of a steady clock, the change times; tests pass their own.
    void SetClock(std::function<std::uint64_t()> clock) { m_clock = std::move(clock); }

    bool IsResolverRunning() const;

    // Snapshots for tests and diagnostics; addresses as the rows show them without names.
    std::size_t HostCacheSize() const;
    std::size_t PortCacheSize() const;
    std::vector<std::string> PendingHosts() const;
    std::vector<std::string> PendingPorts() const;

private:
    void StartRead();
    // Turns the rows of the reads into m_next, with names while they are shown, and queues
    // their addresses and ports. `read6` is null when IPv6 was not read.
    void BuildRows(const CTableReader& read, const CTableReader* read6);
    void ShowFailedRead(IEndpointView& endpoints);
    // Makes m_next the rows shown and tells `endpoints` what changed.
    void ShowNextRows(IEndpointView& endpoints);
    // Tells `endpoints` of changes ended from row `first` on (CEndpointChanges::kNoRow: none).
    void ShowEndedChanges(std::size_t first, IEndpointView& endpoints) const;
    void StartResolver();
    void RefreshStatistics(const CTableReader& read, const CTableReader* read6,
                           IRowList& statistics);

    const std::shared_ptr<CPollState> m_pPoll;
    const std::shared_ptr<CResolverState> m_pState;
    ThreadStarter m_starter;
    ThreadStarter m_readStarter;
    bool m_bResolve = true;
    bool m_bIPv6 = false;
    bool m_bOwners = false;
    // Polls asked for while a read was in flight.
    bool m_bCommandWaiting = false;
    bool m_bTickWaiting = false;
    CEndpointRows m_rows;
    CEndpointChanges m_changes;
    std::function<std::uint64_t()> m_clock;
    // IPv6 was switched on: the first rows read with it are not new.
    bool m_bIPv6Baseline = false;
    // The rows of the poll being applied; kept to reuse their storage.
    std::vector<EndpointRow> m_next;
    // The counter texts shown, so that only changed ones are written.
    std::vector<std::string> m_counterTexts;
};

} // namespace tarnwick
