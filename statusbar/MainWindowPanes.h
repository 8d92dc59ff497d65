#pragma once

#include "PaneStatusBar.h"

// Gives the main window's four panes their start-up look: the message pane, the
// auto-update state in red (paused), the stripes and the resolver state in green. The
// bar must have been created with the main window's four indicators.
void SetupMainWindowPanes(CPaneStatusBar& bar);
