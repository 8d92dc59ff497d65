#pragma once

#include "StandardIds.h"
#include "Wnd.h"

#include <string>

namespace fw {

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
    void SetMessageText(const char* text);
    void SetMessageText(UINT stringId);

    ~CFrameWnd() override;

protected:
    virtual bool PreCreateWindow(CREATESTRUCTA& cs);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Command-update of a popup menu that is about to open.
    virtual void OnInitMenuPopup(HMENU menu);
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
