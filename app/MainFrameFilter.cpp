// The filter box in the toolbar and the frame's keyboard cycle through the lists and the box.
#include "app/MainFrame.h"

#include "framework/Gdi.h"
#include "monitor/RowFilter.h"
#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

namespace {
// The box's width and its gap from the last button, at 96 DPI.
constexpr int kFilterWidth = 180;
constexpr int kFilterGap = 8;
} // namespace

void CMainFrame::CreateFilterBox()
{
    if (!m_wndFilter.Create(m_wndToolBar, IDC_FILTER, m_wndEndpointList))
        return;
    HFONT font = reinterpret_cast<HFONT>(m_wndEndpointList.SendMessage(WM_GETFONT));
    if (font == nullptr)
        font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    m_wndFilter.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    PlaceFilterBox();
}

void CMainFrame::PlaceFilterBox()
{
    const int buttons = m_wndToolBar.GetButtonCount();
    RECT button = {};
    if (!m_wndFilter.IsWindow() || buttons == 0 ||
        !m_wndToolBar.SendMessage(TB_GETITEMRECT, static_cast<WPARAM>(buttons - 1),
                                  reinterpret_cast<LPARAM>(&button)))
        return;
    TEXTMETRICA metrics = {};
    {
        fw::CClientDC dc(m_wndFilter);
        fw::CSelectObject font(dc, reinterpret_cast<HGDIOBJ>(m_wndFilter.SendMessage(WM_GETFONT)));
        ::GetTextMetricsA(dc, &metrics);
    }
    const int height =
        static_cast<int>(metrics.tmHeight) + 2 * ::GetSystemMetrics(SM_CYEDGE) + Scale(4);
    const int left = button.right + Scale(kFilterGap);
    const RECT bar = m_wndToolBar.GetClientRect();
    const int width =
        std::max(0, std::min(Scale(kFilterWidth), static_cast<int>(bar.right) - Scale(4) - left));
    const int top = static_cast<int>(button.top + button.bottom - height) / 2;
    m_wndFilter.MoveWindow({left, top, left + width, top + height});
}

void CMainFrame::OnEditFind()
{
    if (!::IsWindowVisible(m_wndToolBar))
        SendMessage(WM_COMMAND, ID_VIEW_TOOLBAR);
    m_wndFilter.Activate();
}

void CMainFrame::OnFilterChanged()
{
    // The list tells of its highlighted row (WM_LISTSELECT), and the toolbar follows.
    m_wndEndpointList.SetFilterText(m_wndFilter.GetText());
    SetMessageText(AFX_IDS_IDLEMESSAGE);
}

std::string CMainFrame::GetIdleMessage() const
{
    if (!m_wndEndpointList.IsFiltered())
        return CFrameWnd::GetIdleMessage();
    return tarnwick::ShownCountText(m_wndEndpointList.ShownCount(), m_monitor.Rows().Count());
}

void CMainFrame::OnNextPane(bool forward)
{
    // The stops in Tab's order; the box only while the toolbar shows it.
    HWND stops[] = {m_wndEndpointList, m_wndStatistics, m_wndFilter};
    const int count = ::IsWindowVisible(m_wndFilter) ? 3 : 2;
    const HWND* at = std::find(stops, stops + count, ::GetFocus());
    int next = 0;
    if (at != stops + count)
        next = (static_cast<int>(at - stops) + (forward ? 1 : count - 1)) % count;
    ::SetFocus(stops[next]);
}
