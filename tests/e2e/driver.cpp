// tarnwick_driver: works a running Tarnwick from another process, for the
// end-to-end tests. It finds the top-level window "Tarnwick" and then:
//
//   wait [timeout_ms]               exit 0 once the window exists
//   rows [id]                       print the rows of list `id` (default: the endpoint
//                                   list), one line each, cells separated by TAB
//   wait-rows N timeout_ms [id]     wait until list `id` holds at least N rows
//   close [timeout_ms]              post WM_CLOSE, wait until the window and its
//                                   process are gone
//   rect id                         print a child's rectangle "left top right bottom"
//                                   in the frame's client coordinates
//   click id x y                    left button down and up in a child (or a control of
//                                   the open dialog), at its client coordinates
//   command N                       post WM_COMMAND N to the frame
//   send-command N                  send WM_COMMAND N and return once the frame has
//                                   handled it and shows the poll it may have asked for
//   click-pane index [bar_id]       left button down and up at the centre of a pane of
//                                   the status bar `bar_id` (default: the frame's)
//   open-menu key                   open the menu bar's popup of mnemonic `key` (a
//                                   character code); print its screen rectangle and the
//                                   milliseconds until it showed
//   pixel id x y                    print the colour "R G B" at a child's client point
//   dialog                          print the caption of the program's open dialog, then
//                                   one line per control: id TAB text
//   click-item row | click-header column [id]   a click in a row, or on a column of the
//                                   header, of list `id` (default: the endpoint list)
//   clipboard                       print the clipboard's text (CF_TEXT)
//   save-as path                    enter `path` in the program's Save dialog, press Save
//   round-trips duration_ms         send WM_NULL to the frame, 10 ms apart, for that long;
//                                   print "round-trips N longest-ms L mean-ms M"
//
// Exit codes: 0 done; 1 the window, the control or the condition was not there
// in time; 2 bad arguments.

#include "RemoteBlock.h"
#include "resource.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

namespace {

const char* const kFrameTitle = "Tarnwick";
const DWORD kDefaultTimeoutMs = 10000;
// Generous: a window that stands still for seconds is to be measured, not given up on.
const UINT kMessageTimeoutMs = 30000;
const DWORD kRoundTripPauseMs = 10;
const DWORD kRetryMs = 50;
const int kTextMax = 512;

const int kExitMissing = 1;
const int kExitUsage = 2;

void WriteTo(DWORD dwStdHandle, const std::string& str)
{
    // WriteFile, not the C runtime: its text mode would turn "\n" into "\r\n".
    DWORD cbWritten = 0;
    WriteFile(GetStdHandle(dwStdHandle), str.data(), static_cast<DWORD>(str.size()), &cbWritten,
              nullptr);
}

int Fail(const std::string& strMessage, int nExitCode = kExitMissing)
{
    WriteTo(STD_ERROR_HANDLE, "tarnwick_driver: " + strMessage + "\n");
    return nExitCode;
}

bool ParseNumber(const char* psz, long& nValue)
{
    char* pszEnd = nullptr;
    nValue = std::strtol(psz, &pszEnd, 10);
    return pszEnd != psz && *pszEnd == '\0';
}

class CDeadline {
public:
    explicit CDeadline(DWORD dwTimeoutMs) : m_dwStart(GetTickCount()), m_dwTimeout(dwTimeoutMs) {}
    bool Passed() const { return GetTickCount() - m_dwStart >= m_dwTimeout; }
    DWORD Remaining() const
    {
        const DWORD dwElapsed = GetTickCount() - m_dwStart;
        return dwElapsed >= m_dwTimeout ? 0 : m_dwTimeout - dwElapsed;
    }

private:
    DWORD m_dwStart;
    DWORD m_dwTimeout;
};

HWND FindFrame(const CDeadline& deadline)
{
    for (;;) {
        HWND hwnd = FindWindowA(nullptr, kFrameTitle);
        if (hwnd != nullptr || deadline.Passed()) {
            return hwnd;
        }
        Sleep(kRetryMs);
    }
}

bool Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    DWORD_PTR dwResult = 0;
    if (!SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_NORMAL, kMessageTimeoutMs,
                             &dwResult)) {
        return false;
    }
    lResult = static_cast<LRESULT>(dwResult);
    return true;
}

