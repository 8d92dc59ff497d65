// Timings of the endpoint list's work on the user-interface thread, under Wine: showing the
// first list by a poll, header clicks (the sort and the repaint that follows), the poll that
// puts the sorted rows back, Save events' writing and each key typed in the filter, on a table
// of 20,000 endpoints (fake table and look-ups, real window, controls and process look-ups),
// first without the owners, then with them. Prints one line per figure, with its goal where
// there is one; `make bench` runs it after the core's benchmarks.

#include "app/ChangeLogFile.h"
#include "app/MainFrameProbe.h"
#include "monitor/ChangeLogLine.h"
#include "res/resource.h"
#include "tests/fakes/FakeNameLookup.h"
#include "tests/fakes/FakeUdpTable.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using tarnwick::fakes::CFakeNameLookup;
using tarnwick::fakes::CFakeUdpTable;
using tarnwick::fakes::MakeEndpoint;

const int kRows = 20000;
const double kShowGoal = 50;
const double kSortGoal = 100;
const double kFilterKeyGoal = 30;

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

CEndpointListCtrl& List(CMainFrame& frame)
{
    return CMainFrameProbe(frame).EndpointList();
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
    HWND header = List(frame).GetHeaderCtrl();
    RECT rc = {};
    Header_GetItemRect(header, column, &rc);
    LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(header, WM_LBUTTONUP, 0, at);
    ::UpdateWindow(List(frame));
}

// Polls, and returns once the rows are shown and painted.
void PollAndPaint(CMainFrame& frame)
{
    frame.RefreshUdpInfo();
    while (::SendMessageA(frame, WM_POLLBUSY, 0, 0) != 0)
        Pump();
    ::UpdateWindow(List(frame));
}

const char* Verdict(double ms, double goal)
{
    return ms < goal ? "goal met" : "GOAL MISSED";
}

// Clicks each of `columns` columns' header twice (ascending, then descending).
void TimeHeaderClicks(CMainFrame& frame, const int* columns, int count)
{
    const char* const directions[] = {"descending", "ascending"};
    for (int i = 0; i < 2 * count; ++i) {
        int column = columns[i / 2];
        bool ascending = List(frame).m_bSortAscending;
        double sort = Milliseconds([&] { ClickHeader(frame, column); });
        std::printf("header click on column %d (%s), %d rows: %.0f ms (goal < %.0f ms: %s)\n",
                    column, directions[ascending], kRows, sort, kSortGoal,
                    Verdict(sort, kSortGoal));
    }
}

void TimeSaves(CMainFrame& frame, const char* what)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    std::wstring path = std::wstring(folder) + L"tarnwick-bench-events.txt";
    for (int run = 0; run < 3; ++run) {
        double save = Milliseconds([&] { frame.SaveEvents(path); });
        std::printf("saving %d rows%s: %.0f ms\n", kRows, what, save);
    }
    ::DeleteFileW(path.c_str());
}

// Types "4110" into the filter box, a key at a time, each refiltering and repainting the list,
// then takes the text back one key at a time and empties the box with Esc; five rounds. A key's
// figure is its median over the rounds, which leaves out the machine's own hiccups; the slowest
// single time is printed beside it. False when a key left rows it should not have: "4110"
// keeps some rows, not all, and Esc brings all back.
bool TimeFilterKeys(CMainFrame& frame, const char* what)
{
    struct Keystroke {
        UINT message;
        WPARAM key;
    };
    const Keystroke strokes[] = {{WM_CHAR, '4'},  {WM_CHAR, '1'},         {WM_CHAR, '1'},
                                 {WM_CHAR, '0'},  {WM_CHAR, '\b'},        {WM_CHAR, '\b'},
                                 {WM_CHAR, '\b'}, {WM_KEYDOWN, VK_ESCAPE}};
    constexpr std::size_t kStrokes = sizeof(strokes) / sizeof(strokes[0]);
    constexpr std::size_t kKeys = kStrokes - 1;
    constexpr int kRounds = 5;
    HWND box = CMainFrameProbe(frame).Filter();
    ::SetFocus(box);
    std::vector<double> times[kStrokes];
    // The text and rows shown after each key.
    std::string texts[kStrokes];
    int rows[kStrokes] = {};
    double slowestSingle = 0;
    for (int round = 0; round < kRounds; ++round) {
        for (std::size_t i = 0; i < kStrokes; ++i) {
            const double ms = Milliseconds([&] {
                ::SendMessageW(box, strokes[i].message, strokes[i].key, 1);
                ::UpdateWindow(List(frame));
            });
            times[i].push_back(ms);
            slowestSingle = std::max(slowestSingle, ms);
            char text[16] = {};
            ::GetWindowTextA(box, text, sizeof(text));
            texts[i] = text;
            rows[i] = List(frame).GetItemCount();
        }
    }
    double medians[kStrokes] = {};
    for (std::size_t i = 0; i < kStrokes; ++i) {
        std::sort(times[i].begin(), times[i].end());
        medians[i] = times[i][times[i].size() / 2];
    }
    const std::size_t slowest =
        static_cast<std::size_t>(std::max_element(medians, medians + kKeys) - medians);
    double total = 0;
    for (std::size_t i = 0; i < kKeys; ++i)
        total += medians[i];
    const double escape = medians[kKeys];
    std::printf("each key refilters %d rows%s: %.1f ms on average, %.1f ms at most (\"%s\", %d "
                "rows), Esc %.1f ms, medians of %d rounds (goal < %.0f ms: %s); slowest single "
                "key %.1f ms\n",
                kRows, what, total / static_cast<double>(kKeys), medians[slowest],
                texts[slowest].c_str(), rows[slowest], escape, kRounds, kFilterKeyGoal,
                Verdict(std::max(medians[slowest], escape), kFilterKeyGoal), slowestSingle);
    const std::size_t typed = 3;
    if (rows[typed] <= 0 || rows[typed] >= kRows || rows[kKeys] != kRows) {
        std::printf("the filter shows %d rows for \"%s\" and %d after Esc, of %d\n", rows[typed],
                    texts[typed].c_str(), rows[kKeys], kRows);
        return false;
    }
    return true;
}

