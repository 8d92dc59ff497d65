#include "app/SaveFailure.h"

#include "framework/File.h"

namespace {

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Another program holds the file open and shares it with nobody.
bool InUse(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
        return false;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

std::wstring Reason(const std::wstring& path, DWORD error)
{
    if (fw::IsDeviceName(path))
        return L"The name is reserved for a device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to "
               L"LPT9, with any extension). Choose another name.";
    if (error == ERROR_FILENAME_EXCED_RANGE || fw::IsTooLong(path))
        return L"The name or the path is too long. Choose a shorter name, or a folder nearer "
               L"the top of the drive.";
    if (!Exists(fw::FolderOf(path)))
        return L"The folder does not exist. Choose a folder that does.";
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return L"This is a folder, not a file. Choose a name that no folder there has.";
    if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
        return L"The disk is full. Free some space on it, or save to another disk.";
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
        error == ERROR_ACCESS_DENIED) {
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
            return L"The file is read-only. Save under another name, or clear its read-only "
                   L"attribute first.";
        if (InUse(path))
            return L"The file is in use by another program. Close it there, or save under "
                   L"another name.";
        if (error == ERROR_ACCESS_DENIED)
            return L"Access is denied. Save to a folder where you may create files, such as your "
                   L"documents.";
    }
    return fw::ErrorText(error);
}

} // namespace

std::wstring SaveFailureText(const std::wstring& path, DWORD error, bool existed)
{
    std::wstring text = L"The events could not be saved to " + path + L":\n" + Reason(path, error);
    if (existed)
        text += L"\n\nThe file is unchanged.";
    return text;
}
