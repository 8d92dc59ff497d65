#pragma once

#include <windows.h>
#include <commdlg.h>

#include <string>

namespace fw {

// The common Save dialog (GetSaveFileName), Explorer style.
class CFileDialog {
public:
    // `filter` is given in pairs of description and pattern, each ended by '|', as in
    // "Text files (*.txt)|*.txt|". OFN_EXPLORER is always added to `flags`.
    CFileDialog(const char* defaultExt, const char* fileName, DWORD flags, const char* filter);

    // Runs the dialog, modal to `owner`: IDOK when the user chose a file, else IDCANCEL.
    int DoModal(HWND owner);
    // The full path chosen.
    const std::string& GetPathName() const { return m_strPathName; }

private:
    std::string m_strDefaultExt;
    std::string m_strFileName;
    std::string m_strFilter;
    DWORD m_dwFlags;
    std::string m_strPathName;
};

} // namespace fw
