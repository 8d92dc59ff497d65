#include "FrameFixture.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(200, 0, 0);
constexpr COLORREF kGreen = RGB(0, 150, 0);

// The commands and switches of the main window, driven the way a user drives them:
// WM_COMMAND, clicks on the status bar, accelerators.
class CommandsTest : public CFrameFixture {
protected:
    void SetUp() override
    {
        CFrameFixture::SetUp();
        table->rows = {MakeEndpoint(0, 0, 0, 0, 53), MakeEndpoint(127, 0, 0, 1, 40000)};
        // No first poll in the way of counting: the tests poll themselves.
        ::KillTimer(hwnd, CMainFrame::kFirstPollTimer);
    }

    void Command(UINT id) { ::SendMessageA(hwnd, WM_COMMAND, id, 0); }

    // A left click at a point of the status bar, or in the middle of a pane.
    void ClickBar(LONG x, LONG y)
    {
        ::SendMessageA(frame->m_wndStatusBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageA(frame->m_wndStatusBar, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void ClickPane(int index)
    {
        RECT rc = {};
        ASSERT_TRUE(frame->m_wndStatusBar.GetItemRect(index, rc));
        ClickBar((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    }

    bool MenuChecked(UINT id) const
    {
        return (::GetMenuState(::GetMenu(hwnd), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    std::string Cell(int row, int column) const
    {
        return frame->m_wndEndpointList.GetItemText(row, column);
    }
    CStatusPane& Pane(int index) const { return *frame->m_wndStatusBar.GetPane(index); }

    // A toolbar button's image as the normal and the hot list draw it.
    std::vector<COLORREF> ToolbarImage(int image) const
    {
        std::vector<COLORREF> normal = ImageListPixels(frame->m_imlNormal, image);
        EXPECT_EQ(normal, ImageListPixels(frame->m_imlHot, image)) << "hot image " << image;
        return normal;
    }
    // A state bitmap as the button should show it.
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
};

TEST_F(CommandsTest, RefreshPollsOnceAndNothingElsePolls)
{
    PumpMessages(200);
    EXPECT_EQ(0, table->readCalls);
    Refresh();
    EXPECT_EQ(1, table->readCalls);
    EXPECT_EQ(2, frame->m_wndEndpointList.GetItemCount());
    PumpMessages(200);
    EXPECT_EQ(1, table->readCalls);
}

TEST_F(CommandsTest, AutoUpdatePollsAtTheIntervalUntilPaused)
{
    frame->m_nInterval = 100;
    Command(ID_AUTOUPDATE);
    EXPECT_FALSE(frame->m_bPaused);
    // Resuming does not poll at once; the first poll comes one period later.
    EXPECT_EQ(0, table->readCalls);
    ASSERT_TRUE(PumpUntil([&] { return table->readCalls >= 3; }, 10000));

    Command(ID_AUTOUPDATE);
    EXPECT_TRUE(frame->m_bPaused);
    PumpMessages(50);
    int reads = table->readCalls;
    PumpMessages(400);
    EXPECT_EQ(reads, table->readCalls);
}

TEST_F(CommandsTest, AutoUpdateSwitchDrivesMenuPanesButtonAndStripes)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    std::vector<COLORREF> initial = ToolbarImage(1);
    EXPECT_FALSE(MenuChecked(ID_AUTOUPDATE));
    ::UpdateWindow(bar);
    EXPECT_EQ(0u, bar.GetAnimTimer());

    Command(ID_AUTOUPDATE);
    EXPECT_TRUE(MenuChecked(ID_AUTOUPDATE));
    EXPECT_EQ(kGreen, Pane(1).m_crText[1]);
    EXPECT_EQ("AutoUpdate ACTIVE", Pane(1).GetStateText(true));
    EXPECT_EQ("AutoUpdate PAUSED", Pane(1).GetStateText(false));
    EXPECT_EQ(StateBitmap(IDB_AUTOUPDATE_ON), ToolbarImage(1));
    EXPECT_NE(initial, ToolbarImage(1));
    // The stripes start moving from the bar's next repaint on.
    EXPECT_EQ(SPS_HSCROLL, Pane(2).m_nStyle & SPS_HSCROLL);
    EXPECT_EQ(0u, bar.GetAnimTimer());
    ::UpdateWindow(bar);
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());

    Command(ID_AUTOUPDATE);
    EXPECT_FALSE(MenuChecked(ID_AUTOUPDATE));
    EXPECT_EQ(kRed, Pane(1).m_crText[1]);
    EXPECT_EQ("AutoUpdate PAUSED", Pane(1).GetStateText(true));
    EXPECT_EQ(StateBitmap(IDB_AUTOUPDATE_OFF), ToolbarImage(1));
    EXPECT_EQ(0x10400000u, Pane(2).m_nStyle);
    ::UpdateWindow(bar);
    EXPECT_EQ(0u, bar.GetAnimTimer());
}

TEST_F(CommandsTest, ResolveSwitchDrivesMenuPaneButtonAndTheNextPoll)
{
    // Names are looked up by a resolver run that a poll starts, and shown by a later poll.
    ASSERT_TRUE(PumpUntil(
        [&] {
            Refresh();
            return Cell(0, 1) == "domain";
        },
        10000));
    EXPECT_EQ("TESTHOST", Cell(0, 0));
    EXPECT_EQ("domain", Cell(0, 1));
    EXPECT_TRUE(MenuChecked(ID_RESOLVE));

    struct Step {
        bool resolve;
        const char* text;
        COLORREF color;
        UINT bitmap;
        const char* host;
        const char* port;
    };
    const Step steps[] = {{false, "Resolve OFF", kRed, IDB_RESOLVE_OFF, "0.0.0.0", "53"},
                          {true, "Resolve ON", kGreen, IDB_RESOLVE_ON, "TESTHOST", "domain"}};
    for (const Step& step : steps) {
        std::string before = Cell(0, 0);
        Command(ID_RESOLVE);
        EXPECT_EQ(step.resolve, frame->m_bResolve != FALSE);
        EXPECT_EQ(step.resolve, MenuChecked(ID_RESOLVE));
        EXPECT_EQ(step.text, Pane(3).GetStateText(true));
        EXPECT_EQ("", Pane(3).GetStateText(false));
        EXPECT_EQ(step.color, Pane(3).m_crText[1]);
        EXPECT_EQ(StateBitmap(step.bitmap), ToolbarImage(2));
        // The rows keep their texts until the next poll.
        EXPECT_EQ(before, Cell(0, 0));
        Refresh();
        EXPECT_EQ(step.host, Cell(0, 0));
        EXPECT_EQ(step.port, Cell(0, 1));
    }
}

TEST_F(CommandsTest, PaneClicksToggleTheSwitchesButPaneZeroAndTheGripDoNothing)
{
    ClickPane(0);
    RECT client = frame->m_wndStatusBar.GetClientRect();
    ClickBar(client.right - 3, client.bottom - 3);
    EXPECT_TRUE(frame->m_bPaused);
    EXPECT_TRUE(frame->m_bResolve);
    EXPECT_FALSE(MenuChecked(ID_AUTOUPDATE));
    EXPECT_EQ(0, table->readCalls);

    ClickPane(2);
    EXPECT_FALSE(frame->m_bPaused);
    ClickPane(1);
    EXPECT_TRUE(frame->m_bPaused);
    ClickPane(3);
    EXPECT_FALSE(frame->m_bResolve);
    ClickPane(3);
    EXPECT_TRUE(frame->m_bResolve);
}

TEST_F(CommandsTest, MenuAndToolbarPromptsShowInTheMessagePane)
{
    fw::CToolBar& toolbar = frame->m_wndToolBar;
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
    const Step steps[] = {
        {[] {}, "Ready"},
        {[&] { menuSelect(ID_REFRESH, MF_STRING); }, "Refresh UDP Information"},
        {[&] { menuSelect(ID_AUTOUPDATE, MF_STRING); }, "Stop/Start AutoUpdate process"},
        {[&] { menuSelect(0, 0xFFFF); }, "Ready"}, // the menu closed
        {[&] { hover(0); }, "Refresh UDP Information"},
        // Copy is disabled: its prompt shows all the same.
        {[&] { hover(5); }, "Copy the IP address and put it on the Clipboard"},
        {[&] { hover(-1); }, "Ready"},
        {[&] { hover(1); }, "Stop/Start AutoUpdate process"},
        {[&] { toolbar.SendMessage(WM_MOUSELEAVE); }, "Ready"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(step.shown, frame->m_wndStatusBar.GetPaneText(0));
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
