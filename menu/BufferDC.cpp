#include "menu/BufferDC.h"

CBufferDC::CBufferDC(HDC target, const RECT& rect)
    : m_hTargetDC(target), m_rect(rect), m_memDC(target)
{
    if (::GetDeviceCaps(target, TECHNOLOGY) == DT_RASPRINTER || m_memDC == nullptr)
        return;
    m_bitmap.Reset(
        ::CreateCompatibleBitmap(target, rect.right - rect.left, rect.bottom - rect.top));
    if (m_bitmap == nullptr)
        return;
    m_hOldBitmap = ::SelectObject(m_memDC, m_bitmap);
    ::SetWindowOrgEx(m_memDC, rect.left, rect.top, nullptr);
    m_bBuffered = true;
}

CBufferDC::~CBufferDC()
{
    if (!m_bBuffered)
        return;
    ::BitBlt(m_hTargetDC, m_rect.left, m_rect.top, m_rect.right - m_rect.left,
             m_rect.bottom - m_rect.top, m_memDC, m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(m_memDC, m_hOldBitmap);
}
