#include "File.h"

#include <algorithm>

namespace fw {

bool CFile::Create(const std::string& path)
{
    Close();
    m_hFile = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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

DWORD ReplaceFileContents(const std::string& path, const std::string& data)
{
    std::string::size_type slash = path.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    char temporary[MAX_PATH] = {};
    // Creates the (empty) file, with a name that no other file of the folder has.
    if (::GetTempFileNameA(folder.c_str(), "tnw", 0, temporary) == 0)
        return ::GetLastError();
    CFile file;
    DWORD error = ERROR_SUCCESS;
    if (!file.Create(temporary) || !file.Write(data) || !file.Close() ||
        !::MoveFileExA(temporary, path.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = ::GetLastError();
        if (error == ERROR_SUCCESS)
            error = ERROR_WRITE_FAULT;
        file.Close();
        ::DeleteFileA(temporary);
    }
    return error;
}

std::string ErrorText(DWORD error)
{
    char* buffer = nullptr;
    DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? std::string(buffer, length) : std::string();
    ::LocalFree(buffer);
    text.erase(text.find_last_not_of(" \r\n") + 1);
    return text.empty() ? "Error " + std::to_string(error) : text;
}

} // namespace fw
