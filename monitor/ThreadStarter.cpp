#include "monitor/ThreadStarter.h"

#include <system_error>
#include <thread>
#include <utility>

namespace tarnwick {

ThreadStarter StdThreadStarter()
{
    return [](std::function<void()> fn) {
        try {
            std::thread(std::move(fn)).detach();
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    };
}

} // namespace tarnwick
