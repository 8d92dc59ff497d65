#include "monitor/ResolverState.h"

#include "monitor/EndpointText.h"

#include <utility>

namespace tarnwick {

CResolverState::CResolverState(std::shared_ptr<INameLookup> lookup) : m_pLookup(std::move(lookup))
{}

CResolverState::CAccess::CAccess(CResolverState& state) : m_state(state), m_lock(state.m_mutex) {}

void CResolverState::CAccess::QueueHost(const EndpointAddress& address)
{
    if (m_state.m_arrHostCache.count(address) != 0)
        return;
    if (m_state.m_setPendingHosts.insert(address).second)
        m_state.m_arrPendingHosts.push_back(address);
}

void CResolverState::CAccess::QueuePort(std::uint16_t port, std::uint16_t platformValue)
{
    if (m_state.m_arrPortCache.count(port) != 0)
        return;
    if (m_state.m_setPendingPorts.test(platformValue))
        return;
    m_state.m_setPendingPorts.set(platformValue);
    m_state.m_arrPendingPorts.push_back(platformValue);
}

const std::string* CResolverState::CAccess::HostName(const EndpointAddress& address) const
{
    const auto it = m_state.m_arrHostCache.find(address);
    return it == m_state.m_arrHostCache.end() ? nullptr : &it->second;
}

const std::string* CResolverState::CAccess::PortName(std::uint16_t port) const
{
    const auto it = m_state.m_arrPortCache.find(port);
    return it == m_state.m_arrPortCache.end() ? nullptr : &it->second;
}

bool CResolverState::TryBeginRun()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bClosed || m_bResolverRunning)
        return false;
    if (m_arrPendingHosts.empty() && m_arrPendingPorts.empty())
        return false;
    m_bResolverRunning = true;
    return true;
}

void CResolverState::CancelRun()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bResolverRunning = false;
}

void CResolverState::Close()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bClosed = true;
}

bool CResolverState::PendingHost(std::size_t index, EndpointAddress& address) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bClosed || index >= m_arrPendingHosts.size())
        return false;
    address = m_arrPendingHosts[index];
    return true;
}

bool CResolverState::PendingPort(std::size_t index, std::uint16_t& platformValue) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bClosed || index >= m_arrPendingPorts.size())
        return false;
    platformValue = m_arrPendingPorts[index];
    return true;
}

void CResolverState::AddHostName(const EndpointAddress& address, const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_bClosed)
        m_arrHostCache.emplace(address, name);
}

void CResolverState::AddPortName(std::uint16_t port, const std::string& name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_bClosed)
        m_arrPortCache.emplace(port, name);
}

void CResolverState::FinishRun()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_arrPendingHosts.clear();
    m_setPendingHosts.clear();
    m_arrPendingPorts.clear();
    m_setPendingPorts.reset();
    m_bResolverRunning = false;
}

bool CResolverState::IsRunning() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bResolverRunning;
}

std::size_t CResolverState::HostCacheSize() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_arrHostCache.size();
}

std::size_t CResolverState::PortCacheSize() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_arrPortCache.size();
}

std::vector<EndpointAddress> CResolverState::PendingHosts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_arrPendingHosts;
}

std::vector<std::string> CResolverState::PendingPorts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> keys(m_arrPendingPorts.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        AppendDecimal(keys[i], m_arrPendingPorts[i]);
    return keys;
}

} // namespace tarnwick
