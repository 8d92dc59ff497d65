#pragma once

#include <string>

namespace fw {

// Conversions between the program's UTF-8 texts and the system's UTF-16 and 8-bit code page.
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
// The code page's 8-bit text; letters it lacks become its default character.
std::string Utf8ToAnsi(const std::string& text);
std::string AnsiToUtf8(const std::string& text);
// Copies `text` into `buffer` of `size` characters, cut to fit, always terminated.
void CopyUtf8(const std::string& text, wchar_t* buffer, int size);

} // namespace fw
