// The settings file: read at start, the menu style written back at exit, the Settings dialog
// showing the file and writing what OK confirms; seen in the file's bytes, in what the main
// window applied and on the screen.
#include "menu/StyledMenu.h"
#include "settings/SettingsDlg.h"
#include "tests/windows/FrameFixture.h"

#include <commctrl.h>

namespace {

// Every key, each colour a different one.
const char kStored[] = "[Colors]\r\nBackColor=255\r\nSystemColor=65280\r\nCustomColor=16711680\r\n"
                       "SelectColor=65535\r\nStatisticsColor=16776960\r\n[Attributes]\r\n"
                       "GridLines=0\r\nUpdateInterval=7\r\nMenuStyle=0\r\nOnTop=2\r\n";

// Each test opens the main window over the file it has written.
class SettingsTest : public CFrameFixture {
protected:
    void SetUp() override { NewIni(); }

    // What the main window applied: the colours as 0xBBGGRR in the dialog's order (back, custom,
    // system, statistics, select; the lists' backgrounds also as the screen shows them, in the
    // empty list and in an empty value cell), the statistics' text colour, the switches, the
    // interval and the menu style (the look a popup is drawn in, and its check mark).
    std::string Applied() const
    {
        const CEndpointListCtrl& list = Probe().EndpointList();
        const fw::CListCtrl& stats = Probe().Statistics();
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        CDibSection left = ScreenImage(list), right = ScreenImage(stats);
        RECT row = {};
        stats.GetItemRect(0, row, LVIR_BOUNDS);
        std::ostringstream out;
        out << std::hex << list.m_crBackColor << "/" << list.SendMessage(LVM_GETBKCOLOR) << "/"
            << left.At(1, left.Height() - 2) << " " << list.m_crCustomColor << " "
            << list.m_crSystemColor << " " << stats.SendMessage(LVM_GETBKCOLOR) << "/"
            << stats.SendMessage(LVM_GETTEXTBKCOLOR) << "/"
            << right.At(right.Width() - 2, (row.top + row.bottom) / 2) << " "
            << list.m_crSelectColor << " text " << stats.SendMessage(LVM_GETTEXTCOLOR) << std::dec
            << " grid " << list.m_bGridLines << " top "
            << ((::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) << " "
            << Probe().Interval() << " ms menu " << Look() << "/" << Checked(ID_XPSTYLE);
        return out.str();
    }
    // The classic look highlights a selected item to its right end in the highlight colour;
    // the XP look tints it.
    std::string Look() const
    {
        auto& popup =
            dynamic_cast<CStyledMenu&>(*fw::CMenu::FromHandle(::GetSubMenu(::GetMenu(hwnd), 0)));
        CDibSection image(120, 20);
        DRAWITEMSTRUCT dis = {ODT_MENU,
                              0,
                              ID_REFRESH,
                              0,
                              ODS_SELECTED,
                              reinterpret_cast<HWND>(popup.GetSafeHmenu()),
                              image.Dc(),
                              image.All(),
                              reinterpret_cast<ULONG_PTR>(popup.m_arrItems[0].get())};
        ::SendMessageA(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        return image.At(115, 10) == ::GetSysColor(COLOR_HIGHLIGHT) ? "classic" : "xp";
    }
};

// clang-format off
const char kDefaults[] = "cdc8c8/cdc8c8/cdc8c8 dcffff dcffdc ffe6c8/ffe6c8/ffe6c8 ffc8c8 text 320000 grid 1 top 0 2000 ms menu xp/1";
// clang-format on

TEST_F(SettingsTest, FileIsAppliedAtStartAndLeftAsItWasAtExit)
{
    struct Case {
        const char* file; // nullptr: none
        const char* applied;
    };
    // clang-format off
    const char kNoColours[] = "\x01\x02garbage without sections\r\n[Colors]\r\nBackColor=-1\r\n"
                              "SystemColor=16777471\r\nCustomColor=16777215\r\nSelectColor=green\r\n"
                              "[Attributes]\r\nGridLines=0\r\n";
    const Case cases[] = {
        {nullptr, kDefaults},
        {kStored, "ff/ff/ff ff0000 ff00 ffff00/ffff00/ffff00 ffff text 320000 grid 0 top 1 7000 ms menu classic/0"},
        // Only 1 is the XP look, for the drawing and the check mark alike.
        {"[Attributes]\r\nMenuStyle=5\r\n", "cdc8c8/cdc8c8/cdc8c8 dcffff dcffdc ffe6c8/ffe6c8/ffe6c8 ffc8c8 text 320000 grid 1 top 0 2000 ms menu classic/0"},
        // What is no colour gives the default, key by key.
        {kNoColours, "cdc8c8/cdc8c8/cdc8c8 ffffff dcffdc ffe6c8/ffe6c8/ffe6c8 ffc8c8 text 320000 grid 0 top 0 2000 ms menu xp/1"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::string before = c.file != nullptr ? c.file : "";
        if (c.file != nullptr)
            WriteIni(c.file);
        Open();
        EXPECT_EQ(c.applied, Applied()) << before;
        EXPECT_EQ(before, FileBytes(ini));
        Close();
        EXPECT_EQ(before, FileBytes(ini));
        NewIni();
    }
    // Where no file can be written, every write fails quietly.
    ini = "Z:\\no\\such\\directory\\Tarnwick.ini";
    Open();
    EXPECT_EQ(kDefaults, Applied());
}

// Two instances: each stores at exit only the look it switched itself, whoever closes last.
TEST_F(SettingsTest, AtExitOnlyTheLookThisWindowSwitchedIsStored)
{
    WriteIni("[Attributes]\r\nMenuStyle=5\r\n");
    Open();
    const HWND first = hwnd;
    Open();
    Command(ID_XPSTYLE);
    EXPECT_EQ("xp", Look());
    Close();
    EXPECT_EQ("[Attributes]\r\nMenuStyle=1\r\n", FileBytes(ini));
    ::DestroyWindow(first);
    EXPECT_EQ("[Attributes]\r\nMenuStyle=1\r\n", FileBytes(ini));
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
    WriteIni("[Attributes]\r\nMenuStyle=0\r\n");
    HHOOK hook = ::SetWindowsHookExA(WH_CBT, &RefuseToolbars, nullptr, ::GetCurrentThreadId());
    // The frame destroys and deletes itself when its creation fails.
    EXPECT_FALSE(
        (new CMainFrame(sharedTable, lookup, ini))->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ("[Attributes]\r\nMenuStyle=0\r\n", FileBytes(ini));
}

TEST_F(SettingsTest, UpdateIntervalOfAnyTextGivesASanePeriod)
{
    // What the program writes itself, then what a person or a broken disk may leave.
    const std::pair<const char*, int> cases[] = {
        {"0", 2000},    {"4", 4000}, {"60", 60000},         {"-5", 2000},
        {"fast", 2000}, {"", 2000},  {"2147483", 86400000}, {"4294967297", 86400000}};
    for (const auto& [stored, milliseconds] : cases) {
        NewIni();
        WriteIni(std::string("[Attributes]\r\nUpdateInterval=") + stored + "\r\n");
        EXPECT_EQ(milliseconds, CSettingsStore(ini).Load().interval.Milliseconds()) << stored;
    }
}

// The dialog as the screen shows it: the dotted labels ("+" for one whose right part shows
// text: one that wraps shows its first words only), the swatches' colours (ffffffff for one
// that is not of one colour), the two switches and the interval.
std::string Shown(HWND dialog)
{
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::ostringstream out;
    for (const CSettingsDlg::CSwatch& swatch : CSettingsDlg::kSwatches) {
        CDibSection label = ScreenImage(::GetDlgItem(dialog, swatch.nLabelId));
        int ink = 0;
        for (LONG y = 0; y < label.Height(); ++y)
            for (LONG x = label.Width() * 3 / 4; x < label.Width(); ++x)
                ink += GetRValue(label.At(x, y)) < 0x80 ? 1 : 0;
        out << (ink > 0 ? "+" : "-");
    }
    out << " ";
    for (const CSettingsDlg::CSwatch& shown : CSettingsDlg::kSwatches) {
        CDibSection swatch = ScreenImage(::GetDlgItem(dialog, shown.nId));
        bool one = Filled(swatch, swatch.All(), swatch.At(0, 0));
        out << std::hex << (one ? swatch.At(0, 0) : CLR_INVALID) << " ";
    }
    char interval[16] = {};
    ::GetDlgItemTextA(dialog, IDC_INTERVAL, interval, sizeof(interval));
    out << std::dec << "grid " << ::IsDlgButtonChecked(dialog, IDC_GRID_LINES) << " top "
        << ::IsDlgButtonChecked(dialog, IDC_ON_TOP) << " " << interval;
    return out.str();
}

// The menu command has switched the menu style since start-up; the main window keeps that
// choice through OK.
TEST_F(SettingsTest, DialogShowsTheFileAndOkAppliesAndWritesWhatItShows)
{
    struct Case {
        const char* file;
        int first; // the back swatch: its chooser ends with OK
        const char* opened;
        const char* changed;
        int last;
        const char* applied;
        const char* written;
    };
    // clang-format off
    const Case cases[] = {
        // The chooser starts at black; 4 seconds is no choice: 3 are shown. OK writes the keys
        // the file lacks in the dialog's order.
        {"[Attributes]\r\nUpdateInterval=4\r\n", IDC_BACK_COLOR,
         "+++++++ cdc8c8 dcffff dcffdc ffe6c8 ffc8c8 78dc78 7878f0 grid 1 top 0 3 sec",
         "+++++++ 0 dcffff dcffdc ffe6c8 ffc8c8 78dc78 7878f0 grid 1 top 0 3 sec", IDOK,
         "0/0/0 dcffff dcffdc ffe6c8/ffe6c8/ffe6c8 ffc8c8 text 320000 grid 1 top 0 3000 ms menu classic/0",
         "[Attributes]\r\nUpdateInterval=3\r\nGridLines=1\r\nOnTop=0\r\n[Colors]\r\nBackColor=0\r\n"
         "CustomColor=14483455\r\nSystemColor=14483420\r\nStatisticsColor=16770760\r\nSelectColor=16763080\r\n"
         "NewColor=7920760\r\nRemovedColor=7895280\r\n"},
        // Default puts back 3 seconds, not the file's default of 2.
        {kStored, IDC_DEFAULT,
         "+++++++ ff ff0000 ff00 ffff00 ffff 78dc78 7878f0 grid 0 top 1 7 sec",
         "+++++++ cdc8c8 dcffff dcffdc ffe6c8 ffc8c8 78dc78 7878f0 grid 1 top 0 3 sec", IDOK,
         "cdc8c8/cdc8c8/cdc8c8 dcffff dcffdc ffe6c8/ffe6c8/ffe6c8 ffc8c8 text 320000 grid 1 top 0 3000 ms menu xp/1",
         "[Colors]\r\nBackColor=13486280\r\nSystemColor=14483420\r\nCustomColor=14483455\r\n"
         "SelectColor=16763080\r\nStatisticsColor=16770760\r\nNewColor=7920760\r\n"
         "RemovedColor=7895280\r\n[Attributes]\r\n"
         "GridLines=1\r\nUpdateInterval=3\r\nMenuStyle=0\r\nOnTop=0\r\n"},
        // Cancel leaves the main window and the file as they were.
        {kStored, IDC_DEFAULT,
         "+++++++ ff ff0000 ff00 ffff00 ffff 78dc78 7878f0 grid 0 top 1 7 sec",
         "+++++++ cdc8c8 dcffff dcffdc ffe6c8 ffc8c8 78dc78 7878f0 grid 1 top 0 3 sec", IDCANCEL,
         "ff/ff/ff ff0000 ff00 ffff00/ffff00/ffff00 ffff text 320000 grid 0 top 1 7000 ms menu xp/1",
         kStored},
    };
    // clang-format on
    for (const Case& c : cases) {
        WriteIni(c.file);
        Open();
        Command(ID_XPSTYLE);
        WhenShown(
            "#32770",
            [&c](HWND dialog) {
                EXPECT_EQ(c.opened, Shown(dialog));
                if (c.first == IDC_BACK_COLOR) {
                    // A swatch keeps the arrow.
                    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
                    ::SendDlgItemMessageA(dialog, IDC_BACK_COLOR, WM_MOUSEMOVE, 0, 0);
                    EXPECT_EQ(::LoadCursorA(nullptr, IDC_ARROW), ::GetCursor());
                    WhenShown(
                        "#32770", [](HWND chooser) { ClickDlgItem(chooser, IDOK); }, "Color");
                }
                ClickDlgItem(dialog, c.first);
                EXPECT_EQ(c.changed, Shown(dialog));
                ClickDlgItem(dialog, c.last);
            },
            "Settings");
        Command(ID_SETTINGS);
        EXPECT_EQ(c.applied, Applied());
        EXPECT_EQ(c.written, FileBytes(ini));
        Close();
        NewIni();
    }
}

// By keyboard alone: Tab goes top to bottom, a label's letter to its control, and Space or
// Enter on a swatch, which shows the focus, opens the colour chooser.
TEST_F(SettingsTest, TheDialogAnswersTheKeyboardAlone)
{
    Open();
    int choosers = 0;
    WhenShown(
        "#32770",
        [&choosers](HWND dialog) {
            auto key = [dialog](UINT msg, WPARAM key) {
                MSG m = {::GetFocus(), msg, key, msg == WM_SYSCHAR ? 1 << 29 : 1, 0, {}};
                ::IsDialogMessageA(dialog, &m);
                return ::GetDlgCtrlID(::GetFocus());
            };
            const std::vector<int> expected({IDC_BACK_COLOR, IDC_SYSTEM_COLOR, IDC_CUSTOM_COLOR,
                                             IDC_STATISTICS_COLOR, IDC_SELECT_COLOR, IDC_NEW_COLOR,
                                             IDC_REMOVED_COLOR, IDC_GRID_LINES, IDC_ON_TOP,
                                             IDC_DEFAULT, IDOK, IDCANCEL, IDC_INTERVAL});
            std::vector<int> order;
            while (order.size() < expected.size())
                order.push_back(key(WM_KEYDOWN, VK_TAB));
            EXPECT_EQ(expected, order);
            const std::pair<UINT, WPARAM> moves[] = {{WM_KEYDOWN, VK_TAB}, {WM_SYSCHAR, 'l'}};
            int opened = 0;
            for (const auto& [msg, letter] : moves) {
                const int id = key(msg, letter);
                EXPECT_EQ(msg == WM_SYSCHAR ? IDC_SELECT_COLOR : IDC_BACK_COLOR, id);
                ::UpdateWindow(::GetFocus());
                CDibSection swatch = ScreenImage(::GetFocus());
                EXPECT_FALSE(Filled(swatch, swatch.All(), swatch.At(0, 0))) << id;
                WhenShown(
                    "#32770",
                    [&choosers](HWND chooser) { ++choosers, ClickDlgItem(chooser, IDOK); },
                    "Color");
                key(WM_KEYDOWN, msg == WM_SYSCHAR ? VK_SPACE : VK_RETURN);
                EXPECT_EQ(++opened, choosers) << id;
            }
            ClickDlgItem(dialog, IDCANCEL);
        },
        "Settings");
    Command(ID_SETTINGS);
    EXPECT_EQ(2, choosers);
}

// A new interval takes effect at once where auto-update runs.
TEST_F(SettingsTest, OkRestartsARunningAutoUpdateWithTheNewInterval)
{
    OpenWith("[Attributes]\r\nUpdateInterval=1\r\n");
    Probe().SetInterval(3600 * 1000);
    Command(ID_AUTOUPDATE);
    WhenShown(
        "#32770", [](HWND dialog) { ClickDlgItem(dialog, IDOK); }, "Settings");
    Command(ID_SETTINGS);
    EXPECT_TRUE(PumpUntil([&] { return table->readCalls > 0; }, 5000));
}

// "IPv6" and "Process" are on for 1 only; their commands write them at once, and the
// counters' rows or the owners' columns follow.
TEST_F(SettingsTest, IPv6AndProcessAreOnForOneAndTheirCommandsWriteThemAtOnce)
{
    const struct {
        const char* key;
        UINT id;
    } kOptions[] = {{"IPv6", ID_VIEW_IPV6}, {"Process", ID_VIEW_PROCESS}};
    for (const auto& option : kOptions) {
        SCOPED_TRACE(option.key);
        Close(), NewIni();
        WriteIni(std::string("[Attributes]\r\n") + option.key + "=2\r\n");
        Open();
        for (bool on : {false, true}) {
            const bool ipv6 = option.id == ID_VIEW_IPV6;
            EXPECT_EQ(on && ipv6 ? 10 : 5, Probe().Statistics().GetItemCount());
            EXPECT_EQ(on && ipv6 ? "IPv6 Datagrams Having No Ports:" : "",
                      Probe().Statistics().GetItemText(6, 0));
            EXPECT_EQ(on && !ipv6 ? 4 : 2, Probe().EndpointList().GetColumnCount());
            EXPECT_EQ(on, Checked(option.id));
            Command(option.id);
            EXPECT_EQ(std::string("[Attributes]\r\n") + option.key + "=" + (on ? "0" : "1") +
                          "\r\n",
                      FileBytes(ini));
        }
    }
}

} // namespace
