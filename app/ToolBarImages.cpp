#include "app/ToolBarImages.h"

#include "res/resource.h"

#include <commctrl.h>

namespace {

// Calls `change` with the blue, green and red bytes of every pixel of a 24-bit DIB section.
template <class Change> void ForEachPixel(HBITMAP bitmap, Change change)
{
    DIBSECTION section = {};
    if (::GetObjectA(bitmap, sizeof(section), &section) != sizeof(section) ||
        section.dsBm.bmBits == nullptr || section.dsBm.bmBitsPixel != 24)
        return;
    auto* bits = static_cast<BYTE*>(section.dsBm.bmBits);
    // Rows of a DIB are padded to 4 bytes.
    for (LONG y = 0; y < section.dsBm.bmHeight; ++y) {
        BYTE* pixel = bits + y * section.dsBm.bmWidthBytes;
        for (LONG x = 0; x < section.dsBm.bmWidth; ++x, pixel += 3)
            change(pixel);
    }
}

// Turns every pixel that is not the button face into a pale grey of its brightness: the
// image of a disabled button.
void GreyOut(HBITMAP bitmap)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ForEachPixel(bitmap, [face](BYTE* pixel) {
        if (RGB(pixel[2], pixel[1], pixel[0]) == face)
            return;
        // The pixel's brightness, moved half-way to white: a pale grey image.
        const int luminance = (pixel[2] * 30 + pixel[1] * 59 + pixel[0] * 11) / 100;
        pixel[0] = pixel[1] = pixel[2] = static_cast<BYTE>((luminance + 255) / 2);
    });
}

} // namespace

void ReplaceGrey(HBITMAP bitmap)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ForEachPixel(bitmap, [face](BYTE* pixel) {
        if (pixel[0] == 0xC0 && pixel[1] == 0xC0 && pixel[2] == 0xC0) {
            pixel[0] = GetBValue(face);
            pixel[1] = GetGValue(face);
            pixel[2] = GetRValue(face);
        }
    });
}

fw::CBitmap CToolBarImages::LoadButtonBitmap(UINT id)
{
    fw::CBitmap bitmap(static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                         MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                                         LR_CREATEDIBSECTION | LR_DEFAULTSIZE)));
    ReplaceGrey(bitmap);
    return bitmap;
}

void CToolBarImages::Load(HWND toolbar)
{
    fw::CBitmap bitmap = LoadButtonBitmap(IDB_TOOLBAR);
    // The lists have no mask, so the whole bitmap is added unchanged; each keeps its own copy.
    for (fw::CImageList* list : {&m_imlNormal, &m_imlHot, &m_imlDisabled}) {
        if (list == &m_imlDisabled)
            GreyOut(bitmap);
        list->Create(24, 24, ILC_COLOR24, 7, 0);
        ::ImageList_AddMasked(*list, bitmap, 0);
    }
    ::SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imlNormal.Get()));
    ::SendMessageA(toolbar, TB_SETDISABLEDIMAGELIST, 0,
                   reinterpret_cast<LPARAM>(m_imlDisabled.Get()));
    ::SendMessageA(toolbar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imlHot.Get()));
}

void CToolBarImages::SetButtonImage(int image, UINT bitmapId)
{
    fw::CBitmap bitmap = LoadButtonBitmap(bitmapId);
    ::ImageList_Replace(m_imlNormal, image, bitmap, nullptr);
    ::ImageList_Replace(m_imlHot, image, bitmap, nullptr);
}

void CToolBarImages::ShowOn(HWND toolbar) const
{
    ::SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imlNormal.Get()));
    ::SendMessageA(toolbar, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imlHot.Get()));
    ::InvalidateRect(toolbar, nullptr, TRUE);
}
