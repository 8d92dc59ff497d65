#pragma once

#include <functional>

namespace tarnwick {

// Starts `fn` on a new thread and returns at once; false when no thread could be started
// (then `fn` never runs).
using ThreadStarter = std::function<bool(std::function<void()>)>;

// Starts a detached std::thread. Nobody waits for it: a run may outlive its monitor.
ThreadStarter StdThreadStarter();

} // namespace tarnwick
