#include "AboutDlg.h"
#include "MainFrame.h"
#include "TestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

// Runs `open`, which returns when the dialog it starts has ended, and `act` on the dialog.
void WithDialog(const char* caption, std::function<void(HWND)> act, std::function<void()> open)
{
    WhenShown(
        "#32770",
        [act = std::move(act)](HWND dialog) {
            act(dialog);
            if (::IsWindowVisible(dialog)) {
                ADD_FAILURE() << "a dialog was left open";
                ::EndDialog(dialog, IDABORT);
            }
        },
        caption);
    open();
}

void Click(HWND dialog, int id)
{
    ::SendDlgItemMessageA(dialog, id, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    ::SendDlgItemMessageA(dialog, id, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

// Colours in the file's order, the two switches and the interval.
std::string Describe(std::initializer_list<COLORREF> colors, int grid, int top,
                     const std::string& interval)
{
    std::ostringstream out;
    for (COLORREF color : colors)
        out << std::hex << color << " ";
    out << std::dec << "grid " << grid << " top " << top << " " << interval;
    return out.str();
}

COLORREF SwatchColor(HWND dialog, int id)
{
    CDibSection image = PrintClient(::GetDlgItem(dialog, id), RGB(1, 2, 3));
    return Filled(image, image.All(), image.At(0, 0)) ? image.At(0, 0) : CLR_INVALID;
}

std::string Shown(HWND dialog)
{
    char interval[16] = {};
    ::GetDlgItemTextA(dialog, IDC_INTERVAL, interval, sizeof(interval));
    return Describe({SwatchColor(dialog, IDC_BACK_COLOR), SwatchColor(dialog, IDC_CUSTOM_COLOR),
                     SwatchColor(dialog, IDC_SYSTEM_COLOR),
                     SwatchColor(dialog, IDC_STATISTICS_COLOR),
                     SwatchColor(dialog, IDC_SELECT_COLOR)},
                    ::IsDlgButtonChecked(dialog, IDC_GRID_LINES),
                    ::IsDlgButtonChecked(dialog, IDC_ON_TOP), interval);
}

// A case clicks `first` (if any; the back swatch's chooser ends with OK), then `last`.
struct SettingsCase {
    const char* name;
    const char* file; // nullptr: no file
    int first;
    int last;
    const char* shown;             // the dialog as it opens
    const char* applied;           // the main window afterwards
    const char* written = nullptr; // the whole file afterwards, if given
};
void PrintTo(const SettingsCase& c, std::ostream* out)
{
    *out << c.name;
}

const char kStored[] = "[Colors]\r\nBackColor=255\r\nCustomColor=255\r\nSystemColor=255\r\n"
                       "StatisticsColor=255\r\nSelectColor=255\r\n[Attributes]\r\nGridLines=0\r\n"
                       "OnTop=1\r\nUpdateInterval=7\r\n";

// A cancelled dialog leaves the file byte for byte. The menu command has switched the menu
// style since start-up; the main window keeps that choice through OK.
const SettingsCase kSettingsCases[] = {
    {"NoFile", nullptr, 0, IDOK, "cdc8c8 dcffff dcffdc ffe6c8 ffc8c8 grid 1 top 0 2 sec",
     "cdc8c8 dcffff dcffdc ffe6c8 ffc8c8 grid 1 top 0 2000 ms menu 0",
     "[Colors]\r\nBackColor=13486280\r\nCustomColor=14483455\r\nSystemColor=14483420\r\n"
     "StatisticsColor=16770760\r\nSelectColor=16763080\r\n[Attributes]\r\nGridLines=1\r\n"
     "OnTop=0\r\nUpdateInterval=2\r\n"},
    // The chooser starts at black.
    {"IntervalOfFourAndChooser", "[Attributes]\r\nUpdateInterval=4\r\nMenuStyle=1\r\n",
     IDC_BACK_COLOR, IDOK, "cdc8c8 dcffff dcffdc ffe6c8 ffc8c8 grid 1 top 0 3 sec",
     "0 dcffff dcffdc ffe6c8 ffc8c8 grid 1 top 0 3000 ms menu 0"},
    // What is no colour gives the default, in the dialog and in the main window.
    {"NoColours", "[Colors]\r\nBackColor=-1\r\nSystemColor=16777471\r\nCustomColor=16777215\r\n", 0,
     IDCANCEL, "cdc8c8 ffffff dcffdc ffe6c8 ffc8c8 grid 1 top 0 2 sec",
     "cdc8c8 ffffff dcffdc ffe6c8 ffc8c8 grid 1 top 0 2000 ms menu 0"},
    {"DefaultThenOk", kStored, IDC_DEFAULT, IDOK, "ff ff ff ff ff grid 0 top 1 7 sec",
     "cdc8c8 dcffff dcffdc ffe6c8 ffc8c8 grid 1 top 0 3000 ms menu 0"},
    {"DefaultThenCancel", kStored, IDC_DEFAULT, IDCANCEL, "ff ff ff ff ff grid 0 top 1 7 sec",
     "ff ff ff ff ff grid 0 top 1 7000 ms menu 0"},
};

class SettingsDialogTest : public ::testing::TestWithParam<SettingsCase> {
protected:
    void TearDown() override
    {
        ::DestroyWindow(frameWnd);
        ::DeleteFileA(path.c_str());
    }
    std::string ReadFile() const
    {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }

    std::string path = ::testing::TempDir() + "tarnwick-dialogs.ini";
    HWND frameWnd = nullptr;
};

TEST_P(SettingsDialogTest, ShowsTheFileAndWritesWhatOkConfirms)
{
    const SettingsCase& c = GetParam();
    ::DeleteFileA(path.c_str());
    if (c.file != nullptr)
        std::ofstream(path, std::ios::binary) << c.file;
    std::string before = ReadFile();
    auto* frame = new CMainFrame(std::make_unique<CFakeUdpTable>(),
                                 std::make_shared<CFakeNameLookup>(), path);
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    frameWnd = *frame;
    ::SendMessageA(frameWnd, WM_COMMAND, ID_XPSTYLE, 0);
    WithDialog(
        "Settings",
        [&c](HWND dialog) {
            EXPECT_EQ(c.shown, Shown(dialog));
            // A swatch keeps the arrow.
            ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
            ::SendDlgItemMessageA(dialog, IDC_BACK_COLOR, WM_MOUSEMOVE, 0, 0);
            EXPECT_EQ(::LoadCursorA(nullptr, IDC_ARROW), ::GetCursor());
            if (c.first == IDC_BACK_COLOR)
                WithDialog(
                    "Color", [](HWND chooser) { Click(chooser, IDOK); },
                    [dialog] { Click(dialog, IDC_BACK_COLOR); });
            else if (c.first != 0)
                Click(dialog, c.first);
            Click(dialog, c.last);
        },
        [this] { ::SendMessageA(frameWnd, WM_COMMAND, ID_SETTINGS, 0); });

    const CEndpointListCtrl& list = frame->m_wndEndpointList;
    EXPECT_EQ(c.applied,
              Describe({list.m_crBackColor, list.m_crCustomColor, list.m_crSystemColor,
                        static_cast<COLORREF>(frame->m_wndStatistics.SendMessage(LVM_GETBKCOLOR)),
                        list.m_crSelectColor},
                       list.m_bGridLines,
                       (::GetWindowLongA(frameWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0,
                       std::to_string(frame->m_nInterval) + " ms menu " +
                           std::to_string(frame->m_bXPMenu)));
    if (c.written != nullptr || c.last == IDCANCEL) {
        EXPECT_EQ(c.written != nullptr ? c.written : before, ReadFile());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsDialogTest, ::testing::ValuesIn(kSettingsCases),
                         [](const ::testing::TestParamInfo<SettingsCase>& info) {
                             return std::string(info.param.name);
                         });

DWORD g_openThread = 0;
HANDLE g_opened = nullptr;

bool FakeOpen(const char* address)
{
    g_openThread = ::GetCurrentThreadId();
    if (std::string(address) == CAboutDlg::kAddress)
        ::SetEvent(g_opened);
    return false;
}

TEST(AboutDialogTest, LinkIsBlueUnderlinedWithTheHandAndOpensOffTheWindowThread)
{
    g_opened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    WithDialog(
        "About Tarnwick",
        [](HWND dialog) {
            HWND link = ::GetDlgItem(dialog, IDC_ABOUT_LINK);
            CDibSection image = PrintClient(link);
            LOGFONTA font = {};
            ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0)),
                         sizeof(font), &font);
            font.lfUnderline = TRUE;
            RECT rc = image.All();
            EXPECT_TRUE(
                SameIn(image,
                       DrawReferenceText(rc.right, rc.bottom, ::GetSysColor(COLOR_BTNFACE), font,
                                         RGB(0, 0, 255), CAboutDlg::kAddress, rc, DT_CENTER, rc),
                       rc));
            EXPECT_GT(CountColor(image, rc, RGB(0, 0, 255)), 0);

            ::SendMessageA(link, WM_MOUSEMOVE, 0, 0);
            EXPECT_EQ(::LoadCursorA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_CURSOR_HAND)),
                      ::GetCursor());
            Click(dialog, IDC_ABOUT_LINK);
            EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_opened, 5000));
            EXPECT_NE(::GetCurrentThreadId(), g_openThread);
            EXPECT_TRUE(::IsWindowVisible(dialog));
            Click(dialog, IDOK);
        },
        [] { CAboutDlg(nullptr, &FakeOpen).DoModal(); });
    ::CloseHandle(g_opened);
}

} // namespace
