#include "app/TarnwickApp.h"

#include <windows.h>

namespace {
CTarnwickApp theApp;
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (!theApp.InitInstance())
        return 0;
    return theApp.Run();
}
