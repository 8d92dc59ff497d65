#include "TestSupport.h"

#include "Gdi.h"

#include <sstream>
#include <utility>

namespace {

std::string g_shownClass;
std::string g_shownCaption;
bool g_anyCaption = true;
int g_shownControl = 0;
std::function<void(HWND)> g_shownAct;
UINT_PTR g_shownTimer = 0;

BOOL CALLBACK FindShown(HWND hWnd, LPARAM found)
{
    char name[32] = {};
    char caption[128] = {};
    ::GetClassNameA(hWnd, name, sizeof(name));
    ::GetWindowTextA(hWnd, caption, sizeof(caption));
    const bool match = g_shownClass == name && ::IsWindowVisible(hWnd) &&
                       (g_anyCaption || g_shownCaption == caption) &&
                       (g_shownControl == 0 || ::GetDlgItem(hWnd, g_shownControl) != nullptr);
    if (match)
        *reinterpret_cast<HWND*>(found) = hWnd;
    return !match;
}

void CALLBACK OnShownTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindShown, reinterpret_cast<LPARAM>(&found));
    if (found == nullptr)
        return;
    ::KillTimer(nullptr, id);
    g_shownTimer = 0;
    std::exchange(g_shownAct, nullptr)(found);
}

// The dialog seen unexpected at the last ticks, and at how many.
HWND g_unexpected = nullptr;
int g_unexpectedTicks = 0;

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM found)
{
    char name[32] = {};
    ::GetClassNameA(hWnd, name, sizeof(name));
    const bool match = std::string(name) == "#32770" && ::IsWindowVisible(hWnd);
    if (match)
        *reinterpret_cast<HWND*>(found) = hWnd;
    return !match;
}

void CALLBACK OnWatchTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND found = nullptr;
    if (!g_shownAct)
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&found));
    // An act's own dialog may take a few ticks to close.
    g_unexpectedTicks = found != nullptr && found == g_unexpected ? g_unexpectedTicks + 1 : 0;
    g_unexpected = found;
    if (g_unexpectedTicks < 5)
        return;
    wchar_t caption[128] = {}, text[512] = {};
    ::GetWindowTextW(found, caption, 128);
    ::GetDlgItemTextW(found, 0xFFFF, text, 512);
    ADD_FAILURE() << "unexpected dialog \"" << caption << "\": " << text;
    ::EndDialog(found, IDCANCEL);
}

} // namespace

CUnexpectedDialogs::CUnexpectedDialogs() : m_nTimer(::SetTimer(nullptr, 0, 100, &OnWatchTimer)) {}

CUnexpectedDialogs::~CUnexpectedDialogs()
{
    ::KillTimer(nullptr, m_nTimer);
}

void WhenShown(const char* className, std::function<void(HWND)> act, const char* caption,
               int control)
{
    g_shownControl = control;
    if (g_shownTimer != 0)
        ::KillTimer(nullptr, g_shownTimer);
    g_shownClass = className;
    g_anyCaption = caption == nullptr;
    g_shownCaption = caption != nullptr ? caption : "";
    g_shownAct = std::move(act);
    g_shownTimer = ::SetTimer(nullptr, 0, 20, &OnShownTimer);
}

std::string ClipboardBytes()
{
    ::OpenClipboard(nullptr);
    HGLOBAL data = ::GetClipboardData(CF_TEXT);
    std::string bytes(static_cast<const char*>(::GlobalLock(data)), ::GlobalSize(data));
    ::GlobalUnlock(data), ::CloseClipboard();
    return bytes;
}

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

CDibSection::CDibSection(int width, int height, COLORREF fill)
    : m_width(width), m_height(height), m_stride((width * 3 + 3) & ~3)
{
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_gdi.reset(new CHandles{::CreateCompatibleDC(nullptr), bitmap});
    m_bits = static_cast<unsigned char*>(bits);
    ::SelectObject(Dc(), bitmap);
    fw::FillSolidRect(Dc(), All(), fill);
}

CDibSection::CHandles::~CHandles()
{
    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
}

void CDibSection::CopyFrom(HBITMAP bitmap)
{
    fw::CMemDC src;
    fw::CSelectObject selected(src, bitmap);
    ::BitBlt(Dc(), 0, 0, m_width, m_height, src, 0, 0, SRCCOPY);
}

COLORREF CDibSection::At(int x, int y) const
{
    ::GdiFlush();
    const unsigned char* p = m_bits + y * m_stride + x * 3;
    return RGB(p[2], p[1], p[0]);
}

std::vector<COLORREF> CDibSection::Pixels() const
{
    std::vector<COLORREF> pixels;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            pixels.push_back(At(x, y));
    return pixels;
}

CDibSection PrintClient(HWND hWnd, COLORREF fill)
{
    RECT client;
    ::GetClientRect(hWnd, &client);
    CDibSection image(client.right, client.bottom, fill);
    ::SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()), PRF_CLIENT);
    return image;
}

CDibSection DrawReferenceText(int width, int height, COLORREF back, const LOGFONTA& font,
                              COLORREF color, const std::string& text, RECT rc, UINT format,
                              const RECT& clip)
{
    CDibSection image(width, height, back);
    fw::CFont hFont(::CreateFontIndirectA(&font));
    fw::CSelectObject selected(image.Dc(), hFont);
    ::SetBkMode(image.Dc(), TRANSPARENT);
    ::SetTextColor(image.Dc(), color);
    ::IntersectClipRect(image.Dc(), clip.left, clip.top, clip.right, clip.bottom);
    ::DrawTextA(image.Dc(), text.c_str(), static_cast<int>(text.size()), &rc, format);
    ::SelectClipRgn(image.Dc(), nullptr);
    return image;
}

std::vector<COLORREF> ImageListPixels(HIMAGELIST list, int index)
{
    CDibSection image(24, 24);
    ::ImageList_Draw(list, index, image.Dc(), 0, 0, ILD_NORMAL);
    return image.Pixels();
}

::testing::AssertionResult Matches(const CDibSection& image, const RECT& rc,
                                   const std::function<COLORREF(LONG, LONG)>& expected)
{
    int wrong = 0;
    std::ostringstream first;
    for (LONG y = rc.top; y < rc.bottom; ++y) {
        for (LONG x = rc.left; x < rc.right; ++x) {
            COLORREF want = expected(x, y);
            COLORREF got = image.At(x, y);
            if (got != want && wrong++ == 0)
                first << "first at (" << x << "," << y << "): got " << std::hex << got << " want "
                      << want << std::dec;
        }
    }
    if (wrong == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << wrong << " pixels differ, " << first.str();
}

::testing::AssertionResult Filled(const CDibSection& image, const RECT& rc, COLORREF color)
{
    return Matches(image, rc, [color](LONG, LONG) { return color; });
}

::testing::AssertionResult SameIn(const CDibSection& image, const CDibSection& reference,
                                  const RECT& rc)
{
    return Matches(image, rc, [&reference](LONG x, LONG y) { return reference.At(x, y); });
}

int CountColor(const CDibSection& image, const RECT& rc, COLORREF color)
{
    int count = 0;
    for (LONG y = rc.top; y < rc.bottom; ++y)
        for (LONG x = rc.left; x < rc.right; ++x)
            count += image.At(x, y) == color ? 1 : 0;
    return count;
}
