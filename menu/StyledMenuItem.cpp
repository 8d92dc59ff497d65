#include "menu/StyledMenuItem.h"

#include <cwchar>
#include <vector>

void CStyledMenuItem::SetText(LPCWSTR text)
{
    m_pwszText.reset();
    if (text == nullptr)
        return;
    std::size_t length = std::wcslen(text);
    m_pwszText = std::make_unique<wchar_t[]>(length + 1);
    std::wmemcpy(m_pwszText.get(), text, length + 1);
}

void CStyledMenuItem::SetText(LPCSTR text)
{
    if (text == nullptr) {
        SetText(static_cast<LPCWSTR>(nullptr));
        return;
    }
    int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(length > 0 ? length : 1));
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    SetText(wide.data());
}

std::string CStyledMenuItem::GetText() const
{
    if (!m_pwszText)
        return std::string();
    int length =
        ::WideCharToMultiByte(CP_ACP, 0, m_pwszText.get(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1)
        return std::string();
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, m_pwszText.get(), -1, &text[0], length, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(length - 1));
    return text;
}
