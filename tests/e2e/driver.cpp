// tarnwick_driver: works a running Tarnwick from another process, for the end-to-end
// tests. It finds the top-level window "Tarnwick" and then:
//
//   wait [timeout_ms]               exit 0 once the window exists
//   rows [id]                       print the column titles and the rows of list `id`
//                                   (default: the endpoint list), one line each, cells
//                                   separated by TAB, in UTF-8
//   wait-rows N timeout_ms [id]     wait until list `id` holds at least N rows
//   close [timeout_ms]              post WM_CLOSE, wait until the window and its
//                                   process are gone
//   command N                       post WM_COMMAND N to the frame
//   send-command N                  send WM_COMMAND N and return once the frame has
//                                   handled it and shows the poll it may have asked for
//   dialog [button]                 wait for the program's dialog; print its caption; with
//                                   a button id, then press that button (WM_COMMAND)
//   round-trips duration_ms         send WM_NULL to the frame, 10 ms apart, for that long;
//                                   print "round-trips N longest-ms L mean-ms M"
//
// Exit codes: 0 done; 1 the window, the control or the condition was not there in time,
// or the program did not answer; 2 bad arguments.

#include "res/resource.h"
#include "tests/e2e/RemoteBlock.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace {

const DWORD kDefaultTimeoutMs = 10000;
// Generous: a window that stands still for seconds is to be measured, not given up on.
const UINT kMessageTimeoutMs = 30000;
const DWORD kRetryMs = 50;
const int kTextMax = 512;

void Print(const std::string& text, DWORD handle = STD_OUTPUT_HANDLE)
{
    // WriteFile, not the C runtime: its text mode would turn "\n" into "\r\n".
    DWORD written = 0;
    WriteFile(GetStdHandle(handle), text.data(), static_cast<DWORD>(text.size()), &written,
              nullptr);
}

// Reports what was not there (exit code 1) or a bad command line (2), and ends the driver.
[[noreturn]] void Fail(const std::string& message, UINT exitCode = 1)
{
    Print("tarnwick_driver: " + message + "\n", STD_ERROR_HANDLE);
    ExitProcess(exitCode);
}

class CDeadline {
public:
    explicit CDeadline(DWORD timeoutMs) : m_start(GetTickCount()), m_timeout(timeoutMs) {}
    bool Passed() const { return Elapsed() >= m_timeout; }
    DWORD Elapsed() const { return GetTickCount() - m_start; }
    DWORD Remaining() const { return Passed() ? 0 : m_timeout - Elapsed(); }

private:
    DWORD m_start;
    DWORD m_timeout;
};

// Checks `done` until it holds or the deadline passes; returns its last answer.
bool WaitFor(const std::function<bool()>& done, const CDeadline& deadline, DWORD retryMs = kRetryMs)
{
    while (!done() && !deadline.Passed())
        Sleep(retryMs);
    return done();
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_NORMAL, kMessageTimeoutMs, &result))
        Fail("no answer to message " + std::to_string(msg) + " within " +
             std::to_string(kMessageTimeoutMs) + " ms");
    return static_cast<LRESULT>(result);
}

HWND FindFrame(DWORD timeoutMs = kDefaultTimeoutMs)
{
    HWND frame = nullptr;
    WaitFor([&] { return (frame = FindWindowA(nullptr, "Tarnwick")) != nullptr; },
            CDeadline(timeoutMs));
    if (frame == nullptr)
        Fail("no window \"Tarnwick\" within " + std::to_string(timeoutMs) + " ms");
    return frame;
}

// A visible top-level window of the frame's thread and of `className`: a dialog of the
// program, or its open popup menu.
HWND FindOwned(HWND frame, const char* className)
{
    const DWORD thread = GetWindowThreadProcessId(frame, nullptr);
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, className, nullptr)) != nullptr &&
           (GetWindowThreadProcessId(hwnd, nullptr) != thread || !IsWindowVisible(hwnd))) {
    }
    return hwnd;
}

HWND WaitForDialog(HWND frame)
{
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = FindOwned(frame, "#32770")) != nullptr; },
                 CDeadline(kDefaultTimeoutMs)))
        Fail("no dialog open");
    return dialog;
}

HWND Child(HWND frame, long id)
{
    HWND child = GetDlgItem(frame, static_cast<int>(id));
    if (child == nullptr)
        Fail("no child window " + std::to_string(id));
    return child;
}

std::string Utf8(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

// Sends `msg` with `record` placed in the program's memory, its text pointing to a buffer
// beside it, and returns the text the program wrote there, in UTF-8. The wide messages:
// the 8-bit ones would turn names outside the code page into "?". A message that answers
// with the text's length saves reading the whole buffer back: each access to another
// process costs a round trip through the wineserver.
template <class Record>
std::string RemoteText(CRemoteBlock& block, HWND hwnd, UINT msg, WPARAM wParam, Record record,
                       bool answersLength)
{
    wchar_t text[kTextMax] = {};
    record.pszText = static_cast<wchar_t*>(block.At(sizeof(record)));
    record.cchTextMax = kTextMax - 1;
    if (!block.Write(0, &record, sizeof(record)))
        Fail("cannot reach the program's memory");
    const auto length = Send(hwnd, msg, wParam, reinterpret_cast<LPARAM>(block.At(0)));
    const SIZE_T count = answersLength && length >= 0 && length < kTextMax - 1
                             ? static_cast<SIZE_T>(length)
                             : kTextMax - 1;
    if (count > 0 && !block.Read(sizeof(record), text, count * sizeof(wchar_t)))
        Fail("cannot read the program's memory");
    return Utf8(text);
}

// The column titles as the first line, then the rows.
std::string Rows(HWND list)
{
    CRemoteBlock block(list, sizeof(LVCOLUMNW) + sizeof(LVITEMW) + kTextMax * sizeof(wchar_t));
    if (!block.IsValid())
        Fail("cannot reach the program's memory");
    const auto columns = Send(reinterpret_cast<HWND>(Send(list, LVM_GETHEADER)), HDM_GETITEMCOUNT);
    const auto rows = Send(list, LVM_GETITEMCOUNT);
    std::string out;
    for (int column = 0; column < columns; ++column) {
        LVCOLUMNW title = {};
        title.mask = LVCF_TEXT;
        out += (column > 0 ? "\t" : "") +
               RemoteText(block, list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), title, false);
    }
    out += "\n";
    for (LRESULT row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            LVITEMW item = {};
            item.iSubItem = column;
            out += (column > 0 ? "\t" : "") +
                   RemoteText(block, list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), item, true);
        }
        out += "\n";
    }
    return out;
}

