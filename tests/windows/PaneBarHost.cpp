#include "PaneBarHost.h"

#include "TestSupport.h"
#include "resource.h"

const UINT kMainIndicators[4] = {ID_SEPARATOR, ID_INDICATOR_AUTOUPDATE, ID_INDICATOR_OVR,
                                 ID_INDICATOR_RESOLVE};

namespace {
const char kHostClass[] = "Tarnwick.Test.PaneBarHost";
} // namespace

CPaneBarHost::CPaneBarHost(int clientWidth, int clientHeight)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExA(::GetModuleHandleA(nullptr), kHostClass, &wc)) {
        wc.lpfnWndProc = &CPaneBarHost::HostProc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = kHostClass;
        ::RegisterClassExA(&wc);
    }
    RECT rc = {0, 0, clientWidth, clientHeight};
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

namespace {

CapturedImage CopyImage(const CDibSection& dib, int width, int height)
{
    CapturedImage image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(static_cast<std::size_t>(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(dib.GetPixel(x, y));
    return image;
}

} // namespace

CapturedImage PrintClient(HWND hWnd)
{
    RECT client;
    ::GetClientRect(hWnd, &client);
    CDibSection dib(client.right, client.bottom);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, dib.Get());
    ::SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return CopyImage(dib, client.right, client.bottom);
}

CapturedImage DrawReferenceText(int width, int height, COLORREF back, const LOGFONTA& font,
                                COLORREF color, const std::string& text, RECT rc, UINT format,
                                const RECT& clip)
{
    CDibSection dib(width, height);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = ::SelectObject(dc, dib.Get());
    RECT all = {0, 0, width, height};
    HBRUSH brush = ::CreateSolidBrush(back);
    ::FillRect(dc, &all, brush);
    ::DeleteObject(brush);
    HFONT hFont = ::CreateFontIndirectA(&font);
    HGDIOBJ oldFont = ::SelectObject(dc, hFont);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, color);
    ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, format);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(hFont);
    ::SelectObject(dc, oldBitmap);
    ::DeleteDC(dc);
    return CopyImage(dib, width, height);
}

COLORREF StripeColor(int x, int y)
{
    return (x + y + 1) % 8 < 3 ? kStripeYellow : kStripeGrey;
}
