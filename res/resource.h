// Resource, command and control identifiers of Tarnwick.
// Plain numeric #defines only: this header is read by windres as well as by the C++ compiler.
#ifndef TARNWICK_RES_RESOURCE_H
#define TARNWICK_RES_RESOURCE_H

// The frame library's own commands, bars and strings.
#include "framework/StandardIds.h"

// Frame resource: menu, accelerators, toolbar and title string share this id.
#define IDR_MAINFRAME 128
// Popup menu of the endpoint list (a plain menu, not owner-drawn).
#define IDR_CONTEXTMENU 130

// Bitmaps. The toolbar strips hold the seven button images in toolbar order: Refresh,
// Auto Update, Resolve, Copy, Save, Settings, About. All of them use RGB(192,192,192) as
// background, which becomes the button face (24-bit) or is mapped like a system colour
// (16-colour).
#define IDB_TOOLBAR16 128
#define IDB_TOOLBAR 133
#define IDB_AUTOUPDATE_ON 135
#define IDB_AUTOUPDATE_OFF 136
#define IDB_RESOLVE_ON 137
#define IDB_RESOLVE_OFF 138
// 16 x 16 menu images; only the top 15 rows are used by the menu's 16 x 15 image lists.
#define IDB_MENU_ABOUT 144
#define IDB_MENU_SAVE 145
#define IDB_MENU_COPY 146
#define IDB_MENU_SETTINGS 147
#define IDB_MENU_REFRESH 148
// 48 x 16 stripes of the status bar's auto-update pane.
#define IDB_BITMAP_PROCESS 149

// Icons and cursor.
#define IDI_ABOUT 128
#define IDI_SETTINGS 140
#define IDI_MAINFRAME 151
// Not IDC_HAND: winuser.h already defines that name for the system's hand cursor.
#define IDC_CURSOR_HAND 141

// Dialogs and their controls.
#define IDD_ABOUTBOX 100
#define IDD_SETTINGS 139
#define IDC_GRID_LINES 1010
#define IDC_DEFAULT 1012
#define IDC_ABOUT_LINK 1013
#define IDC_INTERVAL 1020
#define IDC_ON_TOP 1021
#define IDC_BACK_COLOR 1029
#define IDC_SYSTEM_COLOR 1030
#define IDC_CUSTOM_COLOR 1031
#define IDC_STATISTICS_COLOR 1033
#define IDC_SELECT_COLOR 1036
#define IDC_NEW_COLOR 1037
#define IDC_REMOVED_COLOR 1038
// Labels of the Settings dialog.
#define IDC_BACK_LABEL 1007
#define IDC_SYSTEM_LABEL 1008
#define IDC_CUSTOM_LABEL 1009
#define IDC_STATISTICS_LABEL 1013
#define IDC_SELECT_LABEL 1014
#define IDC_INTERVAL_LABEL 1015
#define IDC_NEW_LABEL 1016
#define IDC_REMOVED_LABEL 1017
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Commands of the program.
#define ID_REFRESH 32771
#define ID_SETTINGS 32773
#define ID_AUTOUPDATE 32775
#define ID_RESOLVE 32777
#define ID_XPSTYLE 32785
#define ID_VIEW_IPV6 32787
#define ID_VIEW_PROCESS 32788
#define ID_VIEW_HIGHLIGHT 32789
#define ID_FILE_LOG 32790
#define ID_EDIT_FIND 57636

// Child windows.
#define IDC_ENDPOINT_LIST 61204
#define IDC_STATISTICS 61208
#define IDC_FILTER 61209

// Status bar indicators: their strings give the panes' widths and initial texts.
#define ID_INDICATOR_AUTOUPDATE 61205
#define ID_INDICATOR_RESOLVE 61206
// Never shown: the stripes pane shows its bitmap, as wide as this text.
#define ID_INDICATOR_STRIPES 61207

// Private messages (WM_USER is 0x0400). From the endpoint list to its parent: its highlighted
// row may have changed (wParam 1 while one is highlighted).
#define WM_LISTSELECT (0x0400 + 0x190)
// Posted to the frame by the poll's worker thread: a table read has arrived.
#define WM_POLLREADY (0x0400 + 0x192)
// Sent to the frame by whoever drives it from outside: nonzero while a poll that was asked
// for is not shown yet.
#define WM_POLLBUSY (0x0400 + 0x193)

#endif // TARNWICK_RES_RESOURCE_H
