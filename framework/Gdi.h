#pragma once

#include <windows.h>

#include <utility>

namespace fw {

// Owning GDI object handle (pen, brush, font, bitmap, region): deleted with the wrapper.
template <typename H> class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(H handle) : m_handle(handle) {}
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }
    ~CGdiObject() { Reset(); }

    void Reset(H handle = nullptr)
    {
        if (m_handle != nullptr)
            ::DeleteObject(m_handle);
        m_handle = handle;
    }
    H Detach() { return std::exchange(m_handle, nullptr); }
    H Get() const { return m_handle; }
    operator H() const { return m_handle; }

private:
    H m_handle = nullptr;
};

using CPen = CGdiObject<HPEN>;
using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;
using CBitmap = CGdiObject<HBITMAP>;
using CRgn = CGdiObject<HRGN>;

// Selects an object into a DC for the guard's lifetime.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(::SelectObject(dc, object)) {}
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    ~CSelectObject() { ::SelectObject(m_dc, m_old); }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// SaveDC / RestoreDC pair.
class CSaveDC {
public:
    explicit CSaveDC(HDC dc) : m_dc(dc), m_saved(::SaveDC(dc)) {}
    CSaveDC(const CSaveDC&) = delete;
    CSaveDC& operator=(const CSaveDC&) = delete;
    ~CSaveDC() { ::RestoreDC(m_dc, m_saved); }

private:
    HDC m_dc;
    int m_saved;
};

// BeginPaint / EndPaint pair.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_dc(::BeginPaint(hWnd, &m_ps)) {}
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    operator HDC() const { return m_dc; }
    const PAINTSTRUCT& Info() const { return m_ps; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps = {};
    HDC m_dc;
};

// GetDC / ReleaseDC pair.
class CClientDC {
public:
    explicit CClientDC(HWND hWnd) : m_hWnd(hWnd), m_dc(::GetDC(hWnd)) {}
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    ~CClientDC() { ::ReleaseDC(m_hWnd, m_dc); }
    operator HDC() const { return m_dc; }

private:
    HWND m_hWnd;
    HDC m_dc;
};

// A memory DC compatible with another DC (or the screen); deleted with the wrapper.
class CMemDC {
public:
    explicit CMemDC(HDC compatibleWith = nullptr) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;
    ~CMemDC() { ::DeleteDC(m_dc); }
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};

inline void FillSolidRect(HDC dc, const RECT& rc, COLORREF color)
{
    COLORREF old = ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

// A rectangle outline, one pixel wide: top and left in `topLeft`, right and bottom in
// `bottomRight` (which owns both corners it touches).
inline void Draw3dRect(HDC dc, int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(dc, RECT{x, y, x + cx - 1, y + 1}, topLeft);
    FillSolidRect(dc, RECT{x, y, x + 1, y + cy - 1}, topLeft);
    FillSolidRect(dc, RECT{x + cx - 1, y, x + cx, y + cy}, bottomRight);
    FillSolidRect(dc, RECT{x, y + cy - 1, x + cx, y + cy}, bottomRight);
}

inline void Draw3dRect(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, topLeft, bottomRight);
}

} // namespace fw
