#include "WinApp.h"

#include "FrameWnd.h"

#include <string>

namespace fw {

CWinApp* CWinApp::s_pApp = nullptr;

CWinApp::CWinApp()
{
    s_pApp = this;
}

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = nullptr;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (m_hMainWnd != nullptr && m_hAccel != nullptr &&
            ::TranslateAcceleratorA(m_hMainWnd, m_hAccel, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

namespace {
HWND MainWindow()
{
    return CWinApp::Get() != nullptr ? CWinApp::Get()->GetMainWnd() : nullptr;
}
} // namespace

int AppMessageBox(const char* text, UINT type)
{
    std::string title = LoadResString(AFX_IDS_APP_TITLE);
    return ::MessageBoxA(MainWindow(), text, title.empty() ? nullptr : title.c_str(), type);
}

int AppMessageBox(const wchar_t* text, UINT type)
{
    // The title is a plain ASCII resource string.
    std::string title = LoadResString(AFX_IDS_APP_TITLE);
    std::wstring wideTitle(title.begin(), title.end());
    return ::MessageBoxW(MainWindow(), text, wideTitle.empty() ? nullptr : wideTitle.c_str(), type);
}

} // namespace fw
