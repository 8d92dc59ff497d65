// The XP-like look: flat, a tinted image bar, a light highlight with a border, grey text
// for disabled items.
#include "menu/StyledMenu.h"

#include "menu/BufferDC.h"

#include <algorithm>
#include <optional>

COLORREF CStyledMenu::BlendTowardWhite(COLORREF color, double factor)
{
    if (!(factor > 0.0 && factor <= 1.0))
        return color;
    auto blend = [factor](BYTE channel) {
        return static_cast<BYTE>(channel + (255 - channel) * factor);
    };
    return RGB(blend(GetRValue(color)), blend(GetGValue(color)), blend(GetBValue(color)));
}

void CStyledMenu::DrawItemXp(DRAWITEMSTRUCT* dis, const CStyledMenuItem& record)
{
    COLORREF face = ::GetSysColor(COLOR_3DFACE);
    COLORREF menu = ::GetSysColor(COLOR_MENU);
    // Where menus have the face colour, the bar is a lighter face on a white item.
    bool distinct = face != menu;
    if (!distinct) {
        face = BlendTowardWhite(face, 0.35);
        menu = RGB(255, 255, 255);
    }
    COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF selection = BlendTowardWhite(highlight, distinct ? 0.7 : 0.85);
    COLORREF grayText = ::GetSysColor(COLOR_GRAYTEXT);
    if (!distinct)
        grayText = BlendTowardWhite(grayText, 0.55);

    bool disabled = (dis->itemState & ODS_GRAYED) != 0;
    if (disabled)
        dis->itemState &= ~static_cast<UINT>(ODS_SELECTED);
    bool selected = (dis->itemState & ODS_SELECTED) != 0;
    bool checked = (dis->itemState & ODS_CHECKED) != 0;
    // Disabled items reach the screen in one piece.
    std::optional<CBufferDC> buffer;
    if (disabled)
        buffer.emplace(dis->hDC, dis->rcItem);
    HDC dc = buffer ? static_cast<HDC>(*buffer) : dis->hDC;

    const LONG L = dis->rcItem.left, T = dis->rcItem.top;
    const LONG R = dis->rcItem.right, B = dis->rcItem.bottom;
    const int cx = m_cxImage, cy = m_cyImage;
    const RECT bar = {L, T, L + cx + 5, B};
    if (record.m_nFlags & MF_SEPARATOR) {
        fw::FillSolidRect(dc, dis->rcItem, menu);
        RECT line = {L + cx + 9, T + (B - T) / 2, R, B};
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        fw::FillSolidRect(dc, bar, face);
        fw::Draw3dRect(dc, bar, face, face);
        return;
    }

    if (selected) {
        fw::FillSolidRect(dc, dis->rcItem, selection);
        fw::Draw3dRect(dc, dis->rcItem, highlight, highlight);
    } else {
        fw::FillSolidRect(dc, dis->rcItem, menu);
        fw::FillSolidRect(dc, bar, face);
        fw::Draw3dRect(dc, dis->rcItem, menu, menu);
        fw::Draw3dRect(dc, bar, face, face);
    }

    const LONG dy = std::max<LONG>(0, (B - T - cy - 4) / 2);
    const RECT frame = {L + 1, T + dy + 1, L + cx + 3, T + dy + cy + 3};
    const RECT box = {L, T + dy, L + cx + 4, T + dy + cy + 4};
    if (record.m_nImageId != -1) {
        fw::Draw3dRect(dc, frame, face, face);
        if (disabled) {
            DrawDisabledImage(dc, record, box, {L + 2, T + dy + 2}, face);
        } else {
            if (selected) {
                fw::FillSolidRect(dc, frame, selection);
                if (checked)
                    fw::Draw3dRect(dc, RECT{L, T, L + cx + 4, B}, highlight, highlight);
            } else if (checked) {
                // The tint spans the item's height, one pixel less where the colours differ.
                RECT cell = {L + 1, T, L + cx + 4, distinct ? B - 1 : B};
                fw::FillSolidRect(dc, cell, BlendTowardWhite(highlight, 0.85));
                fw::Draw3dRect(dc, cell, highlight, highlight);
            } else {
                fw::FillSolidRect(dc, frame, face);
                fw::Draw3dRect(dc, box, face, face);
            }
            if (record.m_pImageList)
                ::ImageList_Draw(*record.m_pImageList, record.m_nImageIndex, dc, L + 3, T + dy + 2,
                                 ILD_TRANSPARENT);
        }
    }
    if (record.m_nImageId < 0 && checked) {
        RECT check = {L + 2, T + dy + 2, L + cx + 2, T + dy + cy + (distinct ? 3 : 2)};
        DrawCheckXp(dc, check,
                    GetCheckedBitmap(reinterpret_cast<HMENU>(dis->hwndItem), dis->itemID),
                    highlight);
    }
    std::string text = record.GetText();
    if (!text.empty())
        DrawItemText(dc, dis->rcItem, text, disabled ? grayText : ::GetSysColor(COLOR_MENUTEXT));
}

void CStyledMenu::DrawCheckXp(HDC dc, const RECT& box, HBITMAP checked, COLORREF highlight) const
{
    fw::FillSolidRect(dc, box, BlendTowardWhite(highlight, 0.85));
    fw::Draw3dRect(dc, box, highlight, highlight);
    // A checked-state bitmap marks a radio item: a bullet in place of the tick.
    COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    if (checked == nullptr)
        DrawTick(dc, box.left + 5, box.top + 4, text);
    else
        DrawBullet(dc, box.left + 5, box.top + 4, text);
}
