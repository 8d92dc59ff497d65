#include "PaneBarHost.h"

#include "resource.h"

const UINT kMainIndicators[4] = {ID_SEPARATOR, ID_INDICATOR_AUTOUPDATE, ID_INDICATOR_OVR,
                                 ID_INDICATOR_RESOLVE};

CPaneBarHost::CPaneBarHost()
{
    RECT rc = {0, 0, 400, 150};
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
    CreateEx(0, RegisterWndClass("Tarnwick.Test.PaneBarHost", 0), "PaneBarHost",
             WS_OVERLAPPEDWINDOW | WS_VISIBLE, {0, 0, rc.right - rc.left, rc.bottom - rc.top},
             nullptr, 0);
}

bool CPaneBarHost::Create(const UINT* ids, int count)
{
    if (!bar.CreateStatusBar(m_hWnd, ids, count, fw::SBPS_STRETCH))
        return false;
    // The control places itself at the bottom of its parent on WM_SIZE.
    bar.SendMessage(WM_SIZE);
    ::UpdateWindow(m_hWnd);
    return true;
}

void CPaneBarHost::SetPaneWidth(int index, int width)
{
    UINT id;
    UINT style;
    int oldWidth;
    bar.GetPaneInfo(index, id, style, oldWidth);
    bar.SetPaneInfo(index, id, style, width);
}

RECT CPaneBarHost::ItemRect(int index) const
{
    RECT rc = {};
    bar.GetItemRect(index, rc);
    return rc;
}

RECT CPaneBarHost::InnerRect(int index) const
{
    RECT rc = ItemRect(index);
    ::InflateRect(&rc, -1, -1);
    return rc;
}

LRESULT CPaneBarHost::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK) || msg == WM_NOTIFY)
        messages.push_back({msg, wParam, msg == WM_NOTIFY ? 0 : lParam});
    if (msg == WM_SIZE && bar.IsWindow())
        bar.SendMessage(WM_SIZE);
    return Default(msg, wParam, lParam);
}

COLORREF StripeColor(int x, int y)
{
    return (x + y + 1) % 8 < 3 ? RGB(255, 255, 0) : RGB(192, 192, 192);
}
