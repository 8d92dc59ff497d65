#include "framework/Text.h"

#include <windows.h>

namespace fw {

namespace {

std::wstring ToWide(UINT codePage, const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

std::string FromWide(UINT codePage, const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = static_cast<int>(text.size());
    const int length =
        ::WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(codePage, 0, text.data(), size, &narrow[0], length, nullptr, nullptr);
    return narrow;
}

} // namespace

std::wstring Utf8ToWide(const std::string& text)
{
    return ToWide(CP_UTF8, text);
}

std::string WideToUtf8(const std::wstring& text)
{
    return FromWide(CP_UTF8, text);
}

std::string Utf8ToAnsi(const std::string& text)
{
    return FromWide(CP_ACP, ToWide(CP_UTF8, text));
}

std::string AnsiToUtf8(const std::string& text)
{
    return FromWide(CP_UTF8, ToWide(CP_ACP, text));
}

void CopyUtf8(const std::string& text, wchar_t* buffer, int size)
{
    if (buffer == nullptr || size <= 0)
        return;
    int length = text.empty()
                     ? 0
                     : ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                             buffer, size - 1);
    // Too long for the buffer: as much as fits.
    if (length == 0 && !text.empty()) {
        const std::wstring wide = Utf8ToWide(text);
        length = static_cast<int>(wide.size() < static_cast<std::size_t>(size - 1)
                                      ? wide.size()
                                      : static_cast<std::size_t>(size - 1));
        wide.copy(buffer, static_cast<std::size_t>(length));
    }
    buffer[length] = L'\0';
}

} // namespace fw
