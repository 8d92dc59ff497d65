#pragma once

#include "monitor/ProcessNames.h"
#include "monitor/TableReader.h"
#include "monitor/UdpTable.h"

#include <functional>
#include <memory>
#include <mutex>

namespace tarnwick {

// A table read on its way from the UI thread to a worker and back: the table, a reader with
// its buffer for each address family, and how far the read has come. The worker holds it by shared
// ownership, so a read that outlives its monitor still works on live memory; after Close() its
// result is dropped and nobody is told. The lock guards the stage; the reader belongs to the worker
// while a read runs and to the UI thread once it has arrived, so it needs no lock of its own.
class CPollState {
public:
    // `readDone` is called on the worker when a read has arrived, under the lock, so never
    // after Close() has returned; it must neither block nor call back into this object.
    // `processes` may be null: then no owner is named.
    CPollState(std::shared_ptr<IUdpTable> table, std::function<void()> readDone,
               std::shared_ptr<IProcessLookup> processes = nullptr);
    CPollState(const CPollState&) = delete;
    CPollState& operator=(const CPollState&) = delete;

    // UI thread: marks a read as begun, of the IPv6 table and counters as well when `ipv6`,
    // naming the endpoints' owners when `owners`; false while one is in flight or not yet
    // applied, and after Close.
    bool TryBeginRead(bool ipv6 = false, bool owners = false);
    // Worker: the read that TryBeginRead marked.
    void RunRead();
    // UI thread: the read of the family that has arrived, or null (IPv6: also when it was not
    // asked for). It stays put until EndRead.
    const CTableReader* ArrivedRead(AddressFamily family = AddressFamily::kIPv4) const;
    // UI thread, while a read has arrived: the owners' names of its rows (empty names when it
    // was begun without owners), and whether it was begun with owners.
    const CProcessNames& ArrivedOwners() const { return m_owners; }
    bool ArrivedWithOwners() const;
    // UI thread: done with the arrived read; the next one may begin.
    void EndRead();
    // A read is in flight or waits to be applied.
    bool IsBusy() const;
    // UI thread: the owner is gone.
    void Close();

private:
    enum class Stage { kIdle, kReading, kArrived };

    const std::shared_ptr<IUdpTable> m_pTable;
    const std::function<void()> m_readDone;
    const std::shared_ptr<IProcessLookup> m_pProcesses;
    CTableReader m_reader;
    CTableReader m_reader6{AddressFamily::kIPv6};
    CProcessNames m_owners;

    mutable std::mutex m_mutex;
    Stage m_stage = Stage::kIdle;
    // Whether the read in flight or arrived includes IPv6.
    bool m_bIPv6 = false;
    bool m_bOwners = false;
    bool m_bClosed = false;
};

} // namespace tarnwick
