#pragma once

#include "monitor/EndpointMonitor.h"
#include "tests/fakes/FakeNameLookup.h"
#include "tests/fakes/FakeProcessLookup.h"
#include "tests/fakes/FakeRowList.h"
#include "tests/fakes/FakeUdpTable.h"
#include "tests/fakes/ManualStarter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace tarnwick {

using fakes::CFakeEndpointView;
using fakes::CFakeNameLookup;
using fakes::CFakeProcesses;
using fakes::CFakeRowList;
using fakes::CFakeUdpTable;
using fakes::MakeEndpoint;
using Strings = std::vector<std::string>;

// Checks `done` until it holds, for ten seconds at most; true once it held. `done` may act
// (apply a read): it is not asked again after it held.
inline bool WaitUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A monitor over fake table, look-ups, processes and lists, whose table reads run at once (their
// thread is refused, so the monitor reads on the caller's thread) and whose resolver runs are
// started by hand, both on the test's own thread.
class CMonitorFixture : public ::testing::Test {
protected:
    std::shared_ptr<CFakeUdpTable> sharedTable = std::make_shared<CFakeUdpTable>();
    CFakeUdpTable& table = *sharedTable;
    std::shared_ptr<CFakeNameLookup> lookup = std::make_shared<CFakeNameLookup>();
    std::shared_ptr<CFakeProcesses> processes = std::make_shared<CFakeProcesses>();
    fakes::CManualStarter starter;
    CEndpointMonitor monitor{
        sharedTable, lookup,   starter.Starter(), [](std::function<void()>) { return false; },
        {},          processes};
    CFakeEndpointView endpoints{monitor.Rows()};
    CFakeRowList statistics{5};

    void Poll(IRowList& counters)
    {
        monitor.RequestPoll();
        monitor.ApplyRead(endpoints, counters);
    }
    void Poll() { Poll(statistics); }

    // Polls, lets the resolver run that poll started finish, and polls again.
    void PollResolvePoll()
    {
        Poll();
        starter.RunAll();
        Poll();
    }

    Strings Column(int column) const
    {
        Strings texts;
        for (int row = 0; row < endpoints.GetRowCount(); ++row)
            texts.push_back(endpoints.GetCellText(row, column));
        return texts;
    }
};

} // namespace tarnwick
