#include "tests/native/MonitorFixture.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

class Owners : public CMonitorFixture {
protected:
    void AddRows(unsigned count, std::uint32_t pid, std::uint16_t firstPort)
    {
        for (unsigned i = 0; i < count; ++i) {
            table.rows.push_back(
                MakeEndpoint(127, 0, 0, 1, static_cast<std::uint16_t>(firstPort + i)));
            table.rows.back().pid = pid;
        }
    }
    Strings OwnerColumns(std::size_t row) const
    {
        return {endpoints.GetCellText(static_cast<int>(row), 2),
                endpoints.GetCellText(static_cast<int>(row), 3)};
    }
};

TEST_F(Owners, EachProgramIsLookedUpOnceAndItsNameShownOnEveryRowItOwns)
{
    processes->running[1200] = {7, "svchost.exe"};
    processes->running[3400] = {9, "\xC5\x81\xC3\xB3"
                                   "d\xC5\xBA-\xD1\x81\xD0\xB5\xD1\x80.exe"};
    AddRows(1000, 1200, 1000);
    AddRows(1000, 3400, 3000);
    AddRows(1, 0, 6000);
    AddRows(1, 4, 6001);
    AddRows(1, 5600, 6002); // protected, or gone
    monitor.SetOwners(true);
    Poll();
    Poll();

    EXPECT_EQ(OwnerColumns(0), (Strings{"1200", "svchost.exe"}));
    EXPECT_EQ(OwnerColumns(1999), (Strings{"3400", processes->running[3400].second}));
    EXPECT_EQ(OwnerColumns(2000), (Strings{"0", "System Idle Process"}));
    EXPECT_EQ(OwnerColumns(2001), (Strings{"4", "System"}));
    EXPECT_EQ(OwnerColumns(2002), (Strings{"5600", "(unknown)"}));
    // The idle process and System are not opened; a steady table opens nothing again.
    EXPECT_EQ(processes->opened.size(), 3u);

    // Windows gives the id of a program that ended to a new one: it shows from the read that
    // sees its first endpoint. A program that only closes a socket is not opened again.
    processes->running[1200] = {8, "new.exe"};
    table.rows.erase(table.rows.begin() + 1);
    Poll();
    EXPECT_EQ(OwnerColumns(0), (Strings{"1200", "svchost.exe"}));
    table.rows[0].port = 999;
    Poll();
    EXPECT_EQ(OwnerColumns(998), (Strings{"1200", "new.exe"}));
    EXPECT_EQ(processes->opened.size(), 4u);

    // Off: the owner columns' texts go, and no process is opened.
    monitor.SetOwners(false);
    processes->opened.clear();
    AddRows(1, 7800, 7000);
    Poll();
    EXPECT_EQ(OwnerColumns(0), (Strings{"", ""}));
    EXPECT_TRUE(processes->opened.empty());
}

} // namespace
} // namespace tarnwick
