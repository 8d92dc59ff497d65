#include "MainFrame.h"

#include "Text.h"

#include "Dpi.h"
#include "Gdi.h"
#include "ListRows.h"
#include "MainWindowPanes.h"
#include "WinNameLookup.h"
#include "WinProcessLookup.h"
#include "WinUdpTable.h"
#include "WinApp.h"
#include "WorkerThread.h"
#include "resource.h"

#include <commctrl.h>
#include <algorithm>
#include <windowsx.h>

namespace {

// First widths of the endpoint list's columns: address, port, and the owner's id and program.
const int kColumnWidths[] = {165, 75, 60, 140};

const char* const kStatisticsLabels[] = {
    "Number of Listening Connections:", "Datagrams Having No Ports:",   "Total Datagrams Sent:",
    "Total Datagrams Received:",        "Error on Received Datagrams:",
};
// The IPv6 rows begin with what tells them apart, so that it shows however narrow the column.
const char* const kIPv6StatisticsLabels[] = {
    "IPv6 Listening Connections:", "IPv6 Datagrams Having No Ports:",    "IPv6 Datagrams Sent:",
    "IPv6 Datagrams Received:",    "IPv6 Errors on Received Datagrams:",
};
// The widest counter: the largest value of the platform's 32-bit counters.
const char kWidestCounter[] = "4294967295";
// The least width of the endpoint list beside the statistics, and the least height of the
// lists, at 96 DPI.
constexpr int kMinEndpointListWidth = 120;
constexpr int kMinListHeight = 100;

const RECT kEmptyRect = {0, 0, 0, 0};

std::shared_ptr<tarnwick::IUdpTable> OrPlatformTable(std::shared_ptr<tarnwick::IUdpTable> table)
{
    return table ? std::move(table) : std::make_shared<CWinUdpTable>();
}

std::shared_ptr<tarnwick::INameLookup>
OrPlatformLookup(std::shared_ptr<tarnwick::INameLookup> lookup)
{
    return lookup ? std::move(lookup) : std::make_shared<CWinNameLookup>();
}

// Calls `change` with the blue, green and red bytes of every pixel of a 24-bit DIB section.
template <class Change> void ForEachPixel(HBITMAP bitmap, Change change)
{
    DIBSECTION section = {};
    if (::GetObjectA(bitmap, sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBits == nullptr || section.dsBm.bmBitsPixel != 24)
        return;
    auto* bits = static_cast<BYTE*>(section.dsBm.bmBits);
    // Rows of a DIB are padded to 4 bytes.
    for (LONG y = 0; y < section.dsBm.bmHeight; ++y) {
        BYTE* pixel = bits + y * section.dsBm.bmWidthBytes;
        for (LONG x = 0; x < section.dsBm.bmWidth; ++x, pixel += 3)
            change(pixel);
    }
}

// Turns every pixel that is not the button face into a pale grey of its brightness: the
// image of a disabled button.
void GreyOut(HBITMAP bitmap)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ForEachPixel(bitmap, [face](BYTE* pixel) {
        if (RGB(pixel[2], pixel[1], pixel[0]) == face)
            return;
        // The pixel's brightness, moved half-way to white: a pale grey image.
        const int luminance = (pixel[2] * 30 + pixel[1] * 59 + pixel[0] * 11) / 100;
        pixel[0] = pixel[1] = pixel[2] = static_cast<BYTE>((luminance + 255) / 2);
    });
}

} // namespace

void ReplaceGrey(HBITMAP bitmap)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ForEachPixel(bitmap, [face](BYTE* pixel) {
        if (pixel[0] == 0xC0 && pixel[1] == 0xC0 && pixel[2] == 0xC0) {
            pixel[0] = GetBValue(face);
            pixel[1] = GetGValue(face);
            pixel[2] = GetRValue(face);
        }
    });
}

