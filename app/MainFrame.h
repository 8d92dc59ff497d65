#pragma once

#include "app/ChangeLogFile.h"
#include "app/ToolBarImages.h"
#include "controls/FilterBox.h"
#include "framework/Dpi.h"
#include "framework/FrameWnd.h"
#include "framework/ListCtrl.h"
#include "framework/ToolBar.h"
#include "listctrl/EndpointListCtrl.h"
#include "menu/StyledMenu.h"
#include "monitor/EndpointMonitor.h"
#include "settings/SettingsStore.h"
#include "statusbar/PaneStatusBar.h"

#include <memory>
#include <string>
#include <vector>

// The main window: toolbar, status bar, the endpoint list on the left and the
// statistics list in a column on the right. Its pixel sizes follow the window's DPI.
class CMainFrame : public fw::CFrameWnd {
public:
    // The least width of the statistics column, in pixels at 96 DPI; it is wider where its
    // labels and the widest counters need more.
    static constexpr int kStatisticsWidth = 250;
    // Timers of the frame window.
    static constexpr UINT_PTR kAutoUpdateTimer = 1;
    static constexpr UINT_PTR kFirstPollTimer = 2;
    static constexpr UINT_PTR kCopyRetryTimer = 3;
    // While rows show a change, looks this often for changes that are over.
    static constexpr UINT_PTR kChangesTimer = 4;
    static constexpr UINT kChangesMilliseconds = 250;
    // Copy tries this often while the clipboard is held by another program: about a second.
    static constexpr int kCopyTries = 10;
    static constexpr UINT kCopyRetryMilliseconds = 100;

    // The UDP table and the look-ups default to the platform's; tests pass their own.
    // The settings file defaults to the program's own.
    explicit CMainFrame(std::shared_ptr<tarnwick::IUdpTable> table = nullptr,
                        std::shared_ptr<tarnwick::INameLookup> lookup = nullptr,
                        std::string settingsFile = CSettingsStore::kDefaultFileName,
                        std::shared_ptr<tarnwick::IProcessLookup> processes = nullptr);
    ~CMainFrame() override;

    void RecalcLayout(bool notify = true) override;
    // Asks for one poll; the rows and counters change when its read arrives, and the window
    // answers meanwhile.
    void RefreshUdpInfo();
    // Applies the stored colours, grid lines, interval, menu style and on-top state.
    void LoadSettings();

    fw::CCommandState GetCommandState(UINT id) const override;

    // Pauses or resumes auto-update; switches name display.
    void ToggleAutoUpdate();
    void ToggleResolve();
    // Builds the owner-drawn main menu in the stored look; the frame keeps owning its popups.
    HMENU SetupMenu();
    void OnXPStyle();
    // Switches the IPv6 endpoints on or off, stores the choice and polls at once.
    void OnViewIPv6();
    // Shows or hides the owners' columns, stores the choice and polls at once.
    void OnViewProcess();

    // Switches the highlighted changes on or off and stores the choice.
    void OnViewHighlight();
    // Stops logging, or asks for a log file and starts logging to it.
    void OnFileLog();
    // Logs each endpoint that appears or goes to `path` from now on, and stores the choice; a
    // file that cannot be opened is reported in a message box. False then.
    bool StartLog(const std::wstring& path);

    // Save events: pauses auto-update, asks for a file and writes the rows to it.
    void OnSaveEvents();
    // Writes the rows as the list shows them to `path`, replacing what was there only once
    // the whole text is written; a failure is reported in a message box. False on failure.
    bool SaveEvents(const std::wstring& path);
    // Puts the highlighted row's first column on the clipboard, or says in the message pane
    // that it could not.
    void OnEditCopy();

protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // While a filter is on, how many rows it shows.
    std::string GetIdleMessage() const override;

private:
    // The tests' and benchmarks' view of the controls and the period.
    friend class CMainFrameProbe;