bool ReadCell(HWND hwndList, CRemoteBlock& block, int nRow, int nColumn, std::string& strText)
{
    LVITEMA item = {};
    item.iSubItem = nColumn;
    item.pszText = static_cast<char*>(block.At(sizeof(item)));
    item.cchTextMax = kTextMax;
    LRESULT nLength = 0;
    char szText[kTextMax] = {};
    if (!block.Write(0, &item, sizeof(item)) ||
        !Send(hwndList, LVM_GETITEMTEXTA, static_cast<WPARAM>(nRow),
              reinterpret_cast<LPARAM>(block.At(0)), nLength) ||
        !block.Read(sizeof(item), szText, sizeof(szText))) {
        return false;
    }
    strText.assign(szText, static_cast<size_t>(nLength < kTextMax ? nLength : kTextMax - 1));
    return true;
}

int ColumnCount(HWND hwndList)
{
    LRESULT lHeader = 0;
    LRESULT nColumns = 0;
    if (!Send(hwndList, LVM_GETHEADER, 0, 0, lHeader) || lHeader == 0 ||
        !Send(reinterpret_cast<HWND>(lHeader), HDM_GETITEMCOUNT, 0, 0, nColumns)) {
        return -1;
    }
    return static_cast<int>(nColumns);
}

// A dialog of the program is a top-level window of the frame's thread.
HWND FindDialog(HWND hwndFrame)
{
    const DWORD dwThread = GetWindowThreadProcessId(hwndFrame, nullptr);
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, "#32770", nullptr)) != nullptr &&
           (GetWindowThreadProcessId(hwnd, nullptr) != dwThread || !IsWindowVisible(hwnd))) {
    }
    return hwnd;
}

HWND FindChild(HWND hwndFrame, long nId)
{
    HWND hwnd = GetDlgItem(hwndFrame, static_cast<int>(nId));
    HWND hwndDialog = hwnd == nullptr ? FindDialog(hwndFrame) : nullptr;
    return hwndDialog != nullptr ? GetDlgItem(hwndDialog, static_cast<int>(nId)) : hwnd;
}

int OnWait(DWORD dwTimeoutMs)
{
    if (FindFrame(CDeadline(dwTimeoutMs)) == nullptr) {
        return Fail("no window \"Tarnwick\" within " + std::to_string(dwTimeoutMs) + " ms");
    }
    return 0;
}

int OnRows(long nId)
{
    HWND hwndFrame = FindFrame(CDeadline(kDefaultTimeoutMs));
    HWND hwndList = hwndFrame != nullptr ? FindChild(hwndFrame, nId) : nullptr;
    if (hwndList == nullptr) {
        return Fail("no list control " + std::to_string(nId));
    }
    CRemoteBlock block(hwndList, sizeof(LVITEMA) + kTextMax);
    if (!block.IsValid()) {
        return Fail("cannot reach the program's memory");
    }
    const int nColumns = ColumnCount(hwndList);
    LRESULT nRows = 0;
    if (nColumns < 0 || !Send(hwndList, LVM_GETITEMCOUNT, 0, 0, nRows)) {
        return Fail("list control " + std::to_string(nId) + " does not answer");
    }
    std::string strOut;
    for (int nRow = 0; nRow < nRows; ++nRow) {
        for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
            std::string strCell;
            if (!ReadCell(hwndList, block, nRow, nColumn, strCell)) {
                return Fail("cannot read row " + std::to_string(nRow));
            }
            strOut += (nColumn > 0 ? "\t" : "") + strCell;
        }
        strOut += "\n";
    }
    WriteTo(STD_OUTPUT_HANDLE, strOut);
    return 0;
}

int OnWaitRows(long nMinRows, DWORD dwTimeoutMs, long nId)
{
    const CDeadline deadline(dwTimeoutMs);
    LRESULT nRows = 0;
    for (;;) {
        HWND hwndFrame = FindFrame(deadline);
        HWND hwndList = hwndFrame != nullptr ? FindChild(hwndFrame, nId) : nullptr;
        if (hwndList != nullptr && Send(hwndList, LVM_GETITEMCOUNT, 0, 0, nRows) &&
            nRows >= nMinRows) {
            WriteTo(STD_OUTPUT_HANDLE, std::to_string(nRows) + "\n");
            return 0;
        }
        if (deadline.Passed()) {
            return Fail("list control " + std::to_string(nId) + " has " + std::to_string(nRows) +
                        " rows, not " + std::to_string(nMinRows) + ", after " +
                        std::to_string(dwTimeoutMs) + " ms");
        }
        Sleep(kRetryMs);
    }
}

