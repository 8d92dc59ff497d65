#include "framework/Dpi.h"

namespace fw {

UINT GetWindowDpi(HWND hWnd)
{
    // Vista has no per-monitor DPI: the call is looked up where it exists.
    using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        reinterpret_cast<GetDpiForWindowProc>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (hWnd != nullptr && getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(hWnd);
        if (dpi != 0)
            return dpi;
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

} // namespace fw
