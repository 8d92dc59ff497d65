#include "TestSupport.h"

#include <winsock2.h>

#include <algorithm>
#include <cstring>

void PumpMessages(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (::GetTickCount() - start >= ms)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::uint32_t CFakeUdpTable::ReadTable(void* buffer, std::uint32_t& size)
{
    ++tableReads;
    if (failTable)
        return 5; // access denied
    std::uint32_t needed = 4 + 8 * static_cast<std::uint32_t>(rows.size());
    if (size < needed) {
        size = needed;
        return tarnwick::kErrorInsufficientBuffer;
    }
    auto* out = static_cast<unsigned char*>(buffer);
    auto count = static_cast<std::uint32_t>(rows.size());
    std::memcpy(out, &count, 4);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::uint32_t address = htonl(rows[i].address);
        std::uint32_t port = htons(rows[i].port);
        std::memcpy(out + 4 + 8 * i, &address, 4);
        std::memcpy(out + 8 + 8 * i, &port, 4);
    }
    return tarnwick::kNoError;
}

bool CFakeUdpTable::ReadStatistics(tarnwick::UdpStats& out)
{
    out = stats;
    return true;
}

void CFakeNameLookup::WaitWhileBlocked()
{
    while (block)
        ::Sleep(5);
}

bool CFakeNameLookup::LookupHost(std::uint32_t, std::string&)
{
    ++lookups;
    WaitWhileBlocked();
    return false;
}

bool CFakeNameLookup::LocalHostName(std::string& name)
{
    ++lookups;
    WaitWhileBlocked();
    name = hostName;
    return true;
}

bool CFakeNameLookup::LookupService(std::uint16_t portNetworkOrder, std::string& name)
{
    ++lookups;
    WaitWhileBlocked();
    if (ntohs(portNetworkOrder) != 53)
        return false;
    name = "domain";
    return true;
}

CDibSection::CDibSection(int width, int height)
    : m_width(width), m_height(height), m_stride((width * 3 + 3) & ~3)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<unsigned char*>(bits);
}

CDibSection::~CDibSection()
{
    ::DeleteObject(m_bitmap);
}

void CDibSection::CopyFrom(HBITMAP bitmap)
{
    HDC src = ::CreateCompatibleDC(nullptr);
    HDC dst = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldSrc = ::SelectObject(src, bitmap);
    HGDIOBJ oldDst = ::SelectObject(dst, m_bitmap);
    ::BitBlt(dst, 0, 0, m_width, m_height, src, 0, 0, SRCCOPY);
    ::SelectObject(src, oldSrc);
    ::SelectObject(dst, oldDst);
    ::DeleteDC(src);
    ::DeleteDC(dst);
}

COLORREF CDibSection::GetPixel(int x, int y) const
{
    ::GdiFlush();
    const unsigned char* p = m_bits + y * m_stride + x * 3;
    return RGB(p[2], p[1], p[0]);
}

void CDibSection::SetPixel(int x, int y, COLORREF color)
{
    unsigned char* p = m_bits + y * m_stride + x * 3;
    p[0] = GetBValue(color);
    p[1] = GetGValue(color);
    p[2] = GetRValue(color);
}
