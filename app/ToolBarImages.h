#pragma once

#include "framework/Gdi.h"
#include "framework/ImageList.h"

#include <windows.h>

// Replaces the exact RGB(192,192,192) pixels of a 24-bit DIB section by the button face.
void ReplaceGrey(HBITMAP bitmap);

// The main toolbar's images: the buttons' strip, its background grey made the button face, in a
// normal, a hot and a disabled list (each image a pale grey of itself there), and the images
// that show a switch button's state.
class CToolBarImages {
public:
    // The images of the switch buttons in the strip.
    static constexpr int kAutoUpdateImage = 1;
    static constexpr int kResolveImage = 2;

    // Loads the strip into the three lists and gives them to `toolbar`.
    void Load(HWND toolbar);
    // Image `image` of the normal and hot lists becomes bitmap `bitmapId`; the toolbar shows it
    // once the lists are shown again.
    void SetButtonImage(int image, UINT bitmapId);
    // Gives `toolbar` the normal and hot lists again, so that it repaints with replaced images.
    void ShowOn(HWND toolbar) const;

    HIMAGELIST Normal() const { return m_imlNormal; }
    HIMAGELIST Hot() const { return m_imlHot; }
    HIMAGELIST Disabled() const { return m_imlDisabled; }

private:
    // A toolbar bitmap with its background grey made the button face.
    static fw::CBitmap LoadButtonBitmap(UINT id);

    fw::CImageList m_imlDisabled;
    fw::CImageList m_imlHot;
    fw::CImageList m_imlNormal;
};
