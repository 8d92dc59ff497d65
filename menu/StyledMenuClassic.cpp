// The classic look: face background, a solid highlight that leaves the image column out,
// raised or sunken frames around images, embossed text for disabled items.
#include "menu/StyledMenu.h"

#include <algorithm>

void CStyledMenu::DrawItemClassic(DRAWITEMSTRUCT* dis, const CStyledMenuItem& record)
{
    COLORREF back = ::GetSysColor(COLOR_3DFACE);
    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    HDC dc = dis->hDC;
    const LONG L = dis->rcItem.left, T = dis->rcItem.top;
    const LONG R = dis->rcItem.right, B = dis->rcItem.bottom;
    const int cx = m_cxImage, cy = m_cyImage;
    if (record.m_nFlags & MF_SEPARATOR) {
        fw::FillSolidRect(dc, dis->rcItem, back);
        RECT line = {L, T + (B - T) / 2, R, B};
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }

    bool selected = (dis->itemState & ODS_SELECTED) != 0;
    bool disabled = (dis->itemState & ODS_GRAYED) != 0;
    bool checked = (dis->itemState & ODS_CHECKED) != 0;
    bool hasImage = record.m_nImageId != -1;
    COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    if (selected) {
        // The image column keeps what the item showed before it was selected.
        RECT selection = {hasImage || checked ? L + cx + 5 : L, T, R, B};
        fw::FillSolidRect(dc, selection, ::GetSysColor(COLOR_HIGHLIGHT));
        text = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else {
        fw::FillSolidRect(dc, dis->rcItem, back);
        fw::Draw3dRect(dc, dis->rcItem, back, back);
    }

    const LONG dy = std::max<LONG>(0, (B - T - cy - 4) / 2);
    const RECT frame = {L + 1, T + dy + 1, L + cx + 3, T + dy + cy + 3};
    const RECT box = {L, T + dy, L + cx + 4, T + dy + cy + 4};
    if (hasImage) {
        fw::Draw3dRect(dc, frame, back, back);
        if (disabled) {
            DrawDisabledImage(dc, record, box, {L + 2, T + dy + 2}, back);
        } else {
            if (selected) {
                fw::FillSolidRect(dc, frame, back);
                fw::Draw3dRect(dc, box, checked ? shadow : light, checked ? light : shadow);
            } else if (checked) {
                fw::FillSolidRect(dc, frame, ::GetSysColor(COLOR_3DLIGHT));
                fw::Draw3dRect(dc, box, shadow, light);
            } else {
                fw::FillSolidRect(dc, frame, back);
                fw::Draw3dRect(dc, box, back, back);
            }
            if (record.m_pImageList)
                ::ImageList_Draw(*record.m_pImageList, record.m_nImageIndex, dc, L + 2, T + dy + 2,
                                 ILD_TRANSPARENT);
        }
    }
    if (record.m_nImageId < 0 && checked) {
        RECT check = {L + 1, T + dy + 2, L + cx + 1, T + dy + cy + 2};
        DrawCheckClassic(dc, check, selected,
                         GetCheckedBitmap(reinterpret_cast<HMENU>(dis->hwndItem), dis->itemID));
    }

    std::string label = record.GetText();
    if (label.empty())
        return;
    if (!disabled) {
        DrawItemText(dc, dis->rcItem, label, text);
    } else if (selected) {
        DrawItemText(dc, dis->rcItem, label, back);
    } else {
        DrawItemText(dc, dis->rcItem, label, light, 1);
        DrawItemText(dc, dis->rcItem, label, ::GetSysColor(COLOR_GRAYTEXT));
    }
}

void CStyledMenu::DrawCheckClassic(HDC dc, const RECT& box, bool selected, HBITMAP checked) const
{
    fw::FillSolidRect(dc, box, ::GetSysColor(!selected ? COLOR_3DLIGHT : COLOR_MENU));
    RECT edge = box;
    ::DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    if (checked == nullptr)
        DrawTick(dc, box.left + 4, box.top + 4, text);
    else
        DrawBullet(dc, box.left + 5, box.top + 4, text);
}
