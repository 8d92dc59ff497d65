#include "framework/FrameWnd.h"

#include "framework/Dpi.h"
#include "framework/StatusBar.h"
#include "framework/WinApp.h"

#include <commctrl.h>

namespace fw {

std::string LoadResString(UINT id)
{
    char text[512] = {};
    int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, text, sizeof(text));
    return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string();
}

CFrameWnd::~CFrameWnd() = default;

bool CFrameWnd::PreCreateWindow(CREATESTRUCTA&)
{
    return true;
}

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, HWND parent)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    std::string title = LoadResString(resourceId);
    CREATESTRUCTA cs = {};
    cs.hInstance = instance;
    cs.hMenu = ::LoadMenuA(instance, MAKEINTRESOURCEA(resourceId));
    cs.hwndParent = parent;
    cs.style = style;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.lpszName = title.c_str();
    cs.lpszClass = RegisterWndClass("fw.Frame", CS_DBLCLKS);
    cs.dwExStyle = WS_EX_CLIENTEDGE;
    if (!PreCreateWindow(cs)) {
        if (cs.hMenu != nullptr)
            ::DestroyMenu(cs.hMenu);
        return false;
    }
    m_hAccel = ::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(resourceId));
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, instance, this);
    if (hWnd == nullptr)
        return false;
    // A WM_SIZE that comes while WM_CREATE runs (a SetWindowPos there) sees a client
    // area that is not final yet, and it takes the place of the one that would follow.
    RecalcLayout();
    return true;
}

RECT CFrameWnd::RepositionQuery() const
{
    RECT rc = GetClientRect();
    HWND toolBar = GetDlgItem(static_cast<int>(AFX_IDW_TOOLBAR));
    if (toolBar != nullptr && ::IsWindowVisible(toolBar)) {
        RECT bar;
        ::GetWindowRect(toolBar, &bar);
        rc.top += bar.bottom - bar.top;
    }
    HWND statusBar = GetDlgItem(static_cast<int>(AFX_IDW_STATUS_BAR));
    if (statusBar != nullptr && ::IsWindowVisible(statusBar)) {
        RECT bar;
        ::GetWindowRect(statusBar, &bar);
        rc.bottom -= bar.bottom - bar.top;
    }
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    return rc;
}

void CFrameWnd::RecalcLayout(bool)
{
    RECT client = GetClientRect();
    HWND toolBar = GetDlgItem(static_cast<int>(AFX_IDW_TOOLBAR));
    if (toolBar != nullptr && ::IsWindowVisible(toolBar)) {
        // The toolbar spans the client width, as high as its buttons plus a margin.
        DWORD size = static_cast<DWORD>(::SendMessageA(toolBar, TB_GETBUTTONSIZE, 0, 0));
        int height = HIWORD(size) + ScaleForDpi(6, GetWindowDpi(m_hWnd));
        ::MoveWindow(toolBar, 0, 0, client.right, height, TRUE);
    }
    HWND statusBar = GetDlgItem(static_cast<int>(AFX_IDW_STATUS_BAR));
    if (statusBar != nullptr && ::IsWindowVisible(statusBar))
        ::SendMessageA(statusBar, WM_SIZE, 0, 0);
}

void CFrameWnd::SetMessageText(const char* text)
{
    auto* bar =
        dynamic_cast<CStatusBar*>(FromHandle(GetDlgItem(static_cast<int>(AFX_IDW_STATUS_BAR))));
    if (bar != nullptr && bar->GetCount() > 0)
        bar->SetPaneText(0, text);
}

std::string CFrameWnd::GetIdleMessage() const
{
    return LoadResString(AFX_IDS_IDLEMESSAGE);
}

void CFrameWnd::SetMessageText(UINT stringId)
{
    std::string text = stringId == AFX_IDS_IDLEMESSAGE ? GetIdleMessage() : LoadResString(stringId);
    SetMessageText(text.substr(0, text.find('\n')).c_str());
}

