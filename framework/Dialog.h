#pragma once

#include "framework/Wnd.h"

namespace fw {

// A modal dialog from a dialog template. The object binds itself to the window on
// WM_INITDIALOG and lets go of it on WM_NCDESTROY; its WindowProc is the dialog
// procedure: what it leaves to Default() goes to the dialog manager, and the result of
// everything else is handed back through DWLP_MSGRESULT. A dialog that does not place
// itself in OnInitDialog opens centred over its owner.
class CDialog : public CWnd {
public:
    // An owner of nullptr gives a dialog that no window waits for.
    explicit CDialog(UINT templateId, HWND owner = nullptr);

    // Runs the dialog until EndDialog; returns its result, or -1 when it could not start.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result) const { ::EndDialog(m_hWnd, result); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // IDOK and IDCANCEL end the dialog through OnOK and OnCancel.
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Returns true to let the dialog manager put the focus on the first tab stop.
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Leaves the message to the dialog manager.
    LRESULT Default();

    HWND m_hOwner;

private:
    static INT_PTR CALLBACK StaticDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // Centres the dialog over its owner (or the screen), inside the work area.
    void CenterWindow() const;

    UINT m_nTemplateId;
    bool m_bDefault = false;
};

} // namespace fw
