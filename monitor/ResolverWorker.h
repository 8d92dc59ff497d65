#pragma once

#include "monitor/ResolverState.h"

#include <memory>

namespace tarnwick {

// One resolver run, on a worker thread: looks up every queued address and port once, caches
// the names, then empties the queues and clears the running marker. The caller has set the
// marker (CResolverState::TryBeginRun) before the thread starts.
void ResolverThreadProc(const std::shared_ptr<CResolverState>& state);

} // namespace tarnwick
