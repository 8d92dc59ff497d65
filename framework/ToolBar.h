#pragma once

#include "StandardIds.h"
#include "Wnd.h"

#include <commctrl.h>

namespace fw {

// A flat toolbar along the top of its frame.
class CToolBar : public CWnd {
public:
    bool Create(HWND parent, UINT id, DWORD controlStyle);
    // Adds the buttons of a toolbar layout resource; image i belongs to the i-th button
    // that is not a separator.
    bool LoadToolBar(UINT resourceId);
    int GetButtonCount() const;
};

} // namespace fw
