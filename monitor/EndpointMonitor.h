#pragma once

#include "NameLookup.h"
#include "RowList.h"
#include "ThreadStarter.h"
#include "UdpTable.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarnwick {

class CResolverState;

// Polls the UDP endpoint table and counters into two lists and keeps names for the
// addresses and ports, looked up by a background run. UI thread only, except the run.
class CEndpointMonitor {
public:
    // `lookup` is used only on the resolver's worker thread and may outlive this object.
    CEndpointMonitor(IUdpTable& table, std::shared_ptr<INameLookup> lookup,
                     ThreadStarter starter = StdThreadStarter());
    // Never waits for a resolver run; a run still in progress finishes on its own and its
    // results are dropped.
    ~CEndpointMonitor();
    CEndpointMonitor(const CEndpointMonitor&) = delete;
    CEndpointMonitor& operator=(const CEndpointMonitor&) = delete;

    // One poll: endpoint rows (reused by position; a failed read shows a message in row 0),
    // then the five counters in column 1 of the statistics rows 0 to 4, then a resolver run
    // when names are missing and no run is in progress. Writes only cells whose text changes.
    void RefreshUdpInfo(IRowList& endpoints, IRowList& statistics);

    // Name display, on by default. Takes effect at the next poll; names are looked up
    // either way.
    void SetResolve(bool resolve) { m_bResolve = resolve; }
    bool GetResolve() const { return m_bResolve; }

    bool IsResolverRunning() const;

    // Snapshots for tests and diagnostics.
    std::size_t HostCacheSize() const;
    std::size_t PortCacheSize() const;
    std::vector<std::string> PendingHosts() const;
    std::vector<std::string> PendingPorts() const;
    // Bytes of the table buffer kept between polls.
    std::size_t TableBufferSize() const { return m_tableBuffer.size() * sizeof(std::uint32_t); }

private:
    bool ReadTable();
    bool GrowTableBuffer(std::uint32_t bytesNeeded);
    void BuildEndpointBlock();
    // Turns the endpoint block into the texts of the rows, with names while they are shown;
    // leaves the block empty. Returns the number of rows.
    std::size_t TakeRowTexts();
    void FillEndpointList(IRowList& endpoints);
    void StartResolver();
    void RefreshStatistics(IRowList& statistics);

    IUdpTable& m_table;
    const std::shared_ptr<CResolverState> m_pState;
    ThreadStarter m_starter;
    bool m_bResolve = true;

    // The table as the platform writes it: a 32-bit row count, then 8-byte rows. Held as
    // 32-bit words for the platform's alignment.
    std::vector<std::uint32_t> m_tableBuffer;
    // The hand-over from the table read to the rows: one line per endpoint, "address:port \r\n".
    // Empty between polls.
    std::string m_strEndpoints;
    // Host and port texts of the rows of one reconciliation; kept to reuse its storage.
    std::vector<std::pair<std::string, std::string>> m_rowTexts;
};

} // namespace tarnwick
