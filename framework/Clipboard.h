#pragma once

#include <windows.h>

#include <string>

namespace fw {

// OpenClipboard / CloseClipboard pair: the clipboard is closed again whatever happens while
// it is open.
class CClipboard {
public:
    explicit CClipboard(HWND owner) : m_bOpen(::OpenClipboard(owner) != FALSE) {}
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;
    ~CClipboard()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }

    bool IsOpen() const { return m_bOpen; }
    // Replaces the clipboard's content by `text` as CF_TEXT. When the clipboard is not open or
    // no memory can be had for the text, the old content stays and the result is false.
    bool SetText(const std::string& text);

private:
    bool m_bOpen;
};

} // namespace fw
