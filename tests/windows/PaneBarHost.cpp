#include "PaneBarHost.h"

#include "resource.h"

const UINT kMainIndicators[4] = {ID_SEPARATOR, ID_INDICATOR_AUTOUPDATE, ID_INDICATOR_OVR,
                                 ID_INDICATOR_RESOLVE};

namespace {
const char kHostClass[] = "Tarnwick.Test.PaneBarHost";
} // namespace

CPaneBarHost::CPaneBarHost()
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExA(::GetModuleHandleA(nullptr), kHostClass, &wc)) {
        wc.lpfnWndProc = &CPaneBarHost::HostProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = kHostClass;
        ::RegisterClassExA(&wc);
    }
    RECT rc = {0, 0, 400, 150};
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
    m_hWnd = ::CreateWindowExA(0, kHostClass, "PaneBarHost", WS_OVERLAPPEDWINDOW, 0, 0,
                               rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
    ::SetPropA(m_hWnd, kHostClass, this);
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
}

CPaneBarHost::~CPaneBarHost()
{
    ::RemovePropA(m_hWnd, kHostClass);
    ::DestroyWindow(m_hWnd);
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

LRESULT CALLBACK CPaneBarHost::HostProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* host = static_cast<CPaneBarHost*>(::GetPropA(hWnd, kHostClass));
    if (host != nullptr) {
        if ((msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK) || msg == WM_NOTIFY)
            host->messages.push_back({msg, wParam, msg == WM_NOTIFY ? 0 : lParam});
        if (msg == WM_SIZE && host->bar.IsWindow())
            host->bar.SendMessage(WM_SIZE);
    }
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

COLORREF StripeColor(int x, int y)
{
    return (x + y + 1) % 8 < 3 ? kStripeYellow : kStripeGrey;
}
