#include "framework/WinApp.h"

#include "framework/FrameWnd.h"

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

namespace {

// A key that an edit control uses for its clipboard or undo.
bool IsEditKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    char className[8] = {};
    if (::GetClassNameA(msg.hwnd, className, sizeof(className)) == 0 ||
        lstrcmpiA(className, "Edit") != 0)
        return false;
    const bool control = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool alt = (msg.lParam & (1 << 29)) != 0;
    switch (msg.wParam) {
    case 'C':
    case 'V':
    case 'X':
    case 'Z':
        return control;
    case VK_INSERT:
        return control || shift;
    case VK_DELETE:
        return shift;
    case VK_BACK:
        return alt;
    }
    return false;
}

} // namespace

bool CWinApp::PreTranslateMessage(MSG& msg) const
{
    // The clipboard and undo keys of an edit box are the frame's accelerators elsewhere.
    return m_hMainWnd != nullptr && m_hAccel != nullptr && !IsEditKey(msg) &&
           ::TranslateAcceleratorA(m_hMainWnd, m_hAccel, &msg) != 0;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslateMessage(msg))
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
