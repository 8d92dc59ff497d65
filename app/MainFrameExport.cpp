// The frame's export commands: Save events writes the rows to a text file, Copy puts the
// highlighted row's address on the clipboard.
#include "app/MainFrame.h"

#include "app/SaveFailure.h"
#include "framework/Clipboard.h"
#include "framework/File.h"
#include "framework/FileDialog.h"
#include "framework/Text.h"
#include "framework/WinApp.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The rows as the list shows them: each shown column followed by three blanks, then CR LF.
// ASCII stays 8-bit text; a name outside it makes the file UTF-8 with a byte-order mark, so
// that no letter is lost.
std::string EventsText(const CEndpointListCtrl& list, int columns)
{
    std::string text;
    for (std::size_t item = 0; item < list.ShownCount(); ++item) {
        const tarnwick::EndpointRow& row = list.ShownRow(item);
        for (int column = 0; column < columns; ++column)
            text += row.texts[column] + "   ";
        text += "\r\n";
    }
    if (std::any_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        text.insert(0, "\xEF\xBB\xBF");
    return text;
}

} // namespace

void CMainFrame::OnSaveEvents()
{
    KillTimer(kAutoUpdateTimer);
    if (!m_bPaused)
        ToggleAutoUpdate();
    // The dialog asks before an existing file is replaced: it turns some typed names into other
    // existing files (a quote splits a name, a trailing dot goes, case is ignored).
    fw::CFileDialog dialog(L"txt", L"Events.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                           L"Text files (*.txt)|*.*|");
    if (dialog.DoModal(m_hWnd) != IDOK || dialog.GetPathName().empty())
        return;
    SaveEvents(dialog.GetPathName());
}

bool CMainFrame::SaveEvents(const std::wstring& path)
{
    // A file there is left as it was; a folder or a device is no file.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    const bool existed = attributes != INVALID_FILE_ATTRIBUTES &&
                         (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && !fw::IsDeviceName(path);
    DWORD error = fw::ReplaceFileContents(
        path, EventsText(m_wndEndpointList,
                         std::min(m_wndEndpointList.GetColumnCount(), tarnwick::kEndpointColumns)));
    if (error == ERROR_SUCCESS)
        return true;
    fw::AppMessageBox(SaveFailureText(path, error, existed).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void CMainFrame::OnEditCopy()
{
    // With no row highlighted there is nothing to copy, and the clipboard keeps what it holds.
    std::string text;
    if (!m_wndEndpointList.GetCopyText(text))
        return;
    m_strPendingCopy = fw::Utf8ToAnsi(text);
    m_nCopyTries = 0;
    RetryCopy();
}

void CMainFrame::RetryCopy()
{
    // Another program may hold the clipboard open for a moment: try again from a timer rather
    // than wait on the window's thread. What it holds stays until a try succeeds.
    if (fw::CClipboard(m_hWnd).SetText(m_strPendingCopy)) {
        KillTimer(kCopyRetryTimer);
    } else if (++m_nCopyTries < kCopyTries) {
        SetTimer(kCopyRetryTimer, kCopyRetryMilliseconds);
    } else {
        KillTimer(kCopyRetryTimer);
        SetMessageText("Nothing was copied: another program holds the clipboard. Try again.");
    }
}
