#include "menu/MenuTemplateReader.h"

bool CMenuTemplateReader::Word(WORD& value)
{
    if (m_data == nullptr || m_size < 2 || m_at > m_size - 2)
        return false;
    value = static_cast<WORD>(m_data[m_at] | (m_data[m_at + 1] << 8));
    m_at += 2;
    return true;
}

bool CMenuTemplateReader::Header()
{
    WORD version = 0;
    WORD offset = 0;
    if (!Word(version) || !Word(offset))
        return false;
    m_at += offset;
    return m_at <= m_size;
}

bool CMenuTemplateReader::Item(WORD& option, WORD& id, std::wstring& text)
{
    id = 0;
    text.clear();
    if (!Word(option) || ((option & MF_POPUP) == 0 && !Word(id)))
        return false;
    for (WORD c; Word(c);) {
        if (c == 0)
            return true;
        text.push_back(static_cast<wchar_t>(c));
    }
    return false;
}
