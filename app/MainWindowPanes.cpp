#include "app/MainWindowPanes.h"

#include "res/resource.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kPausedRed = RGB(200, 0, 0);
constexpr COLORREF kActiveGreen = RGB(0, 150, 0);
} // namespace

const UINT kMainWindowIndicators[kMainWindowPaneCount] = {
    ID_SEPARATOR, ID_INDICATOR_AUTOUPDATE, ID_INDICATOR_STRIPES, ID_INDICATOR_RESOLVE};

void SetupMainWindowPanes(CPaneStatusBar& bar)
{
    // Each change repaints the bar, without erasing, as a later toggle does.
    auto changed = [&bar] { bar.InvalidateRect(nullptr, false); };

    bar.GetPane(kAutoUpdatePane)->SetStyle(SPS_TEXT | DT_CENTER);
    changed();
    bar.GetPane(kStripesPane)->SetStyle(SPS_BITMAP | SPS_TILE);
    changed();
    bar.GetPane(kResolvePane)->SetStyle(SPS_TEXT | DT_CENTER);
    changed();
    bar.GetPane(kResolvePane)->SetTexts("Resolve ON", "");
    changed();
    bar.GetPane(kStripesPane)->SetBitmap(IDB_BITMAP_PROCESS);
    changed();
    for (int i = 0; i < kMainWindowPaneCount; ++i) {
        bar.GetPane(i)->SetBackColors(::GetSysColor(COLOR_BTNFACE), kWhite);
        changed();
    }
    // The auto-update pane keeps no text of its own: it shows its indicator string until the first
    // auto-update toggle.
    bar.GetPane(kAutoUpdatePane)->SetTextColors(kPausedRed, kWhite);
    changed();
    bar.GetPane(kResolvePane)->SetTextColors(kActiveGreen, kWhite);
    changed();
}
