#include "PollState.h"

#include <utility>

namespace tarnwick {

CPollState::CPollState(std::shared_ptr<IUdpTable> table, std::function<void()> readDone)
    : m_pTable(std::move(table)), m_readDone(std::move(readDone))
{}

bool CPollState::TryBeginRead()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bClosed || m_stage != Stage::kIdle)
        return false;
    m_stage = Stage::kReading;
    return true;
}

void CPollState::RunRead()
{
    m_reader.Read(*m_pTable);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stage = Stage::kArrived;
    if (!m_bClosed && m_readDone)
        m_readDone();
}

const CTableReader* CPollState::ArrivedRead() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_stage == Stage::kArrived && !m_bClosed ? &m_reader : nullptr;
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
