// Highlighted changes as the list paints them, and the change log as its file holds it.
#include "framework/Text.h"
#include "tests/windows/FrameFixture.h"

#include <windows.h>

#include <algorithm>
#include <regex>

namespace {

constexpr COLORREF kNew = RGB(0x12, 0x34, 0x56);
constexpr COLORREF kRemoved = RGB(0x65, 0x43, 0x21);

class ChangesTest : public CFrameFixture {
protected:
    void SetUp() override { NewIni(); }
    void Poll(std::vector<Endpoint> rows)
    {
        table->rows = std::move(rows);
        Refresh();
    }
    // The fill of each row, as the screen shows it.
    std::vector<COLORREF> Fills() const
    {
        const CEndpointListCtrl& list = Probe().EndpointList();
        ::RedrawWindow(list, nullptr, nullptr, RDW_UPDATENOW | RDW_INVALIDATE);
        CDibSection image = ScreenImage(list);
        std::vector<COLORREF> fills;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            RECT rc = {};
            list.GetItemRect(row, rc, LVIR_BOUNDS);
            fills.push_back(image.At(rc.right - 3, (rc.top + rc.bottom) / 2));
        }
        return fills;
    }
};

TEST_F(ChangesTest, NewAndClosedEndpointsAreFilledInTheirColoursForAboutThreeSeconds)
{
    OpenWith("[Colors]\r\nNewColor=" + std::to_string(kNew) + "\r\nRemovedColor=" +
             std::to_string(kRemoved) + "\r\n[Attributes]\r\nHighlight=1\r\n");
    const COLORREF custom = Probe().EndpointList().m_crCustomColor;
    const COLORREF select = Probe().EndpointList().m_crSelectColor;
    ASSERT_TRUE(Checked(ID_VIEW_HIGHLIGHT));
    Poll({MakeEndpoint(127, 0, 0, 1, 5000), MakeEndpoint(127, 0, 0, 1, 5001)});
    EXPECT_EQ((std::vector<COLORREF>{custom, custom}), Fills());

    const DWORD changed = ::GetTickCount();
    Poll({MakeEndpoint(127, 0, 0, 1, 5000), MakeEndpoint(127, 0, 0, 1, 5002)});
    ASSERT_EQ("5001", Cell(1, 1));
    EXPECT_EQ((std::vector<COLORREF>{custom, kRemoved, kNew}), Fills());
    // The highlighted row keeps the selection's colour.
    ::SetFocus(Probe().EndpointList());
    Probe().EndpointList().SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ((std::vector<COLORREF>{custom, kRemoved, select}), Fills());

    // A poll within the 3 s keeps them; then the closed one leaves without a poll.
    Poll({MakeEndpoint(127, 0, 0, 1, 5000), MakeEndpoint(127, 0, 0, 1, 5002)});
    EXPECT_EQ(3, Probe().EndpointList().GetItemCount());
    ASSERT_TRUE(PumpUntil([&] { return Probe().EndpointList().GetItemCount() == 2; }, 5000));
    // The tick count and the monitor's clock may each be a tick apart.
    constexpr DWORD kClockSlack = 100;
    EXPECT_GE(::GetTickCount() - changed, tarnwick::CEndpointChanges::kShownMs - kClockSlack);
    Probe().EndpointList().SetItemState(1, 0, LVIS_SELECTED);
    EXPECT_EQ((std::vector<COLORREF>{custom, custom}), Fills());

    // Off: a closed endpoint leaves at once, and the choice is in the file.
    Command(ID_VIEW_HIGHLIGHT);
    Poll({MakeEndpoint(127, 0, 0, 1, 5000)});
    EXPECT_EQ(1, Probe().EndpointList().GetItemCount());
    EXPECT_EQ(0u, ::GetPrivateProfileIntA("Attributes", "Highlight", 9, ini.c_str()));
}

