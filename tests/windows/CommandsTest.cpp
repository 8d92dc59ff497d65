// The commands and switches of the main window, driven the way a user drives them:
// WM_COMMAND, clicks on the status bar, the mouse over menu and toolbar.
#include "tests/windows/FrameFixture.h"
#include "tests/windows/PaneBarHost.h"

#include <functional>

namespace {

class CommandsTest : public CFrameFixture {
protected:
    // A left click at a point of the status bar, or in the middle of a pane.
    void ClickBar(LONG x, LONG y)
    {
        ::SendMessageA(Probe().StatusBar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageA(Probe().StatusBar(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void ClickPane(int index)
    {
        RECT rc = {};
        ASSERT_TRUE(Probe().StatusBar().GetItemRect(index, rc));
        ClickBar((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }
    // A pane's texts when enabled and disabled, and the colour its text is painted in: "green"
    // (on), "red" (off) or "?".
    std::string PaneTexts(int index) const
    {
        CPaneStatusBar& bar = Probe().StatusBar();
        const CStatusPane& pane = *bar.GetPane(index);
        const CDibSection image = PrintClient(bar);
        const RECT inner = InnerRect(bar, index);
        const bool green = CountColor(image, inner, kOnGreen) > 10;
        const bool red = CountColor(image, inner, kOffRed) > 10;
        return pane.GetStateText(true) + "/" + pane.GetStateText(false) + " " +
               (green == red ? "?" : green ? "green" : "red");
    }
    static constexpr COLORREF kOnGreen = RGB(0, 150, 0);
    static constexpr COLORREF kOffRed = RGB(200, 0, 0);

    // The button's image, drawn alike by the normal and the hot list: "on", "off" (the state
    // bitmaps with the grey made button face) or "?".
    std::string ButtonImage(int image, UINT on, UINT off) const
    {
        std::vector<COLORREF> shown = ImageListPixels(Probe().ToolBarImages().Normal(), image);
        EXPECT_EQ(shown, ImageListPixels(Probe().ToolBarImages().Hot(), image))
            << "hot image " << image;
        return shown == StateBitmap(on) ? "on" : shown == StateBitmap(off) ? "off" : "?";
    }
    static std::vector<COLORREF> StateBitmap(UINT id)
    {
        HBITMAP bitmap =
            static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ReplaceGrey(bitmap);
        CDibSection dib(24, 24);
        dib.CopyFrom(bitmap);
        ::DeleteObject(bitmap);
        return dib.Pixels();
    }
    // The message pane; each switch as its menu item, button and pane show it (the stripes
    // "moving" while the bar's animation timer runs after a repaint); the first row.
    std::string Shown() const
    {
        CPaneStatusBar& bar = Probe().StatusBar();
        ::UpdateWindow(bar);
        std::ostringstream out;
        out << bar.GetPaneText(kMessagePane) << " | " << Checked(ID_AUTOUPDATE) << " "
            << ButtonImage(CToolBarImages::kAutoUpdateImage, IDB_AUTOUPDATE_ON, IDB_AUTOUPDATE_OFF)
            << " " << PaneTexts(kAutoUpdatePane) << " "
            << (bar.GetAnimTimer() != 0 ? "moving" : "still") << " | " << Checked(ID_RESOLVE) << " "
            << ButtonImage(CToolBarImages::kResolveImage, IDB_RESOLVE_ON, IDB_RESOLVE_OFF) << " "
            << PaneTexts(kResolvePane) << " | " << Cell(0, 0) << ":" << Cell(0, 1);
        return out.str();
    }
};

TEST_F(CommandsTest, RefreshPollsOnceAndAutoUpdateAtTheIntervalUntilPaused)
{
    Refresh();
    EXPECT_EQ(1, table->readCalls);
    Probe().SetInterval(100);
    Command(ID_AUTOUPDATE);
    // Resuming does not poll at once; the first poll comes one period later, and the next ones
    // at the interval set, not the default's 2 seconds.
    EXPECT_EQ(1, table->readCalls);
    ASSERT_TRUE(PumpUntil([&] { return table->readCalls >= 4; }, 1500));

    Command(ID_AUTOUPDATE);
    PumpMessages(50);
    int reads = table->readCalls;
    PumpMessages(400);
    EXPECT_EQ(reads, table->readCalls);
}

// View › Toolbar and Status Bar hide and show their bars, checked while they show.
TEST_F(CommandsTest, ViewToolbarAndStatusBarAreCheckedWhileTheirBarsShow)
{
    HMENU view = ::GetSubMenu(::GetMenu(hwnd), 2);
    for (UINT id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        HWND bar = id == ID_VIEW_TOOLBAR ? Probe().ToolBar() : Probe().StatusBar();
        for (bool shown : {false, true}) {
            Command(id);
            ::SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 2);
            EXPECT_EQ(shown, ::IsWindowVisible(bar) != FALSE) << id;
            EXPECT_EQ(shown, Checked(id)) << id;
        }
    }
}

// Prompts of menu items and toolbar buttons show in the message pane; the switches follow
// their commands and pane clicks.
TEST_F(CommandsTest, PromptsAndSwitchesShowWhereTheUserLooks)
{
    table->rows = {MakeEndpoint(0, 0, 0, 0, 53), MakeEndpoint(127, 0, 0, 1, 40000)};
    // No timer poll in the way of the rows.
    Probe().SetInterval(3600 * 1000);
    RECT bar = Probe().StatusBar().GetClientRect();
    fw::CToolBar& toolbar = Probe().ToolBar();
    auto menuSelect = [this](UINT id, UINT flags) {
        ::SendMessageA(hwnd, WM_MENUSELECT, MAKEWPARAM(id, flags), 0);
    };
    auto hover = [&toolbar](int button) {
        RECT rc = toolbar.GetClientRect();
        if (button >= 0)
            toolbar.SendMessage(TB_GETITEMRECT, button, reinterpret_cast<LPARAM>(&rc));
        else
            rc.left = rc.right - 4; // right of the last button
        toolbar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM((rc.left + rc.right) / 2, rc.bottom / 2));
    };
    struct Step {
        std::function<void()> act;
        const char* shown;
    };
    // A switch shows both switches' state images from then on; before, the toolbar's own.
    // clang-format off
    const Step steps[] = {
        {[] {}, "Ready | 0 ? / red still | 1 ? Resolve ON/ green | :"},
        {[&] { menuSelect(ID_REFRESH, MF_STRING); }, "Refresh UDP Information | 0 ? / red still | 1 ? Resolve ON/ green | :"},
        {[&] { menuSelect(0, 0xFFFF); }, "Ready | 0 ? / red still | 1 ? Resolve ON/ green | :"}, // the menu closed
        {[&] { hover(0); }, "Refresh UDP Information | 0 ? / red still | 1 ? Resolve ON/ green | :"},
        // Copy is disabled: its prompt shows all the same.
        {[&] { hover(5); }, "Copy the IP address and put it on the Clipboard | 0 ? / red still | 1 ? Resolve ON/ green | :"},
        {[&] { hover(-1); }, "Ready | 0 ? / red still | 1 ? Resolve ON/ green | :"},
        {[&] { hover(1); }, "Stop/Start AutoUpdate process | 0 ? / red still | 1 ? Resolve ON/ green | :"},
        {[&] { toolbar.SendMessage(WM_MOUSELEAVE); }, "Ready | 0 ? / red still | 1 ? Resolve ON/ green | :"},
        {[&] { Command(ID_AUTOUPDATE); }, "Ready | 1 on AutoUpdate ACTIVE/AutoUpdate PAUSED green moving | 1 on Resolve ON/ green | :"},
        {[&] { ClickPane(kAutoUpdatePane); }, "Ready | 0 off AutoUpdate PAUSED/AutoUpdate ACTIVE red still | 1 on Resolve ON/ green | :"},
        {[&] { ClickPane(kStripesPane); }, "Ready | 1 on AutoUpdate ACTIVE/AutoUpdate PAUSED green moving | 1 on Resolve ON/ green | :"},
        {[&] { Command(ID_AUTOUPDATE); }, "Ready | 0 off AutoUpdate PAUSED/AutoUpdate ACTIVE red still | 1 on Resolve ON/ green | :"},
        // Neither the message pane nor the size grip is a switch.
        {[&] { ClickPane(kMessagePane), ClickBar(bar.right - 3, bar.bottom - 3); }, "Ready | 0 off AutoUpdate PAUSED/AutoUpdate ACTIVE red still | 1 on Resolve ON/ green | :"},
        // Names are looked up by a resolver run that a poll starts, and shown by a later poll.
        {[&] { PumpUntil([&] { return Refresh(), Cell(0, 1) == "domain"; }, 10000); }, "Ready | 0 off AutoUpdate PAUSED/AutoUpdate ACTIVE red still | 1 on Resolve ON/ green | TESTHOST:domain"},
        // The rows keep their texts until the next poll.
        {[&] { Command(ID_RESOLVE); }, "Ready | 0 off AutoUpdate PAUSED/AutoUpdate ACTIVE red still | 0 off Resolve OFF/ red | TESTHOST:domain"},
        {[&] { Refresh(); }, "Ready | 0 off AutoUpdate PAUSED/AutoUpdate ACTIVE red still | 0 off Resolve OFF/ red | 0.0.0.0:53"},
        {[&] { ClickPane(kResolvePane); }, "Ready | 0 off AutoUpdate PAUSED/AutoUpdate ACTIVE red still | 1 on Resolve ON/ green | 0.0.0.0:53"},
        {[&] { Refresh(); }, "Ready | 0 off AutoUpdate PAUSED/AutoUpdate ACTIVE red still | 1 on Resolve ON/ green | TESTHOST:domain"},
    };
    // clang-format on
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(step.shown, Shown()) << &step - steps;
    }

    // The tooltip is the part after the newline.
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = hwnd;
    info.hdr.idFrom = ID_EDIT_COPY;
    info.hdr.code = TTN_GETDISPINFOA;
    ::SendMessageA(hwnd, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(nullptr, info.lpszText);
    EXPECT_STREQ("Copy", info.lpszText);
}

} // namespace
