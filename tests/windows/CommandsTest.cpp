#include "FrameFixture.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

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
        table->rows = {{0, 53}, {0x7F000001, 40000}};
        // No first poll in the way of counting: the tests poll themselves.
        ::KillTimer(hwnd, CMainFrame::kFirstPollTimer);
    }

    void Command(UINT id) { ::SendMessageA(hwnd, WM_COMMAND, id, 0); }

    // A left click in the middle of a status pane (or at a point of the bar).
    void ClickBar(POINT pt)
    {
        ::SendMessageA(frame->m_wndStatusBar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        ::SendMessageA(frame->m_wndStatusBar, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    }
    void ClickPane(int index)
    {
        RECT rc;
        ASSERT_TRUE(frame->m_wndStatusBar.GetItemRect(index, rc));
        ClickBar({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
    }

    bool MenuChecked(UINT id) const
    {
        return (::GetMenuState(::GetMenu(hwnd), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }

    // Pixels of toolbar image `image` as the normal list draws it.
    std::vector<COLORREF> ToolbarImage(int image) const
    {
        CDibSection dib(24, 24);
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, dib.Get());
        ::ImageList_Draw(frame->m_imlNormal, image, dc, 0, 0, ILD_NORMAL);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
        return Pixels(dib);
    }

    // Pixels of a state bitmap with its grey turned into the button face.
    static std::vector<COLORREF> StateBitmap(UINT id)
    {
        HBITMAP bitmap =
            static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ReplaceGrey(bitmap);
        CDibSection dib(24, 24);
        dib.CopyFrom(bitmap);
        ::DeleteObject(bitmap);
        return Pixels(dib);
    }

    static std::vector<COLORREF> Pixels(const CDibSection& dib)
    {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                pixels.push_back(dib.GetPixel(x, y));
        return pixels;
    }
};

TEST_F(CommandsTest, RefreshPollsOnceAndNothingElsePolls)
{
    PumpMessages(300);
    EXPECT_EQ(0, table->tableReads);
    Command(ID_REFRESH);
    EXPECT_EQ(1, table->tableReads);
    EXPECT_EQ(2, frame->m_wndEndpointList.GetItemCount());
    PumpMessages(300);
    EXPECT_EQ(1, table->tableReads);
}

TEST_F(CommandsTest, AutoUpdatePollsAtTheIntervalUntilPaused)
{
    frame->m_nInterval = 100;
    Command(ID_AUTOUPDATE);
    EXPECT_FALSE(frame->m_bPaused);
    // Resuming does not poll at once; the first poll comes one period later.
    EXPECT_EQ(0, table->tableReads);
    ASSERT_TRUE(PumpUntil([&] { return table->tableReads >= 3; }, 2000));

    Command(ID_AUTOUPDATE);
    EXPECT_TRUE(frame->m_bPaused);
    PumpMessages(50);
    int reads = table->tableReads;
    PumpMessages(400);
    EXPECT_EQ(reads, table->tableReads);
}

TEST_F(CommandsTest, AutoUpdateSwitchDrivesMenuPanesAndButton)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    std::vector<COLORREF> initial = ToolbarImage(1);
    EXPECT_FALSE(MenuChecked(ID_AUTOUPDATE));
    EXPECT_EQ(0u, bar.GetPane(2)->m_nStyle & SPS_HSCROLL);

    Command(ID_AUTOUPDATE);
    EXPECT_TRUE(MenuChecked(ID_AUTOUPDATE));
    EXPECT_EQ(kGreen, bar.GetPane(1)->m_crText[1]);
    EXPECT_EQ("AutoUpdate ACTIVE", bar.GetPane(1)->GetStateText(true));
    EXPECT_EQ("AutoUpdate PAUSED", bar.GetPane(1)->GetStateText(false));
    EXPECT_EQ(SPS_HSCROLL, bar.GetPane(2)->m_nStyle & SPS_HSCROLL);
    EXPECT_EQ(StateBitmap(IDB_AUTOUPDATE_ON), ToolbarImage(1));
    EXPECT_NE(initial, ToolbarImage(1));

    Command(ID_AUTOUPDATE);
    EXPECT_FALSE(MenuChecked(ID_AUTOUPDATE));
    EXPECT_EQ(kRed, bar.GetPane(1)->m_crText[1]);
    EXPECT_EQ("AutoUpdate PAUSED", bar.GetPane(1)->GetStateText(true));
    EXPECT_EQ(0u, bar.GetPane(2)->m_nStyle & SPS_HSCROLL);
    EXPECT_EQ(0x10400000u, bar.GetPane(2)->m_nStyle);
    EXPECT_EQ(StateBitmap(IDB_AUTOUPDATE_OFF), ToolbarImage(1));
}

TEST_F(CommandsTest, StripesMoveFromTheNextRepaintAndStopAfterPause)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    ::UpdateWindow(bar);
    EXPECT_EQ(0u, bar.GetAnimTimer());
    Command(ID_AUTOUPDATE);
    EXPECT_EQ(0u, bar.GetAnimTimer());
    ::UpdateWindow(bar);
    EXPECT_EQ(CPaneStatusBar::IDT_PANE_ANIMATION, bar.GetAnimTimer());
    Command(ID_AUTOUPDATE);
    EXPECT_NE(0u, bar.GetAnimTimer());
    ::UpdateWindow(bar);
    EXPECT_EQ(0u, bar.GetAnimTimer());
}

TEST_F(CommandsTest, ResolveSwitchDrivesMenuPaneButtonAndTheNextPoll)
{
    CPaneStatusBar& bar = frame->m_wndStatusBar;
    // Names are cached by a first poll's resolver run, and shown from the next poll on.
    Command(ID_REFRESH);
    ASSERT_TRUE(PumpUntil([&] { return lookup->lookups >= 3; }, 2000));
    ::Sleep(50);
    Command(ID_REFRESH);
    EXPECT_EQ("TESTHOST", frame->m_wndEndpointList.GetItemText(0, 0));
    EXPECT_EQ("domain", frame->m_wndEndpointList.GetItemText(0, 1));
    EXPECT_TRUE(MenuChecked(ID_RESOLVE));

    Command(ID_RESOLVE);
    EXPECT_FALSE(frame->m_bResolve);
    EXPECT_FALSE(MenuChecked(ID_RESOLVE));
    EXPECT_EQ("Resolve OFF", bar.GetPane(3)->GetStateText(true));
    EXPECT_EQ("", bar.GetPane(3)->GetStateText(false));
    EXPECT_EQ(kRed, bar.GetPane(3)->m_crText[1]);
    EXPECT_EQ(StateBitmap(IDB_RESOLVE_OFF), ToolbarImage(2));
    // The rows keep their names until the next poll.
    EXPECT_EQ("TESTHOST", frame->m_wndEndpointList.GetItemText(0, 0));
    Command(ID_REFRESH);
    EXPECT_EQ("0.0.0.0", frame->m_wndEndpointList.GetItemText(0, 0));
    EXPECT_EQ("53", frame->m_wndEndpointList.GetItemText(0, 1));

    Command(ID_RESOLVE);
    EXPECT_TRUE(frame->m_bResolve);
    EXPECT_TRUE(MenuChecked(ID_RESOLVE));
    EXPECT_EQ("Resolve ON", bar.GetPane(3)->GetStateText(true));
    EXPECT_EQ(kGreen, bar.GetPane(3)->m_crText[1]);
    EXPECT_EQ(StateBitmap(IDB_RESOLVE_ON), ToolbarImage(2));
    Command(ID_REFRESH);
    EXPECT_EQ("TESTHOST", frame->m_wndEndpointList.GetItemText(0, 0));
}

TEST_F(CommandsTest, PaneClicksToggleTheSwitches)
{
    ClickPane(2);
    EXPECT_FALSE(frame->m_bPaused);
    ClickPane(1);
    EXPECT_TRUE(frame->m_bPaused);
    ClickPane(3);
    EXPECT_FALSE(frame->m_bResolve);
    ClickPane(3);
    EXPECT_TRUE(frame->m_bResolve);
}

TEST_F(CommandsTest, MessagePaneAndGripDoNothing)
{
    ClickPane(0);
    RECT client;
    ::GetClientRect(frame->m_wndStatusBar, &client);
    ClickBar({client.right - 3, client.bottom - 3});
    EXPECT_TRUE(frame->m_bPaused);
    EXPECT_TRUE(frame->m_bResolve);
    EXPECT_FALSE(MenuChecked(ID_AUTOUPDATE));
    EXPECT_EQ(0, table->tableReads);
}

TEST_F(CommandsTest, CtrlSIsRoutedToSaveEvents)
{
    HACCEL accel = frame->GetAccelerators();
    int count = ::CopyAcceleratorTableA(accel, nullptr, 0);
    std::vector<ACCEL> entries(static_cast<std::size_t>(count));
    ::CopyAcceleratorTableA(accel, entries.data(), count);
    bool found = false;
    for (const ACCEL& a : entries)
        if (a.key == 'S' && (a.fVirt & FCONTROL) && (a.fVirt & FVIRTKEY))
            found = a.cmd == ID_FILE_SAVE;
    EXPECT_TRUE(found);
}

TEST_F(CommandsTest, CopyStaysDisabledUntilARowIsChosen)
{
    EXPECT_FALSE(frame->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, ID_EDIT_COPY));
    EXPECT_TRUE(frame->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, ID_REFRESH));
    HMENU edit = ::GetSubMenu(::GetMenu(hwnd), 1);
    ::SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    EXPECT_TRUE(::GetMenuState(edit, ID_EDIT_COPY, MF_BYCOMMAND) & MF_GRAYED);
}

} // namespace
