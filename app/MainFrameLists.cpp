// The frame's two lists: the endpoint list with the owners' columns when they are on, and the
// statistics with the IPv6 counters' rows when they are on, in a column as wide as they need.
#include "app/MainFrame.h"

#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// First widths of the endpoint list's columns: address, port, and the owner's id and program.
const int kColumnWidths[] = {165, 75, 60, 140};

const char* const kStatisticsLabels[] = {
    "Number of Listening Connections:", "Datagrams Having No Ports:",   "Total Datagrams Sent:",
    "Total Datagrams Received:",        "Error on Received Datagrams:",
};
// The IPv6 rows begin with what tells them apart, so that it shows however narrow the column.
const char* const kIPv6StatisticsLabels[] = {
    "IPv6 Listening Connections:", "IPv6 Datagrams Having No Ports:",    "IPv6 Datagrams Sent:",
    "IPv6 Datagrams Received:",    "IPv6 Errors on Received Datagrams:",
};
// The widest counter: the largest value of the platform's 32-bit counters.
const char kWidestCounter[] = "4294967295";
const RECT kEmptyRect = {0, 0, 0, 0};

} // namespace

void CMainFrame::CreateEndpointList()
{
    m_wndEndpointList.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_OWNERDRAWFIXED | LVS_REPORT,
                             kEmptyRect, m_hWnd, IDC_ENDPOINT_LIST);
    if (!m_wndEndpointList.IsWindow())
        return;
    ::SetWindowLongA(m_wndEndpointList, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    m_wndEndpointList.InsertColumn(0, "IP Address", LVCFMT_LEFT, Scale(kColumnWidths[0]));
    m_wndEndpointList.InsertColumn(1, "Port", LVCFMT_LEFT, Scale(kColumnWidths[1]));
}

void CMainFrame::ApplyProcess()
{
    m_monitor.SetOwners(m_bProcess);
    if (!m_wndEndpointList.IsWindow())
        return;
    const int wanted = m_bProcess ? 4 : 2;
    if (m_wndEndpointList.GetColumnCount() != wanted) {
        while (m_wndEndpointList.GetColumnCount() > wanted)
            m_wndEndpointList.SendMessage(LVM_DELETECOLUMN, m_wndEndpointList.GetColumnCount() - 1);
        if (m_wndEndpointList.GetColumnCount() < wanted) {
            m_wndEndpointList.InsertColumn(2, "PID", LVCFMT_LEFT, Scale(kColumnWidths[2]));
            m_wndEndpointList.InsertColumn(3, "Process", LVCFMT_LEFT, Scale(kColumnWidths[3]));
        }
        // The columns start again from their first widths, so that the fit shares the window
        // among them alike rather than squeezing the new ones to nothing.
        for (int column = 0; column < 2; ++column)
            m_wndEndpointList.SetColumnWidth(column, Scale(kColumnWidths[column]));
    }
    const RECT list = m_wndEndpointList.GetWindowRect();
    m_wndEndpointList.FitColumns(list.right - list.left);
    m_wndEndpointList.Invalidate(true);
}

void CMainFrame::CreateStatistics()
{
    m_wndStatistics.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, kEmptyRect, m_hWnd,
                           IDC_STATISTICS);
    if (!m_wndStatistics.IsWindow())
        return;
    ::SetWindowLongA(m_wndStatistics, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    m_wndStatistics.SetExtendedStyle(0, LVS_EX_GRIDLINES);
    m_wndStatistics.InsertColumn(0, "   Parameters", LVCFMT_LEFT, Scale(184));
    m_wndStatistics.InsertColumn(1, "  Value", LVCFMT_LEFT, Scale(60));
    for (int row = 0; row < 5; ++row)
        m_wndStatistics.InsertItem(row, "");
    for (int row = 0; row < 5; ++row)
        m_wndStatistics.SetItemText(row, 0, kStatisticsLabels[row]);
    FitStatistics();
}

void CMainFrame::FitStatistics()
{
    if (!m_wndStatistics.IsWindow())
        return;
    auto textWidth = [this](const char* text) {
        return static_cast<int>(
            m_wndStatistics.SendMessage(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
    };
    // The list's own fit of the labels tells the room it keeps around a cell's text, in its
    // font at this DPI; the counters get the same room.
    int widestLabel = 0;
    for (int row = 0; row < m_wndStatistics.GetItemCount(); ++row)
        widestLabel = std::max(widestLabel, textWidth(m_wndStatistics.GetItemText(row, 0).c_str()));
    m_wndStatistics.SetColumnWidth(0, LVSCW_AUTOSIZE);
    const int labels = m_wndStatistics.GetColumnWidth(0);
    const int values = textWidth(kWidestCounter) + std::max(labels - widestLabel, Scale(12));
    m_wndStatistics.SetColumnWidth(1, values);

    RECT frame = {0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongA(m_wndStatistics, GWL_STYLE)),
                         FALSE, static_cast<DWORD>(::GetWindowLongA(m_wndStatistics, GWL_EXSTYLE)));
    m_nStatisticsWidth = std::max(Scale(kStatisticsWidth),
                                  labels + values + static_cast<int>(frame.right - frame.left));
}

void CMainFrame::ApplyIPv6()
{
    m_monitor.SetIPv6(m_bIPv6, m_wndEndpointList);
    if (!m_wndStatistics.IsWindow())
        return;
    // The IPv6 counters: five more rows under the IPv4 ones.
    const int wanted = m_bIPv6 ? 10 : 5;
    while (m_wndStatistics.GetItemCount() > wanted)
        m_wndStatistics.DeleteItem(m_wndStatistics.GetItemCount() - 1);
    for (int row = m_wndStatistics.GetItemCount(); row < wanted; ++row) {
        m_wndStatistics.InsertItem(row, "");
        m_wndStatistics.SetItemText(row, 0, kIPv6StatisticsLabels[row - 5]);
    }
    FitStatistics();
    if (m_bSettingsLoaded)
        RecalcLayout();
}