CMainFrame::CMainFrame(std::shared_ptr<tarnwick::IUdpTable> table,
                       std::shared_ptr<tarnwick::INameLookup> lookup, std::string settingsFile,
                       std::shared_ptr<tarnwick::IProcessLookup> processes)
    : m_settings(std::move(settingsFile)),
      // The worker posts only while the monitor is open, and OnDestroy closes it while the
      // window still exists: the handle it reads is never stale.
      m_monitor(
          OrPlatformTable(std::move(table)), OrPlatformLookup(std::move(lookup)),
          &fw::BeginWorkerThread, &fw::BeginWorkerThread,
          [this] { ::PostMessageA(m_hWnd, WM_POLLREADY, 0, 0); },
          processes ? std::move(processes) : std::make_shared<CWinProcessLookup>())
{
    m_wndEndpointList.SetRows(&m_monitor.Rows());
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return false;
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    cs.lpszClass = RegisterWndClass("Tarnwick.MainFrame", 0);
    return cs.lpszClass != nullptr;
}

LRESULT CMainFrame::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        return OnCreate();
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_NOTIFY: {
        // The status bar tells which pane was clicked, as the common status bar does.
        const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
        if (hdr->idFrom == AFX_IDW_STATUS_BAR && hdr->code == NM_CLICK)
            OnPaneClick(static_cast<int>(reinterpret_cast<const NMMOUSE*>(lParam)->dwItemSpec));
        break;
    }
    case WM_LISTSELECT:
        UpdateToolBar();
        return 0;
    case WM_ACTIVATE:
        // The focus is taken back on activation (WM_SETFOCUS); keep where it was.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus == m_wndEndpointList || focus == m_wndStatistics || focus == m_wndFilter)
                m_hWndLastFocus = focus;
        }
        break;
    case WM_SETFOCUS:
        OnSetFocus();
        return 0;
    case WM_POLLREADY:
        OnPollReady();
        return 0;
    case WM_POLLBUSY:
        return IsPolling() ? 1 : 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    }
    return CFrameWnd::WindowProc(msg, wParam, lParam);
}

int CMainFrame::OnCreate()
{
    m_nDpi = fw::GetWindowDpi(m_hWnd);
    if (!m_wndToolBar.Create(m_hWnd, AFX_IDW_TOOLBAR, TBSTYLE_FLAT) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    LoadToolbarImages();
    ScaleToolBar();
    if (!CreateStatusBar())
        return -1;

    HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAINFRAME));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    CreateEndpointList();
    CreateStatistics();
    CreateFilterBox();
    UpdateToolBar();
    LoadSettings();
    SetTimer(kFirstPollTimer, 1000);
    return 0;
}

bool CMainFrame::CreateStatusBar()
{
    if (!m_wndStatusBar.CreateStatusBar(m_hWnd, kMainWindowIndicators, kMainWindowPaneCount,
                                        fw::SBPS_STRETCH))
        return false;
    m_wndStatusBar.SetDpi(m_nDpi);
    SetupMainWindowPanes(m_wndStatusBar);
    m_wndStatusBar.SetPaneText(kMessagePane, fw::LoadResString(AFX_IDS_IDLEMESSAGE).c_str());
    return true;
}

void CMainFrame::CreateEndpointList()
{
    m_wndEndpointList.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_OWNERDRAWFIXED | LVS_REPORT,
                             kEmptyRect, m_hWnd, IDC_ENDPOINT_LIST);
    if (!m_wndEndpointList.IsWindow())
        return;
    ::SetWindowLongA(m_wndEndpointList, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    m_wndEndpointList.InsertColumn(0, "IP Address", LVCFMT_LEFT, Scale(kColumnWidths[0]));
    m_wndEndpointList.InsertColumn(1, "Port", LVCFMT_LEFT, Scale(kColumnWidths[1]));
}

