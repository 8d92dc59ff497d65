// Timings of the endpoint list's work on the user-interface thread, under Wine: filling the
// list by a poll, a header click (the sort and the repaint that follows) and Save events'
// writing, on a table of 5,000 endpoints (fake table and look-ups, real window and controls).
// Prints one line per figure; `make bench` runs it after the core's benchmarks.

#include "FakeNameLookup.h"
#include "FakeUdpTable.h"
#include "MainFrame.h"
#include "resource.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>

namespace {

using tarnwick::fakes::CFakeNameLookup;
using tarnwick::fakes::CFakeUdpTable;
using tarnwick::fakes::MakeEndpoint;

const int kRows = 5000;

double Milliseconds(const std::function<void()>& work)
{
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    work();
    ::QueryPerformanceCounter(&end);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

// A click on a column of the list's header, as the mouse gives it; returns once the rows are
// sorted and repainted.
void ClickHeader(CMainFrame& frame, int column)
{
    HWND header = frame.m_wndEndpointList.GetHeaderCtrl();
    RECT rc = {};
    Header_GetItemRect(header, column, &rc);
    LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(header, WM_LBUTTONUP, 0, at);
    ::UpdateWindow(frame.m_wndEndpointList);
}

} // namespace

int main()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    auto table = std::make_unique<CFakeUdpTable>();
    // Ports of every length, so that text order and number order differ.
    for (int i = 0; i < kRows; ++i)
        table->rows.push_back(MakeEndpoint(10, 0, static_cast<unsigned>(i / 250),
                                           static_cast<unsigned>(i % 250),
                                           static_cast<std::uint16_t>(1 + (i * 7919) % 65000)));
    auto* frame = new CMainFrame(std::move(table), std::make_shared<CFakeNameLookup>());
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW))
        return 1;
    HWND hwnd = *frame;
    ::KillTimer(hwnd, CMainFrame::kFirstPollTimer);
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd);

    double poll = Milliseconds([&] {
        frame->RefreshUdpInfo();
        while (frame->m_wndEndpointList.GetItemCount() < kRows)
            Pump();
        ::UpdateWindow(frame->m_wndEndpointList);
    });
    std::printf("poll filling the list with %d rows: %.0f ms\n", kRows, poll);

    const char* const directions[] = {"descending", "ascending"};
    for (int click = 0; click < 4; ++click) {
        int column = click < 2 ? 1 : 0;
        bool ascending = frame->m_wndEndpointList.m_bSortAscending != FALSE;
        double sort = Milliseconds([&] { ClickHeader(*frame, column); });
        std::printf("header click on column %d (%s), %d rows: %.0f ms\n", column,
                    directions[ascending], kRows, sort);
    }
    // The sorted rows go back to table order: nearly every cell is written.
    double rewrite = Milliseconds([&] {
        frame->RefreshUdpInfo();
        while (::SendMessageA(hwnd, WM_POLLBUSY, 0, 0) != 0)
            Pump();
        ::UpdateWindow(frame->m_wndEndpointList);
    });
    std::printf("poll rewriting the sorted rows, %d rows: %.0f ms\n", kRows, rewrite);

    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"tarnwick-bench-events.txt";
    for (int run = 0; run < 3; ++run) {
        double save = Milliseconds([&] { frame->SaveEvents(path); });
        std::printf("saving %d rows: %.0f ms\n", kRows, save);
    }
    ::DeleteFileW(path.c_str());
    ::DestroyWindow(hwnd);
    return 0;
}
