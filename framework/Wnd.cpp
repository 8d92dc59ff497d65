#include "framework/Wnd.h"

#include "framework/Menu.h"

#include <unordered_map>

namespace fw {

namespace {
// A subclassed control keeps its character set: a Unicode control gets its messages unconverted.
LONG_PTR SetProc(HWND hWnd, bool unicode, WNDPROC proc)
{
    const auto value = reinterpret_cast<LONG_PTR>(proc);
    return unicode ? ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, value)
                   : ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, value);
}

// Window to object, for the windows of this thread. A window property would do the same
// but costs a wineserver round trip per message under Wine.
std::unordered_map<HWND, CWnd*>& Objects()
{
    thread_local std::unordered_map<HWND, CWnd*> objects;
    return objects;
}
} // namespace

CWnd::~CWnd()
{
    if (m_hWnd != nullptr) {
        // The window outlives its object only by mistake; keep late messages away.
        Objects().erase(m_hWnd);
        if (m_pfnSuper != nullptr)
            SetProc(m_hWnd, m_bUnicode, m_pfnSuper);
        ::DestroyWindow(m_hWnd);
    }
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    auto& objects = Objects();
    auto found = objects.find(hWnd);
    return found != objects.end() ? found->second : nullptr;
}

void CWnd::Bind(HWND hWnd)
{
    m_hWnd = hWnd;
    Objects()[hWnd] = this;
}

bool CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandle(hWnd) != nullptr)
        return false;
    Bind(hWnd);
    m_bUnicode = ::IsWindowUnicode(hWnd) != FALSE;
    m_pfnSuper = reinterpret_cast<WNDPROC>(SetProc(hWnd, m_bUnicode, &CWnd::StaticWndProc));
    return true;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr)
        SetProc(hWnd, m_bUnicode, m_pfnSuper);
    Objects().erase(hWnd);
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    return hWnd;
}

LPCSTR CWnd::RegisterWndClass(LPCSTR name, UINT classStyle, HCURSOR cursor, HBRUSH background,
                              HICON icon)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    if (::GetClassInfoExA(instance, name, &wc))
        return name;
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    return ::RegisterClassExA(&wc) != 0 ? name : nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                    const RECT& rect, HWND parent, UINT idOrMenu, void* createParam)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    bool ours = ::GetClassInfoExA(::GetModuleHandleA(nullptr), className, &wc) &&
                wc.lpfnWndProc == &CWnd::StaticWndProc;
    HMENU menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(idOrMenu));
    HWND hWnd = ::CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                                  ::GetModuleHandleA(nullptr), ours ? this : createParam);
    if (hWnd == nullptr)
        return false;
    if (!ours)
        SubclassWindow(hWnd);
    return m_hWnd != nullptr;
}

bool CWnd::DestroyWindow()
{
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd) != FALSE;
}

RECT CWnd::GetClientRect() const
{
    RECT rc = {};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetWindowRect() const
{
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    return rc;
}

void CWnd::MoveWindow(const RECT& rc, bool repaint) const
{
    ::MoveWindow(m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 repaint ? TRUE : FALSE);
}

LRESULT CWnd::Default(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return m_bUnicode ? ::CallWindowProcW(m_pfnSuper, m_hWnd, msg, wParam, lParam)
                          : ::CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

bool CWnd::OnCommand(WPARAM, LPARAM)
{
    return false;
}

bool CWnd::Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND child = nullptr;
    switch (msg) {
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis->CtlType == ODT_MENU)
            return CMenu::RouteDrawItem(dis);
        child = dis->hwndItem;
        break;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis->CtlType == ODT_MENU)
            return CMenu::RouteMeasureItem(m_hWnd, mis);
        child = GetDlgItem(static_cast<int>(mis->CtlID));
        break;
    }
    default:
        return false;
    }
    CWnd* object = FromHandle(child);
    return object != nullptr && object != this &&
           object->OnChildNotify(msg, wParam, lParam, result);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM: {
        LRESULT result = 0;
        if (Reflect(msg, wParam, lParam, &result))
            return msg == WM_NOTIFY ? result : TRUE;
        break;
    }
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_MENUCHAR: {
        LRESULT result = 0;
        if (CMenu::RouteMenuChar(reinterpret_cast<HMENU>(lParam), LOWORD(wParam), result))
            return result;
        break;
    }
    }
    return Default(msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* object = FromHandle(hWnd);
    if (object == nullptr && msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        object = static_cast<CWnd*>(cs->lpCreateParams);
        if (object != nullptr)
            object->Bind(hWnd);
    }
    if (object == nullptr)
        return ::DefWindowProcA(hWnd, msg, wParam, lParam);

    LRESULT result = object->WindowProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        object->UnsubclassWindow();
        object->PostNcDestroy();
    }
    return result;
}

} // namespace fw