TEST_F(ChangesTest, TheLogIsContinuedAcrossRunsAndAFailedWriteStopsItOnce)
{
    // A name outside the code page, kept in the settings file as UTF-8.
    const std::string log = ::testing::TempDir() + "tarnwick-changes-\xC5\x81\xC3\xB3"
                                                   "d\xC5\xBA.log";
    const std::wstring logFile = fw::Utf8ToWide(log);
    ::DeleteFileW(logFile.c_str());
    const std::string settings = "[Attributes]\r\nLogChanges=1\r\nLogFile=" + log + "\r\n";
    // Each run: the rows of its first poll are no change, the second poll's are.
    const std::vector<std::vector<Endpoint>> runs[] = {
        {{MakeEndpoint(127, 0, 0, 1, 5000)},
         {MakeEndpoint(127, 0, 0, 1, 5000), MakeEndpoint(127, 0, 0, 2, 5001)}},
        {{MakeEndpoint(127, 0, 0, 1, 5000), MakeEndpoint(127, 0, 0, 2, 5001)},
         {MakeEndpoint(127, 0, 0, 2, 5001)}},
    };
    CUnexpectedDialogs unexpected;
    const auto pollAll = [this](const std::vector<std::vector<Endpoint>>& polls) {
        for (const auto& rows : polls)
            Poll(rows);
    };
    // The first run is told where to log by File > Log Changes, which stores the choice.
    OpenWith("");
    char offered[MAX_PATH] = {};
    WhenShown("#32770", [&](HWND save) {
        ::GetDlgItemTextA(save, cmb13, offered, sizeof(offered));
        TypeAndSave(save, logFile);
    });
    Command(ID_FILE_LOG);
    EXPECT_STREQ("Changes.log", offered);
    EXPECT_TRUE(Checked(ID_FILE_LOG));
    char stored[MAX_PATH * 4] = {};
    ::GetPrivateProfileStringA("Attributes", "LogFile", "", stored, sizeof(stored), ini.c_str());
    EXPECT_EQ(log, stored);
    pollAll(runs[0]);
    Close();
    // The second resumes from the file, and logs until the command is chosen again.
    Open();
    ::KillTimer(hwnd, CMainFrame::kFirstPollTimer);
    EXPECT_TRUE(Checked(ID_FILE_LOG));
    pollAll(runs[1]);
    Command(ID_FILE_LOG);
    EXPECT_FALSE(Checked(ID_FILE_LOG));
    EXPECT_EQ(0u, ::GetPrivateProfileIntA("Attributes", "LogChanges", 9, ini.c_str()));
    Poll(runs[1].front());
    Close();
    const std::string text = FileBytes(logFile);
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    // Two lines and nothing after them, each the time of this year, then the change.
    ASSERT_EQ(2u, lines.size()) << text;
    EXPECT_EQ(text.size(), at) << text;
    constexpr std::size_t kTimeWidth = 19; // "YYYY-MM-DD hh:mm:ss"
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    const std::regex time(std::to_string(now.wYear) + R"(-\d\d-\d\d \d\d:\d\d:\d\d)");
    const char* const changes[] = {"   +   127.0.0.2   5001   ", "   -   127.0.0.1   5000   "};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(std::regex_match(lines[i].substr(0, kTimeWidth), time)) << lines[i];
        EXPECT_EQ(changes[i], lines[i].substr(std::min(kTimeWidth, lines[i].size())));
    }

    // Another program holds the log without sharing it: one message, naming the file.
    OpenWith(settings);
    Poll({MakeEndpoint(127, 0, 0, 1, 5000)});
    HANDLE held =
        ::CreateFileW(logFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string message;
    WhenShown("#32770", [&](HWND box) {
        message = fw::WideToUtf8(MessageBoxText(box));
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Poll({MakeEndpoint(127, 0, 0, 1, 5001)});
    Poll({MakeEndpoint(127, 0, 0, 1, 5002)});
    ::CloseHandle(held);
    EXPECT_NE(std::string::npos, message.find(log)) << message;
    EXPECT_FALSE(Checked(ID_FILE_LOG));
    EXPECT_EQ(0u, ::GetPrivateProfileIntA("Attributes", "LogChanges", 9, ini.c_str()));
    EXPECT_EQ(text, FileBytes(logFile));
    Close();
    ::DeleteFileW(logFile.c_str());
}

} // namespace
