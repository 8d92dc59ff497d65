#pragma once

#include <windows.h>

#include <string>

// The file the change log goes to. Each batch opens it for appending only, so nothing written
// before is ever truncated or overwritten, and writes each line with one call of its own: a
// crash loses at most the line being written.
class CChangeLogFile {
public:
    // Logging to `path` from now on; the file is made if missing, an existing one continued.
    // Returns 0, or the platform's error code with logging off.
    DWORD Start(const std::wstring& path);
    void Stop() { m_strPath.clear(); }
    bool IsOn() const { return !m_strPath.empty(); }
    const std::wstring& GetPath() const { return m_strPath; }

    // Appends `lines`, each ending in CR LF. Returns 0, or the platform's error code; lines
    // after a failed one are not written.
    DWORD Append(const std::string& lines) const;

private:
    std::wstring m_strPath;
};
