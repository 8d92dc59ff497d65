// Item images (from bitmap resources, or a toolbar strip), their disabled look, and the
// check mark glyphs.
#include "menu/StyledMenu.h"

#include "framework/StandardIds.h"

bool CStyledMenu::LookUpToolbarImage(UINT id, int toolbarId, int& index)
{
    // The toolbar layout resource: WORD version, width, height, count, then the commands,
    // 0 for a separator; image i belongs to the i-th command.
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(LOWORD(toolbarId)),
                                     MAKEINTRESOURCEA(RT_TOOLBAR_LAYOUT));
    HGLOBAL loaded = resource != nullptr ? ::LoadResource(instance, resource) : nullptr;
    const auto* words = static_cast<const WORD*>(loaded ? ::LockResource(loaded) : nullptr);
    DWORD size = resource != nullptr ? ::SizeofResource(instance, resource) : 0;
    if (words == nullptr || size < 4 * sizeof(WORD) || size < (4u + words[3]) * sizeof(WORD))
        return false;
    int image = 0;
    for (WORD i = 0; i < words[3]; ++i) {
        WORD command = words[4 + i];
        if (command == id) {
            if (image > 0)
                index = image;
            return true;
        }
        if (command != 0)
            ++image;
    }
    return false;
}

bool CStyledMenu::AddImageToList(HIMAGELIST list, int bitmapId) const
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    LPCSTR name = MAKEINTRESOURCEA(LOWORD(bitmapId));
    HRSRC resource = ::FindResourceA(instance, name, RT_BITMAP);
    HGLOBAL loaded = resource != nullptr ? ::LoadResource(instance, resource) : nullptr;
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(loaded ? ::LockResource(loaded) : nullptr);
    if (header == nullptr || ::SizeofResource(instance, resource) < sizeof(BITMAPINFOHEADER))
        return false;
    int colors = LOWORD(header->biClrUsed);
    if (colors == 0 && header->biBitCount <= 8)
        colors = 1 << header->biBitCount;
    COLORREF transparent = m_bUseImageBack ? m_crImageBack : ::GetSysColor(COLOR_3DFACE);
    // A 16-colour bitmap takes the current button colours in place of the standard ones.
    fw::CBitmap bitmap(
        colors == 16 ? ::CreateMappedBitmap(instance, LOWORD(bitmapId), 0, nullptr, 0) : nullptr);
    if (bitmap == nullptr)
        bitmap.Reset(::LoadBitmapA(instance, name));
    return bitmap != nullptr && ::ImageList_AddMasked(list, bitmap, transparent) >= 0;
}

fw::CBitmap CStyledMenu::RenderListImage(HDC target, HIMAGELIST list, int index) const
{
    HICON icon = ::ImageList_GetIcon(list, index, ILD_NORMAL);
    fw::CMemDC mem(target);
    fw::CBitmap out(::CreateCompatibleBitmap(target, m_cxImage, m_cyImage));
    fw::CBrush menu(::CreateSolidBrush(::GetSysColor(COLOR_MENU)));
    {
        fw::CSelectObject selected(mem, out);
        ::DrawIconEx(mem, 0, 0, icon, m_cxImage, m_cyImage, 0, menu, DI_NORMAL);
    }
    if (icon != nullptr)
        ::DestroyIcon(icon);
    return out;
}

void CStyledMenu::DrawEmbossedImage(HDC target, int x, int y, int cx, int cy, HBITMAP source,
                                    int sx, int sy, COLORREF back)
{
    // 0xE20746 paints the selected brush where the monochrome source is white and keeps the
    // destination where it is black.
    const DWORD kBrushWhereWhite = 0xE20746;
    fw::CMemDC maskDC;
    fw::CBitmap mask(::CreateCompatibleBitmap(maskDC, cx, cy));
    fw::CSelectObject selectedMask(maskDC, mask);
    fw::CMemDC sourceDC(target);
    fw::CSelectObject selectedSource(sourceDC, source);

    // The mask: black where the image has a colour other than face and highlight.
    ::PatBlt(maskDC, 0, 0, cx, cy, WHITENESS);
    ::SetBkColor(sourceDC, ::GetSysColor(COLOR_BTNFACE));
    ::BitBlt(maskDC, 0, 0, cx, cy, sourceDC, sx, sy, SRCCOPY);
    ::SetBkColor(sourceDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::BitBlt(maskDC, 0, 0, cx, cy, sourceDC, sx, sy, SRCPAINT);

    fw::FillSolidRect(sourceDC, RECT{0, 0, cx, cy}, back);
    ::SetBkColor(sourceDC, RGB(0, 0, 0));
    ::SetTextColor(sourceDC, RGB(255, 255, 255));
    fw::CBrush highlight(::CreateSolidBrush(::GetSysColor(COLOR_BTNHIGHLIGHT)));
    fw::CBrush shadow(::CreateSolidBrush(::GetSysColor(COLOR_BTNSHADOW)));
    {
        fw::CSelectObject brush(sourceDC, highlight);
        ::BitBlt(sourceDC, 0, 0, cx, cy, maskDC, 0, 0, kBrushWhereWhite);
        ::BitBlt(target, x + 1, y + 1, cx, cy, sourceDC, 0, 0, SRCCOPY);
        ::BitBlt(sourceDC, 1, 1, cx, cy, maskDC, 0, 0, kBrushWhereWhite);
    }
    fw::CSelectObject brush(sourceDC, shadow);
    ::BitBlt(sourceDC, 0, 0, cx, cy, maskDC, 0, 0, kBrushWhereWhite);
    ::BitBlt(target, x, y, cx, cy, sourceDC, 0, 0, SRCCOPY);
}

void CStyledMenu::DrawTick(HDC dc, int x, int y, COLORREF color)
{
    // Seven strokes of three pixels, the middle one lowest.
    static const int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
    fw::CPen pen(::CreatePen(PS_SOLID, 1, color));
    fw::CSelectObject selected(dc, pen);
    for (int column = 0; column < 7; ++column) {
        ::MoveToEx(dc, x + column, y + kTop[column], nullptr);
        ::LineTo(dc, x + column, y + kTop[column] + 3);
    }
}

void CStyledMenu::DrawBullet(HDC dc, int x, int y, COLORREF color)
{
    fw::CBrush brush(::CreateSolidBrush(color));
    fw::CPen pen(::CreatePen(PS_SOLID, 1, color));
    fw::CSelectObject selectedBrush(dc, brush);
    fw::CSelectObject selectedPen(dc, pen);
    ::Ellipse(dc, x, y, x + 6, y + 6);
}

HBITMAP CStyledMenu::GetCheckedBitmap(HMENU menu, UINT id)
{
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_CHECKMARKS;
    return ::GetMenuItemInfoA(menu, id, FALSE, &info) ? info.hbmpChecked : nullptr;
}

void CStyledMenu::DrawDisabledImage(HDC dc, const CStyledMenuItem& record, const RECT& box,
                                    POINT at, COLORREF back) const
{
    fw::Draw3dRect(dc, box, back, back);
    if (!record.m_pImageList)
        return;
    fw::CBitmap image = RenderListImage(dc, *record.m_pImageList, record.m_nImageIndex);
    DrawEmbossedImage(dc, at.x, at.y, m_cxImage, m_cyImage, image, 0, 0, back);
}