int OnClose(DWORD dwTimeoutMs)
{
    const CDeadline deadline(dwTimeoutMs);
    HWND hwndFrame = FindFrame(deadline);
    if (hwndFrame == nullptr) {
        return Fail("no window \"Tarnwick\" to close");
    }
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hwndFrame, &dwProcessId);
    HANDLE hProcess = OpenProcess(SYNCHRONIZE, FALSE, dwProcessId);
    PostMessageA(hwndFrame, WM_CLOSE, 0, 0);
    while (IsWindow(hwndFrame) && !deadline.Passed()) {
        Sleep(kRetryMs);
    }
    const bool bWindowGone = !IsWindow(hwndFrame);
    const bool bProcessGone =
        hProcess == nullptr || WaitForSingleObject(hProcess, deadline.Remaining()) == WAIT_OBJECT_0;
    if (hProcess != nullptr) {
        CloseHandle(hProcess);
    }
    if (!bWindowGone) {
        return Fail("the window is still open after WM_CLOSE");
    }
    if (!bProcessGone) {
        return Fail("the window closed but the process did not end");
    }
    return 0;
}

int OnRect(long nId)
{
    HWND hwndFrame = FindFrame(CDeadline(kDefaultTimeoutMs));
    HWND hwndChild = hwndFrame != nullptr ? FindChild(hwndFrame, nId) : nullptr;
    RECT rc = {};
    if (hwndChild == nullptr || !GetWindowRect(hwndChild, &rc)) {
        return Fail("no child window " + std::to_string(nId));
    }
    MapWindowPoints(HWND_DESKTOP, hwndFrame, reinterpret_cast<POINT*>(&rc), 2);
    WriteTo(STD_OUTPUT_HANDLE, std::to_string(rc.left) + " " + std::to_string(rc.top) + " " +
                                   std::to_string(rc.right) + " " + std::to_string(rc.bottom) +
                                   "\n");
    return 0;
}

