#pragma once

#include "framework/Wnd.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace fw {

// Pane styles of a status bar (the values of the classic frame library).
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = SBT_NOBORDERS;
constexpr UINT SBPS_POPOUT = SBT_POPOUT;
constexpr UINT SBPS_OWNERDRAW = SBT_OWNERDRAW;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

// A status bar control with indicator panes: each pane's width comes from its indicator
// string, one pane may stretch over the space the others leave.
class CStatusBar : public CWnd {
public:
    bool Create(HWND parent, DWORD style, UINT id);
    // Loads each indicator's string (0 is a separator with no text), sizes the panes to
    // them and makes them the pane texts. False when a string is missing.
    bool SetIndicators(const UINT* ids, int count);

    int GetCount() const { return static_cast<int>(m_panes.size()); }
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    UINT GetPaneStyle(int index) const;
    std::string GetPaneText(int index) const;
    bool SetPaneText(int index, const char* text);
    bool GetItemRect(int index, RECT& rc) const;

    // Lays the panes out again for the current width (on WM_SIZE).
    void UpdateLayout();
    // The panes' room around their texts and the grip follow `dpi`; the panes are measured
    // anew in the bar's font.
    virtual void SetDpi(UINT dpi);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void MeasurePanes();

    UINT m_nDpi = 96;
    struct Pane {
        UINT id = 0;
        UINT style = SBPS_NORMAL;
        int width = 0;
        std::string text;
    };
    std::vector<Pane> m_panes;
};

} // namespace fw
