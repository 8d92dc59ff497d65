#include "framework/FileDialog.h"

#include <algorithm>
#include <vector>

namespace fw {

CFileDialog::CFileDialog(const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter)
    : m_strDefaultExt(defaultExt), m_strFileName(fileName), m_strFilter(filter), m_dwFlags(flags)
{
    // The dialog wants the pairs separated by zero characters and ended by two.
    std::replace(m_strFilter.begin(), m_strFilter.end(), L'|', L'\0');
    m_strFilter.push_back(L'\0');
}

int CFileDialog::DoModal(HWND owner)
{
    std::vector<wchar_t> path(32768, L'\0');
    m_strFileName.copy(path.data(), path.size() - 1);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = m_strFilter.c_str();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrDefExt = m_strDefaultExt.c_str();
    ofn.Flags = m_dwFlags | OFN_EXPLORER;
    if (!::GetSaveFileNameW(&ofn))
        return IDCANCEL;
    m_strPathName = path.data();
    return IDOK;
}

} // namespace fw
