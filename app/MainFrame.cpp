// The main window: its creation and messages, the settings it applies, the polls and the focus.
#include "app/MainFrame.h"

#include "app/ListRows.h"
#include "app/MainWindowPanes.h"
#include "app/WinNameLookup.h"
#include "app/WinProcessLookup.h"
#include "app/WinUdpTable.h"
#include "framework/Dpi.h"
#include "framework/Text.h"
#include "framework/WorkerThread.h"
#include "res/resource.h"

#include <commctrl.h>

namespace {

std::shared_ptr<tarnwick::IUdpTable> OrPlatformTable(std::shared_ptr<tarnwick::IUdpTable> table)
{
    return table ? std::move(table) : std::make_shared<CWinUdpTable>();
}

std::shared_ptr<tarnwick::INameLookup>
OrPlatformLookup(std::shared_ptr<tarnwick::INameLookup> lookup)
{
    return lookup ? std::move(lookup) : std::make_shared<CWinNameLookup>();
}

} // namespace

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
    m_toolBarImages.Load(m_wndToolBar);
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
    m_monitor.SetHighlight(settings.bHighlight, m_wndEndpointList);
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
        m_settings.StoreMenuStyle(m_bXPMenu);
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
    // Rows that went may have taken the focused and the highlighted row with them.
    if (m_wndEndpointList.GetNextItem(-1, LVNI_FOCUSED) < 0)
        m_wndEndpointList.FocusOnPage(-1);
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
