#pragma once

#include "NameLookup.h"
#include "RowList.h"
#include "ThreadStarter.h"
#include "UdpTable.h"

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

// Polls the UDP endpoint table and counters into two lists and keeps names for the
// addresses and ports, looked up by a background run. The platform reads of a poll run on a
// worker thread, so a slow table never holds the UI thread; everything else is UI thread only.
class CEndpointMonitor {
public:
    enum class PollRequest { kCommand, kTimerTick };

    // `table` is read on the poll's worker thread and `lookup` on the resolver's; both may
    // outlive this object. `starter` starts the resolver's runs and `readStarter` the table
    // reads. `readDone` is called on the read's thread when a read has arrived: it must get the
    // UI thread to call ApplyRead soon (post it a message), and must neither block nor call
    // into this object.
    CEndpointMonitor(std::shared_ptr<IUdpTable> table, std::shared_ptr<INameLookup> lookup,
                     ThreadStarter starter = StdThreadStarter(),
                     ThreadStarter readStarter = StdThreadStarter(),
                     std::function<void()> readDone = {});
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
    // Shows the read that has arrived: the endpoint rows (reused by position; a failed read
    // shows a message in row 0), the IPv6 rows after the IPv4 ones (a failed IPv6 read: one
    // row with a message instead), and a resolver run when names are missing and no run is in
    // progress; then the five counters in column 1 of the statistics rows 0 to 4, and those of
    // IPv6 in rows 5 to 9 (empty when they could not be read) where the list has such rows.
    // Writes only cells whose text changes. Then starts the remembered poll, if any. False,
    // with nothing changed, when no read has arrived.
    bool ApplyRead(IRowList& endpoints, IRowList& statistics);
    // From a poll's request until its read, and the one remembered meanwhile, has been applied.
    bool IsPolling() const;
    // The owner goes away: no further polls, and the results of a read or a resolver run
    // still in progress are dropped. Also done by the destructor.
    void Close();

    // Name display, on by default. Takes effect at the next poll; names are looked up
    // either way.
    void SetResolve(bool resolve) { m_bResolve = resolve; }
    bool GetResolve() const { return m_bResolve; }

    // IPv6 endpoints and counters, off by default. Takes effect at the next poll request; while
    // off, the IPv6 table and counters are not read and statistics rows past 4 are not touched.
    void SetIPv6(bool ipv6) { m_bIPv6 = ipv6; }
    bool GetIPv6() const { return m_bIPv6; }

    bool IsResolverRunning() const;

    // Snapshots for tests and diagnostics; addresses as the rows show them without names.
    std::size_t HostCacheSize() const;
    std::size_t PortCacheSize() const;
    std::vector<std::string> PendingHosts() const;
    std::vector<std::string> PendingPorts() const;

private:
    void StartRead();
    // Turns the rows of the reads into the texts of the list's rows, with names while they are
    // shown, and queues their addresses and ports. `read6` is null when IPv6 was not read.
    // Returns the number of rows.
    std::size_t BuildRowTexts(const CTableReader& read, const CTableReader* read6);
    void FillEndpointList(IRowList& endpoints, std::size_t rows);
    void StartResolver();
    void RefreshStatistics(const CTableReader& read, const CTableReader* read6,
                           IRowList& statistics);

    const std::shared_ptr<CPollState> m_pPoll;
    const std::shared_ptr<CResolverState> m_pState;
    ThreadStarter m_starter;
    ThreadStarter m_readStarter;
    bool m_bResolve = true;
    bool m_bIPv6 = false;
    // Polls asked for while a read was in flight.
    bool m_bCommandWaiting = false;
    bool m_bTickWaiting = false;
    // Host and port texts of the rows of one reconciliation; kept to reuse its storage.
    std::vector<std::pair<std::string, std::string>> m_rowTexts;
};

} // namespace tarnwick
