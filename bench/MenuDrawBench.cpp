// Time to draw one popup of the main menu (IDR_MAINFRAME) in each look, under Wine or on
// Windows: every item measured and drawn through the main window's WM_MEASUREITEM and
// WM_DRAWITEM, as the system does when a popup opens, into a bitmap like the screen's.
// Run by `make bench`; prints one line per popup and look.

#include "app/MainFrame.h"
#include "menu/StyledMenu.h"
#include "res/resource.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kRounds = 200;

double Milliseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

// Measures and draws every item of `popup` once, stacked as the popup shows them.
void DrawPopup(HWND owner, HMENU popup, HDC dc, int width)
{
    int top = 0;
    for (int position = 0; position < ::GetMenuItemCount(popup); ++position) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_STATE;
        ::GetMenuItemInfoA(popup, static_cast<UINT>(position), TRUE, &info);
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, info.wID, 0, 0, info.dwItemData};
        ::SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        UINT state = position == 0 ? ODS_SELECTED : 0;
        state |= (info.fState & MFS_CHECKED) ? ODS_CHECKED : 0;
        int bottom = top + static_cast<int>(mis.itemHeight);
        DRAWITEMSTRUCT dis = {ODT_MENU,
                              0,
                              info.wID,
                              ODA_DRAWENTIRE,
                              state,
                              reinterpret_cast<HWND>(popup),
                              dc,
                              {0, top, width, bottom},
                              info.dwItemData};
        ::SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        top = bottom;
    }
}

} // namespace

int main()
{
    auto* frame = new CMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW))
        return 1;
    HWND owner = *frame;
    HMENU plain = ::GetMenu(owner);
    ::SetMenu(owner, frame->SetupMenu());
    ::DestroyMenu(plain);
    HMENU bar = ::GetMenu(owner);

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 300, 300);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    for (int look : {1, 0}) {
        CStyledMenu::SetXpLook(look == 1);
        for (int index = 0; index < ::GetMenuItemCount(bar); ++index) {
            char title[32] = {};
            ::GetMenuStringA(bar, static_cast<UINT>(index), title, sizeof(title), MF_BYPOSITION);
            HMENU popup = ::GetSubMenu(bar, index);
            DrawPopup(owner, popup, dc, 300);
            LARGE_INTEGER start, end;
            ::QueryPerformanceCounter(&start);
            for (int round = 0; round < kRounds; ++round)
                DrawPopup(owner, popup, dc, 300);
            ::GdiFlush();
            ::QueryPerformanceCounter(&end);
            std::printf("%-8s %-7s %d items: %.3f ms per popup (mean of %d)\n", title,
                        look == 1 ? "XP" : "classic", ::GetMenuItemCount(popup),
                        Milliseconds(end.QuadPart - start.QuadPart) / kRounds, kRounds);
        }
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    ::DestroyWindow(owner);
    return 0;
}
