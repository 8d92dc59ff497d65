#include "framework/ColorDialog.h"

namespace fw {

namespace {
// The chooser's sixteen custom colours, kept for the rest of the session.
COLORREF g_crCustomColors[16];
} // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, HWND owner)
{
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.hwndOwner = owner;
    m_cc.rgbResult = initial;
    m_cc.lpCustColors = g_crCustomColors;
    m_cc.Flags = flags;
}

INT_PTR CColorDialog::DoModal()
{
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}

} // namespace fw
