#include "controls/LinkStatic.h"

#include "res/resource.h"

CLinkStatic::CLinkStatic()
    : m_hHandCursor(::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_CURSOR_HAND)))
{}

CLinkStatic& CLinkStatic::SetColor(COLORREF crColor)
{
    m_brush.Reset(::CreateSolidBrush(crColor));
    m_crColor = crColor;
    Redraw();
    return *this;
}

CLinkStatic& CLinkStatic::SetLinkText(const std::string& strText, COLORREF crText)
{
    m_crTextColor = crText;
    m_strLinkText = strText;
    ::SetWindowTextA(m_hWnd, m_strLinkText.c_str());
    Redraw();
    return *this;
}

void CLinkStatic::Redraw()
{
    RECT rc = GetWindowRect();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HWND parent = GetParent();
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    ::InvalidateRect(parent, &rc, TRUE);
    ::UpdateWindow(parent);
}

void CLinkStatic::CreateUnderlineFont()
{
    // Until the parent has a font, every paint asks again.
    auto font = reinterpret_cast<HFONT>(::SendMessageA(GetParent(), WM_GETFONT, 0, 0));
    LOGFONTA lf = {};
    if (font == nullptr || ::GetObjectA(font, sizeof(lf), &lf) == 0)
        return;
    lf.lfUnderline = TRUE;
    m_fontUnderline.Reset(::CreateFontIndirectA(&lf));
    m_bFontReady = true;
}

LRESULT CLinkStatic::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        PaintTo(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The focus shows as a dotted frame inside the fill.
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        break;
    case WM_GETDLGCODE:
        // Enter on a swatch is its own, not the default button's.
        if (lParam != 0 && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN &&
            wParam == VK_RETURN)
            return DLGC_WANTMESSAGE;
        break;
    case WM_KEYDOWN:
        // Space or Enter does what a click does.
        if ((wParam == VK_SPACE || wParam == VK_RETURN) &&
            (::GetWindowLongA(m_hWnd, GWL_STYLE) & SS_NOTIFY) != 0) {
            const int id = ::GetDlgCtrlID(m_hWnd);
            ::SendMessageA(GetParent(), WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                           reinterpret_cast<LPARAM>(m_hWnd));
            return 0;
        }
        break;
    case WM_MOUSEMOVE:
        // Nothing else: a swatch keeps the cursor its class gives it.
        if (!m_strLinkText.empty())
            ::SetCursor(m_hHandCursor);
        return 0;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CLinkStatic::OnPaint()
{
    fw::CPaintDC dc(m_hWnd);
    PaintTo(dc);
}

void CLinkStatic::PaintTo(HDC dc)
{
    RECT rc = GetClientRect();
    fw::CMemDC mem(dc);
    fw::CBitmap bitmap(::CreateCompatibleBitmap(dc, rc.right, rc.bottom));
    fw::CSelectObject selectBitmap(mem, bitmap);
    if (!m_bFontReady)
        CreateUnderlineFont();
    // Without the parent's font the memory DC's own stays selected.
    HGDIOBJ font = m_fontUnderline ? m_fontUnderline.Get() : ::GetCurrentObject(mem, OBJ_FONT);
    fw::CSelectObject selectFont(mem, font);

    ::SetBkMode(mem, TRANSPARENT);
    ::SetTextColor(mem, m_crTextColor);
    if (m_brush)
        ::FillRect(mem, &rc, m_brush);
    // DT_VCENTER works only with DT_SINGLELINE: the text sits at the top.
    ::DrawTextA(mem, m_strLinkText.c_str(), -1, &rc, DT_CENTER | DT_VCENTER);
    if (::GetFocus() == m_hWnd) {
        RECT focus = {2, 2, rc.right - 2, rc.bottom - 2};
        ::SetTextColor(mem, RGB(0, 0, 0));
        ::SetBkColor(mem, RGB(255, 255, 255));
        ::DrawFocusRect(mem, &focus);
    }
    ::BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
}