    int OnCreate();
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void RequestPoll(tarnwick::CEndpointMonitor::PollRequest request);
    void OnPollReady();
    // A poll has been asked for and its rows are not shown yet.
    bool IsPolling() const { return m_monitor.IsPolling(); }
    bool CreateStatusBar();
    void CreateEndpointList();
    void CreateStatistics();
    // Shows the switches (auto-update, name display, menu look) on the toolbar's images, the
    // status panes and the menu's check marks.
    void ShowSwitchStates();
    // The check marks of the switch commands in `menu`.
    void CheckSwitches(HMENU menu) const;
    // The monitor reads the IPv6 table or not, and the statistics list has the rows for it.
    void ApplyIPv6();
    // The monitor names the owners or not, and the endpoint list has the columns for them.
    void ApplyProcess();
    // Gives the statistics columns their labels' and the widest counters' width, and the
    // right column the width of both.
    void FitStatistics();
    // The toolbar's room around its images, at the window's DPI.
    void ScaleToolBar();
    // `pixels` at 96 DPI, at the window's DPI.
    int Scale(int pixels) const { return fw::ScaleForDpi(pixels, m_nDpi); }
    // Moved to a monitor of another DPI: sizes and layout anew, in the window the system
    // suggests.
    void OnDpiChanged(UINT dpi, const RECT* suggested);
    // The lists never overlap, nor leave the window.
    void OnGetMinMaxInfo(MINMAXINFO* info) const;
    // A click on status pane `pane` (-1: none).
    void OnPaneClick(int pane);
    void OnSettings();
    void OnAppAbout();
    // One more try of the copy that is waiting for the clipboard.
    void RetryCopy();
    // The focus moves on to the next of the lists and the filter box (Tab, F6), or back (with
    // Shift).
    void OnNextPane(bool forward);
    void CreateFilterBox();
    // Right of the toolbar's last button, as high as a line of its text.
    void PlaceFilterBox();
    // Ctrl+F: the keyboard to the filter box, its text selected.
    void OnEditFind();
    // The box's text changed: the list shows the rows it keeps.
    void OnFilterChanged();
    // The frame's focus goes to the list that had it last, the endpoint list at first.
    void OnSetFocus();
    void StopLog();
    void ShowLogFailure(const std::wstring& path, DWORD error) const;
    // A poll's rows are shown: their changes go to the log, and the timer ends them later.
    void OnChangesShown();
    void WriteChanges();
    void OnChangesTimer();

    CEndpointListCtrl m_wndEndpointList;
    // In the toolbar, right of the buttons.
    CFilterBox m_wndFilter;
    fw::CListCtrl m_wndStatistics;
    bool m_bPaused = true;
    bool m_bResolve = true;
    bool m_bXPMenu = true;
    // The IPv6 endpoints are shown after the IPv4 ones, and their counters under the IPv4 ones.
    bool m_bIPv6 = false;
    // Two more columns show the process id and program that own each endpoint.
    bool m_bProcess = false;
    CToolBarImages m_toolBarImages;
    // The auto-update period in milliseconds, as the settings give it.
    int m_nInterval = 3;
    CPaneStatusBar m_wndStatusBar;
    fw::CToolBar m_wndToolBar;
    CStyledMenu m_menu;
    CSettingsStore m_settings;
    // The window's dots per inch, and the statistics column's width at it.
    UINT m_nDpi = 96;
    int m_nStatisticsWidth = kStatisticsWidth;
    // The list that had the focus when the window was last deactivated.
    HWND m_hWndLastFocus = nullptr;
    // The stored menu style was read into m_bXPMenu: only then is it written back at exit.
    bool m_bSettingsLoaded = false;
    // The look read at start-up; at exit the style is stored only when it differs.
    bool m_bXPMenuAtStart = true;
    // The text a copy puts on the clipboard once it is free, and the tries made so far.
    std::string m_strPendingCopy;
    int m_nCopyTries = 0;
    tarnwick::CEndpointMonitor m_monitor;
    CChangeLogFile m_log;
    // The rows of a poll's changes, kept to reuse their storage.
    std::vector<tarnwick::EndpointRow> m_arrAppeared;
    std::vector<tarnwick::EndpointRow> m_arrGone;
};
