#include "framework/Dialog.h"

#include <algorithm>
#include <utility>

namespace fw {

CDialog::CDialog(UINT templateId, HWND owner) : m_hOwner(owner), m_nTemplateId(templateId) {}

INT_PTR CDialog::DoModal()
{
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplateId), m_hOwner,
                             &CDialog::StaticDlgProc, reinterpret_cast<LPARAM>(this));
}

LRESULT CDialog::Default()
{
    m_bDefault = true;
    return 0;
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    }
    return Default();
}

bool CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    }
    return false;
}

INT_PTR CALLBACK CDialog::StaticDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Only dialogs bind themselves from here, so the object found is a CDialog.
    auto* dialog = static_cast<CDialog*>(FromHandle(hWnd));
    if (dialog == nullptr && msg == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->Bind(hWnd);
    }
    if (dialog == nullptr)
        return FALSE;

    RECT placed = msg == WM_INITDIALOG ? dialog->GetWindowRect() : RECT{};
    // A handler may send the dialog messages of its own: each call keeps its own flag.
    bool outerDefault = std::exchange(dialog->m_bDefault, false);
    LRESULT result = dialog->WindowProc(msg, wParam, lParam);
    bool handled = !std::exchange(dialog->m_bDefault, outerDefault);
    if (msg == WM_INITDIALOG) {
        RECT rc = dialog->GetWindowRect();
        if (rc.left == placed.left && rc.top == placed.top)
            dialog->CenterWindow();
    }
    if (msg == WM_NCDESTROY)
        dialog->UnsubclassWindow();
    if (!handled)
        return FALSE;
    switch (msg) {
    // These answer through the procedure's own return value.
    case WM_INITDIALOG:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return static_cast<INT_PTR>(result);
    }
    ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

void CDialog::CenterWindow() const
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    ::GetMonitorInfoA(
        ::MonitorFromWindow(owner != nullptr ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    RECT around = area;
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &around);
    RECT rc = GetWindowRect();
    LONG width = rc.right - rc.left;
    LONG height = rc.bottom - rc.top;
    LONG x =
        std::max(area.left, std::min((around.left + around.right - width) / 2, area.right - width));
    LONG y = std::max(area.top,
                      std::min((around.top + around.bottom - height) / 2, area.bottom - height));
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace fw
