#include "controls/AboutDlg.h"
#include "tests/windows/FrameFixture.h"

namespace {

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
    WhenShown(
        "#32770",
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
            ClickDlgItem(dialog, IDC_ABOUT_LINK);
            EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_opened, 5000));
            EXPECT_NE(::GetCurrentThreadId(), g_openThread);
            EXPECT_TRUE(::IsWindowVisible(dialog));
            ClickDlgItem(dialog, IDOK);
        },
        "About Tarnwick");
    CAboutDlg(nullptr, &FakeOpen).DoModal();
    ::CloseHandle(g_opened);
}

} // namespace
