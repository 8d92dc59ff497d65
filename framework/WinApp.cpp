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

int AppMessageBox(const char* text, UINT type)
{
    std::string title = LoadResString(AFX_IDS_APP_TITLE);
    HWND owner = CWinApp::Get() != nullptr ? CWinApp::Get()->GetMainWnd() : nullptr;
    return ::MessageBoxA(owner, text, title.empty() ? nullptr : title.c_str(), type);
}

} // namespace fw
