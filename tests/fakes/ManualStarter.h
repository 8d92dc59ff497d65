#pragma once

// Thread starters for the monitor core that the test drives by hand.

#include "monitor/ThreadStarter.h"

#include <functional>
#include <vector>

namespace tarnwick::fakes {

// A thread starter that only records what it is asked to start; the test runs it later on
// its own thread, or refuses to start it.
class CManualStarter {
public:
    std::vector<std::function<void()>> started;
    int requests = 0;
    bool refuse = false;

    ThreadStarter Starter()
    {
        return [this](std::function<void()> fn) {
            ++requests;
            if (!refuse)
                started.push_back(std::move(fn));
            return !refuse;
        };
    }

    // Runs every recorded start, oldest first.
    void RunAll()
    {
        auto runs = std::move(started);
        started.clear();
        for (auto& fn : runs)
            fn();
    }
};

// Runs the worker at once on the caller's thread.
inline ThreadStarter InlineStarter()
{
    return [](std::function<void()> fn) {
        fn();
        return true;
    };
}

} // namespace tarnwick::fakes
