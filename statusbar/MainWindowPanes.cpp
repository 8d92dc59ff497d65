#include "MainWindowPanes.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kPausedRed = RGB(200, 0, 0);
constexpr COLORREF kActiveGreen = RGB(0, 150, 0);
} // namespace

void SetupMainWindowPanes(CPaneStatusBar& bar)
{
    // Each change repaints the bar, without erasing, as a later toggle does.
    auto changed = [&bar] { bar.InvalidateRect(nullptr, FALSE); };

    bar.GetPane(1)->SetStyle(SPS_TEXT | DT_CENTER);
    changed();
    bar.GetPane(2)->SetStyle(SPS_BITMAP | SPS_TILE);
    changed();
    bar.GetPane(3)->SetStyle(SPS_TEXT | DT_CENTER);
    changed();
    bar.GetPane(3)->SetTexts("Resolve ON", "");
    changed();
    // A bitmap pane only needs a text that is not empty.
    bar.GetPane(2)->SetTexts("IDB_BITMAP_PROCESS", "IDB_BITMAP_PROCESS");
    changed();
    for (int i = 0; i < 4; ++i) {
        bar.GetPane(i)->SetBackColors(::GetSysColor(COLOR_BTNFACE), kWhite);
        changed();
    }
    // Pane 1 keeps no text of its own: it shows its indicator string until the first
    // auto-update toggle.
    bar.GetPane(1)->SetTextColors(kPausedRed, kWhite);
    changed();
    bar.GetPane(3)->SetTextColors(kActiveGreen, kWhite);
    changed();
}
