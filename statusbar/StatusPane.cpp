#include "StatusPane.h"

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
    m_lfFont = LOGFONTA{};
    ::GetObjectA(::GetStockObject(ANSI_VAR_FONT), sizeof(m_lfFont), &m_lfFont);
    m_nStyle = SPS_TEXT;
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
