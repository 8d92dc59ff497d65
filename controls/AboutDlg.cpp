#include "controls/AboutDlg.h"

#include "framework/Shell.h"
#include "framework/WorkerThread.h"
#include "res/resource.h"

CAboutDlg::CAboutDlg(HWND owner, bool (*open)(const char*))
    : CDialog(IDD_ABOUTBOX, owner), m_pfnOpen(open != nullptr ? open : &fw::ShellOpen)
{}

bool CAboutDlg::OnInitDialog()
{
    m_linkWeb.SubclassWindow(GetDlgItem(IDC_ABOUT_LINK));
    m_linkWeb.SetColor(::GetSysColor(COLOR_BTNFACE));
    m_linkWeb.SetLinkText(kAddress, RGB(0, 0, 255));
    return true;
}

bool CAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_ABOUT_LINK && HIWORD(wParam) == STN_CLICKED) {
        OnLinkClicked();
        return true;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CAboutDlg::OnLinkClicked()
{
    // Under Wine "open" starts the browser launcher, which may take seconds or never
    // find a browser; the result is of no use to the box either way.
    bool (*open)(const char*) = m_pfnOpen;
    fw::BeginWorkerThread([open] { open(kAddress); });
}