void CFrameWnd::ToggleBar(UINT barId)
{
    HWND bar = GetDlgItem(static_cast<int>(barId));
    if (bar == nullptr)
        return;
    ::ShowWindow(bar, ::IsWindowVisible(bar) ? SW_HIDE : SW_SHOW);
    RecalcLayout();
}

bool CFrameWnd::OnToolTipText(NMHDR* hdr)
{
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    if (info->uFlags & TTF_IDISHWND)
        return false;
    // The tooltip is the part of the command's prompt string after the newline.
    std::string text = LoadResString(static_cast<UINT>(hdr->idFrom));
    std::size_t newline = text.find('\n');
    text = newline == std::string::npos ? std::string() : text.substr(newline + 1);
    lstrcpynA(m_szTipText, text.c_str(), sizeof(m_szTipText));
    info->lpszText = m_szTipText;
    info->hinst = nullptr;
    return true;
}

CCommandState CFrameWnd::GetCommandState(UINT id) const
{
    CCommandState state;
    if (id == ID_VIEW_TOOLBAR || id == ID_VIEW_STATUS_BAR) {
        HWND bar = GetDlgItem(static_cast<int>(id));
        state.nCheck = bar != nullptr && ::IsWindowVisible(bar) ? 1 : 0;
    }
    return state;
}

void CFrameWnd::OnInitMenuPopup(HMENU menu) const
{
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT id = ::GetMenuItemID(menu, position);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue; // a separator or a popup
        const CCommandState state = GetCommandState(id);
        const UINT item = static_cast<UINT>(position);
        ::EnableMenuItem(menu, item, MF_BYPOSITION | (state.bEnabled ? MF_ENABLED : MF_GRAYED));
        if (state.nCheck >= 0)
            ::CheckMenuItem(menu, item, MF_BYPOSITION | (state.nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CFrameWnd::UpdateToolBar() const
{
    HWND toolBar = GetDlgItem(static_cast<int>(AFX_IDW_TOOLBAR));
    const int count =
        toolBar != nullptr ? static_cast<int>(::SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0)) : 0;
    for (int index = 0; index < count; ++index) {
        TBBUTTON button = {};
        ::SendMessageA(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&button));
        if (button.idCommand == 0)
            continue;
        const bool enabled = GetCommandState(static_cast<UINT>(button.idCommand)).bEnabled;
        // Sent only on a change: the button repaints on every TB_ENABLEBUTTON.
        if (((button.fsState & TBSTATE_ENABLED) != 0) != enabled)
            ::SendMessageA(toolBar, TB_ENABLEBUTTON, static_cast<WPARAM>(button.idCommand),
                           MAKELPARAM(enabled, 0));
    }
}

LRESULT CFrameWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            RecalcLayout();
        return 0;
    case WM_MENUSELECT: {
        UINT item = LOWORD(wParam);
        UINT flags = HIWORD(wParam);
        if (flags == 0xFFFF && lParam == 0)
            SetMessageText(AFX_IDS_IDLEMESSAGE);
        else if ((flags & (MF_POPUP | MF_SEPARATOR)) == 0 && item != 0)
            SetMessageText(item);
        else
            SetMessageText("");
        return 0;
    }
    case WM_EXITMENULOOP:
        SetMessageText(AFX_IDS_IDLEMESSAGE);
        break;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == TTN_GETDISPINFOA && OnToolTipText(hdr))
            return 0;
        break;
    }
    case WM_COMMAND:
        // Greyed in the menus and on the toolbar; an accelerator must not get past that either.
        if (!GetCommandState(LOWORD(wParam)).bEnabled)
            return 0;
        if (OnCommand(wParam, lParam))
            return 0;
        switch (LOWORD(wParam)) {
        case ID_VIEW_TOOLBAR:
        case ID_VIEW_STATUS_BAR:
            ToggleBar(LOWORD(wParam));
            return 0;
        case ID_APP_EXIT:
            PostMessage(WM_CLOSE);
            return 0;
        }
        return Default(msg, wParam, lParam);
    case WM_DESTROY:
        if (CWinApp::Get() != nullptr && CWinApp::Get()->GetMainWnd() == m_hWnd)
            ::PostQuitMessage(0);
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

} // namespace fw