void CMainFrame::ApplyProcess()
{
    m_monitor.SetOwners(m_bProcess != FALSE);
    if (!m_wndEndpointList.IsWindow())
        return;
    const int wanted = m_bProcess ? 4 : 2;
    if (m_wndEndpointList.GetColumnCount() != wanted) {
        while (m_wndEndpointList.GetColumnCount() > wanted)
            m_wndEndpointList.SendMessage(LVM_DELETECOLUMN, m_wndEndpointList.GetColumnCount() - 1);
        if (m_wndEndpointList.GetColumnCount() < wanted) {
            m_wndEndpointList.InsertColumn(2, "PID", LVCFMT_LEFT, Scale(kColumnWidths[2]));
            m_wndEndpointList.InsertColumn(3, "Process", LVCFMT_LEFT, Scale(kColumnWidths[3]));
        }
        // The columns start again from their first widths, so that the fit shares the window
        // among them alike rather than squeezing the new ones to nothing.
        for (int column = 0; column < 2; ++column)
            m_wndEndpointList.SetColumnWidth(column, Scale(kColumnWidths[column]));
    }
    const RECT list = m_wndEndpointList.GetWindowRect();
    m_wndEndpointList.FitColumns(list.right - list.left);
    m_wndEndpointList.Invalidate(TRUE);
}

void CMainFrame::CreateStatistics()
{
    m_wndStatistics.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, kEmptyRect, m_hWnd,
                           IDC_STATISTICS);
    if (!m_wndStatistics.IsWindow())
        return;
    ::SetWindowLongA(m_wndStatistics, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    m_wndStatistics.SetExtendedStyle(0, LVS_EX_GRIDLINES);
    m_wndStatistics.InsertColumn(0, "   Parameters", LVCFMT_LEFT, Scale(184));
    m_wndStatistics.InsertColumn(1, "  Value", LVCFMT_LEFT, Scale(60));
    for (int row = 0; row < 5; ++row)
        m_wndStatistics.InsertItem(row, "");
    for (int row = 0; row < 5; ++row)
        m_wndStatistics.SetItemText(row, 0, kStatisticsLabels[row]);
    FitStatistics();
}

void CMainFrame::FitStatistics()
{
    if (!m_wndStatistics.IsWindow())
        return;
    auto textWidth = [this](const char* text) {
        return static_cast<int>(
            m_wndStatistics.SendMessage(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
    };
    // The list's own fit of the labels tells the room it keeps around a cell's text, in its
    // font at this DPI; the counters get the same room.
    int widestLabel = 0;
    for (int row = 0; row < m_wndStatistics.GetItemCount(); ++row)
        widestLabel = std::max(widestLabel, textWidth(m_wndStatistics.GetItemText(row, 0).c_str()));
    m_wndStatistics.SetColumnWidth(0, LVSCW_AUTOSIZE);
    const int labels = m_wndStatistics.GetColumnWidth(0);
    const int values = textWidth(kWidestCounter) + std::max(labels - widestLabel, Scale(12));
    m_wndStatistics.SetColumnWidth(1, values);

    RECT frame = {0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(m_wndStatistics, GWL_STYLE)),
                         FALSE, static_cast<DWORD>(::GetWindowLongA(m_wndStatistics, GWL_EXSTYLE)));
    m_nStatisticsWidth = std::max(Scale(kStatisticsWidth),
                                  labels + values + static_cast<int>(frame.right - frame.left));
}

void CMainFrame::ApplyIPv6()
{
    m_monitor.SetIPv6(m_bIPv6 != FALSE, m_wndEndpointList);
    if (!m_wndStatistics.IsWindow())
        return;
    // The IPv6 counters: five more rows under the IPv4 ones.
    const int wanted = m_bIPv6 ? 10 : 5;
    while (m_wndStatistics.GetItemCount() > wanted)
        m_wndStatistics.DeleteItem(m_wndStatistics.GetItemCount() - 1);
    for (int row = m_wndStatistics.GetItemCount(); row < wanted; ++row) {
        m_wndStatistics.InsertItem(row, "");
        m_wndStatistics.SetItemText(row, 0, kIPv6StatisticsLabels[row - 5]);
    }
    FitStatistics();
    if (m_bSettingsLoaded)
        RecalcLayout();
}

fw::CBitmap CMainFrame::LoadButtonBitmap(UINT id)
{
    fw::CBitmap bitmap(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                         MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                                         LR_CREATEDIBSECTION | LR_DEFAULTSIZE)));
    ReplaceGrey(bitmap);
    return bitmap;
}

