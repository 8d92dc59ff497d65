#include "framework/File.h"

#include <algorithm>

namespace fw {

bool CFile::Create(const std::wstring& path)
{
    Close();
    m_hFile = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_hFile != INVALID_HANDLE_VALUE;
}

bool CFile::Write(const std::string& data)
{
    const char* next = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(m_hFile, next, chunk, &written, nullptr) || written == 0)
            return false;
        next += written;
        left -= written;
    }
    return true;
}

bool CFile::Close()
{
    if (m_hFile == INVALID_HANDLE_VALUE)
        return true;
    bool flushed = ::FlushFileBuffers(m_hFile) != FALSE;
    bool closed = ::CloseHandle(m_hFile) != FALSE;
    m_hFile = INVALID_HANDLE_VALUE;
    return flushed && closed;
}

DWORD ReplaceFileContents(const std::wstring& path, const std::string& data)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return ERROR_ACCESS_DENIED;
    const std::wstring folder = FolderOf(path);
    wchar_t temporary[MAX_PATH] = {};
    // Creates the (empty) file, with a name that no other file of the folder has.
    if (::GetTempFileNameW(folder.c_str(), L"tnw", 0, temporary) == 0)
        return ::GetLastError();
    CFile file;
    DWORD error = ERROR_SUCCESS;
    if (!file.Create(temporary) || !file.Write(data) || !file.Close() ||
        !::MoveFileExW(temporary, path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = ::GetLastError();
        if (error == ERROR_SUCCESS)
            error = ERROR_WRITE_FAULT;
        file.Close();
        ::DeleteFileW(temporary);
    }
    return error;
}

bool IsDeviceName(const std::wstring& path)
{
    // Windows drops blanks before the extension too: "con .txt" is the console.
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    name = name.substr(0, name.find(L'.'));
    name.erase(name.find_last_not_of(L' ') + 1);
    for (wchar_t& c : name)
        c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    if (name == L"CON" || name == L"PRN" || name == L"AUX" || name == L"NUL")
        return true;
    return name.size() == 4 &&
           (name.compare(0, 3, L"COM") == 0 || name.compare(0, 3, L"LPT") == 0) &&
           name[3] >= L'1' && name[3] <= L'9';
}

bool IsTooLong(const std::wstring& path)
{
    return path.size() >= MAX_PATH || FolderOf(path).size() > MAX_PATH - 14;
}

std::wstring FolderOf(const std::wstring& path)
{
    const std::wstring::size_type slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
}

std::wstring ErrorText(DWORD error)
{
    wchar_t* buffer = nullptr;
    DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 ? std::wstring(buffer, length) : std::wstring();
    ::LocalFree(buffer);
    text.erase(text.find_last_not_of(L" \r\n") + 1);
    return text.empty() ? L"Error " + std::to_wstring(error) : text;
}

} // namespace fw
