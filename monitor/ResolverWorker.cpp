#include "monitor/ResolverWorker.h"

#include "monitor/EndpointText.h"

namespace tarnwick {

namespace {

// Host names of one character or two are not shown for 0.0.0.0 or "::".
constexpr std::size_t kMinLocalHostNameLength = 3;

void ResolveHosts(CResolverState& state, INameLookup& lookup)
{
    EndpointAddress address;
    std::string name;
    for (std::size_t i = 0; state.PendingHost(i, address); ++i) {
        name.clear();
        if (address.IsUnspecified()) {
            if (lookup.LocalHostName(name) && name.size() >= kMinLocalHostNameLength)
                state.AddHostName(address, name);
        } else if (address.IsLoopback()) {
            // The whole loopback net is this machine; no look-up is made for it.
            state.AddHostName(address, "localhost");
        } else if (lookup.LookupHost(address, name) && !name.empty()) {
            state.AddHostName(address, name);
        }
        // An address without a name stays uncached, so the next poll queues it again.
    }
}

void ResolvePorts(CResolverState& state, INameLookup& lookup)
{
    std::uint16_t platformValue = 0;
    std::string name;
    for (std::size_t i = 0; state.PendingPort(i, platformValue); ++i) {
        if (platformValue == 0)
            continue;
        const std::uint16_t port = SwapPortBytes(platformValue);
        name.clear();
        // A port without a service is cached under its own number, so it is not asked again.
        if (!lookup.LookupService(platformValue, name) || name.empty()) {
            name.clear();
            AppendDecimal(name, port);
        }
        state.AddPortName(port, name);
    }
}

} // namespace

void ResolverThreadProc(const std::shared_ptr<CResolverState>& state)
{
    if (INameLookup* lookup = state->Lookup()) {
        try {
            ResolveHosts(*state, *lookup);
            ResolvePorts(*state, *lookup);
        } catch (...) {
            // Nothing reaches the user from a failed run, and an exception must not end the
            // process from a detached thread; what stayed unresolved is queued again.
        }
    }
    state->FinishRun();
}

} // namespace tarnwick
