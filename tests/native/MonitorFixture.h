#pragma once

#include "EndpointMonitor.h"
#include "MonitorFakes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tarnwick {

// A monitor over fake table, look-ups and lists, whose resolver runs are started by hand
// on the test's own thread.
class CMonitorFixture : public ::testing::Test {
public:
    using Strings = std::vector<std::string>;

protected:
    fakes::CFakeUdpTable table;
    std::shared_ptr<fakes::CFakeNameLookup> lookup = std::make_shared<fakes::CFakeNameLookup>();
    fakes::CManualStarter starter;
    CEndpointMonitor monitor{table, lookup, starter.Starter()};
    fakes::CFakeRowList endpoints;
    fakes::CFakeRowList statistics{5};

    void Poll() { monitor.RefreshUdpInfo(endpoints, statistics); }

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
            texts.push_back(endpoints.Cell(row, column));
        return texts;
    }
};

} // namespace tarnwick
