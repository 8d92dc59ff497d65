#include "monitor/ProcessNames.h"

#include "monitor/EndpointText.h"
#include "monitor/TableReader.h"

#include <iterator>

namespace tarnwick {

namespace {

constexpr std::uint32_t kIdleProcess = 0;
constexpr std::uint32_t kSystemProcess = 4;
const std::string kUnknownName = "(unknown)";

// FNV-1a over a row's bytes: its address, scope, port and owner.
std::uint64_t EndpointKey(const unsigned char* row, std::uint32_t size, AddressFamily family)
{
    std::uint64_t hash = family == AddressFamily::kIPv4 ? 1469598103934665603ull : 1099511628211ull;
    for (std::uint32_t i = 0; i < size; ++i) {
        // The upper half of the port field is not part of the endpoint.
        if (i == size - kPortFieldFromEnd + 2 || i == size - kPortFieldFromEnd + 3)
            continue;
        hash = (hash ^ row[i]) * 1099511628211ull;
    }
    return hash;
}

} // namespace

void CProcessNames::Visit(const CTableReader& read)
{
    const std::uint32_t rowSize = UdpRowSize(read.Family());
    const unsigned char* row = read.Rows();
    // Rows of one owner mostly come together: its checks are made once per run of rows, and
    // once it is to be looked up its other endpoints need no check.
    std::uint32_t runPid = 0;
    bool decided = false;
    for (std::uint32_t i = 0; i < read.RowCount(); ++i, row += rowSize) {
        const std::uint32_t pid = PlatformWord(row + rowSize - kOwnerPidFromEnd);
        const std::uint64_t key = EndpointKey(row, rowSize, read.Family());
        m_next.Insert(key);
        if (i == 0 || pid != runPid) {
            runPid = pid;
            m_seen.insert(pid);
            decided = pid == kIdleProcess || pid == kSystemProcess || m_toIdentify.count(pid) != 0;
        }
        if (!decided && (m_owners.count(pid) == 0 || !m_endpoints.Contains(key))) {
            m_toIdentify.insert(pid);
            decided = true;
        }
    }
}

void CProcessNames::Update(const CTableReader& read, const CTableReader* read6,
                           IProcessLookup& lookup)
{
    m_next.Reset(read.RowCount() + (read6 != nullptr ? read6->RowCount() : 0));
    m_toIdentify.clear();
    m_seen.clear();
    Visit(read);
    if (read6 != nullptr)
        Visit(*read6);
    for (const std::uint32_t pid : m_toIdentify) {
        Owner found;
        ++m_nLookups;
        if (!lookup.Identify(pid, found.creationTime, found.name) || found.name.empty()) {
            m_owners[pid] = {0, kUnknownName};
            continue;
        }
        Owner& owner = m_owners[pid];
        // The same process as before keeps its name; a new one with a freed id brings its own.
        if (owner.name.empty() || owner.creationTime != found.creationTime)
            owner = std::move(found);
    }
    // Owners that hold no endpoint any more are forgotten: their ids may be given again.
    for (auto it = m_owners.begin(); it != m_owners.end();)
        it = m_seen.count(it->first) != 0 ? std::next(it) : m_owners.erase(it);
    m_endpoints.Swap(m_next);
}

void CProcessNames::Clear()
{
    m_owners.clear();
    m_endpoints.Reset(0);
}

const std::string& CProcessNames::Name(std::uint32_t pid) const
{
    static const std::string idle = "System Idle Process";
    static const std::string system = "System";
    if (pid == kIdleProcess)
        return idle;
    if (pid == kSystemProcess)
        return system;
    const auto it = m_owners.find(pid);
    return it == m_owners.end() ? kUnknownName : it->second.name;
}

} // namespace tarnwick
