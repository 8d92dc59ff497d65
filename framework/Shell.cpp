#include "framework/Shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace fw {

bool ShellOpen(const char* target)
{
    // The shell may hand the verb to extensions that need COM on the calling thread.
    HRESULT initialised =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    // NOASYNC: the caller's thread may end as soon as this returns.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = "open";
    info.lpFile = target;
    info.nShow = SW_SHOWNORMAL;
    bool opened = ::ShellExecuteExA(&info) != FALSE;
    if (SUCCEEDED(initialised))
        ::CoUninitialize();
    return opened;
}

} // namespace fw
