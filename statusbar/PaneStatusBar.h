#pragma once

#include "framework/Gdi.h"
#include "framework/StatusBar.h"
#include "statusbar/StatusPane.h"

#include <vector>

// A status bar that paints all its panes itself, each after its CStatusPane: frame,
// background, then text or the stripe bitmap, aligned, tiled, stretched or moving. While
// any pane has a motion bit, a 100 ms timer repaints the bar. Mouse messages are passed
// on to the owner window first; the bar itself interprets no clicks.
class CPaneStatusBar : public fw::CStatusBar {
public:
    static constexpr UINT_PTR IDT_PANE_ANIMATION = 20000;
    // Milliseconds between two frames of moving content.
    static constexpr UINT kAnimationPeriod = 100;

    CPaneStatusBar() = default;
    ~CPaneStatusBar() override = default;

    // Creates the bar as child AFX_IDW_STATUS_BAR of `parent`, which also receives
    // the mouse messages, sets the indicators and gives the first pane `nFirstPaneStyle` (SBPS_*).
    // On failure the user is told "Unable to create Statusbar." and the result is false.
    bool CreateStatusBar(HWND parent, const UINT* ids, int count, UINT nFirstPaneStyle);
    // Sets the base bar's indicators, then resets every pane to a default CStatusPane,
    // texts and offsets included, whether or not the base call succeeded.
    virtual bool SetIndicators(const UINT* ids, int count);

    // Panes, their fonts, the grip and the stripes follow `dpi`.
    void SetDpi(UINT dpi) override;

    // No range check: valid for 0 to the indicator count - 1, until the next SetIndicators.
    CStatusPane* GetPane(int nIndex);
    // Replaces the SBPS_* style of a pane whole; returns the old one.
    UINT ChangePaneStyle(int nIndex, UINT nStyle);
    // The pane under `point` (bar client coordinates), or -1.
    int PaneFromPoint(POINT point) const;

    void InvalidateRect(const RECT* rc, bool erase) const
    {
        ::InvalidateRect(m_hWnd, rc, erase ? TRUE : FALSE);
    }
    // Id of the running animation timer, 0 while none runs.
    UINT_PTR GetAnimTimer() const { return m_nAnimTimer; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();

    // Draws the whole bar into `target`, through one off-screen bitmap, and starts or
    // stops the animation timer. Every call advances moving panes by one step.
    void PaintTo(HDC target);
    // Content of one pane inside its inner rectangle `rc`; they may move rc's left and
    // top edges.
    void DrawPaneText(HDC dc, int nIndex, RECT& rc, CStatusPane* pane);
    void DrawPaneBitmap(HDC dc, int nIndex, RECT& rc, CStatusPane* pane);
    void DrawSizeGrip(HDC dc);

private:
    void UpdateAnimationTimer(bool bMoving);

    std::vector<CStatusPane> m_arrPanes;
    UINT_PTR m_nAnimTimer = 0;
    // The pane being painted lacks SBPS_DISABLED: selects index 1 of its arrays, else 0.
    bool m_bPaneEnabled = true;
    // Receives the forwarded mouse messages; not owned.
    // NM_CLICK or NM_DBLCLK to the owner, the pane in NMMOUSE::dwItemSpec (-1: none).
    void NotifyClick(UINT code, POINT point) const;
    HWND m_hOwnerWnd = nullptr;
    UINT m_nDpi = 96;
    // The bar's own font at m_nDpi, once a DPI is set; else the control's.
    fw::CFont m_font;
};
