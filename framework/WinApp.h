#pragma once

#include <windows.h>

namespace fw {

// The application object: one per program. WinMain calls InitInstance, then runs the
// message loop (with the main window's accelerators) until the main window is gone.
class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    static CWinApp* Get() { return s_pApp; }

    virtual bool InitInstance() = 0;
    virtual int Run();
    // Runs `msg` as an accelerator of the main window when it is one; true then, and the
    // message is done. In an edit box the clipboard and undo keys stay the box's.
    bool PreTranslateMessage(MSG& msg) const;

    HWND GetMainWnd() const { return m_hMainWnd; }
    void SetMainWnd(HWND hWnd, HACCEL accelerators)
    {
        m_hMainWnd = hWnd;
        m_hAccel = accelerators;
    }

private:
    static CWinApp* s_pApp;
    HWND m_hMainWnd = nullptr;
    HACCEL m_hAccel = nullptr;
};

// Shows a message box owned by the main window, with the application's title.
int AppMessageBox(const char* text, UINT type);
int AppMessageBox(const wchar_t* text, UINT type);

} // namespace fw
