#include "tests/windows/TestSupport.h"

#include "framework/Gdi.h"
#include "res/resource.h"

#include <sstream>
#include <utility>

namespace {

// The window an act waits for: its class, and its caption and a child control when given.
struct CWanted {
    std::string className;
    const char* caption = nullptr;
    int control = 0;
    HWND found = nullptr;
};
CWanted g_shown;
std::function<void(HWND)> g_shownAct;
UINT_PTR g_shownTimer = 0;

BOOL CALLBACK FindWanted(HWND hWnd, LPARAM wanted)
{
    auto& w = *reinterpret_cast<CWanted*>(wanted);
    char name[32] = {};
    char caption[128] = {};
    ::GetClassNameA(hWnd, name, sizeof(name));
    ::GetWindowTextA(hWnd, caption, sizeof(caption));
    const bool match = w.className == name && ::IsWindowVisible(hWnd) &&
                       (w.caption == nullptr || std::string(w.caption) == caption) &&
                       (w.control == 0 || ::GetDlgItem(hWnd, w.control) != nullptr);
    if (match)
        w.found = hWnd;
    return !match;
}

// The first window of this thread that is `wanted`, or null.
HWND Find(CWanted wanted)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindWanted, reinterpret_cast<LPARAM>(&wanted));
    return wanted.found;
}

void CALLBACK OnShownTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND found = Find(g_shown);
    if (found == nullptr)
        return;
    ::KillTimer(nullptr, id);
    g_shownTimer = 0;
    std::exchange(g_shownAct, nullptr)(found);
}

// The dialog seen unexpected at the last ticks, and at how many.
HWND g_unexpected = nullptr;
int g_unexpectedTicks = 0;

void CALLBACK OnWatchTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND found = g_shownAct ? nullptr : Find({"#32770"});
    // An act's own dialog may take a few ticks to close.
    g_unexpectedTicks = found != nullptr && found == g_unexpected ? g_unexpectedTicks + 1 : 0;
    g_unexpected = found;
    if (g_unexpectedTicks < 5)
        return;
    wchar_t caption[128] = {};
    ::GetWindowTextW(found, caption, 128);
    ADD_FAILURE() << "unexpected dialog \"" << caption << "\": " << MessageBoxText(found);
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
    if (g_shownTimer != 0)
        ::KillTimer(nullptr, g_shownTimer);
    g_shown = {className, caption, control};
    g_shownAct = std::move(act);
    g_shownTimer = ::SetTimer(nullptr, 0, 20, &OnShownTimer);
}

std::wstring MessageBoxText(HWND box)
{
    // A message box's text is the static control of this id.
    const int kTextControl = 0xFFFF;
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(box, kTextControl, text, 1024);
    return text;
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

std::string ResourceName(UINT id)
{
#define NAMED(id) std::make_pair(static_cast<UINT>(id), #id)
    static const std::pair<UINT, const char*> kNames[] = {
        NAMED(ID_REFRESH),    NAMED(ID_AUTOUPDATE),     NAMED(ID_RESOLVE),
        NAMED(ID_FILE_SAVE),  NAMED(ID_FILE_LOG),       NAMED(ID_APP_EXIT),
        NAMED(ID_EDIT_COPY),  NAMED(ID_EDIT_FIND),      NAMED(ID_SETTINGS),
        NAMED(ID_XPSTYLE),    NAMED(ID_VIEW_TOOLBAR),   NAMED(ID_VIEW_STATUS_BAR),
        NAMED(ID_VIEW_IPV6),  NAMED(ID_VIEW_PROCESS),   NAMED(ID_VIEW_HIGHLIGHT),
        NAMED(ID_APP_ABOUT),  NAMED(IDB_MENU_ABOUT),    NAMED(IDB_MENU_SAVE),
        NAMED(IDB_MENU_COPY), NAMED(IDB_MENU_SETTINGS), NAMED(IDB_MENU_REFRESH)};
#undef NAMED
    for (const auto& [value, name] : kNames)
        if (value == id)
            return name;
    return std::to_string(id);
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
