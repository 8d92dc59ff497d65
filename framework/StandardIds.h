// Identifiers that the frame library defines for every program: the commands it handles
// itself, its control bars and its strings, with the values the classic class library gives
// them. Plain numeric #defines only: the resource compiler reads this header as well.
#ifndef TARNWICK_FRAMEWORK_STANDARD_IDS_H
#define TARNWICK_FRAMEWORK_STANDARD_IDS_H

#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif

// Custom resource type of a toolbar layout: WORD version, width, height, count, then the
// command ids with 0 for a separator. windres' own TOOLBAR statement writes another layout.
#define RT_TOOLBAR_LAYOUT 241

// Commands.
#define ID_FILE_SAVE 57603
#define ID_EDIT_COPY 57634
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393

// Control bars. A bar's window id equals the command that toggles it.
#define AFX_IDW_TOOLBAR 59392
#define AFX_IDW_STATUS_BAR 59393

// Status bar indicator.

// Strings: the application's title (the caption of message boxes) and the message pane's
// idle text.
#define AFX_IDS_APP_TITLE 57344
#define AFX_IDS_IDLEMESSAGE 57345

#endif // TARNWICK_FRAMEWORK_STANDARD_IDS_H