int OnClick(long nId, long x, long y)
{
    HWND hwndFrame = FindFrame(CDeadline(kDefaultTimeoutMs));
    HWND hwndChild = hwndFrame != nullptr ? FindChild(hwndFrame, nId) : nullptr;
    if (hwndChild == nullptr) {
        return Fail("no child window " + std::to_string(nId));
    }
    const LPARAM lPoint = MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    PostMessageA(hwndChild, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    PostMessageA(hwndChild, WM_LBUTTONUP, 0, lPoint);
    return 0;
}

int OnPixel(long nId, long x, long y)
{
    HWND hwndFrame = FindFrame(CDeadline(kDefaultTimeoutMs));
    HWND hwndChild = hwndFrame != nullptr ? FindChild(hwndFrame, nId) : nullptr;
    RECT rcFrame = {};
    if (hwndChild == nullptr || !GetWindowRect(hwndFrame, &rcFrame)) {
        return Fail("no child window " + std::to_string(nId));
    }
    // Under Wine only the top-level window's DC reads another process's pixels.
    POINT pt = {x, y};
    ClientToScreen(hwndChild, &pt);
    HDC hdc = GetWindowDC(hwndFrame);
    const COLORREF cr = GetPixel(hdc, pt.x - rcFrame.left, pt.y - rcFrame.top);
    ReleaseDC(hwndFrame, hdc);
    WriteTo(STD_OUTPUT_HANDLE, std::to_string(GetRValue(cr)) + " " + std::to_string(GetGValue(cr)) +
                                   " " + std::to_string(GetBValue(cr)) + "\n");
    return 0;
}

int OnDialog()
{
    const CDeadline deadline(kDefaultTimeoutMs);
    HWND hwndFrame = FindFrame(deadline);
    HWND hwndDialog = nullptr;
    while (hwndFrame != nullptr && (hwndDialog = FindDialog(hwndFrame)) == nullptr &&
           !deadline.Passed()) {
        Sleep(kRetryMs);
    }
    if (hwndDialog == nullptr) {
        return Fail("no dialog open");
    }
    std::string strOut;
    // WM_GETTEXT is marshalled between processes; each answer shows the dialog answering.
    for (HWND hwnd = hwndDialog; hwnd != nullptr;
         hwnd = GetWindow(hwnd, hwnd == hwndDialog ? GW_CHILD : GW_HWNDNEXT)) {
        char szText[kTextMax] = {};
        LRESULT nLength = 0;
        if (!Send(hwnd, WM_GETTEXT, kTextMax, reinterpret_cast<LPARAM>(szText), nLength)) {
            return Fail("the dialog does not answer");
        }
        const short nId = static_cast<short>(GetDlgCtrlID(hwnd));
        strOut += (hwnd == hwndDialog ? "" : std::to_string(nId) + "\t") + szText + "\n";
    }
    WriteTo(STD_OUTPUT_HANDLE, strOut);
    return 0;
}

int OnClickPane(long nPane, long nBarId)
{
    HWND hwndFrame = FindFrame(CDeadline(kDefaultTimeoutMs));
    HWND hwndBar = hwndFrame != nullptr ? FindChild(hwndFrame, nBarId) : nullptr;
    if (hwndBar == nullptr) {
        return Fail("no status bar " + std::to_string(nBarId));
    }
    // SB_GETRECT writes the rectangle through its pointer inside the program.
    CRemoteBlock block(hwndBar, sizeof(RECT));
    if (!block.IsValid()) {
        return Fail("cannot reach the program's memory");
    }
    LRESULT lFound = 0;
    RECT rc = {};
    if (!Send(hwndBar, SB_GETRECT, static_cast<WPARAM>(nPane),
              reinterpret_cast<LPARAM>(block.At(0)), lFound) ||
        !block.Read(0, &rc, sizeof(rc))) {
        return Fail("status bar " + std::to_string(nBarId) + " does not answer");
    }
    if (!lFound) {
        return Fail("status bar " + std::to_string(nBarId) + " has no pane " +
                    std::to_string(nPane));
    }
    const LPARAM lPoint = MAKELPARAM(static_cast<WORD>((rc.left + rc.right) / 2),
                                     static_cast<WORD>((rc.top + rc.bottom) / 2));
    PostMessageA(hwndBar, WM_LBUTTONDOWN, MK_LBUTTON, lPoint);
    PostMessageA(hwndBar, WM_LBUTTONUP, 0, lPoint);
    WriteTo(STD_OUTPUT_HANDLE, std::to_string(rc.left) + " " + std::to_string(rc.top) + " " +
                                   std::to_string(rc.right) + " " + std::to_string(rc.bottom) +
                                   "\n");
    return 0;
}

int OnCommand(long nCommand, bool bWait)
{
    HWND hwndFrame = FindFrame(CDeadline(kDefaultTimeoutMs));
    if (hwndFrame == nullptr) {
        return Fail("no window \"Tarnwick\"");
    }
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(nCommand), 0);
    if (!bWait) {
        PostMessageA(hwndFrame, WM_COMMAND, wParam, 0);
        return 0;
    }
    LRESULT lIgnored = 0;
    if (!Send(hwndFrame, WM_COMMAND, wParam, 0, lIgnored)) {
        return Fail("the frame did not handle command " + std::to_string(nCommand) + " within " +
                    std::to_string(kMessageTimeoutMs) + " ms");
    }
    // The table is read on a worker thread: the poll is over once its rows are shown.
    const CDeadline deadline(kMessageTimeoutMs);
    LRESULT lBusy = 1;
    while (Send(hwndFrame, WM_POLLBUSY, 0, 0, lBusy) && lBusy != 0 && !deadline.Passed()) {
        Sleep(kRetryMs);
    }
    if (lBusy != 0) {
        return Fail("the poll after command " + std::to_string(nCommand) +
                    " was not shown within " + std::to_string(kMessageTimeoutMs) + " ms");
    }
    return 0;
}

// How long the frame takes to answer a message: the longest round trip is the longest
// time the window stood still (to within the pause between two messages).
int OnRoundTrips(DWORD dwDurationMs)
{
    HWND hwndFrame = FindFrame(CDeadline(kDefaultTimeoutMs));
    LARGE_INTEGER frequency = {};
    LARGE_INTEGER start = {};
    LARGE_INTEGER end = {};
    QueryPerformanceFrequency(&frequency);
    long nRounds = 0;
    double dLongestMs = 0;
    double dTotalMs = 0;
    for (const CDeadline deadline(dwDurationMs); !deadline.Passed(); Sleep(kRoundTripPauseMs)) {
        LRESULT lIgnored = 0;
        QueryPerformanceCounter(&start);
        if (hwndFrame == nullptr || !Send(hwndFrame, WM_NULL, 0, 0, lIgnored)) {
            return Fail("the frame did not answer WM_NULL");
        }
        QueryPerformanceCounter(&end);
        const double dMs = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                           static_cast<double>(frequency.QuadPart);
        dLongestMs = dMs > dLongestMs ? dMs : dLongestMs;
        dTotalMs += dMs;
        ++nRounds;
    }
    WriteTo(STD_OUTPUT_HANDLE, "round-trips " + std::to_string(nRounds) + " longest-ms " +
                                   std::to_string(dLongestMs) + " mean-ms " +
                                   std::to_string(nRounds > 0 ? dTotalMs / nRounds : 0.0) + "\n");
    return 0;
}

