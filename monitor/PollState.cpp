#include "PollState.h"

#include <utility>

namespace tarnwick {

CPollState::CPollState(std::shared_ptr<IUdpTable> table, std::function<void()> readDone)
    : m_pTable(std::move(table)), m_readDone(std::move(readDone))
{}

bool CPollState::TryBeginRead(bool ipv6)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bClosed || m_stage != Stage::kIdle)
        return false;
    m_stage = Stage::kReading;
    m_bIPv6 = ipv6;
    return true;
}

void CPollState::RunRead()
{
    bool ipv6 = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ipv6 = m_bIPv6;
    }
    m_reader.Read(*m_pTable);
    if (ipv6)
        m_reader6.Read(*m_pTable);
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
