#include "app/WinProcessLookup.h"

#include "framework/Text.h"

#include <windows.h>

#include <vector>

namespace {

// Closes the process handle at the end of the scope.
class CProcessHandle {
public:
    explicit CProcessHandle(HANDLE handle) : m_handle(handle) {}
    CProcessHandle(const CProcessHandle&) = delete;
    CProcessHandle& operator=(const CProcessHandle&) = delete;
    ~CProcessHandle()
    {
        if (m_handle != nullptr)
            ::CloseHandle(m_handle);
    }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

} // namespace

bool CWinProcessLookup::Identify(std::uint32_t pid, std::uint64_t& creationTime, std::string& name)
{
    CProcessHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (process.Get() == nullptr)
        return false;
    FILETIME created = {};
    FILETIME exited = {};
    FILETIME kernel = {};
    FILETIME user = {};
    if (!::GetProcessTimes(process.Get(), &created, &exited, &kernel, &user))
        return false;
    creationTime = (std::uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    // Paths may be longer than MAX_PATH; the call says how long when it fits.
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD size = static_cast<DWORD>(path.size());
        if (::QueryFullProcessImageNameW(process.Get(), 0, path.data(), &size)) {
            std::wstring full(path.data(), size);
            const std::wstring::size_type slash = full.find_last_of(L"\\/");
            name = fw::WideToUtf8(slash == std::wstring::npos ? full : full.substr(slash + 1));
            return !name.empty();
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || path.size() >= 32768)
            return false;
        path.resize(path.size() * 4);
    }
}
