#include "statusbar/PaneStatusBar.h"

#include "framework/Dpi.h"
#include "framework/Gdi.h"
#include "framework/StandardIds.h"
#include "framework/WinApp.h"

#include <algorithm>
#include <windowsx.h>

namespace {

void DrawTextIn(HDC dc, const std::string& text, RECT& rc, UINT format)
{
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rc, format);
}

// Bitmap `id` at `dpi`, and its size; a null bitmap when the resource is missing.
fw::CBitmap LoadPaneBitmap(HDC dc, UINT id, UINT dpi, SIZE& size)
{
    fw::CBitmap bitmap(::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    BITMAP info = {};
    if (::GetObjectA(bitmap, sizeof(info), &info) != sizeof(info) || info.bmWidth <= 0 ||
        info.bmHeight <= 0)
        return fw::CBitmap();
    size = {fw::ScaleForDpi(info.bmWidth, dpi), fw::ScaleForDpi(info.bmHeight, dpi)};
    if (size.cx == info.bmWidth && size.cy == info.bmHeight)
        return bitmap;
    fw::CBitmap scaled(::CreateCompatibleBitmap(dc, size.cx, size.cy));
    fw::CMemDC from(dc);
    fw::CMemDC to(dc);
    fw::CSelectObject selectFrom(from, bitmap);
    fw::CSelectObject selectTo(to, scaled);
    ::StretchBlt(to, 0, 0, size.cx, size.cy, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    return scaled;
}

} // namespace

bool CPaneStatusBar::CreateStatusBar(HWND parent, const UINT* ids, int count, UINT nFirstPaneStyle)
{
    m_hOwnerWnd = parent;
    DWORD style = WS_CHILD | WS_VISIBLE | CCS_BOTTOM;
    // The grip is painted here, but the control keeps room for it and answers the
    // sizing hit test there.
    if (::GetWindowLongA(parent, GWL_STYLE) & WS_THICKFRAME)
        style |= SBARS_SIZEGRIP;
    if (Create(parent, style, AFX_IDW_STATUS_BAR) && SetIndicators(ids, count)) {
        ChangePaneStyle(0, nFirstPaneStyle);
        return true;
    }
    fw::AppMessageBox("Unable to create Statusbar.", MB_OK);
    return false;
}

bool CPaneStatusBar::SetIndicators(const UINT* ids, int count)
{
    bool ok = CStatusBar::SetIndicators(ids, count);
    m_arrPanes.assign(static_cast<std::size_t>(count), CStatusPane());
    if (m_font.Get() != nullptr)
        for (CStatusPane& pane : m_arrPanes)
            pane.m_lfFont = CStatusPane::StatusFont(m_nDpi);
    return ok;
}

void CPaneStatusBar::SetDpi(UINT dpi)
{
    m_nDpi = dpi;
    const LOGFONTA font = CStatusPane::StatusFont(dpi);
    // The control sizes itself to its font; the old one goes once it is no longer used.
    fw::CFont scaled(::CreateFontIndirectA(&font));
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(scaled.Get()), FALSE);
    m_font = std::move(scaled);
    for (CStatusPane& pane : m_arrPanes)
        pane.m_lfFont = font;
    CStatusBar::SetDpi(dpi);
}

CStatusPane* CPaneStatusBar::GetPane(int nIndex)
{
    return &m_arrPanes[static_cast<std::size_t>(nIndex)];
}

UINT CPaneStatusBar::ChangePaneStyle(int nIndex, UINT nStyle)
{
    UINT id;
    UINT oldStyle;
    int width;
    GetPaneInfo(nIndex, id, oldStyle, width);
    SetPaneInfo(nIndex, id, nStyle, width);
    return oldStyle;
}

int CPaneStatusBar::PaneFromPoint(POINT point) const
{
    for (int i = 0; i < GetCount(); ++i) {
        RECT rc = {};
        if (GetItemRect(i, rc) && ::PtInRect(&rc, point))
            return i;
    }
    return -1;
}