void Close(DWORD timeoutMs)
{
    const CDeadline deadline(timeoutMs);
    HWND frame = FindFrame(timeoutMs);
    DWORD processId = 0;
    GetWindowThreadProcessId(frame, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    if (!WaitFor([frame] { return !IsWindow(frame); }, deadline))
        Fail("the window is still open after WM_CLOSE");
    const bool ended =
        process == nullptr || WaitForSingleObject(process, deadline.Remaining()) == WAIT_OBJECT_0;
    if (!ended)
        Fail("the window closed but the process did not end");
}

void SendCommand(HWND frame, long command)
{
    Send(frame, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0));
    // The table is read on a worker thread: the poll is over once its rows are shown.
    if (!WaitFor([frame] { return Send(frame, WM_POLLBUSY) == 0; }, CDeadline(kMessageTimeoutMs)))
        Fail("the poll after command " + std::to_string(command) + " was not shown");
}

// How long the frame takes to answer a message: the longest round trip is the longest
// time the window stood still (to within the pause between two messages).
std::string RoundTrips(HWND frame, DWORD durationMs)
{
    LARGE_INTEGER frequency = {};
    LARGE_INTEGER start = {};
    LARGE_INTEGER end = {};
    QueryPerformanceFrequency(&frequency);
    long rounds = 0;
    double longestMs = 0;
    double totalMs = 0;
    for (const CDeadline deadline(durationMs); !deadline.Passed(); Sleep(10), ++rounds) {
        QueryPerformanceCounter(&start);
        Send(frame, WM_NULL);
        QueryPerformanceCounter(&end);
        const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        longestMs = ms > longestMs ? ms : longestMs;
        totalMs += ms;
    }
    return "round-trips " + std::to_string(rounds) + " longest-ms " + std::to_string(longestMs) +
           " mean-ms " + std::to_string(rounds > 0 ? totalMs / rounds : 0.0) + "\n";
}

[[noreturn]] void Usage()
{
    Fail("usage: tarnwick_driver wait [timeout_ms] | rows [id] | wait-rows N timeout_ms [id] | "
         "close [timeout_ms] | command N | send-command N | dialog [button] | "
         "round-trips duration_ms",
         2);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        Usage();
    const std::string verb = argv[1];
    const int count = argc - 2;
    long n[3] = {};
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        n[i < 3 ? i : 0] = std::strtol(argv[i + 2], &end, 10);
        if (i >= 3 || end == argv[i + 2] || *end != '\0' || n[i] < 0)
            Usage();
    }
    auto is = [&](const char* name, int least, int most) {
        return verb == name && count >= least && count <= most;
    };
    if (is("wait", 0, 1)) {
        FindFrame(count == 1 ? static_cast<DWORD>(n[0]) : kDefaultTimeoutMs);
    } else if (is("close", 0, 1)) {
        Close(count == 1 ? static_cast<DWORD>(n[0]) : kDefaultTimeoutMs);
    } else if (is("wait-rows", 2, 3)) {
        // The window may still be on its way, and its list with it.
        const long id = count == 3 ? n[2] : IDC_ENDPOINT_LIST;
        LRESULT rows = -1;
        auto enough = [&] {
            HWND frame = FindWindowA(nullptr, "Tarnwick");
            HWND list = frame != nullptr ? GetDlgItem(frame, static_cast<int>(id)) : nullptr;
            rows = list != nullptr ? Send(list, LVM_GETITEMCOUNT) : -1;
            return rows >= n[0];
        };
        if (!WaitFor(enough, CDeadline(static_cast<DWORD>(n[1]))))
            Fail("list " + std::to_string(id) + " holds " + std::to_string(rows) + " rows, not " +
                 std::to_string(n[0]));
    } else {
        HWND frame = FindFrame();
        if (is("rows", 0, 1)) {
            Print(Rows(Child(frame, count == 1 ? n[0] : IDC_ENDPOINT_LIST)));
        } else if (is("command", 1, 1)) {
            PostMessageA(frame, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(n[0]), 0), 0);
        } else if (is("send-command", 1, 1)) {
            SendCommand(frame, n[0]);
        } else if (is("dialog", 0, 1)) {
            char caption[kTextMax] = {};
            HWND dialog = WaitForDialog(frame);
            // WM_GETTEXT is marshalled between processes: the answer shows the dialog answering.
            Send(dialog, WM_GETTEXT, kTextMax, reinterpret_cast<LPARAM>(caption));
            Print(std::string(caption) + "\n");
            if (count == 1)
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(n[0]), 0), 0);
        } else if (is("round-trips", 1, 1)) {
            Print(RoundTrips(frame, static_cast<DWORD>(n[0])));
        } else {
            Usage();
        }
    }
    return 0;
}
