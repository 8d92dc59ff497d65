#include "MainFrame.h"
#include "TestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Look-ups that hang must never hold the window: it keeps answering, and it closes at
// once, leaving the hanging run to finish (and be dropped) on its own.
TEST(FrameResolverTest, HangingLookupsNeitherFreezeNorHoldTheClose)
{
    auto table = std::make_unique<CFakeUdpTable>();
    table->rows = {{0, 53}, {0x7F000001, 40000}, {0x0A000001, 1900}};
    CFakeUdpTable* fakeTable = table.get();
    auto lookup = std::make_shared<CFakeNameLookup>();
    lookup->block = true;
    auto* frame = new CMainFrame(std::move(table), lookup);
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    HWND hwnd = *frame;

    frame->RefreshUdpInfo();
    ASSERT_TRUE(PumpUntil([&] { return lookup->lookups > 0; }, 5000));

    // While the run hangs: polls go on and every message is answered promptly.
    DWORD longest = 0;
    for (int i = 0; i < 20; ++i) {
        DWORD start = ::GetTickCount();
        frame->RefreshUdpInfo();
        ::SendMessageA(hwnd, WM_NULL, 0, 0);
        ::SendMessageA(frame->m_wndEndpointList, LVM_GETITEMCOUNT, 0, 0);
        PumpMessages(0);
        DWORD took = ::GetTickCount() - start;
        longest = took > longest ? took : longest;
        ::Sleep(20);
    }
    std::printf("ui-answer-while-lookup-hangs: longest %lu ms\n", longest);
    EXPECT_LT(longest, 50u);
    EXPECT_GE(fakeTable->tableReads, 1);
    EXPECT_EQ(3, frame->m_wndEndpointList.GetItemCount());
    EXPECT_EQ("0.0.0.0", frame->m_wndEndpointList.GetItemText(0, 0));

    DWORD start = ::GetTickCount();
    ::DestroyWindow(hwnd);
    DWORD closeTime = ::GetTickCount() - start;
    std::printf("close-while-lookup-hangs: %lu ms\n", closeTime);
    EXPECT_LT(closeTime, 500u);
    EXPECT_FALSE(::IsWindow(hwnd));

    // The run finishes after its owner is gone; its results go nowhere.
    lookup->Release();
    EXPECT_TRUE(PumpUntil([&] { return lookup.use_count() == 1; }, 2000));
}

} // namespace
