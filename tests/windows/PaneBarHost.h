#pragma once

#include "PaneStatusBar.h"
#include "TestSupport.h"

#include <windows.h>

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

// A sizable top-level window with a 400 x 150 client area that owns a CPaneStatusBar, keeps
// it at its bottom (the bar lays itself out on WM_SIZE) and records the mouse and notify
// messages it gets.
class CPaneBarHost {
public:
    CPaneBarHost();
    ~CPaneBarHost();
    CPaneBarHost(const CPaneBarHost&) = delete;
    CPaneBarHost& operator=(const CPaneBarHost&) = delete;

    bool Create(const UINT* ids = kMainIndicators, int count = 4);
    HWND Window() const { return m_hWnd; }

    // Sets the pixel width of pane `index`, keeping its id and style.
    void SetPaneWidth(int index, int width);
    RECT ItemRect(int index) const;
    // The pane's rectangle inside its one-pixel frame: where content goes.
    RECT InnerRect(int index) const;

    std::vector<HostMessage> messages;
    CPaneStatusBar bar;

private:
    static LRESULT CALLBACK HostProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
};

// Colour of pixel (x, y) of the 48 x 16 stripe bitmap.
COLORREF StripeColor(int x, int y);
constexpr COLORREF kStripeYellow = RGB(255, 255, 0);
constexpr COLORREF kStripeGrey = RGB(192, 192, 192);
