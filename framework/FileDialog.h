#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace fw {

// The common Save dialog (GetSaveFileNameW), Explorer style. Wide throughout: a name the user
// types keeps every letter, where the 8-bit dialog would map letters outside the code page to
// look-alikes (and so name another file).
class CFileDialog {
public:
    // `filter` is given in pairs of description and pattern, each ended by '|', as in
    // L"Text files (*.txt)|*.txt|". OFN_EXPLORER is always added to `flags`.
    CFileDialog(const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                const wchar_t* filter);

    // Runs the dialog, modal to `owner`: IDOK when the user chose a file, else IDCANCEL.
    int DoModal(HWND owner);
    // The full path chosen.
    const std::wstring& GetPathName() const { return m_strPathName; }

private:
    std::wstring m_strDefaultExt;
    std::wstring m_strFileName;
    std::wstring m_strFilter;
    DWORD m_dwFlags;
    std::wstring m_strPathName;
};

} // namespace fw
