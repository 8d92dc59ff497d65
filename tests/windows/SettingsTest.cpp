#include "MainFrame.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        char file[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        ::GetTempFileNameA(dir, "twk", 0, file);
        ::DeleteFileA(file);
        path = file;
    }

    void TearDown() override
    {
        if (frame != nullptr)
            CloseFrame();
        ::DeleteFileA(path.c_str());
    }

    void WriteFile(const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }

    Lines ReadLines() const
    {
        std::ifstream in(path, std::ios::binary);
        Lines lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
        return lines;
    }

    void OpenFrame()
    {
        frame = new CMainFrame(std::make_unique<CFakeUdpTable>(),
                               std::make_shared<CFakeNameLookup>(), path);
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        frameWnd = *frame;
    }

    void CloseFrame()
    {
        // The frame deletes itself with its window.
        ::DestroyWindow(frameWnd);
        frame = nullptr;
    }

    // The colours and switches the frame applied, in the order of the settings file.
    std::string Applied() const
    {
        auto rgb = [](LRESULT color) {
            auto c = static_cast<COLORREF>(color);
            return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
                   std::to_string(GetBValue(c));
        };
        const CEndpointListCtrl& list = frame->m_wndEndpointList;
        const fw::CListCtrl& statistics = frame->m_wndStatistics;
        return "back " + rgb(list.m_crBackColor) + "/" + rgb(list.SendMessage(LVM_GETBKCOLOR)) +
               " system " + rgb(list.m_crSystemColor) + " custom " + rgb(list.m_crCustomColor) +
               " select " + rgb(list.m_crSelectColor) + " statistics " +
               rgb(statistics.SendMessage(LVM_GETBKCOLOR)) + "/" +
               rgb(statistics.SendMessage(LVM_GETTEXTBKCOLOR)) + " grid " +
               std::to_string(list.m_bGridLines) + " interval " +
               std::to_string(frame->m_nInterval) + " menu " + std::to_string(frame->m_bXPMenu) +
               " on-top " +
               std::to_string((::GetWindowLongA(frameWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    }

    std::string path;
    CMainFrame* frame = nullptr;
    HWND frameWnd = nullptr;
};

TEST_F(SettingsTest, NoFileGivesDefaultsAndOnlyTheMenuStyleIsWritten)
{
    OpenFrame();
    EXPECT_EQ("back 200,200,205/200,200,205 system 220,255,220 custom 255,255,220 "
              "select 200,200,255 statistics 200,230,255/200,230,255 grid 1 interval 2000 "
              "menu 1 on-top 0",
              Applied());
    EXPECT_EQ(RGB(0, 0, 50),
              static_cast<COLORREF>(frame->m_wndStatistics.SendMessage(LVM_GETTEXTCOLOR)));
    EXPECT_TRUE(::IsWindowVisible(frameWnd));
    EXPECT_TRUE(ReadLines().empty());

    CloseFrame();
    EXPECT_EQ((Lines{"[Attributes]", "MenuStyle=1"}), ReadLines());
}

TEST_F(SettingsTest, StoredValuesAreApplied)
{
    WriteFile("[Colors]\r\nBackColor=255\r\nSystemColor=65280\r\nCustomColor=16711680\r\n"
              "SelectColor=65535\r\nStatisticsColor=16776960\r\n"
              "[Attributes]\r\nGridLines=0\r\nUpdateInterval=4\r\nMenuStyle=0\r\nOnTop=2\r\n");
    OpenFrame();
    EXPECT_EQ("back 255,0,0/255,0,0 system 0,255,0 custom 0,0,255 select 255,255,0 "
              "statistics 0,255,255/0,255,255 grid 0 interval 4000 menu 0 on-top 1",
              Applied());
    CloseFrame();
    // The key is rewritten in place; nothing else in the file changes.
    Lines lines = ReadLines();
    ASSERT_EQ(11u, lines.size());
    EXPECT_EQ("MenuStyle=0", lines[9]);
    EXPECT_EQ("OnTop=2", lines[10]);
}

TEST_F(SettingsTest, OnTopFollowsEveryReload)
{
    OpenFrame();
    for (const char* onTop : {"1", "0", "2", "0"}) {
        WriteFile(std::string("[Attributes]\r\nOnTop=") + onTop + "\r\n");
        frame->LoadSettings();
        EXPECT_EQ(onTop[0] != '0', (::GetWindowLongA(frameWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)
            << onTop;
    }
}

// Refuses to create toolbars on this thread, so that a frame's creation fails. Windows then
// destroys the frame with WM_DESTROY; Wine only sends WM_NCDESTROY, so the hook sends
// WM_DESTROY itself, as Windows would.
LRESULT CALLBACK RefuseToolbars(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (HIWORD(cs->lpszClass) != 0 && ::lstrcmpiA(cs->lpszClass, TOOLBARCLASSNAMEA) == 0) {
            ::SendMessageA(cs->hwndParent, WM_DESTROY, 0, 0);
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SettingsTest, FailedStartLeavesTheStoredMenuStyleAlone)
{
    WriteFile("[Attributes]\r\nMenuStyle=0\r\n");
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, &RefuseToolbars, nullptr, ::GetCurrentThreadId());
    // The frame destroys and deletes itself when its creation fails.
    auto* failing = new CMainFrame(std::make_unique<CFakeUdpTable>(),
                                   std::make_shared<CFakeNameLookup>(), path);
    EXPECT_FALSE(failing->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ((Lines{"[Attributes]", "MenuStyle=0"}), ReadLines());
}

TEST_F(SettingsTest, MenuStyleFiveIsKeptAsReadAndWrittenBackAsOne)
{
    WriteFile("[Attributes]\r\nMenuStyle=5\r\n");
    OpenFrame();
    EXPECT_EQ(5, frame->m_bXPMenu);
    CloseFrame();
    EXPECT_EQ((Lines{"[Attributes]", "MenuStyle=1"}), ReadLines());
}

TEST_F(SettingsTest, UpdateIntervalOfAnyTextGivesASanePeriod)
{
    struct Case {
        const char* stored;
        int milliseconds;
    };
    // What the program writes itself, then what a person or a broken disk may leave.
    const Case cases[] = {
        {"0", 2000},    {"4", 4000}, {"60", 60000},         {"-5", 2000},
        {"fast", 2000}, {"", 2000},  {"2147483", 86400000}, {"2147483647", 86400000}};
    for (const Case& c : cases) {
        WriteFile(std::string("[Attributes]\r\nUpdateInterval=") + c.stored + "\r\n");
        int stored = CSettingsStore(path).Load().nUpdateInterval;
        EXPECT_EQ(c.milliseconds, CSettingsStore::IntervalMilliseconds(stored)) << c.stored;
    }
    WriteFile("[Attributes]\r\nUpdateInterval=99999999999999\r\n");
    int huge = CSettingsStore::IntervalMilliseconds(CSettingsStore(path).Load().nUpdateInterval);
    EXPECT_GE(huge, 2000);
    EXPECT_LE(huge, 86400000);
    EXPECT_EQ(86400000, CSettingsStore::IntervalMilliseconds(86401));
}

TEST_F(SettingsTest, DamagedFileFallsBackToDefaultsKeyByKey)
{
    WriteFile("\x01\x02garbage without sections\r\n[Colors\r\nBackColor==x\r\n[Attributes]\r\n"
              "GridLines=0\r\n");
    CSettings s = CSettingsStore(path).Load();
    EXPECT_EQ(RGB(220, 255, 220), s.crSystemColor);
    EXPECT_EQ(0, s.nGridLines);
    EXPECT_EQ(2, s.nUpdateInterval);
    EXPECT_EQ(1, s.nMenuStyle);
}

TEST_F(SettingsTest, UnwritablePathLosesNothingAndDoesNotFail)
{
    // A directory where the file should be: every write fails, quietly.
    path = "Z:\\no\\such\\directory\\Tarnwick.ini";
    OpenFrame();
    EXPECT_EQ(2000, frame->m_nInterval);
}

} // namespace