HWND FindPopupMenu()
{
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, "#32768", nullptr)) != nullptr &&
           !IsWindowVisible(hwnd)) {
    }
    return hwnd;
}

int OnOpenMenu(long nKey)
{
    const CDeadline deadline(kDefaultTimeoutMs);
    PostMessageA(FindFrame(deadline), WM_SYSCOMMAND, SC_KEYMENU, nKey);
    RECT rc = {};
    while (!GetWindowRect(FindPopupMenu(), &rc)) {
        if (deadline.Passed()) {
            return Fail("no popup menu showed");
        }
        Sleep(5);
    }
    WriteTo(STD_OUTPUT_HANDLE, std::to_string(rc.left) + " " + std::to_string(rc.top) + " " +
                                   std::to_string(rc.right) + " " + std::to_string(rc.bottom) +
                                   " " + std::to_string(kDefaultTimeoutMs - deadline.Remaining()) +
                                   "\n");
    return 0;
}

// A rectangle that a control writes through a pointer inside the program (LVM_GETITEMRECT,
// HDM_GETITEMRECT); `nLeft` carries a request code in.
bool RemoteRect(HWND hwnd, UINT msg, WPARAM wParam, LONG nLeft, RECT& rc)
{
    CRemoteBlock block(hwnd, sizeof(RECT));
    const RECT rcRequest = {nLeft, 0, 0, 0};
    LRESULT lFound = 0;
    return block.IsValid() && block.Write(0, &rcRequest, sizeof(rcRequest)) &&
           Send(hwnd, msg, wParam, reinterpret_cast<LPARAM>(block.At(0)), lFound) && lFound &&
           block.Read(0, &rc, sizeof(rc));
}

int OnClickItem(long nIndex, long nId, bool bHeader)
{
    HWND hwndFrame = FindFrame(CDeadline(kDefaultTimeoutMs));
    HWND hwndList = hwndFrame != nullptr ? FindChild(hwndFrame, nId) : nullptr;
    LRESULT lHeader = 0;
    if (hwndList == nullptr || (bHeader && !Send(hwndList, LVM_GETHEADER, 0, 0, lHeader))) {
        return Fail("no list control " + std::to_string(nId));
    }
    HWND hwnd = bHeader ? reinterpret_cast<HWND>(lHeader) : hwndList;
    RECT rc = {};
    if (!RemoteRect(hwnd, bHeader ? HDM_GETITEMRECT : LVM_GETITEMRECT, static_cast<WPARAM>(nIndex),
                    bHeader ? 0 : LVIR_BOUNDS, rc)) {
        return Fail("list control " + std::to_string(nId) + " has no such item or column");
    }
    const LPARAM lPoint = MAKELPARAM(static_cast<WORD>((rc.left + rc.right) / 2),
                                     static_cast<WORD>((rc.top + rc.bottom) / 2));
    // Sent, not posted: what the driver asks next must see the click done.
    LRESULT lIgnored = 0;
    return Send(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, lPoint, lIgnored) &&
                   Send(hwnd, WM_LBUTTONUP, 0, lPoint, lIgnored)
               ? 0
               : Fail("the click was not taken");
}

int OnClipboard()
{
    std::string strText;
    if (OpenClipboard(nullptr)) {
        HANDLE hData = GetClipboardData(CF_TEXT);
        const char* pszText = static_cast<const char*>(GlobalLock(hData));
        strText = pszText != nullptr ? pszText : "";
        GlobalUnlock(hData);
        CloseClipboard();
    }
    WriteTo(STD_OUTPUT_HANDLE, strText);
    return 0;
}