void CMainFrame::LoadToolbarImages()
{
    fw::CBitmap bitmap = LoadButtonBitmap(IDB_TOOLBAR);
    // The lists have no mask, so the whole bitmap is added unchanged; each keeps its own copy.
    for (fw::CImageList* list : {&m_imlNormal, &m_imlHot, &m_imlDisabled}) {
        if (list == &m_imlDisabled)
            GreyOut(bitmap);
        list->Create(24, 24, ILC_COLOR24, 7, 0);
        ::ImageList_AddMasked(*list, bitmap, 0);
    }
    m_wndToolBar.SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imlNormal.Get()));
    m_wndToolBar.SendMessage(TB_SETDISABLEDIMAGELIST, 0,
                             reinterpret_cast<LPARAM>(m_imlDisabled.Get()));
    m_wndToolBar.SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imlHot.Get()));
}

void CMainFrame::ScaleToolBar()
{
    // A flat toolbar keeps 7 by 6 pixels around each image at 96 DPI; the images keep their
    // size.
    m_wndToolBar.SendMessage(TB_SETPADDING, 0, MAKELPARAM(Scale(7), Scale(6)));
    m_wndToolBar.SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(24 + Scale(7), 24 + Scale(6)));
}

void CMainFrame::RecalcLayout(bool notify)
{
    CFrameWnd::RecalcLayout(notify);
    PlaceFilterBox();
    RECT rc = RepositionQuery();
    rc.right -= m_nStatisticsWidth;
    if (!m_wndEndpointList.IsWindow())
        return;
    m_wndEndpointList.MoveWindow(rc, FALSE);
    m_wndEndpointList.FitColumns(rc.right - rc.left);
    ::RedrawWindow(m_hWnd, &rc, nullptr, RDW_INVALIDATE);

    RECT column = {rc.right, rc.top, rc.right + m_nStatisticsWidth, rc.bottom};
    m_wndStatistics.MoveWindow(column, FALSE);
    ::RedrawWindow(m_hWnd, &column, nullptr, RDW_INVALIDATE);
}

void CMainFrame::OnDpiChanged(UINT dpi, const RECT* suggested)
{
    const UINT old = m_nDpi;
    m_nDpi = dpi;
    // The endpoint list's columns are fitted to its new width below, in their old proportion.
    for (int column = 0; column < m_wndEndpointList.GetColumnCount(); ++column)
        m_wndEndpointList.SetColumnWidth(column,
                                         ::MulDiv(m_wndEndpointList.GetColumnWidth(column),
                                                  static_cast<int>(dpi), static_cast<int>(old)));
    ScaleToolBar();
    m_wndStatusBar.SetDpi(dpi);
    FitStatistics();
    if (suggested != nullptr)
        ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info) const
{
    if (!m_wndStatistics.IsWindow())
        return;
    // The statistics column whole beside some of the endpoint list, and both lists below the
    // toolbar and above the status bar.
    RECT client = GetClientRect();
    RECT free = RepositionQuery();
    const int bars = (client.bottom - client.top) - (free.bottom - free.top);
    RECT rc = {0, 0, m_nStatisticsWidth + Scale(kMinEndpointListWidth),
               bars + Scale(kMinListHeight)};
    ::AdjustWindowRectEx(&rc, static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)),
                         ::GetMenu(m_hWnd) != nullptr,
                         static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
    info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, rc.right - rc.left);
    info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, rc.bottom - rc.top);
}

void CMainFrame::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kAutoUpdateTimer:
        RequestPoll(tarnwick::CEndpointMonitor::PollRequest::kTimerTick);
        break;
    case kFirstPollTimer:
        RefreshUdpInfo();
        KillTimer(kFirstPollTimer);
        break;
    case kCopyRetryTimer:
        RetryCopy();
        break;
    case kChangesTimer:
        OnChangesTimer();
        break;
    }
}

