#pragma once

#include <windows.h>

namespace fw {

// Windows 8.1 and later send it when the window's DPI changes; the headers of Vista's level
// leave it out.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The pixel sizes of this program are given for 96 dots per inch, the system's 100 %.
constexpr UINT kBaseDpi = 96;

// The dots per inch of the monitor a window is on (Windows 10 1607 and later), else the
// screen's (for a null window too).
UINT GetWindowDpi(HWND hWnd);

// `pixels` at 96 DPI, at `dpi`; rounded to the nearest pixel.
inline int ScaleForDpi(int pixels, UINT dpi)
{
    return ::MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

} // namespace fw
