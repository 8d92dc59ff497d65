#pragma once

#include "framework/WinApp.h"

// The application: initialises sockets and shows the main window.
class CTarnwickApp : public fw::CWinApp {
public:
    bool InitInstance() override;
    ~CTarnwickApp() override;

private:
    bool m_bSocketsReady = false;
};
