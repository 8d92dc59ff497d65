#include "controls/FilterBox.h"

#include "framework/Text.h"

#include <commctrl.h>

bool CFilterBox::Create(HWND parent, UINT id, HWND list)
{
    m_hWndList = list;
    HWND hWnd = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, 0, 0, 0,
                                  0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (hWnd == nullptr || !SubclassWindow(hWnd))
        return false;
    // Shown by the common controls 6 that the manifest asks for.
    ::SendMessageW(hWnd, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"Filter (Ctrl+F)"));
    return true;
}

std::string CFilterBox::GetText() const
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(m_hWnd, &text[0], static_cast<int>(text.size()))));
    return fw::WideToUtf8(text);
}

void CFilterBox::Activate() const
{
    ::SetFocus(m_hWnd);
    ::SendMessageW(m_hWnd, EM_SETSEL, 0, -1);
}

LRESULT CFilterBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && ::GetWindowTextLengthW(m_hWnd) > 0)
            ::SetWindowTextW(m_hWnd, L"");
        if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
            ::SetFocus(m_hWndList);
            return 0;
        }
        break;
    case WM_CHAR:
        // Their characters follow the keys to the edit, which would beep at them.
        if (wParam == VK_ESCAPE || wParam == VK_RETURN)
            return 0;
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}
