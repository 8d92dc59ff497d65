// The frame's commands: their state in one place, refresh, the auto-update and resolve
// switches, clicks on the status panes, and the toolbar images, panes and menu checks that show
// the switches.
#include "app/MainFrame.h"

#include "app/MainWindowPanes.h"
#include "controls/AboutDlg.h"
#include "res/resource.h"
#include "settings/SettingsDlg.h"

namespace {
constexpr COLORREF kActiveColor = RGB(0, 150, 0);
constexpr COLORREF kInactiveColor = RGB(200, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
} // namespace

fw::CCommandState CMainFrame::GetCommandState(UINT id) const
{
    fw::CCommandState state;
    switch (id) {
    case ID_EDIT_COPY:
        state.bEnabled = m_wndEndpointList.IsWindow() && m_wndEndpointList.HasHighlightedRow();
        break;
    case ID_AUTOUPDATE:
        state.nCheck = m_bPaused ? 0 : 1;
        break;
    case ID_RESOLVE:
        state.nCheck = m_bResolve ? 1 : 0;
        break;
    case ID_XPSTYLE:
        state.nCheck = m_bXPMenu ? 1 : 0;
        break;
    case ID_VIEW_IPV6:
        state.nCheck = m_bIPv6 ? 1 : 0;
        break;
    case ID_VIEW_PROCESS:
        state.nCheck = m_bProcess ? 1 : 0;
        break;
    case ID_VIEW_HIGHLIGHT:
        state.nCheck = m_monitor.GetHighlight() ? 1 : 0;
        break;
    case ID_FILE_LOG:
        state.nCheck = m_log.IsOn() ? 1 : 0;
        break;
    default:
        return CFrameWnd::GetCommandState(id);
    }
    return state;
}

bool CMainFrame::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case ID_REFRESH:
        RefreshUdpInfo();
        return true;
    case ID_AUTOUPDATE:
        ToggleAutoUpdate();
        return true;
    case ID_RESOLVE:
        ToggleResolve();
        return true;
    case ID_XPSTYLE:
        OnXPStyle();
        return true;
    case ID_VIEW_IPV6:
        OnViewIPv6();
        return true;
    case ID_VIEW_PROCESS:
        OnViewProcess();
        return true;
    case ID_VIEW_HIGHLIGHT:
        OnViewHighlight();
        return true;
    case ID_FILE_LOG:
        OnFileLog();
        return true;
    case ID_SETTINGS:
        OnSettings();
        return true;
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_FILE_SAVE:
        OnSaveEvents();
        return true;
    case ID_EDIT_COPY:
        OnEditCopy();
        return true;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        OnNextPane(LOWORD(wParam) == ID_NEXT_PANE);
        return true;
    case ID_EDIT_FIND:
        OnEditFind();
        return true;
    case IDC_FILTER:
        if (HIWORD(wParam) == EN_CHANGE)
            OnFilterChanged();
        return true;
    }
    return false;
}

void CMainFrame::OnSettings()
{
    // The frame owns the dialog so that it cannot be closed, or asked for a second
    // dialog, while this one runs.
    if (CSettingsDlg(m_settings, m_hWnd).DoModal() != IDOK)
        return;
    // Since start-up the menu command owns the menu style, which is stored at exit: the
    // file holds an older choice.
    const bool xpMenu = m_bXPMenu;
    LoadSettings();
    m_bXPMenu = xpMenu;
    // A running auto-update takes the new period at once.
    if (!m_bPaused)
        SetTimer(kAutoUpdateTimer, static_cast<UINT>(m_nInterval));
    Invalidate(true);
}

void CMainFrame::OnAppAbout()
{
    CAboutDlg(m_hWnd).DoModal();
}

void CMainFrame::ToggleAutoUpdate()
{
    m_bPaused = !m_bPaused;
    if (m_bPaused) {
        KillTimer(kAutoUpdateTimer);
        // A read in flight still shows; a tick that came during it is not followed up.
        m_monitor.DropTimerTick();
    } else {
        SetTimer(kAutoUpdateTimer, static_cast<UINT>(m_nInterval));
    }
    ShowSwitchStates();
}

void CMainFrame::ToggleResolve()
{
    m_bResolve = !m_bResolve;
    // The rows follow at the next poll; names are looked up either way.
    m_monitor.SetResolve(m_bResolve);
    ShowSwitchStates();
}

void CMainFrame::ShowSwitchStates()
{
    // The menu bar's items, for whoever reads them before their popup opens.
    CheckSwitches(::GetMenu(m_hWnd));
    // Open popups keep their look; the next ones drawn take the new one.
    CStyledMenu::SetXpLook(m_bXPMenu);

    m_toolBarImages.SetButtonImage(CToolBarImages::kAutoUpdateImage,
                                   m_bPaused ? IDB_AUTOUPDATE_OFF : IDB_AUTOUPDATE_ON);
    m_toolBarImages.SetButtonImage(CToolBarImages::kResolveImage,
                                   m_bResolve ? IDB_RESOLVE_ON : IDB_RESOLVE_OFF);
    m_toolBarImages.ShowOn(m_wndToolBar);

    CStatusPane* state = m_wndStatusBar.GetPane(kAutoUpdatePane);
    CStatusPane* stripes = m_wndStatusBar.GetPane(kStripesPane);
    CStatusPane* resolve = m_wndStatusBar.GetPane(kResolvePane);
    const bool active = !m_bPaused;
    state->SetTextColors(active ? kActiveColor : kInactiveColor, kWhite);
    state->SetTexts(active ? "AutoUpdate ACTIVE" : "AutoUpdate PAUSED",
                    active ? "AutoUpdate PAUSED" : "AutoUpdate ACTIVE");
    // The stripes move while auto-update runs.
    stripes->SetStyle(active ? stripes->m_nStyle | SPS_HSCROLL : stripes->m_nStyle & ~SPS_HSCROLL);
    resolve->SetTextColors(m_bResolve ? kActiveColor : kInactiveColor, kWhite);
    resolve->SetTexts(m_bResolve ? "Resolve ON" : "Resolve OFF", "");
    ::InvalidateRect(m_wndStatusBar, nullptr, FALSE);
}

void CMainFrame::CheckSwitches(HMENU menu) const
{
    for (UINT id : {ID_AUTOUPDATE, ID_RESOLVE, ID_XPSTYLE, ID_VIEW_IPV6, ID_VIEW_PROCESS,
                    ID_VIEW_HIGHLIGHT, ID_FILE_LOG})
        ::CheckMenuItem(menu, id,
                        MF_BYCOMMAND | (GetCommandState(id).nCheck ? MF_CHECKED : MF_UNCHECKED));
}

void CMainFrame::OnViewIPv6()
{
    m_bIPv6 = !m_bIPv6;
    m_settings.StoreIPv6(m_bIPv6);
    ApplyIPv6();
    ShowSwitchStates();
    RefreshUdpInfo();
}

void CMainFrame::OnViewProcess()
{
    m_bProcess = !m_bProcess;
    m_settings.StoreProcess(m_bProcess);
    ApplyProcess();
    ShowSwitchStates();
    RefreshUdpInfo();
}

void CMainFrame::OnPaneClick(int pane)
{
    switch (pane) {
    case kAutoUpdatePane:
    case kStripesPane:
        ToggleAutoUpdate();
        break;
    case kResolvePane:
        ToggleResolve();
        break;
    }
}
