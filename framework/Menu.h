#pragma once

#include <windows.h>

namespace fw {

// A menu object bound to an HMENU. Owner-drawn items reach the object of their menu:
// WM_MEASUREITEM the object of the popup that holds the item's command, WM_DRAWITEM the
// object of the popup handle in the message. A popup therefore stays bound for as long
// as it can be shown; a menu bar whose items are plain text need not be.
class CMenu {
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    // Destroys the bound menu, if the system has not already done so.
    virtual ~CMenu();

    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return m_hMenu; }

    // The object bound to a menu, or nullptr.
    static CMenu* FromHandle(HMENU hMenu);

    bool Attach(HMENU hMenu);
    HMENU Detach();
    virtual bool DestroyMenu();

    // Return false to leave the item to the default processing.
    virtual bool MeasureItem(MEASUREITEMSTRUCT* mis);
    virtual bool DrawItem(DRAWITEMSTRUCT* dis);
    // WM_MENUCHAR: a key that the system matched to no item of this menu (it finds no letter
    // in owner-drawn items). Return false to leave it to the default processing.
    virtual bool OnMenuChar(UINT ch, LRESULT& result);

    // The routing of a window's WM_MEASUREITEM and WM_DRAWITEM for menu items; true when
    // a menu object handled the message.
    static bool RouteMeasureItem(HWND owner, MEASUREITEMSTRUCT* mis);
    static bool RouteDrawItem(DRAWITEMSTRUCT* dis);
    static bool RouteMenuChar(HMENU menu, UINT ch, LRESULT& result);

protected:
    HMENU m_hMenu = nullptr;
};

} // namespace fw
