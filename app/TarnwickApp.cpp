#include "app/TarnwickApp.h"

#include "app/MainFrame.h"
#include "res/resource.h"

#include <winsock2.h>
#include <commctrl.h>

CTarnwickApp::~CTarnwickApp()
{
    if (m_bSocketsReady)
        ::WSACleanup();
}

bool CTarnwickApp::InitInstance()
{
    WSADATA data;
    m_bSocketsReady = ::WSAStartup(MAKEWORD(1, 1), &data) == 0;
    if (!m_bSocketsReady) {
        fw::AppMessageBox("Can't initialize sockets", MB_OK);
        return false;
    }
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    auto* frame = new CMainFrame;
    // A frame whose creation fails has already destroyed and deleted itself.
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW))
        return false;
    SetMainWnd(*frame, frame->GetAccelerators());
    // The owner-drawn menu takes the place of the plain one the frame was created with,
    // which stays if the menu cannot be built.
    if (HMENU menu = frame->SetupMenu()) {
        HMENU plain = ::GetMenu(*frame);
        ::SetMenu(*frame, menu);
        ::DestroyMenu(plain);
    }
    ::ShowWindow(*frame, SW_SHOW);
    ::UpdateWindow(*frame);
    return true;
}
