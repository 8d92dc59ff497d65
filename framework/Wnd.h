#pragma once

#include <windows.h>

namespace fw {

// Base of every window object. One static window procedure binds the object to its
// HWND (on WM_NCCREATE for our own classes, by subclassing for system controls) and
// forwards each message to the virtual WindowProc.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    operator HWND() const { return m_hWnd; }
    bool IsWindow() const { return m_hWnd != nullptr && ::IsWindow(m_hWnd); }

    // The object bound to a window, or nullptr.
    static CWnd* FromHandle(HWND hWnd);

    // Binds this object to an existing window (a system control) by subclassing it; a Unicode
    // window stays one.
    bool SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    // Creates a window of a class registered with RegisterWndClass (or a system class,
    // which is then subclassed).
    bool CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                  HWND parent, UINT idOrMenu, void* createParam = nullptr);
    bool DestroyWindow();

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, msg, wParam, lParam);
    }
    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, msg, wParam, lParam) != FALSE;
    }
    void Invalidate(bool erase = true) const
    {
        ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE);
    }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    void MoveWindow(const RECT& rc, bool repaint = true) const;
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const
    {
        return ::SetTimer(m_hWnd, id, elapse, nullptr);
    }
    bool KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id) != FALSE; }

    // Registers (once) a window class whose procedure is the shared one.
    static LPCSTR RegisterWndClass(LPCSTR name, UINT classStyle, HCURSOR cursor = nullptr,
                                   HBRUSH background = nullptr, HICON icon = nullptr);

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Default processing: the superclass procedure or DefWindowProc.
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

    // A parent reflects WM_NOTIFY and WM_DRAWITEM / WM_MEASUREITEM back to the control's
    // object; return true when handled, with the message result in *result.
    virtual bool OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_COMMAND; return true when handled.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, once the object is unbound from its window.
    virtual void PostNcDestroy() {}
    // Records the object as the window's (dialogs bind themselves on WM_INITDIALOG).
    void Bind(HWND hWnd);

    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK StaticWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);

    WNDPROC m_pfnSuper = nullptr;
    // The subclassed control is a Unicode window.
    bool m_bUnicode = false;
};

} // namespace fw
