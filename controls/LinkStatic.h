#pragma once

#include "framework/Gdi.h"
#include "framework/Wnd.h"

#include <string>

// A static control of a dialog template that paints itself: a rectangle filled with one
// colour (a colour swatch), optionally with a text drawn underlined in the dialog's font
// (a hyperlink, which also shows the hand cursor). Clicks reach the dialog as STN_CLICKED
// when the template gives the control SS_NOTIFY, and so do Space and Enter while it has the
// focus (as a tab stop), which it shows with a dotted frame.
class CLinkStatic : public fw::CWnd {
public:
    CLinkStatic();

    // Fills the control with `crColor` from now on; repaints it at once.
    CLinkStatic& SetColor(COLORREF crColor);
    // Draws `strText` in `crText` over the fill; an empty text makes the control a swatch.
    CLinkStatic& SetLinkText(const std::string& strText, COLORREF crText);
    COLORREF GetColor() const { return m_crColor; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Redraw();
    void CreateUnderlineFont();
    void OnPaint();
    // Paints the whole client area into `dc` through an off-screen bitmap.
    void PaintTo(HDC dc);

    COLORREF m_crColor = RGB(255, 255, 255);
    COLORREF m_crTextColor = RGB(0, 0, 0);
    fw::CBrush m_brush;
    std::string m_strLinkText;
    // A shared resource cursor: never destroyed.
    HCURSOR m_hHandCursor;
    bool m_bFontReady = false;
    fw::CFont m_fontUnderline;
};
