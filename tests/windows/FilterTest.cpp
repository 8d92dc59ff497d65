#include "framework/Text.h"
#include "framework/WinApp.h"
#include "tests/windows/FrameFixture.h"

#include <commctrl.h>

#include <algorithm>

namespace {

class FilterTest : public CFrameFixture {
protected:
    HWND Box() const { return Probe().Filter(); }
    std::wstring BoxText() const
    {
        wchar_t text[64] = {};
        ::GetWindowTextW(Box(), text, 64);
        return text;
    }
    std::string Message() const { return Probe().StatusBar().GetPaneText(kMessagePane); }
    void Type(const wchar_t* text)
    {
        for (; *text != 0; ++text)
            ::SendMessageW(Box(), WM_CHAR, *text, 1);
    }
};

// "4110" keeps ports 41100 to 41109 across polls, for the list, Save, Copy and sorting; Esc
// brings every row back.
TEST_F(FilterTest, TypedTextKeepsTheRowsThatHoldItAndEscBringsAllBack)
{
    wchar_t cue[32] = {};
    ::SendMessageW(Box(), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 32);
    EXPECT_STREQ(L"Filter (Ctrl+F)", cue);
    std::vector<Endpoint> rows;
    for (unsigned i = 0; i < 10; ++i)
        rows.push_back(MakeEndpoint(127, 0, 0, i + 2, static_cast<std::uint16_t>(41109 - i)));
    rows.push_back(MakeEndpoint(127, 0, 1, 1, 53));
    Command(ID_RESOLVE);
    Show(rows);
    ::SetWindowTextW(Box(), L"old");
    Key(Probe().EndpointList(), 'F', VK_CONTROL);
    EXPECT_EQ(Box(), ::GetFocus());
    EXPECT_EQ(MAKELONG(0, 3), ::SendMessageW(Box(), EM_GETSEL, 0, 0));
    Type(L"4110");
    EXPECT_EQ(10, Probe().EndpointList().GetItemCount());
    EXPECT_EQ("10 of 11 endpoints", Message());

    table->rows.push_back(MakeEndpoint(127, 0, 2, 1, 54110));
    table->rows.push_back(MakeEndpoint(127, 0, 2, 2, 9999));
    Refresh();
    EXPECT_EQ("11 of 13 endpoints", Message());
    Probe().EndpointList().SortRowsByText(1, false);
    EXPECT_EQ("54110", Cell(0, 1));
    EXPECT_EQ("41100", Cell(10, 1));
    ::SetFocus(Probe().EndpointList());
    Probe().EndpointList().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED,
                                        LVIS_SELECTED | LVIS_FOCUSED);
    std::string copied;
    ASSERT_TRUE(Probe().EndpointList().GetCopyText(copied));
    EXPECT_EQ("127.0.2.1", copied);
    const std::string path = ::testing::TempDir() + "tarnwick-filtered.txt";
    ASSERT_TRUE(frame->SaveEvents(fw::Utf8ToWide(path)));
    const std::string saved = FileBytes(path);
    ::DeleteFileA(path.c_str());
    // The eleven rows shown, none of the two hidden.
    EXPECT_EQ(11, std::count(saved.begin(), saved.end(), '\n'));
    EXPECT_EQ(std::string::npos, saved.find("127.0.1.1"));
    EXPECT_EQ(std::string::npos, saved.find("9999"));
    EXPECT_EQ("127.0.2.1   54110   \r\n127.0.0.2   41109   \r\n", saved.substr(0, 44));

    Key(Box(), VK_ESCAPE);
    EXPECT_EQ(Probe().EndpointList(), ::GetFocus());
    EXPECT_EQ(0, ::GetWindowTextLengthW(Box()));
    EXPECT_EQ(13, Probe().EndpointList().GetItemCount());
    EXPECT_EQ("Ready", Message());
}

// Enter gives the keyboard to the list with the text kept; Tab and F6 pass through the box.
TEST_F(FilterTest, EnterTabAndF6LeaveTheBox)
{
    HWND list = Probe().EndpointList(), statistics = Probe().Statistics();
    const struct {
        HWND from;
        UINT key;
        BYTE held;
        HWND to;
    } moves[] = {{Box(), VK_RETURN, 0, list},
                 {list, VK_TAB, VK_SHIFT, Box()},
                 {Box(), VK_TAB, 0, list},
                 {statistics, VK_F6, 0, Box()},
                 {Box(), VK_F6, VK_SHIFT, statistics},
                 {statistics, VK_TAB, VK_SHIFT, list}};
    ::SetWindowTextW(Box(), L"x");
    for (const auto& move : moves) {
        ::SetFocus(move.from);
        Key(move.from, move.key, move.held);
        EXPECT_EQ(move.to, ::GetFocus()) << &move - moves;
    }
    EXPECT_EQ(1, ::GetWindowTextLengthW(Box()));
}

