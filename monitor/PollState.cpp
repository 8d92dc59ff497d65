#include "monitor/PollState.h"

#include <utility>

namespace tarnwick {

CPollState::CPollState(std::shared_ptr<IUdpTable> table, std::function<void()> readDone,
                       std::shared_ptr<IProcessLookup> processes)
    : m_pTable(std::move(table)), m_readDone(std::move(readDone)),
      m_pProcesses(std::move(processes))
{}

bool CPollState::TryBeginRead(bool ipv6, bool owners)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bClosed || m_stage != Stage::kIdle)
        return false;
    m_stage = Stage::kReading;
    m_bIPv6 = ipv6;
    m_bOwners = owners && m_pProcesses != nullptr;
    return true;
}

void CPollState::RunRead()
{
    bool ipv6 = false;
    bool owners = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ipv6 = m_bIPv6;
        owners = m_bOwners;
    }
    m_reader.Read(*m_pTable);
    if (ipv6)
        m_reader6.Read(*m_pTable);
    try {
        // A failed read keeps the owners known so far.
        if (owners && m_reader.TableRead())
            m_owners.Update(m_reader, ipv6 ? &m_reader6 : nullptr, *m_pProcesses);
        else if (!owners)
            m_owners.Clear();
    } catch (...) {
        // Out of memory: the owners are looked up again by the next read.
        m_owners.Clear();
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stage = Stage::kArrived;
    if (!m_bClosed && m_readDone)
        m_readDone();
}

const CTableReader* CPollState::ArrivedRead(AddressFamily family) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_stage != Stage::kArrived || m_bClosed)
        return nullptr;
    if (family == AddressFamily::kIPv4)
        return &m_reader;
    return m_bIPv6 ? &m_reader6 : nullptr;
}

bool CPollState::ArrivedWithOwners() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bOwners;
}

void CPollState::EndRead()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_stage == Stage::kArrived)
        m_stage = Stage::kIdle;
}

bool CPollState::IsBusy() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_stage != Stage::kIdle;
}

void CPollState::Close()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bClosed = true;
}

} // namespace tarnwick
