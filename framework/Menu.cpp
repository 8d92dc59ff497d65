#include "framework/Menu.h"

#include <unordered_map>

namespace fw {

namespace {
// Menu to object, like the window map: menus are used on the thread that made them.
std::unordered_map<HMENU, CMenu*>& Objects()
{
    thread_local std::unordered_map<HMENU, CMenu*> objects;
    return objects;
}

// The popup under `menu` (or `menu` itself) that holds the item `id` whose item data is
// `data`. The data tells apart the items that share an id, such as separators (id 0).
HMENU FindItemMenu(HMENU menu, UINT id, ULONG_PTR data)
{
    int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info))
            continue;
        if (info.hSubMenu != nullptr) {
            if (HMENU found = FindItemMenu(info.hSubMenu, id, data))
                return found;
        } else if (info.wID == id && info.dwItemData == data) {
            return menu;
        }
    }
    return nullptr;
}
} // namespace

CMenu::~CMenu()
{
    if (m_hMenu != nullptr) {
        HMENU hMenu = Detach();
        // The menu of a window is destroyed with the window, often before its object.
        if (::IsMenu(hMenu))
            ::DestroyMenu(hMenu);
    }
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    auto& objects = Objects();
    auto found = objects.find(hMenu);
    return found != objects.end() ? found->second : nullptr;
}

bool CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr || FromHandle(hMenu) != nullptr)
        return false;
    m_hMenu = hMenu;
    Objects()[hMenu] = this;
    return true;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr)
        Objects().erase(hMenu);
    m_hMenu = nullptr;
    return hMenu;
}

bool CMenu::DestroyMenu()
{
    HMENU hMenu = Detach();
    return hMenu != nullptr && ::DestroyMenu(hMenu) != FALSE;
}

bool CMenu::MeasureItem(MEASUREITEMSTRUCT*)
{
    return false;
}

bool CMenu::DrawItem(DRAWITEMSTRUCT*)
{
    return false;
}

bool CMenu::OnMenuChar(UINT, LRESULT&)
{
    return false;
}

bool CMenu::RouteMeasureItem(HWND owner, MEASUREITEMSTRUCT* mis)
{
    HMENU bar = ::GetMenu(owner);
    HMENU menu = bar != nullptr ? FindItemMenu(bar, mis->itemID, mis->itemData) : nullptr;
    CMenu* object = FromHandle(menu);
    return object != nullptr && object->MeasureItem(mis);
}

bool CMenu::RouteDrawItem(DRAWITEMSTRUCT* dis)
{
    CMenu* object = FromHandle(reinterpret_cast<HMENU>(dis->hwndItem));
    return object != nullptr && object->DrawItem(dis);
}

bool CMenu::RouteMenuChar(HMENU menu, UINT ch, LRESULT& result)
{
    CMenu* object = FromHandle(menu);
    return object != nullptr && object->OnMenuChar(ch, result);
}

} // namespace fw
