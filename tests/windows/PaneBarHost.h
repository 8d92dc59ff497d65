#pragma once

#include "PaneStatusBar.h"
#include "TestSupport.h"

#include <vector>

// The main window's indicators: message pane, " AutoUpdate PAUSED ", "OVER",
// " Resolve ON         ".
extern const UINT kMainIndicators[4];

// One window message as the host window received it.
struct HostMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const HostMessage& other) const
    {
        return msg == other.msg && wParam == other.wParam && lParam == other.lParam;
    }
};

// A shown, sizable window with a 400 x 150 client area that owns a CPaneStatusBar, keeps it
// at its bottom and records the mouse and notify messages it gets.
class CPaneBarHost : public fw::CWnd {
public:
    CPaneBarHost();
    bool Create(const UINT* ids = kMainIndicators, int count = 4);
    HWND Window() const { return m_hWnd; }

    // Sets the pixel width of pane `index`, keeping its id and style.
    void SetPaneWidth(int index, int width);
    RECT ItemRect(int index) const;
    // The pane's rectangle inside its one-pixel frame: where content goes.
    RECT InnerRect(int index) const;

    std::vector<HostMessage> messages;
    CPaneStatusBar bar;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// Colour of pixel (x, y) of the 48 x 16 stripe bitmap.
COLORREF StripeColor(int x, int y);
