// The keyboard in the owner-drawn popups: the system matches typed letters only against item
// texts it holds, so the "&" letters of the item records answer WM_MENUCHAR here.
#include "menu/StyledMenu.h"

#include <algorithm>
#include <vector>

namespace {

wchar_t UpperCase(wchar_t c)
{
    wchar_t text[2] = {c, L'\0'};
    ::CharUpperW(text);
    return text[0];
}

// The letter after the first single "&" of `text` ("&&" shows an "&"), upper case; 0 if none.
wchar_t Mnemonic(const wchar_t* text)
{
    for (const wchar_t* p = text; p != nullptr && p[0] != L'\0'; ++p) {
        if (p[0] != L'&')
            continue;
        if (p[1] != L'&')
            return UpperCase(p[1]);
        ++p;
    }
    return 0;
}

} // namespace

bool CStyledMenu::OnMenuChar(UINT ch, LRESULT& result)
{
    // The window is an ANSI one: the key comes in the ANSI code page.
    const char ansi = static_cast<char>(ch);
    wchar_t key = 0;
    if (::MultiByteToWideChar(CP_ACP, 0, &ansi, 1, &key, 1) != 1 || key == 0)
        return false;
    key = UpperCase(key);

    std::vector<int> matches;
    int highlighted = -1;
    const int count = ::GetMenuItemCount(m_hMenu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
        if (!::GetMenuItemInfoW(m_hMenu, static_cast<UINT>(position), TRUE, &info))
            continue;
        if ((info.fState & MFS_HILITE) != 0)
            highlighted = position;
        const auto* record = reinterpret_cast<const CStyledMenuItem*>(info.dwItemData);
        if ((info.fType & MFT_OWNERDRAW) != 0 && record != nullptr &&
            Mnemonic(record->m_pwszText.get()) == key)
            matches.push_back(position);
    }
    if (matches.empty())
        return false;
    if (matches.size() == 1) {
        result = MAKELRESULT(matches.front(), MNC_EXECUTE);
        return true;
    }
    const auto next = std::upper_bound(matches.begin(), matches.end(), highlighted);
    result = MAKELRESULT(next != matches.end() ? *next : matches.front(), MNC_SELECT);
    return true;
}
