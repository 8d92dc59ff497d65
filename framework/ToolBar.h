#pragma once

#include "framework/StandardIds.h"
#include "framework/Wnd.h"

#include <commctrl.h>

namespace fw {

// A flat toolbar along the top of its frame. While the pointer is over a button, enabled
// or not, the frame's message pane shows the button's prompt (fly-by), as for a menu item.
class CToolBar : public CWnd {
public:
    bool Create(HWND parent, UINT id, DWORD controlStyle);
    // Adds the buttons of a toolbar layout resource; image i belongs to the i-th button
    // that is not a separator.
    bool LoadToolBar(UINT resourceId);
    int GetButtonCount() const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowPrompt(UINT command);

    // The command whose prompt is shown, 0 for the idle text.
    UINT m_nFlyByCommand = 0;
};

} // namespace fw
