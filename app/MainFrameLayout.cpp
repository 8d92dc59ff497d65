// The frame's layout: the lists beside each other between the bars, the least window that
// holds them, and the sizes anew at another DPI.
#include "app/MainFrame.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The least width of the endpoint list beside the statistics, and the least height of the
// lists, at 96 DPI.
constexpr int kMinEndpointListWidth = 120;
constexpr int kMinListHeight = 100;

} // namespace

void CMainFrame::ScaleToolBar()
{
    // A flat toolbar keeps 7 by 6 pixels around each image at 96 DPI; the images keep their
    // size.
    m_wndToolBar.SendMessage(TB_SETPADDING, 0, MAKELPARAM(Scale(7), Scale(6)));
    m_wndToolBar.SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(24 + Scale(7), 24 + Scale(6)));
}

void CMainFrame::RecalcLayout(bool notify)
{
    CFrameWnd::RecalcLayout(notify);
    PlaceFilterBox();
    RECT rc = RepositionQuery();
    rc.right -= m_nStatisticsWidth;
    if (!m_wndEndpointList.IsWindow())
        return;
    m_wndEndpointList.MoveWindow(rc, false);
    m_wndEndpointList.FitColumns(rc.right - rc.left);
    ::RedrawWindow(m_hWnd, &rc, nullptr, RDW_INVALIDATE);

    RECT column = {rc.right, rc.top, rc.right + m_nStatisticsWidth, rc.bottom};
    m_wndStatistics.MoveWindow(column, false);
    ::RedrawWindow(m_hWnd, &column, nullptr, RDW_INVALIDATE);
}

void CMainFrame::OnDpiChanged(UINT dpi, const RECT* suggested)
{
    const UINT old = m_nDpi;
    m_nDpi = dpi;
    // The endpoint list's columns are fitted to its new width below, in their old proportion.
    for (int column = 0; column < m_wndEndpointList.GetColumnCount(); ++column)
        m_wndEndpointList.SetColumnWidth(column,
                                         ::MulDiv(m_wndEndpointList.GetColumnWidth(column),
                                                  static_cast<int>(dpi), static_cast<int>(old)));
    ScaleToolBar();
    m_wndStatusBar.SetDpi(dpi);
    FitStatistics();
    if (suggested != nullptr)
        ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info) const
{
    if (!m_wndStatistics.IsWindow())
        return;
    // The statistics column whole beside some of the endpoint list, and both lists below the
    // toolbar and above the status bar.
    RECT client = GetClientRect();
    RECT free = RepositionQuery();
    const int bars = (client.bottom - client.top) - (free.bottom - free.top);
    RECT rc = {0, 0, m_nStatisticsWidth + Scale(kMinEndpointListWidth),
               bars + Scale(kMinListHeight)};
    ::AdjustWindowRectEx(&rc, static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)),
                         ::GetMenu(m_hWnd) != nullptr,
                         static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
    info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, rc.right - rc.left);
    info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, rc.bottom - rc.top);
}