// The columns fill the list as the rows kept bring or take away the vertical scroll bar.
TEST_F(FilterTest, ColumnsFillTheListWithAndWithoutTheScrollBar)
{
    std::vector<Endpoint> rows;
    for (unsigned i = 0; i < 60; ++i)
        rows.push_back(MakeEndpoint(127, 0, 0, i + 2, static_cast<std::uint16_t>(5000 + i)));
    Show(rows);
    const CEndpointListCtrl& list = Probe().EndpointList();
    const auto columns = [&list] { return list.GetColumnWidth(0) + list.GetColumnWidth(1); };
    const int scrolled = columns();
    Type(L"5001");
    ASSERT_EQ(1, list.GetItemCount());
    EXPECT_EQ(scrolled + ::GetSystemMetrics(SM_CXVSCROLL) + 1, columns());
    Key(Box(), VK_ESCAPE);
    EXPECT_EQ(scrolled, columns());
}

// In the box the clipboard and undo keys edit its text; in the list they are the frame's.
TEST_F(FilterTest, TheBoxKeepsItsClipboardAndUndoKeys)
{
    struct CApp : fw::CWinApp {
        bool InitInstance() override { return true; }
    } app;
    app.SetMainWnd(hwnd, frame->GetAccelerators());
    Show({MakeEndpoint(127, 0, 0, 1, 53)});
    ::SetFocus(Probe().EndpointList());
    Probe().EndpointList().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED,
                                        LVIS_SELECTED | LVIS_FOCUSED);
    ::SetFocus(Box());
    Type(L"0.0");
    ::SendMessageW(Box(), EM_SETSEL, 0, -1);
    EXPECT_FALSE(Key(Box(), 'C', VK_CONTROL, &app));
    EXPECT_EQ(std::string("0.0", 4), ClipboardBytes());
    EXPECT_FALSE(Key(Box(), 'X', VK_CONTROL, &app));
    EXPECT_EQ(L"", BoxText());
    EXPECT_FALSE(Key(Box(), 'Z', VK_CONTROL, &app));
    EXPECT_EQ(L"0.0", BoxText());

    ::SetFocus(Probe().EndpointList());
    Probe().EndpointList().SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED,
                                        LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(Key(Probe().EndpointList(), 'C', VK_CONTROL, &app));
    EXPECT_EQ(std::string("127.0.0.1", 10), ClipboardBytes());
}

// The selected row stays selected while it is shown; the focus stays with it on the page shown,
// else goes to the page's first row, so the page never moves under the user's eyes.
TEST_F(FilterTest, TheSelectionStaysAndThePageStaysPut)
{
    // 150 rows of one address, then 50 of another.
    std::vector<Endpoint> rows;
    for (unsigned i = 0; i < 200; ++i)
        rows.push_back(
            MakeEndpoint(i < 150 ? 127 : 200, 0, 0, 2, static_cast<std::uint16_t>(5000 + i)));
    Command(ID_RESOLVE);
    Show(rows);
    CEndpointListCtrl& list = Probe().EndpointList();
    const auto top = [&list] { return static_cast<int>(list.SendMessage(LVM_GETTOPINDEX)); };
    // The page scrolled down to row 100, the focused and selected row on it.
    list.SendMessage(LVM_ENSUREVISIBLE, 199, FALSE);
    list.SendMessage(LVM_ENSUREVISIBLE, 100, FALSE);
    ASSERT_EQ(100, top());
    list.SetItemState(110, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    // The rows before the page stay: so do the page and the row.
    Type(L"127");
    ASSERT_EQ(150, list.GetItemCount());
    EXPECT_EQ(100, top());
    EXPECT_EQ(110, list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED));
    Key(Box(), VK_ESCAPE);
    ASSERT_EQ(200, list.GetItemCount());
    EXPECT_EQ(100, top());
    EXPECT_EQ(110, list.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED));

    // The row hidden: the focus goes to the first row shown, and nothing is selected.
    Type(L"5199");
    ASSERT_EQ(1, list.GetItemCount());
    EXPECT_EQ(0, list.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(-1, list.GetNextItem(-1, LVNI_SELECTED));
}

} // namespace
