#pragma once

#include "framework/StandardIds.h"
#include "framework/Wnd.h"

#include <string>

namespace fw {

// What a command's menu items and toolbar button show, and whether it runs.
struct CCommandState {
    bool bEnabled = true;
    // -1: the command is no switch; else 0 or 1, shown as a check mark.
    int nCheck = -1;
};

// A top-level frame: menu, accelerators and title from one resource id, a toolbar at
// the top and a status bar at the bottom, menu prompts in the status bar's first pane.
// A frame created with new deletes itself when its window is destroyed.
class CFrameWnd : public CWnd {
public:
    // Creates the window with menu, accelerators and title string `resourceId`.
    bool LoadFrame(UINT resourceId, DWORD style, HWND parent = nullptr);

    // Places the control bars; derived frames place their other children after it.
    virtual void RecalcLayout(bool notify = true);
    // The client area that the visible control bars leave free.
    RECT RepositionQuery() const;

    HACCEL GetAccelerators() const { return m_hAccel; }
    // The one source of every command's state: the menu popups read it as they open, the
    // toolbar when UpdateToolBar is called, and WM_COMMAND before it runs a command (a
    // disabled one does nothing). The frame knows its bars' switches; derived frames add their
    // commands.
    virtual CCommandState GetCommandState(UINT id) const;
    // Enables and disables the toolbar's buttons as GetCommandState says.
    void UpdateToolBar() const;
    void SetMessageText(const char* text);
    // The idle message (AFX_IDS_IDLEMESSAGE) is GetIdleMessage's.
    void SetMessageText(UINT stringId);

    ~CFrameWnd() override;

protected:
    virtual bool PreCreateWindow(CREATESTRUCTA& cs);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Command-update of a popup menu that is about to open, from GetCommandState.
    void OnInitMenuPopup(HMENU menu) const;
    // What the message pane shows when no menu item or button is pointed at.
    virtual std::string GetIdleMessage() const;
    void PostNcDestroy() override;

private:
    void ToggleBar(UINT barId);
    bool OnToolTipText(NMHDR* hdr);

    HACCEL m_hAccel = nullptr;
    char m_szTipText[128] = {};
};

// The text of a string resource, or an empty string.
std::string LoadResString(UINT id);

} // namespace fw
