#pragma once

#include "tests/fakes/FakeNameLookup.h"
#include "tests/fakes/FakeUdpTable.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Rectangles compare and print by value in expectations.
inline bool operator==(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}
inline void PrintTo(const RECT& rc, std::ostream* out)
{
    *out << "{" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << "}";
}

// Runs `act` once on the first visible window of class `className` (and caption `caption`, kept
// until then, and child control `control`, when given) that this thread shows, from a timer: modal
// loops dispatch it, so a test drives the modal windows (dialogs, message boxes, popup menus)
// that its own calls open. An act may arm the next one; arming replaces an act that has not run.
void WhenShown(const char* className, std::function<void(HWND)> act, const char* caption = nullptr,
               int control = 0);

// While it lives, a dialog or message box of this thread that no act waits for fails the test
// and is closed within a second, instead of holding the test in its modal loop until the
// runner's time-out.
class CUnexpectedDialogs {
public:
    CUnexpectedDialogs();
    ~CUnexpectedDialogs();

private:
    UINT_PTR m_nTimer;
};

// Dispatches the thread's messages for `ms` milliseconds.
void PumpMessages(DWORD ms);
// Dispatches messages until `done` holds or `ms` milliseconds have passed.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);
// The clipboard's CF_TEXT bytes, with the terminating zero.
std::string ClipboardBytes();
// The text a message box shows (its static control's), in UTF-16.
std::wstring MessageBoxText(HWND box);

// The monitor core's fakes, shared with the native tests.
using tarnwick::fakes::CFakeNameLookup;
using tarnwick::fakes::CFakeUdpTable;
using tarnwick::fakes::Endpoint;
using tarnwick::fakes::MakeEndpoint;

// A 24-bit top-down DIB section, first filled with `fill`, selected into a memory DC of its
// own for as long as it lives, with direct access to its pixels.
class CDibSection {
public:
    CDibSection(int width, int height, COLORREF fill = RGB(0, 0, 0));

    HBITMAP Get() const { return m_gdi->bitmap; }
    HDC Dc() const { return m_gdi->dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    RECT All() const { return {0, 0, m_width, m_height}; }
    // Copies the top-left part of `bitmap` (a DDB or DIB) over the whole section.
    void CopyFrom(HBITMAP bitmap);
    COLORREF At(int x, int y) const;
    // All pixels, row by row.
    std::vector<COLORREF> Pixels() const;

private:
    // The DC goes first, and the bitmap with it out of the DC, so that the bitmap can go.
    struct CHandles {
        HDC dc;
        HBITMAP bitmap;
        ~CHandles();
    };
    std::unique_ptr<CHandles> m_gdi;
    unsigned char* m_bits = nullptr;
    int m_width = 0, m_height = 0, m_stride = 0;
};

// Paints a window's client area through WM_PRINTCLIENT into a DIB first filled with `fill`.
CDibSection PrintClient(HWND hWnd, COLORREF fill = RGB(0, 0, 0));
// Draws `text` with DrawText into an image of `width` x `height` filled with `back`, in
// `font` and `color`, transparent, clipped to `clip`: the oracle for text pixels.
CDibSection DrawReferenceText(int width, int height, COLORREF back, const LOGFONTA& font,
                              COLORREF color, const std::string& text, RECT rc, UINT format,
                              const RECT& clip);
// The name of a command or menu image of the program ("ID_REFRESH"), else the number.
std::string ResourceName(UINT id);
// The 24 x 24 pixels of image `index` of `list`, drawn normally.
std::vector<COLORREF> ImageListPixels(HIMAGELIST list, int index);

// Every pixel of `rc` is `expected(x, y)`; on failure, how many differ and the first.
::testing::AssertionResult Matches(const CDibSection& image, const RECT& rc,
                                   const std::function<COLORREF(LONG, LONG)>& expected);
::testing::AssertionResult Filled(const CDibSection& image, const RECT& rc, COLORREF color);
::testing::AssertionResult SameIn(const CDibSection& image, const CDibSection& reference,
                                  const RECT& rc);
int CountColor(const CDibSection& image, const RECT& rc, COLORREF color);
