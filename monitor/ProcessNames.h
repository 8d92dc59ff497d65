#pragma once

#include "monitor/EndpointKeySet.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace tarnwick {

class CTableReader;

// What the platform tells of a running process. Called on the poll's worker thread.
class IProcessLookup {
public:
    virtual ~IProcessLookup() = default;

    // The process's creation time (any number that differs between two processes that had the
    // same id) and its program's file name without folder, in UTF-8; false when the process
    // cannot be opened (protected, or gone).
    virtual bool Identify(std::uint32_t pid, std::uint64_t& creationTime, std::string& name) = 0;
};

// The names of the programs that own the endpoints of a read, kept from read to read by process
// id with the process's creation time. A process is opened only for an id not seen before, or
// for one that owns an endpoint the previous read did not have: a program that Windows gave a
// freed id shows from the read that sees its first endpoint. Worker side only.
class CProcessNames {
public:
    // Names the owners of the reads' rows; `read6` may be null.
    void Update(const CTableReader& read, const CTableReader* read6, IProcessLookup& lookup);
    // Forgets every owner, so the next Update looks each one up again.
    void Clear();
    // The name of an owner of the last Update's rows, or "(unknown)".
    const std::string& Name(std::uint32_t pid) const;
    // Process look-ups made so far.
    int Lookups() const { return m_nLookups; }

private:
    struct Owner {
        std::uint64_t creationTime = 0;
        std::string name;
    };
    void Visit(const CTableReader& read);

    std::unordered_map<std::uint32_t, Owner> m_owners;
    // The endpoints of the previous read, each as one number of its address, port and owner.
    CEndpointKeySet m_endpoints;
    // Those of the read being named.
    CEndpointKeySet m_next;
    // Owners to look up in this Update, and all owners of its rows.
    std::unordered_set<std::uint32_t> m_toIdentify;
    std::unordered_set<std::uint32_t> m_seen;
    int m_nLookups = 0;
};

} // namespace tarnwick
