#pragma once

#include "monitor/EndpointAddress.h"
#include "monitor/NameLookup.h"

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tarnwick {

// The name caches, the queues of the resolver and its running marker: the state that the
// UI thread and the resolver worker share. The worker holds it by shared ownership, so a run
// that outlives its monitor still works on live memory; after Close() its results are
// dropped. One mutex guards everything; it is never held across a look-up.
class CResolverState {
public:
    explicit CResolverState(std::shared_ptr<INameLookup> lookup);
    CResolverState(const CResolverState&) = delete;
    CResolverState& operator=(const CResolverState&) = delete;

    // Set once at construction; safe to use from either thread without the lock.
    INameLookup* Lookup() const { return m_pLookup.get(); }

    // UI thread: a batch of cache and queue operations under one hold of the lock.
    class CAccess {
    public:
        explicit CAccess(CResolverState& state);
        CAccess(const CAccess&) = delete;
        CAccess& operator=(const CAccess&) = delete;

        // Queues the address unless a name is cached for it or it is queued already.
        void QueueHost(const EndpointAddress& address);
        // Queues the port unless a name is cached for it or it is queued already.
        // `platformValue` is the port field as the platform holds it (network order).
        void QueuePort(std::uint16_t port, std::uint16_t platformValue);
        // The cached name, or null.
        const std::string* HostName(const EndpointAddress& address) const;
        const std::string* PortName(std::uint16_t port) const;

    private:
        CResolverState& m_state;
        std::lock_guard<std::mutex> m_lock;
    };

    // UI thread: marks a run as started when something is queued and no run is in progress.
    bool TryBeginRun();
    // UI thread: the run marked by TryBeginRun could not be started.
    void CancelRun();
    // UI thread: the owner is gone; results of a run still in progress are dropped.
    void Close();

    // Worker: the queued key at `index`; false past the end (or after Close). The size is
    // read on every call, so keys queued during a pass are taken as well.
    bool PendingHost(std::size_t index, EndpointAddress& address) const;
    bool PendingPort(std::size_t index, std::uint16_t& platformValue) const;
    // Worker: caches a name; an entry, once cached, is never replaced.
    void AddHostName(const EndpointAddress& address, const std::string& name);
    void AddPortName(std::uint16_t port, const std::string& name);
    // Worker: empties both queues, then clears the running marker.
    void FinishRun();

    bool IsRunning() const;
    std::size_t HostCacheSize() const;
    std::size_t PortCacheSize() const;
    std::vector<EndpointAddress> PendingHosts() const;
    std::vector<std::string> PendingPorts() const;

private:
    const std::shared_ptr<INameLookup> m_pLookup;

    mutable std::mutex m_mutex;
    // Address -> host name.
    std::unordered_map<EndpointAddress, std::string, EndpointAddressHash> m_arrHostCache;
    // Port in host order -> service name, or the port's decimal text when it has none.
    std::unordered_map<std::uint16_t, std::string> m_arrPortCache;
    // Addresses in queueing order; the set holds the same ones so that each is queued once.
    std::vector<EndpointAddress> m_arrPendingHosts;
    std::unordered_set<EndpointAddress, EndpointAddressHash> m_setPendingHosts;
    // Port fields as the platform holds them (port 53 -> 13568). The set covers all 65,536
    // values, so a first table of 20,000 ports is queued without an allocation per port.
    std::vector<std::uint16_t> m_arrPendingPorts;
    std::bitset<65536> m_setPendingPorts;
    bool m_bResolverRunning = false;
    bool m_bClosed = false;
};

} // namespace tarnwick
