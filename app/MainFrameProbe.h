#pragma once

#include "app/MainFrame.h"
#include "app/MainWindowPanes.h"

// What the tests and benchmarks reach of a main window beyond its commands: its controls (the
// status bar's panes named as in MainWindowPanes.h), the toolbar's images and the auto-update
// period. The program itself never uses it.
class CMainFrameProbe {
public:
    explicit CMainFrameProbe(CMainFrame& frame) : m_frame(frame) {}

    CEndpointListCtrl& EndpointList() const { return m_frame.m_wndEndpointList; }
    fw::CListCtrl& Statistics() const { return m_frame.m_wndStatistics; }
    CFilterBox& Filter() const { return m_frame.m_wndFilter; }
    CPaneStatusBar& StatusBar() const { return m_frame.m_wndStatusBar; }
    fw::CToolBar& ToolBar() const { return m_frame.m_wndToolBar; }
    const CToolBarImages& ToolBarImages() const { return m_frame.m_toolBarImages; }
    // The period, in milliseconds, that auto-update starts with from now on.
    int Interval() const { return m_frame.m_nInterval; }
    void SetInterval(int milliseconds) const { m_frame.m_nInterval = milliseconds; }

private:
    CMainFrame& m_frame;
};
