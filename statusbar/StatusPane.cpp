#include "statusbar/StatusPane.h"

namespace {
constexpr COLORREF kDefaultColor = 0xFFFFFFFF;
} // namespace

CStatusPane::CStatusPane()
{
    SetDefaults();
}

void CStatusPane::SetDefaults()
{
    m_crText[0] = HalveColor(::GetSysColor(COLOR_MENU));
    m_crText[1] = ::GetSysColor(COLOR_MENUTEXT);
    m_crBack[0] = ::GetSysColor(COLOR_MENU);
    m_crBack[1] = m_crBack[0];
    m_lfFont = StatusFont();
    m_nStyle = SPS_TEXT;
}

LOGFONTA CStatusPane::StatusFont(UINT dpi)
{
    // The size of the structure before Windows Vista added a field, which every version
    // accepts.
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = 340;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
    LOGFONTA font = metrics.lfStatusFont;
    // The system gives its fonts at its own DPI, which a window on another monitor differs
    // from.
    HDC screen = ::GetDC(nullptr);
    const int systemDpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    if (dpi != 0 && systemDpi > 0)
        font.lfHeight = ::MulDiv(font.lfHeight, static_cast<int>(dpi), systemDpi);
    return font;
}

void CStatusPane::SetStyle(UINT nStyle)
{
    m_nStyle = nStyle;
}

void CStatusPane::SetTextColors(COLORREF crEnabled, COLORREF crDisabled)
{
    m_crText[1] = crEnabled;
    m_crText[0] = crDisabled == kDefaultColor ? HalveColor(::GetSysColor(COLOR_MENU)) : crDisabled;
}

void CStatusPane::SetBackColors(COLORREF crEnabled, COLORREF crDisabled)
{
    m_crBack[1] = crEnabled;
    m_crBack[0] = crDisabled == kDefaultColor ? ::GetSysColor(COLOR_MENU) : crDisabled;
}

void CStatusPane::SetTexts(const char* pszEnabled, const char* pszDisabled)
{
    m_strText[1] = pszEnabled != nullptr ? pszEnabled : "";
    m_strText[0] = pszDisabled != nullptr ? pszDisabled : "";
}

std::string CStatusPane::GetStateText(bool bEnabled) const
{
    return m_strText[bEnabled ? 1 : 0];
}

void CStatusPane::ScrollX(RECT& rc, int nExtent, int nRestart)
{
    m_nScrollX = NextScrollOffset(m_nScrollX, nExtent, nRestart);
    rc.left -= m_nScrollX;
}

void CStatusPane::ScrollY(RECT& rc, int nExtent, int nRestart)
{
    m_nScrollY = NextScrollOffset(m_nScrollY, nExtent, nRestart);
    rc.top -= m_nScrollY;
}
