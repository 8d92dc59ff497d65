#pragma once

#include <windows.h>
#include <commdlg.h>

namespace fw {

// The system's colour chooser, run modally over `owner`.
class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = RGB(0, 0, 0), DWORD flags = 0, HWND owner = nullptr);

    // IDOK when a colour was chosen, else IDCANCEL.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }

private:
    CHOOSECOLORA m_cc = {};
};

} // namespace fw
