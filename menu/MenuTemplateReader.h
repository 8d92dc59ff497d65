#pragma once

#include <windows.h>

#include <string>

// Reads a standard menu template (the MENU resource): WORD version and WORD offset of the
// items after this header, then per item its WORD option flags, a WORD command unless the
// item opens a popup, and its text, zero-terminated UTF-16. Every read is checked against
// the resource's size, so a damaged template ends the reading instead of overrunning it.
class CMenuTemplateReader {
public:
    CMenuTemplateReader(const BYTE* data, DWORD size) : m_data(data), m_size(size) {}

    // The header; false when the template is too short for it.
    bool Header();
    // The next item; false when the template ends inside it.
    bool Item(WORD& option, WORD& id, std::wstring& text);

private:
    bool Word(WORD& value);

    const BYTE* m_data;
    DWORD m_size;
    DWORD m_at = 0;
};