void CPaneStatusBar::NotifyClick(UINT code, POINT point) const
{
    NMMOUSE notice = {};
    notice.hdr.hwndFrom = m_hWnd;
    notice.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    notice.hdr.code = code;
    notice.dwItemSpec = static_cast<DWORD_PTR>(PaneFromPoint(point));
    notice.pt = point;
    ::SendMessageA(m_hOwnerWnd, WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

LRESULT CPaneStatusBar::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        // Common controls paint into a given DC when wParam carries one.
        if (wParam != 0)
            PaintTo(reinterpret_cast<HDC>(wParam));
        else
            OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        PaintTo(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        // The paint covers every pixel.
        return TRUE;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        // Told to the owner as the common status bar tells it, with the pane of our own hit
        // test: the gaps and the size grip are no pane.
        NotifyClick(msg == WM_LBUTTONUP ? NM_CLICK : NM_DBLCLK,
                    {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    }
    return CStatusBar::WindowProc(msg, wParam, lParam);
}

void CPaneStatusBar::OnPaint()
{
    fw::CPaintDC dc(m_hWnd);
    PaintTo(dc);
}

void CPaneStatusBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nAnimTimer)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPaneStatusBar::OnDestroy()
{
    if (m_nAnimTimer != 0)
        KillTimer(m_nAnimTimer);
    m_nAnimTimer = 0;
}

void CPaneStatusBar::UpdateAnimationTimer(bool bMoving)
{
    if (bMoving && m_nAnimTimer == 0) {
        m_nAnimTimer = SetTimer(IDT_PANE_ANIMATION, kAnimationPeriod);
    } else if (!bMoving && m_nAnimTimer != 0) {
        KillTimer(m_nAnimTimer);
        m_nAnimTimer = 0;
    }
}

void CPaneStatusBar::PaintTo(HDC target)
{
    RECT client = GetClientRect();
    fw::CMemDC mem(target);
    fw::CBitmap image(::CreateCompatibleBitmap(target, client.right, client.bottom));
    fw::CSelectObject selectImage(mem, image);

    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    fw::FillSolidRect(mem, client, ::GetSysColor(COLOR_BTNFACE));

    bool bMoving = false;
    // The control may repaint while SetIndicators is between the base panes and ours.
    std::size_t count = std::min(m_arrPanes.size(), static_cast<std::size_t>(GetCount()));
    for (std::size_t i = 0; i < count; ++i) {
        int index = static_cast<int>(i);
        CStatusPane& pane = m_arrPanes[i];
        RECT rc = {};
        GetItemRect(index, rc);
        UINT barStyle = GetPaneStyle(index);
        // The message pane never has a frame; a pop-out frame wins over no borders.
        if (index > 0) {
            if (barStyle & fw::SBPS_POPOUT)
                fw::Draw3dRect(mem, rc, clrHilite, clrShadow);
            else if ((barStyle & fw::SBPS_NOBORDERS) == 0)
                fw::Draw3dRect(mem, rc, clrHilite, clrHilite);
        }
        m_bPaneEnabled = (barStyle & fw::SBPS_DISABLED) == 0;

        ::InflateRect(&rc, -1, -1);
        fw::FillSolidRect(mem, rc, pane.m_crBack[m_bPaneEnabled ? 1 : 0]);
        {
            // Content is clipped to the inner rectangle, not checked in the loops.
            fw::CRgn clip(::CreateRectRgnIndirect(&rc));
            ::SelectClipRgn(mem, clip);
            switch (GetPaneKind(pane.m_nStyle)) {
            case PaneKind::Text:
                DrawPaneText(mem, index, rc, &pane);
                break;
            case PaneKind::Bitmap:
                DrawPaneBitmap(mem, index, rc, &pane);
                break;
            case PaneKind::None:
                break;
            }
            ::SelectClipRgn(mem, nullptr);
        }
        if (IsPaneAnimated(pane.m_nStyle))
            bMoving = true;
    }
    UpdateAnimationTimer(bMoving);

    if (!::IsZoomed(GetParent()))
        DrawSizeGrip(mem);
    ::BitBlt(target, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
}

void CPaneStatusBar::DrawPaneText(HDC dc, int nIndex, RECT& rc, CStatusPane* pane)
{
    std::string str = pane->GetStateText(m_bPaneEnabled);
    if (str.empty())
        str = GetPaneText(nIndex);
    if (str.empty())
        return;

    fw::CFont font(::CreateFontIndirectA(&pane->m_lfFont));
    fw::CSelectObject selectFont(dc, font);
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = ::SetTextColor(dc, pane->m_crText[m_bPaneEnabled ? 1 : 0]);

    UINT style = pane->m_nStyle;
    UINT fmt = GetTextFormat(style);
    bool bHScroll = (style & SPS_HSCROLL) != 0;
    bool bVScroll = (style & SPS_VSCROLL) != 0;
    if (style & SPS_TILE) {
        str += "  ";
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, str.c_str(), static_cast<int>(str.size()), &size);
        if (bHScroll)
            pane->ScrollX(rc, size.cx, 1);
        if (bVScroll)
            pane->ScrollY(rc, size.cy, 1);
        // A text without extent would never leave the loops.
        if (size.cx <= 0 || size.cy <= 0)
            bHScroll = bVScroll = false;

        int top0 = rc.top;
        if (bHScroll && bVScroll) {
            for (; rc.left <= rc.right; rc.left += size.cx)
                for (rc.top = top0; rc.top <= rc.bottom; rc.top += size.cy)
                    DrawTextIn(dc, str, rc, fmt);
        } else if (bHScroll) {
            for (; rc.left <= rc.right; rc.left += size.cx)
                DrawTextIn(dc, str, rc, fmt);
        } else if (bVScroll) {
            for (; rc.top <= rc.bottom; rc.top += size.cy)
                DrawTextIn(dc, str, rc, fmt);
        } else {
            DrawTextIn(dc, str, rc, fmt);
        }
    } else {
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, str.c_str(), static_cast<int>(str.size()), &size);
        // Single content re-enters from the far edge: restart at minus the inner size.
        if (bHScroll)
            pane->ScrollX(rc, size.cx, rc.left - rc.right);
        if (bVScroll)
            pane->ScrollY(rc, size.cy, rc.top - rc.bottom);
        DrawTextIn(dc, str, rc, fmt);
    }

    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
}

void CPaneStatusBar::DrawPaneBitmap(HDC dc, int /*nIndex*/, RECT& rc, CStatusPane* pane)
{
    if (pane->m_nBitmapId == 0)
        return;
    SIZE size = {};
    fw::CBitmap bitmap = LoadPaneBitmap(dc, pane->m_nBitmapId, m_nDpi, size);
    if (bitmap.Get() == nullptr)
        return;
    const int w = size.cx;
    const int h = size.cy;
    fw::CMemDC src(dc);
    fw::CSelectObject selectBitmap(src, bitmap);

    UINT style = pane->m_nStyle;
    bool bHScroll = (style & SPS_HSCROLL) != 0;
    bool bVScroll = (style & SPS_VSCROLL) != 0;
    if (style & SPS_TILE) {
        if (bHScroll)
            pane->ScrollX(rc, w, 1);
        if (bVScroll)
            pane->ScrollY(rc, h, 1);
        if (bHScroll && !bVScroll) {
            // One row of tiles along the top; the background shows below it.
            for (int x = rc.left; x < rc.right; x += w)
                ::BitBlt(dc, x, rc.top, w, h, src, 0, 0, SRCCOPY);
        } else if (bVScroll && !bHScroll) {
            for (int y = rc.top; y < rc.bottom; y += h)
                ::BitBlt(dc, rc.left, y, w, h, src, 0, 0, SRCCOPY);
        } else {
            for (int x = rc.left; x < rc.right; x += w)
                for (int y = rc.top; y < rc.bottom; y += h)
                    ::BitBlt(dc, x, y, w, h, src, 0, 0, SRCCOPY);
        }
        return;
    }

    if (bHScroll)
        pane->ScrollX(rc, w, rc.left - rc.right);
    if (bVScroll)
        pane->ScrollY(rc, h, rc.top - rc.bottom);
    if (bHScroll || bVScroll) {
        ::BitBlt(dc, rc.left, rc.top, w, h, src, 0, 0, SRCCOPY);
    } else if (style & SPS_STRETCH) {
        ::StretchBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, src, 0, 0, w, h,
                     SRCCOPY);
    } else {
        if (style & DT_RIGHT)
            rc.left = rc.right - w;
        else if (style & DT_CENTER)
            rc.left = (rc.right - w + rc.left) / 2;
        if (style & DT_BOTTOM)
            rc.top = rc.bottom - h;
        else if (style & DT_VCENTER)
            rc.top = (rc.bottom - h + rc.top) / 2;
        // The copy runs from the aligned corner to the inner bottom-right corner.
        ::BitBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, src, 0, 0, SRCCOPY);
    }
}

void CPaneStatusBar::DrawSizeGrip(HDC dc)
{
    RECT window = GetWindowRect();
    const int W = window.right - window.left;
    const int H = window.bottom - window.top;
    // Dots 3 pixels wide, 5 apart, at 96 DPI.
    auto at = [this](int pixels) { return fw::ScaleForDpi(pixels, m_nDpi); };
    const POINT dots[] = {{W - at(4), H - at(3)}, {W - at(9), H - at(3)},  {W - at(14), H - at(3)},
                          {W - at(4), H - at(8)}, {W - at(4), H - at(13)}, {W - at(9), H - at(8)}};
    COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    for (const POINT& dot : dots)
        fw::Draw3dRect(dc, dot.x, dot.y, at(3), at(3), clrShadow, clrHilite);
}
