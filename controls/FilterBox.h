#pragma once

#include "framework/Wnd.h"

#include <string>

// The toolbar's filter box: a Unicode edit with a cue text while empty. Esc empties it and
// gives the keyboard to the list it filters, Enter gives it there as it is; its owner hears
// EN_CHANGE as from any edit. Tab and F6 are the frame's accelerators and never reach it.
class CFilterBox : public fw::CWnd {
public:
    bool Create(HWND parent, UINT id, HWND list);
    // What the box holds, in UTF-8.
    std::string GetText() const;
    // Takes the keyboard with the whole text selected, so that typing replaces it.
    void Activate() const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HWND m_hWndList = nullptr;
};
