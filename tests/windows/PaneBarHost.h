#pragma once

#include "app/MainWindowPanes.h"
#include "res/resource.h"
#include "statusbar/PaneStatusBar.h"
#include "tests/windows/TestSupport.h"

// Pane `index`'s rectangle inside its one-pixel frame: where content goes.
inline RECT InnerRect(const CPaneStatusBar& bar, int index)
{
    RECT rc = {};
    bar.GetItemRect(index, rc);
    ::InflateRect(&rc, -1, -1);
    return rc;
}

// A shown, sizable window with a 400 x 150 client area that owns a CPaneStatusBar, keeps it
// at its bottom.
class CPaneBarHost : public fw::CWnd {
public:
    CPaneBarHost()
    {
        RECT rc = {0, 0, 400, 150};
        ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
        CreateEx(0, RegisterWndClass("Tarnwick.Test.PaneBarHost", 0), "PaneBarHost",
                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, rc.right - rc.left, rc.bottom - rc.top},
                 nullptr, 0);
    }
    // Creates the bar with the main window's indicators: message pane, " AutoUpdate PAUSED ",
    // "OVER", " Resolve ON         ".
    bool Create()
    {
        if (!bar.CreateStatusBar(m_hWnd, kMainWindowIndicators, kMainWindowPaneCount,
                                 fw::SBPS_STRETCH))
            return false;
        // The control places itself at the bottom of its parent on WM_SIZE.
        bar.SendMessage(WM_SIZE);
        ::UpdateWindow(m_hWnd);
        return true;
    }
    RECT ItemRect(int index) const
    {
        RECT rc = {};
        bar.GetItemRect(index, rc);
        return rc;
    }
    RECT InnerRect(int index) const { return ::InnerRect(bar, index); }

    CPaneStatusBar bar;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_SIZE && bar.IsWindow())
            bar.SendMessage(WM_SIZE);
        return Default(msg, wParam, lParam);
    }
};

// Colour of pixel (x, y) of the 48 x 16 stripe bitmap.
inline COLORREF StripeColor(int x, int y)
{
    return (x + y + 1) % 8 < 3 ? RGB(255, 255, 0) : RGB(192, 192, 192);
}
