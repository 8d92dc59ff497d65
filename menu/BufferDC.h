#pragma once

#include "framework/Gdi.h"

#include <windows.h>

// Drawing into a rectangle of a target DC off-screen: the picture reaches the target in
// one BitBlt when the buffer goes. Callers keep drawing in the target's coordinates.
// Where no buffer can be made (a printer, or no memory) it draws straight into the target.
class CBufferDC {
public:
    CBufferDC(HDC target, const RECT& rect);
    CBufferDC(const CBufferDC&) = delete;
    CBufferDC& operator=(const CBufferDC&) = delete;
    ~CBufferDC();

    operator HDC() const { return m_bBuffered ? m_memDC : m_hTargetDC; }

private:
    HDC m_hTargetDC;
    RECT m_rect;
    fw::CMemDC m_memDC;
    fw::CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    bool m_bBuffered = false;
};