// Appends the log lines of 2,000 endpoints that appeared in one poll, as the window does on the
// poll that finds them, to a log that grows with each run.
void TimeLogWrites(const CEndpointListCtrl& list)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"tarnwick-bench-changes.log";
    CChangeLogFile log;
    if (log.Start(path) != ERROR_SUCCESS)
        return;
    const tarnwick::LogTime time = {2026, 12, 9, 8, 30, 0};
    for (int run = 0; run < 3; ++run) {
        const double ms = Milliseconds([&] {
            std::string lines;
            for (std::size_t i = 0; i < 2000 && i < list.ShownCount(); ++i)
                tarnwick::AppendChangeLogLine(lines, time, true, list.ShownRow(i), true);
            log.Append(lines);
        });
        std::printf("logging 2000 endpoints that appeared in one poll: %.1f ms\n", ms);
    }
    ::DeleteFileW(path.c_str());
}

} // namespace

int main()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    auto table = std::make_unique<CFakeUdpTable>();
    // Ports of every length, so that text order and number order differ. Owners: the idle
    // process, System, this program and ids that no process has, in runs of 100 rows.
    const std::uint32_t owners[] = {0, 4, ::GetCurrentProcessId(), 0x7FFFFF0, 0x7FFFFF4};
    for (int i = 0; i < kRows; ++i) {
        table->rows.push_back(MakeEndpoint(
            10, static_cast<unsigned>(i / 62500), static_cast<unsigned>(i / 250 % 250),
            static_cast<unsigned>(i % 250), static_cast<std::uint16_t>(1 + (i * 7919) % 65000)));
        table->rows.back().pid = owners[i / 100 % 5];
    }
    // A settings file of its own, gone at the end: a run stopped halfway (with the owners on)
    // leaves nothing that the next run would start with.
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const std::string settings = std::string(folder) + "tarnwick-bench.ini";
    ::DeleteFileA(settings.c_str());
    auto* frame = new CMainFrame(std::move(table), std::make_shared<CFakeNameLookup>(), settings);
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW))
        return 1;
    HWND hwnd = *frame;
    ::KillTimer(hwnd, CMainFrame::kFirstPollTimer);
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd);

    double show = Milliseconds([&] { PollAndPaint(*frame); });
    std::printf("poll showing a first list of %d rows: %.0f ms (goal < %.0f ms: %s)\n", kRows, show,
                kShowGoal, Verdict(show, kShowGoal));
    if (List(*frame).GetItemCount() != kRows) {
        std::printf("the list shows %d rows, not %d\n", List(*frame).GetItemCount(), kRows);
        return 1;
    }
    const int addressAndPort[] = {1, 0};
    TimeHeaderClicks(*frame, addressAndPort, 2);
    // The sorted rows go back to table order: nearly every row changes.
    double rewrite = Milliseconds([&] { PollAndPaint(*frame); });
    std::printf("poll putting back the sorted rows, %d rows: %.0f ms\n", kRows, rewrite);
    TimeSaves(*frame, "");
    if (!TimeFilterKeys(*frame, ""))
        return 1;

    // View > Owning Process: two more columns, filled by the poll that the command starts.
    double process = Milliseconds([&] {
        frame->OnViewProcess();
        while (::SendMessageA(hwnd, WM_POLLBUSY, 0, 0) != 0)
            Pump();
        ::UpdateWindow(List(*frame));
    });
    std::printf("owners shown on %d rows: %.0f ms\n", kRows, process);
    const int pidAndProcess[] = {2, 3};
    TimeHeaderClicks(*frame, pidAndProcess, 2);
    TimeSaves(*frame, " with the owners");
    if (!TimeFilterKeys(*frame, " with the owners"))
        return 1;
    TimeLogWrites(List(*frame));
    frame->OnViewProcess();
    ::DestroyWindow(hwnd);
    ::DeleteFileA(settings.c_str());
    return 0;
}
