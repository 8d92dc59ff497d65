#pragma once

#include "framework/ImageList.h"

#include <windows.h>

#include <memory>
#include <string>

// The record of one owner-drawn menu item; its address is the item's data. It owns its
// text and its image list.
class CStyledMenuItem {
public:
    // Stores a copy of `text` (nullptr stores none).
    void SetText(LPCWSTR text);
    // Stores `text` converted from the ANSI code page.
    void SetText(LPCSTR text);
    // The text in the ANSI code page; empty when there is none.
    std::string GetText() const;

    // Exactly as in the resource ("&" markers included), after alignment with padding
    // blanks, a tab and the shortcut.
    std::unique_ptr<wchar_t[]> m_pwszText;
    // Entry of m_pImageList showing the item's image; -1 when there is none.
    int m_nImageIndex = -1;
    // Bitmap resource the image came from; -1 when there is none.
    int m_nImageId = -1;
    // The MF_ flags the item was appended or modified with.
    UINT m_nFlags = 0;
    // The command, or the handle of a popup.
    UINT_PTR m_nID = 0;
    std::unique_ptr<fw::CImageList> m_pImageList;
};
