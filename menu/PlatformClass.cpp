#include "PlatformClass.h"

int g_nPlatformClass = GetPlatformClass();

int GetPlatformClass()
{
    DWORD version = ::GetVersion();
    if ((version & 0x80000000u) == 0) {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        return ::GetVersionExA(&info) && info.dwMajorVersion >= 4 ? 3 : 2;
    }
    return LOBYTE(LOWORD(version)) >= 4 ? 1 : 0;
}

BOOL IsNewShell()
{
    return g_nPlatformClass == 1 || g_nPlatformClass == 3;
}
