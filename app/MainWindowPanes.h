#pragma once

#include "statusbar/PaneStatusBar.h"

// The main window's status panes, in their order on the bar.
enum MainWindowPane : int {
    kMessagePane,
    kAutoUpdatePane,
    kStripesPane,
    kResolvePane,
    kMainWindowPaneCount
};

// The indicator of each pane, by MainWindowPane: its string sizes the pane.
extern const UINT kMainWindowIndicators[kMainWindowPaneCount];

// Gives the main window's four panes their start-up look: the message pane, the
// auto-update state in red (paused), the stripes and the resolver state in green. The
// bar must have been created with the main window's four indicators.
void SetupMainWindowPanes(CPaneStatusBar& bar);
