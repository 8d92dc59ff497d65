#pragma once

#include "app/MainFrameProbe.h"
#include "framework/Gdi.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "tests/fakes/FakeProcessLookup.h"
#include "tests/windows/TestSupport.h"

#include <dlgs.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

template <class Path> std::string FileBytes(const Path& path)
{
    std::ostringstream bytes;
    bytes << std::ifstream(path.c_str(), std::ios::binary).rdbuf();
    return bytes.str();
}

// What the screen shows of a window's client area (or the whole window, with its frame): what
// the window last painted there, stale after a missed repaint, where a paint into memory would
// paint it afresh.
inline CDibSection ScreenImage(HWND hWnd, bool withFrame = false)
{
    RECT rc = {};
    if (withFrame) {
        ::GetWindowRect(hWnd, &rc);
        ::OffsetRect(&rc, -rc.left, -rc.top);
    } else {
        ::GetClientRect(hWnd, &rc);
    }
    CDibSection image(rc.right, rc.bottom);
    HDC dc = withFrame ? ::GetWindowDC(hWnd) : ::GetDC(hWnd);
    ::BitBlt(image.Dc(), 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, dc);
    return image;
}

// The name box of a Save dialog: the edit of its file name combo box.
inline HWND FileNameBox(HWND save)
{
    HWND combo = ::FindWindowExA(::GetDlgItem(save, cmb13), nullptr, "ComboBox", nullptr);
    return ::FindWindowExA(combo, nullptr, "Edit", nullptr);
}

// Types `name` into a Save dialog's name box and presses Save.
inline void TypeAndSave(HWND save, const std::wstring& name)
{
    ::SetWindowTextW(FileNameBox(save), name.c_str());
    ::PostMessageA(save, WM_COMMAND, IDOK, 0);
}

// A click on control `id` of `dialog`, as the mouse gives it.
inline void ClickDlgItem(HWND dialog, int id)
{
    ::SendDlgItemMessageA(dialog, id, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    ::SendDlgItemMessageA(dialog, id, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

// A real main window over a fake UDP table (no rows until a test adds some; no poll until a
// test asks for one), fake look-ups and a settings file of its own (none until a test writes
// one), with the owner-drawn menu, shown and painted.
class CFrameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        NewIni();
        table->stats = {1, 2, 3, 4, 5};
        lookup->localHostName = "TESTHOST";
        lookup->services[53] = "domain";
        Open();
        // No first poll in the way: the tests poll themselves.
        ::KillTimer(hwnd, CMainFrame::kFirstPollTimer);
    }
    void TearDown() override
    {
        Close();
        ::DeleteFileA(ini.c_str());
    }

    // Names a settings file not used before, and not there. The profile functions cache a file
    // by name and write time, which a file made anew within one clock tick may share.
    void NewIni()
    {
        static int files = 0;
        ::DeleteFileA(ini.c_str());
        ini = ::testing::TempDir() + "tarnwick-" + std::to_string(++files) + ".ini";
        ::DeleteFileA(ini.c_str());
    }
    void WriteIni(const std::string& settings) const
    {
        std::ofstream(ini, std::ios::binary) << settings;
    }
    // Opens the frame over a settings file holding `settings`, with no first poll in the way.
    void OpenWith(const std::string& settings)
    {
        WriteIni(settings);
        Open();
        ::KillTimer(hwnd, CMainFrame::kFirstPollTimer);
    }
    // As the program opens it: the owner-drawn menu takes the place of the plain one.
    void Open()
    {
        frame = new CMainFrame(sharedTable, lookup, ini, processes);
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        hwnd = *frame;
        HMENU plain = ::GetMenu(hwnd);
        ::SetMenu(hwnd, frame->SetupMenu());
        ::DestroyMenu(plain);
        ::ShowWindow(hwnd, SW_SHOWNORMAL);
        ::UpdateWindow(hwnd);
    }
    // The frame deletes itself with its window.
    void Close()
    {
        if (::IsWindow(hwnd))
            ::DestroyWindow(hwnd);
    }

    CMainFrameProbe Probe() const { return CMainFrameProbe(*frame); }
    void Command(UINT id) { ::SendMessageA(hwnd, WM_COMMAND, id, 0); }
    bool Checked(UINT id) const
    {
        return (::GetMenuState(::GetMenu(hwnd), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    // A key pressed in `to` with `held` (Ctrl, Shift) down, as the message loop passes it on:
    // through `app` where given (an edit box keeps its clipboard keys), else the frame's
    // accelerators; a key they leave goes to `to`, its character after it. True when the frame
    // took the key.
    bool Key(HWND to, UINT key, BYTE held = 0, const fw::CWinApp* app = nullptr)
    {
        BYTE keys[256] = {}, saved[256] = {};
        ::GetKeyboardState(saved);
        keys[held] = 0x80;
        ::SetKeyboardState(keys);
        MSG msg = {to, WM_KEYDOWN, key, 1, 0, {}};
        const bool frameKey =
            app != nullptr ? app->PreTranslateMessage(msg)
                           : ::TranslateAcceleratorA(hwnd, frame->GetAccelerators(), &msg) != 0;
        if (!frameKey) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            PumpMessages(0);
        }
        ::SetKeyboardState(saved);
        return frameKey;
    }
    // One poll, as the Refresh command asks for it. The table is read on a worker thread:
    // dispatches messages until its rows and counters are shown.
    void Refresh()
    {
        Command(ID_REFRESH);
        ASSERT_TRUE(
            PumpUntil([this] { return ::SendMessageA(hwnd, WM_POLLBUSY, 0, 0) == 0; }, 10000));
    }
    // Polls `rows` until the list shows them, row 0 with `port` in column 1 when one is given
    // (its service's name, say).
    void Show(std::vector<Endpoint> rows, const std::string& port = "")
    {
        table->rows = std::move(rows);
        const int count = static_cast<int>(table->rows.size());
        ASSERT_TRUE(PumpUntil(
            [&] {
                Refresh();
                return Probe().EndpointList().GetItemCount() == count &&
                       (port.empty() || Cell(0, 1) == port);
            },
            10000));
    }
    std::string Cell(int row, int column) const
    {
        return Probe().EndpointList().GetItemText(row, column);
    }

    // Held here as well: a read may outlive the frame.
    std::shared_ptr<CFakeUdpTable> sharedTable = std::make_shared<CFakeUdpTable>();
    CFakeUdpTable* table = sharedTable.get();
    std::shared_ptr<CFakeNameLookup> lookup = std::make_shared<CFakeNameLookup>();
    std::shared_ptr<tarnwick::fakes::CFakeProcesses> processes =
        std::make_shared<tarnwick::fakes::CFakeProcesses>();
    std::string ini;
    CMainFrame* frame = nullptr;
    HWND hwnd = nullptr;
};
