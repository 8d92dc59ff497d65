// The frame's changes: View › Highlight Changes colours the endpoints that appear and go, and
// File › Log Changes appends each of them to a log file.
#include "app/MainFrame.h"

#include "framework/File.h"
#include "framework/FileDialog.h"
#include "framework/Text.h"
#include "framework/WinApp.h"
#include "monitor/ChangeLogLine.h"

void CMainFrame::OnViewHighlight()
{
    const bool on = !m_monitor.GetHighlight();
    m_settings.StoreHighlight(on);
    m_monitor.SetHighlight(on, m_wndEndpointList);
    ShowSwitchStates();
}

void CMainFrame::OnFileLog()
{
    if (m_log.IsOn()) {
        StopLog();
        return;
    }
    // An existing log is continued, not replaced: no question before choosing one.
    fw::CFileDialog dialog(L"log", L"Changes.log", OFN_HIDEREADONLY, L"Log files (*.log)|*.*|");
    if (dialog.DoModal(m_hWnd) != IDOK || dialog.GetPathName().empty())
        return;
    StartLog(dialog.GetPathName());
}

bool CMainFrame::StartLog(const std::wstring& path)
{
    const DWORD error = m_log.Start(path);
    if (error != ERROR_SUCCESS) {
        ShowLogFailure(path, error);
        return false;
    }
    m_settings.StoreLog(true, fw::WideToUtf8(path));
    m_monitor.SetReportChanges(true);
    ShowSwitchStates();
    return true;
}

void CMainFrame::StopLog()
{
    m_settings.StoreLog(false, fw::WideToUtf8(m_log.GetPath()));
    m_log.Stop();
    m_monitor.SetReportChanges(false);
    ShowSwitchStates();
}

void CMainFrame::ShowLogFailure(const std::wstring& path, DWORD error) const
{
    const std::wstring text = L"Changes are not logged to \"" + path + L"\": " +
                              fw::ErrorText(error) + L"\n\nChoose File > Log Changes to try again.";
    fw::AppMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void CMainFrame::OnChangesShown()
{
    if (m_log.IsOn())
        WriteChanges();
    if (m_monitor.GetHighlight() && tarnwick::AnyChange(m_monitor.Rows().Rows()))
        SetTimer(kChangesTimer, kChangesMilliseconds);
}

void CMainFrame::WriteChanges()
{
    m_monitor.TakeChanges(m_arrAppeared, m_arrGone);
    if (m_arrAppeared.empty() && m_arrGone.empty())
        return;
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    const tarnwick::LogTime time = {now.wYear, now.wMonth,  now.wDay,
                                    now.wHour, now.wMinute, now.wSecond};
    const bool owners = m_bProcess;
    std::string lines;
    for (const tarnwick::EndpointRow& row : m_arrAppeared)
        tarnwick::AppendChangeLogLine(lines, time, true, row, owners);
    for (const tarnwick::EndpointRow& row : m_arrGone)
        tarnwick::AppendChangeLogLine(lines, time, false, row, owners);
    const DWORD error = m_log.Append(lines);
    if (error == ERROR_SUCCESS)
        return;
    // Stopped before the box shows, so that the polls meanwhile do not ask again.
    const std::wstring path = m_log.GetPath();
    StopLog();
    ShowLogFailure(path, error);
}

void CMainFrame::OnChangesTimer()
{
    const bool more = m_monitor.ExpireChanges(m_wndEndpointList);
    if (!more)
        KillTimer(kChangesTimer);
    // A gone row may take the highlighted row with it.
    UpdateToolBar();
}