int OnSaveAs(const std::string& strPath)
{
    const CDeadline deadline(kDefaultTimeoutMs);
    HWND hwndFrame = FindFrame(deadline);
    HWND hwndDialog = nullptr;
    while (hwndFrame != nullptr && (hwndDialog = FindDialog(hwndFrame)) == nullptr &&
           !deadline.Passed()) {
        Sleep(kRetryMs);
    }
    // The file name box is a ComboBoxEx; its edit control is a grandchild.
    HWND hwndCombo = FindWindowExA(GetDlgItem(hwndDialog, 1148), nullptr, "ComboBox", nullptr);
    LRESULT lIgnored = 0;
    if (hwndDialog == nullptr ||
        !Send(FindWindowExA(hwndCombo, nullptr, "Edit", nullptr), WM_SETTEXT, 0,
              reinterpret_cast<LPARAM>(strPath.c_str()), lIgnored)) {
        return Fail("no Save dialog with a file name box");
    }
    PostMessageA(hwndDialog, WM_COMMAND, IDOK, 0);
    while (IsWindow(hwndDialog) && !deadline.Passed()) {
        Sleep(kRetryMs);
    }
    return IsWindow(hwndDialog) ? Fail("the Save dialog is still open") : 0;
}

int Usage()
{
    return Fail("usage: tarnwick_driver wait [timeout_ms] | rows [id] | "
                "wait-rows N timeout_ms [id] | close [timeout_ms] | rect id | "
                "click id x y | command N | send-command N | click-pane index [bar_id] | "
                "open-menu key | pixel id x y | dialog | "
                "click-item row [id] | click-header column [id] | clipboard | save-as path | "
                "round-trips duration_ms",
                kExitUsage);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        return Usage();
    }
    const std::string strVerb = argv[1];
    const int nArgs = argc - 2;
    if (strVerb == "save-as" && nArgs == 1) {
        return OnSaveAs(argv[2]);
    }
    long n[3] = {};
    for (int i = 0; i < nArgs; ++i) {
        if (i >= 3 || !ParseNumber(argv[i + 2], n[i]) || n[i] < 0) {
            return Usage();
        }
    }
    if (strVerb == "wait" && nArgs <= 1) {
        return OnWait(nArgs == 1 ? static_cast<DWORD>(n[0]) : kDefaultTimeoutMs);
    }
    if (strVerb == "rows" && nArgs <= 1) {
        return OnRows(nArgs == 1 ? n[0] : IDC_ENDPOINT_LIST);
    }
    if (strVerb == "wait-rows" && (nArgs == 2 || nArgs == 3)) {
        return OnWaitRows(n[0], static_cast<DWORD>(n[1]), nArgs == 3 ? n[2] : IDC_ENDPOINT_LIST);
    }
    if (strVerb == "close" && nArgs <= 1) {
        return OnClose(nArgs == 1 ? static_cast<DWORD>(n[0]) : kDefaultTimeoutMs);
    }
    if (strVerb == "rect" && nArgs == 1) {
        return OnRect(n[0]);
    }
    if (strVerb == "click" && nArgs == 3) {
        return OnClick(n[0], n[1], n[2]);
    }
    if (strVerb == "command" && nArgs == 1) {
        return OnCommand(n[0], false);
    }
    if (strVerb == "send-command" && nArgs == 1) {
        return OnCommand(n[0], true);
    }
    if (strVerb == "open-menu" && nArgs == 1) {
        return OnOpenMenu(n[0]);
    }
    if (strVerb == "click-pane" && (nArgs == 1 || nArgs == 2)) {
        return OnClickPane(n[0], nArgs == 2 ? n[1] : AFX_IDW_STATUS_BAR);
    }
    if (strVerb == "pixel" && nArgs == 3) {
        return OnPixel(n[0], n[1], n[2]);
    }
    if (strVerb == "dialog" && nArgs == 0) {
        return OnDialog();
    }
    if ((strVerb == "click-item" || strVerb == "click-header") && (nArgs == 1 || nArgs == 2)) {
        return OnClickItem(n[0], nArgs == 2 ? n[1] : IDC_ENDPOINT_LIST, strVerb == "click-header");
    }
    if (strVerb == "clipboard" && nArgs == 0) {
        return OnClipboard();
    }
    if (strVerb == "round-trips" && nArgs == 1) {
        return OnRoundTrips(static_cast<DWORD>(n[0]));
    }
    return Usage();
}