void CMainFrame::LoadSettings()
{
    const CSettings settings = m_settings.Load();
    m_nInterval = settings.interval.Milliseconds();
    m_bXPMenu = settings.bXpMenu;
    if (!m_bSettingsLoaded)
        m_bXPMenuAtStart = m_bXPMenu;
    m_bIPv6 = settings.bIPv6;
    ApplyIPv6();
    m_bProcess = settings.bProcess;
    ApplyProcess();
    m_bHighlight = settings.bHighlight;
    m_monitor.SetHighlight(m_bHighlight != FALSE, m_wndEndpointList);
    // Logging resumes at start-up; the Settings dialog leaves it as it is.
    if (!m_bSettingsLoaded && settings.bLogChanges && !settings.strLogFile.empty())
        StartLog(fw::Utf8ToWide(settings.strLogFile));
    m_bSettingsLoaded = true;

    RECT rc = GetWindowRect();
    ::SetWindowPos(m_hWnd, settings.bOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, rc.left, rc.top,
                   rc.right - rc.left, rc.bottom - rc.top, SWP_SHOWWINDOW);

    m_wndEndpointList.m_crSystemColor = settings.crSystemColor;
    m_wndEndpointList.m_crCustomColor = settings.crCustomColor;
    m_wndEndpointList.m_crSelectColor = settings.crSelectColor;
    m_wndEndpointList.m_crBackColor = settings.crBackColor;
    m_wndEndpointList.m_crNewColor = settings.crNewColor;
    m_wndEndpointList.m_crRemovedColor = settings.crRemovedColor;
    m_wndEndpointList.SetBkColor(settings.crBackColor);
    m_wndEndpointList.m_bGridLines = settings.bGridLines;

    m_wndStatistics.SetBkColor(settings.crStatisticsColor);
    m_wndStatistics.SetTextBkColor(settings.crStatisticsColor);
    m_wndStatistics.SetTextColor(RGB(0, 0, 50));
}

void CMainFrame::OnDestroy()
{
    // A read still running is left to finish on its own; its result is dropped.
    m_monitor.Close();
    // Only a look this window switched is stored: another instance may have stored its own
    // since, and a window whose creation failed before the settings were read has none.
    if (m_bSettingsLoaded && m_bXPMenu != m_bXPMenuAtStart)
        m_settings.StoreMenuStyle(m_bXPMenu != FALSE);
}

void CMainFrame::RefreshUdpInfo()
{
    RequestPoll(tarnwick::CEndpointMonitor::PollRequest::kCommand);
}

void CMainFrame::RequestPoll(tarnwick::CEndpointMonitor::PollRequest request)
{
    // Should the read's message have been lost (a full message queue), its result is shown
    // here rather than holding up every later poll.
    OnPollReady();
    m_monitor.RequestPoll(request);
}

void CMainFrame::OnPollReady()
{
    {
        CListRows statistics(m_wndStatistics);
        if (!m_monitor.ApplyRead(m_wndEndpointList, statistics))
            return;
    }
    OnChangesShown();
    // Rows that came or went may bring or take away the vertical scroll bar, and the
    // highlighted row with them; the keyboard needs a focused row to start from.
    const RECT list = m_wndEndpointList.GetWindowRect();
    m_wndEndpointList.FitColumns(list.right - list.left);
    if (m_wndEndpointList.GetItemCount() > 0 && m_wndEndpointList.GetNextItem(-1, LVNI_FOCUSED) < 0)
        m_wndEndpointList.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    UpdateToolBar();
    if (m_wndEndpointList.IsFiltered())
        SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CMainFrame::OnSetFocus()
{
    HWND target =
        m_hWndLastFocus != nullptr ? m_hWndLastFocus : static_cast<HWND>(m_wndEndpointList);
    if (target != nullptr && ::IsWindowVisible(target))
        ::SetFocus(target);
}
