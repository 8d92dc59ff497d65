#pragma once

#include <functional>

namespace fw {

// Runs `work` on a new thread of normal priority. False if the thread could not start
// (then `work` is not run).
bool BeginWorkerThread(std::function<void()> work);

} // namespace fw
