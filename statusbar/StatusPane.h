#pragma once

#include "statusbar/PaneStyle.h"

#include <windows.h>

#include <string>

// What one pane of a CPaneStatusBar shows and how: texts, colours and font for the
// pane's disabled (index 0) and enabled (index 1) state, the style word (SPS_*) and the
// motion offsets. Setters do not repaint; the owner invalidates the bar afterwards.
class CStatusPane {
public:
    CStatusPane();
    CStatusPane(const CStatusPane&) = default;
    CStatusPane& operator=(const CStatusPane&) = default;
    virtual ~CStatusPane() = default;

    // Colours, style and font back to their defaults; texts and offsets stay.
    void SetDefaults();
    // The system's status bar font, at `dpi` (0: at the system's own DPI).
    static LOGFONTA StatusFont(UINT dpi = 0);
    void SetStyle(UINT nStyle);
    // A disabled colour of 0xFFFFFFFF (-1) stands for the menu colour with each channel
    // halved.
    void SetTextColors(COLORREF crEnabled, COLORREF crDisabled);
    // A disabled colour of 0xFFFFFFFF (-1) stands for the menu colour.
    void SetBackColors(COLORREF crEnabled, COLORREF crDisabled);
    // A null text is an empty one.
    void SetTexts(const char* pszEnabled, const char* pszDisabled);
    std::string GetStateText(bool bEnabled) const;
    // The bitmap resource a bitmap pane shows (0: none).
    void SetBitmap(UINT resourceId) { m_nBitmapId = resourceId; }

    // One motion step: advances the offset (see NextScrollOffset) and moves the
    // rectangle's left (top) edge left (up) by it; the right and bottom edges stay.
    void ScrollX(RECT& rc, int nExtent, int nRestart);
    void ScrollY(RECT& rc, int nExtent, int nRestart);

    COLORREF m_crText[2];
    COLORREF m_crBack[2];
    std::string m_strText[2];
    LOGFONTA m_lfFont;
    UINT m_nStyle;
    UINT m_nBitmapId = 0;
    // Pixels the content is shifted left (up); negative while it re-enters from the
    // right (bottom).
    int m_nScrollX = 0;
    int m_nScrollY = 0;
};
