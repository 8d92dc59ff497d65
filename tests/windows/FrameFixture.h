#pragma once

#include "MainFrame.h"
#include "TestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <memory>

// A real main window over a fake UDP table (no rows until a test adds some; the first
// poll comes one second after creation) and fake look-ups, shown and painted.
class CFrameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        sharedTable = std::make_shared<CFakeUdpTable>();
        table = sharedTable.get();
        table->stats = {1, 2, 3, 4, 5};
        lookup->localHostName = "TESTHOST";
        lookup->services[53] = "domain";
        frame = new CMainFrame(sharedTable, lookup);
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        hwnd = *frame;
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
        ::UpdateWindow(hwnd);
    }
    void TearDown() override
    {
        // The frame deletes itself with its window.
        if (::IsWindow(hwnd))
            ::DestroyWindow(hwnd);
    }

    // One poll, as Refresh asks for it; returns once its rows and counters are shown.
    void Poll()
    {
        frame->RefreshUdpInfo();
        WaitForPoll();
    }
    // Refresh as the user gives it, through the frame's command; returns as Poll does.
    void Refresh()
    {
        ::SendMessageA(hwnd, WM_COMMAND, ID_REFRESH, 0);
        WaitForPoll();
    }
    // The table is read on a worker thread: dispatch messages until its rows are shown.
    void WaitForPoll()
    {
        ASSERT_TRUE(
            PumpUntil([this] { return ::SendMessageA(hwnd, WM_POLLBUSY, 0, 0) == 0; }, 10000));
    }

    // Held here as well: a read may outlive the frame.
    std::shared_ptr<CFakeUdpTable> sharedTable;
    CFakeUdpTable* table = nullptr;
    std::shared_ptr<CFakeNameLookup> lookup = std::make_shared<CFakeNameLookup>();
    CMainFrame* frame = nullptr;
    HWND hwnd = nullptr;
};
