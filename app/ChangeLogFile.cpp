#include "app/ChangeLogFile.h"

namespace {

// Readers (a viewer following the log) may share the file; nobody may truncate it meanwhile.
HANDLE OpenForAppending(const std::wstring& path)
{
    return ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

DWORD CChangeLogFile::Start(const std::wstring& path)
{
    HANDLE file = OpenForAppending(path);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    ::CloseHandle(file);
    m_strPath = path;
    return ERROR_SUCCESS;
}

DWORD CChangeLogFile::Append(const std::string& lines) const
{
    HANDLE file = OpenForAppending(m_strPath);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError();
    DWORD error = ERROR_SUCCESS;
    for (std::size_t begin = 0; begin < lines.size() && error == ERROR_SUCCESS;) {
        std::size_t end = lines.find('\n', begin);
        end = end == std::string::npos ? lines.size() : end + 1;
        const auto size = static_cast<DWORD>(end - begin);
        DWORD written = 0;
        if (!::WriteFile(file, lines.data() + begin, size, &written, nullptr))
            error = ::GetLastError();
        else if (written != size)
            error = ERROR_HANDLE_DISK_FULL;
        begin = end;
    }
    ::CloseHandle(file);
    return error;
}
