#include "FrameFixture.h"

#include "resource.h"

void CFrameFixture::SetUp()
{
    auto fakeTable = std::make_unique<CFakeUdpTable>();
    table = fakeTable.get();
    table->stats = {1, 2, 3, 4, 5};
    frame = new CMainFrame(std::move(fakeTable), lookup);
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    hwnd = *frame;
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd);
}

void CFrameFixture::TearDown()
{
    // The frame deletes itself with its window.
    if (::IsWindow(hwnd))
        ::DestroyWindow(hwnd);
}
