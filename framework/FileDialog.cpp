#include "FileDialog.h"

#include <algorithm>
#include <vector>

namespace fw {

CFileDialog::CFileDialog(const char* defaultExt, const char* fileName, DWORD flags,
                         const char* filter)
    : m_strDefaultExt(defaultExt), m_strFileName(fileName), m_strFilter(filter), m_dwFlags(flags)
{
    // The dialog wants the pairs separated by zero bytes and ended by two.
    std::replace(m_strFilter.begin(), m_strFilter.end(), '|', '\0');
    m_strFilter.push_back('\0');
}

int CFileDialog::DoModal(HWND owner)
{
    std::vector<char> path(32768, '\0');
    m_strFileName.copy(path.data(), path.size() - 1);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = m_strFilter.c_str();
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrDefExt = m_strDefaultExt.c_str();
    ofn.Flags = m_dwFlags | OFN_EXPLORER;
    if (!::GetSaveFileNameA(&ofn))
        return IDCANCEL;
    m_strPathName = path.data();
    return IDOK;
}

} // namespace fw
