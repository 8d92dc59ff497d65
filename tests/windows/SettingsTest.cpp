#include "MainFrame.h"
#include "SettingsStore.h"
#include "TestSupport.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char dir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        char file[MAX_PATH];
        ::GetTempFileNameA(dir, "twk", 0, file);
        ::DeleteFileA(file);
        path = file;
    }

    void TearDown() override
    {
        if (frameWnd != nullptr && ::IsWindow(frameWnd))
            ::DestroyWindow(frameWnd);
        ::DeleteFileA(path.c_str());
    }

    void WriteFile(const std::string& text) const
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }

    std::vector<std::string> ReadLines() const
    {
        std::ifstream in(path, std::ios::binary);
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    CMainFrame* OpenFrame()
    {
        auto table = std::make_unique<CFakeUdpTable>();
        auto* frame = new CMainFrame(std::move(table), std::make_shared<CFakeNameLookup>(), path);
        EXPECT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        frameWnd = *frame;
        return frame;
    }

    void CloseFrame()
    {
        ::DestroyWindow(frameWnd);
        frameWnd = nullptr;
    }

    int IntervalFor(const std::string& stored)
    {
        WriteFile("[Attributes]\r\nUpdateInterval=" + stored + "\r\n");
        return CSettingsStore(path).Load().nUpdateInterval;
    }

    std::string path;
    HWND frameWnd = nullptr;
};

TEST_F(SettingsTest, NoFileGivesDefaultsAndOnlyTheMenuStyleIsWritten)
{
    CMainFrame* frame = OpenFrame();
    EXPECT_EQ(2000, frame->m_nInterval);
    EXPECT_TRUE(frame->m_bXPMenu);
    EXPECT_TRUE(frame->m_wndEndpointList.m_bGridLines);
    EXPECT_EQ(RGB(200, 200, 205), frame->m_wndEndpointList.m_crBackColor);
    EXPECT_EQ(RGB(220, 255, 220), frame->m_wndEndpointList.m_crSystemColor);
    EXPECT_EQ(RGB(255, 255, 220), frame->m_wndEndpointList.m_crCustomColor);
    EXPECT_EQ(RGB(200, 200, 255), frame->m_wndEndpointList.m_crSelectColor);
    EXPECT_EQ(RGB(200, 200, 205),
              static_cast<COLORREF>(frame->m_wndEndpointList.SendMessage(LVM_GETBKCOLOR)));
    EXPECT_EQ(RGB(200, 230, 255),
              static_cast<COLORREF>(frame->m_wndStatistics.SendMessage(LVM_GETBKCOLOR)));
    EXPECT_EQ(RGB(200, 230, 255),
              static_cast<COLORREF>(frame->m_wndStatistics.SendMessage(LVM_GETTEXTBKCOLOR)));
    EXPECT_EQ(RGB(0, 0, 50),
              static_cast<COLORREF>(frame->m_wndStatistics.SendMessage(LVM_GETTEXTCOLOR)));
    EXPECT_EQ(0, ::GetWindowLongA(frameWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::IsWindowVisible(frameWnd));
    EXPECT_TRUE(ReadLines().empty());

    CloseFrame();
    EXPECT_EQ((std::vector<std::string>{"[Attributes]", "MenuStyle=1"}), ReadLines());
}

TEST_F(SettingsTest, DialogKeysThenExitGiveTheElevenLines)
{
    CSettingsStore(path).StoreDialogKeys(CSettings{});
    CMainFrame* frame = OpenFrame();
    frame->m_bXPMenu = TRUE;
    CloseFrame();
    const std::vector<std::string> expected = {
        "[Colors]",
        "BackColor=13486280",
        "CustomColor=14483455",
        "SystemColor=14483420",
        "StatisticsColor=16770760",
        "SelectColor=16763080",
        "[Attributes]",
        "GridLines=1",
        "OnTop=0",
        "UpdateInterval=2",
        "MenuStyle=1",
    };
    EXPECT_EQ(expected, ReadLines());
}

TEST_F(SettingsTest, StoredValuesAreApplied)
{
    WriteFile("[Colors]\r\nBackColor=255\r\nSystemColor=65280\r\nCustomColor=16711680\r\n"
              "SelectColor=65535\r\nStatisticsColor=16776960\r\n"
              "[Attributes]\r\nGridLines=0\r\nUpdateInterval=4\r\nMenuStyle=0\r\nOnTop=2\r\n");
    CMainFrame* frame = OpenFrame();
    EXPECT_EQ(4000, frame->m_nInterval);
    EXPECT_FALSE(frame->m_bXPMenu);
    EXPECT_FALSE(frame->m_wndEndpointList.m_bGridLines);
    EXPECT_EQ(RGB(255, 0, 0), frame->m_wndEndpointList.m_crBackColor);
    EXPECT_EQ(RGB(0, 255, 0), frame->m_wndEndpointList.m_crSystemColor);
    EXPECT_EQ(RGB(0, 0, 255), frame->m_wndEndpointList.m_crCustomColor);
    EXPECT_EQ(RGB(255, 255, 0), frame->m_wndEndpointList.m_crSelectColor);
    EXPECT_EQ(RGB(255, 0, 0),
              static_cast<COLORREF>(frame->m_wndEndpointList.SendMessage(LVM_GETBKCOLOR)));
    EXPECT_EQ(RGB(0, 255, 255),
              static_cast<COLORREF>(frame->m_wndStatistics.SendMessage(LVM_GETBKCOLOR)));
    EXPECT_EQ(WS_EX_TOPMOST, ::GetWindowLongA(frameWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    CloseFrame();
    // The key is rewritten in place; nothing else in the file changes.
    std::vector<std::string> lines = ReadLines();
    ASSERT_EQ(11u, lines.size());
    EXPECT_EQ("MenuStyle=0", lines[9]);
    EXPECT_EQ("OnTop=2", lines[10]);
}

TEST_F(SettingsTest, MenuStyleFiveIsKeptAsReadAndWrittenBackAsOne)
{
    WriteFile("[Attributes]\r\nMenuStyle=5\r\n");
    CMainFrame* frame = OpenFrame();
    EXPECT_EQ(5, frame->m_bXPMenu);
    CloseFrame();
    EXPECT_EQ((std::vector<std::string>{"[Attributes]", "MenuStyle=1"}), ReadLines());
}

TEST_F(SettingsTest, UpdateIntervalOfAnyTextGivesASanePeriod)
{
    // What the program writes itself.
    EXPECT_EQ(2000, CSettingsStore::IntervalMilliseconds(IntervalFor("0")));
    EXPECT_EQ(4000, CSettingsStore::IntervalMilliseconds(IntervalFor("4")));
    EXPECT_EQ(60000, CSettingsStore::IntervalMilliseconds(IntervalFor("60")));
    // What a person or a broken disk may leave.
    EXPECT_EQ(2000, CSettingsStore::IntervalMilliseconds(IntervalFor("-5")));
    EXPECT_EQ(2000, CSettingsStore::IntervalMilliseconds(IntervalFor("fast")));
    EXPECT_EQ(2000, CSettingsStore::IntervalMilliseconds(IntervalFor("")));
    EXPECT_EQ(86400000, CSettingsStore::IntervalMilliseconds(IntervalFor("2147483")));
    EXPECT_EQ(86400000, CSettingsStore::IntervalMilliseconds(IntervalFor("2147483647")));
    int huge = CSettingsStore::IntervalMilliseconds(IntervalFor("99999999999999"));
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
    CMainFrame* frame = OpenFrame();
    EXPECT_EQ(2000, frame->m_nInterval);
    CloseFrame();
}

} // namespace
