#pragma once

#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "menu/StyledMenuItem.h"

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

// A menu whose popup items are drawn by the program, in a classic or an XP-like look: an
// image column (an image or a check mark), the label, and a right-aligned shortcut. Loaded
// from a menu resource, the menu bar keeps plain text items; each popup is an object of
// its own, owned by its parent and bound to its handle for its whole life.
class CStyledMenu : public fw::CMenu {
public:
    // The look of every popup drawn from now on: the XP look, or the classic one.
    static void SetXpLook(bool xp) { s_bXpLook = xp; }

    CStyledMenu() = default;
    ~CStyledMenu() override;

    bool LoadMenu(UINT resourceId);
    bool LoadMenu(LPCSTR resourceName);
    // Frees the popups and the records, then destroys the menu.
    bool DestroyMenu() override;

    // Appends an owner-drawn item (id 0: a separator; MF_POPUP: `id` is the popup's
    // handle) whose record holds `text` and, for an image id of 0 or more, that image.
    bool AppendOwnerDrawItem(LPCWSTR text, UINT flags, UINT_PTR id, int imageId);
    // Gives every item of command `id`, in all popups, the image of bitmap `imageId`
    // (and `text`, unless it is nullptr).
    bool SetCommandImage(LPCSTR text, UINT id, int imageId);
    bool SetCommandImage(LPCWSTR text, UINT id, int imageId);
    // While set, images are loaded with `color` as their transparent colour; otherwise the
    // button face is.
    void SetImageBackground(COLORREF color)
    {
        m_crImageBack = color;
        m_bUseImageBack = true;
    }
    void ClearImageBackground() { m_bUseImageBack = false; }
    // The menu (this one or a popup below it) holding command `id`, depth first, and the
    // item's position in it; nullptr and -1 when there is none.
    CStyledMenu* FindCommand(UINT id, int& position);

    bool MeasureItem(MEASUREITEMSTRUCT* mis) override;
    bool DrawItem(DRAWITEMSTRUCT* dis) override;
    // The "&" letters of the owner-drawn items: the one item of `ch` runs; where several share
    // it, the next after the highlighted one is selected, as the system does for plain menus.
    bool OnMenuChar(UINT ch, LRESULT& result) override;
    // Pads the labels that have a shortcut with blanks so the shortcuts line up.
    void AlignShortcutText();

    // Images and glyphs.
    static bool LookUpToolbarImage(UINT id, int toolbarId, int& index);
    bool AddImageToList(HIMAGELIST list, int bitmapId) const;
    // Image `index` of `list` on the menu colour, in a bitmap compatible with `target`.
    fw::CBitmap RenderListImage(HDC target, HIMAGELIST list, int index) const;
    // The disabled look of an image: its shape in the shadow colour over a highlight copy
    // one pixel right and down, on `back`. Overwrites `source`.
    static void DrawEmbossedImage(HDC target, int x, int y, int cx, int cy, HBITMAP source, int sx,
                                  int sy, COLORREF back);
    static void DrawTick(HDC dc, int x, int y, COLORREF color);
    static void DrawBullet(HDC dc, int x, int y, COLORREF color);
    // Each channel moved `factor` of the way to 255; other factors than (0, 1] change
    // nothing.
    static COLORREF BlendTowardWhite(COLORREF color, double factor);

    // The records of this menu's items: in a loaded menu, record i is item i's. Records
    // that SetCommandImage made for a command found nowhere follow, used by no item.
    std::vector<std::unique_ptr<CStyledMenuItem>> m_arrItems;
    // The popups appended while loading, each bound to its handle.
    std::vector<std::unique_ptr<CStyledMenu>> m_arrSubMenus;
    // Item images are 16 by 15 pixels: the bottom row of a 16 by 16 bitmap is not shown.
    int m_cxImage = 16;
    int m_cyImage = 15;
    COLORREF m_crImageBack = RGB(192, 192, 192);
    bool m_bUseImageBack = false;

private:
    static bool s_bXpLook;
    using CVisited = std::vector<std::pair<const CStyledMenu*, int>>;

    CStyledMenu* FindNextCommand(UINT id, int& position, const CVisited& visited);
    void SetRecordImage(CStyledMenuItem& record, UINT id, int& imageId) const;
    void DrawItemXp(DRAWITEMSTRUCT* dis, const CStyledMenuItem& record);
    void DrawItemClassic(DRAWITEMSTRUCT* dis, const CStyledMenuItem& record);
    void DrawCheckXp(HDC dc, const RECT& box, HBITMAP checked, COLORREF highlight) const;
    void DrawCheckClassic(HDC dc, const RECT& box, bool selected, HBITMAP checked) const;
    void DrawDisabledImage(HDC dc, const CStyledMenuItem& record, const RECT& box, POINT at,
                           COLORREF back) const;
    // The label left-aligned and the shortcut (after the last tab) right-aligned in the
    // text rectangle of `item`, moved `shift` pixels right and down.
    void DrawItemText(HDC dc, const RECT& item, const std::string& text, COLORREF color,
                      int shift = 0) const;

    // A gap around the images and texts, given at 96 DPI, at the main window's DPI; the
    // images keep their size.
    static int ScaleGap(int pixels);
    // The menu font of the system's non-client metrics.
    static fw::CFont CreateMenuFont();
    // The checked-state bitmap of command `id` (nullptr: none, the tick is drawn).
    static HBITMAP GetCheckedBitmap(HMENU menu, UINT id);
};
