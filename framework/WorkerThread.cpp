#include "framework/WorkerThread.h"

#include <windows.h>

#include <memory>

namespace fw {

namespace {
DWORD WINAPI WorkerEntry(LPVOID param)
{
    std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(param));
    (*work)();
    return 0;
}
} // namespace

bool BeginWorkerThread(std::function<void()> work)
{
    auto owned = std::make_unique<std::function<void()>>(std::move(work));
    HANDLE thread = ::CreateThread(nullptr, 0, &WorkerEntry, owned.get(), 0, nullptr);
    if (thread == nullptr)
        return false;
    owned.release(); // the thread owns it now
    ::CloseHandle(thread);
    return true;
}

} // namespace fw
