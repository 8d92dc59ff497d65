#pragma once

#include <windows.h>

#include <string>

namespace fw {

// A file opened for writing, closed with the object.
class CFile {
public:
    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() { Close(); }

    // Creates `path`, or empties it if it exists, for writing, shared with nobody.
    bool Create(const std::wstring& path);
    // Writes all of `data`, in as many calls as the platform needs.
    bool Write(const std::string& data);
    // Brings the written data to the disk and closes the file; false when either fails.
    bool Close();

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};

// Replaces the contents of the file `path` by `data`, or leaves the file as it was: the data
// goes to a new file in the same folder first, which takes the target's place only once it is
// complete. Returns 0, or the platform's error code; on failure no new file is left behind.
// The path goes to the platform in UTF-16 all the way. A read-only file or a folder is refused
// before anything is written (ERROR_ACCESS_DENIED), as Windows refuses to move over them;
// Wine would replace a read-only file.
DWORD ReplaceFileContents(const std::wstring& path, const std::string& data);

// The last part of `path` is a name the system keeps for a device (CON, PRN, AUX, NUL, COM1 to
// COM9, LPT1 to LPT9), with or without an extension: it opens the device, not a file.
bool IsDeviceName(const std::wstring& path);
// `path` is longer than the file calls take without the long-path prefix: MAX_PATH for the
// whole, MAX_PATH - 14 for its folder (room for a temporary name).
bool IsTooLong(const std::wstring& path);

// The folder part of `path`, with its last separator ("." for a bare file name).
std::wstring FolderOf(const std::wstring& path);

// The platform's text for an error code, on one line.
std::wstring ErrorText(DWORD error);

} // namespace fw
