#include "FrameFixture.h"
#include "PlatformClass.h"
#include "StyledMenu.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The main window with the owner-drawn menu installed as the program installs it.
class MenuLoadTest : public CFrameFixture {
protected:
    void Install(int style)
    {
        frame->m_bXPMenu = style;
        HMENU plain = ::GetMenu(hwnd);
        ::SetMenu(hwnd, frame->SetupMenu());
        ::DestroyMenu(plain);
        bar = ::GetMenu(hwnd);
    }
    CStyledMenu& Popup(int index) const
    {
        return dynamic_cast<CStyledMenu&>(*fw::CMenu::FromHandle(::GetSubMenu(bar, index)));
    }
    static int Width(const std::string& text)
    {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof(metrics);
        ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
        fw::CFont font(::CreateFontIndirectA(&metrics.lfMenuFont));
        fw::CClientDC dc(nullptr);
        fw::CSelectObject selected(dc, font);
        SIZE size = {};
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    bool Checked(UINT id) const { return ::GetMenuState(bar, id, MF_BYCOMMAND) & MF_CHECKED; }

    HMENU bar = nullptr;
};

TEST_F(MenuLoadTest, BarIsPlainTextOverOwnerDrawnItemsWithTheirRecords)
{
    Install(1);
    Lines lines;
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
        char title[32] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_STRING;
        item.dwTypeData = title;
        item.cch = sizeof(title);
        ::GetMenuItemInfoA(bar, static_cast<UINT>(i), TRUE, &item);
        lines.push_back(title + std::string(item.fType & MFT_OWNERDRAW ? " owner-drawn" : ""));
        CStyledMenu& popup = Popup(i);
        for (int p = 0; p < ::GetMenuItemCount(popup); ++p) {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA;
            ::GetMenuItemInfoA(popup, static_cast<UINT>(p), TRUE, &info);
            const CStyledMenuItem& record = *popup.m_arrItems.at(static_cast<std::size_t>(p));
            // The shortcut's padding depends on the font; its width is tested below.
            std::string text = record.GetText();
            std::size_t tab = text.find('\t');
            std::size_t padding = text.find_last_not_of(' ', tab - 1) + 1;
            if (tab != std::string::npos)
                text.erase(padding, tab - padding);
            std::string line = "  " + text + " " + std::to_string(info.wID);
            line += info.fType & MFT_OWNERDRAW ? "" : " plain";
            line += info.fType & MFT_SEPARATOR ? " separator" : "";
            line += info.fState & MFS_CHECKED ? " checked" : "";
            line += info.dwItemData == reinterpret_cast<ULONG_PTR>(&record) ? "" : " foreign";
            if (record.m_nImageId >= 0)
                line += " image " + std::to_string(record.m_nImageId) + " of " +
                        std::to_string(record.m_pImageList->GetImageCount());
            lines.push_back(line);
        }
    }
    EXPECT_EQ((Lines{"&File", "  &Refresh 32771 image 148 of 1", "  Resolve 32777 checked",
                     "  Auto Update 32775", "   0 separator",
                     "  &Save events\tCtrl+S 57603 image 145 of 1", "   0 separator",
                     "  E&xit 57665", "&Edit", "  &Copy URL\tCtrl+C 57634 image 146 of 1",
                     "   0 separator", "  Se&ttings 32773 image 147 of 1", "&View",
                     "  &Toolbar 59392", "  &Status Bar 59393", "  XP-Style Menu 32785 checked",
                     "&Help", "  &About Tarnwick... 57664 image 144 of 1"}),
              lines);
}

TEST_F(MenuLoadTest, ShortcutStandsOneBlankBeyondTheWidestLabel)
{
    Install(1);
    int widest = 0;
    for (const auto& record : Popup(0).m_arrItems) {
        std::string text = record->GetText();
        std::string label = text.substr(0, text.find_last_not_of(' ', text.find('\t') - 1) + 1);
        widest = std::max(widest, Width(label + " "));
    }
    std::string text = Popup(0).m_arrItems[4]->GetText();
    std::string label = text.substr(0, text.find('\t'));
    EXPECT_EQ("\tCtrl+S", text.substr(label.size()));
    EXPECT_EQ(std::string::npos, label.find_first_not_of(' ', 12));
    EXPECT_GE(Width(label), widest);
    EXPECT_LT(Width(label.substr(0, label.size() - 1)), widest);
}

TEST_F(MenuLoadTest, StoredStyleSetsTheLookAndTheCommandSwitchesIt)
{
    const struct {
        int stored;
        int look;
        bool checked;
    } kRows[] = {{1, 1, true}, {0, 0, false}, {5, 5, true}};
    for (const auto& row : kRows) {
        Install(row.stored);
        EXPECT_EQ(row.look, CStyledMenu::s_nXpWhenMenuColorDiffers) << row.stored;
        EXPECT_EQ(row.look, CStyledMenu::s_nXpWhenMenuColorMatches) << row.stored;
        EXPECT_EQ(row.checked, Checked(ID_XPSTYLE)) << row.stored;
    }
    for (int look : {0, 1}) {
        ::SendMessageA(hwnd, WM_COMMAND, ID_XPSTYLE, 0);
        EXPECT_EQ(look, CStyledMenu::s_nXpWhenMenuColorDiffers);
        EXPECT_EQ(look, CStyledMenu::s_nXpWhenMenuColorMatches);
        EXPECT_EQ(look, frame->m_bXPMenu);
        EXPECT_EQ(look == 1, Checked(ID_XPSTYLE));
    }
}

TEST_F(MenuLoadTest, OwnerDrawMessagesReachTheItemsMenuOrTheDefault)
{
    Install(1);
    // An item of empty text, which the measuring of the oldest systems divides by.
    Popup(2).AppendOwnerDrawItem(L"", 0, 4242, -1);
    const UINT height = static_cast<UINT>(std::max(::GetSystemMetrics(SM_CYMENU), 19));
    const struct {
        int popup, position, platform;
        bool record;
        UINT width, height;
    } kRows[] = {
        {0, 1, 3, true, static_cast<UINT>(Width("Resolve") + 33), height},
        {0, 4, 3, true, static_cast<UINT>(Width(Popup(0).m_arrItems[4]->GetText()) + 33), height},
        {1, 1, 3, true, 0, static_cast<UINT>(::GetSystemMetrics(SM_CYMENU) / 2)},
        {2, 3, 0, true, 33, height},
        {0, 1, 3, false, 1, 1},
    };
    const int platform = g_nPlatformClass;
    for (const auto& row : kRows) {
        g_nPlatformClass = row.platform;
        HMENU popup = Popup(row.popup);
        UINT id = ::GetMenuItemID(popup, row.position);
        ULONG_PTR data =
            row.record
                ? reinterpret_cast<ULONG_PTR>(Popup(row.popup).m_arrItems[row.position].get())
                : 0;
        MEASUREITEMSTRUCT mis = {ODT_MENU, 0, id, 1, 1, data};
        ::SendMessageA(hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        EXPECT_EQ(row.width, mis.itemWidth) << row.popup << "/" << row.position;
        EXPECT_EQ(row.height, mis.itemHeight) << row.popup << "/" << row.position;

        CDibSection image(60, 19, RGB(255, 0, 255));
        DRAWITEMSTRUCT dis = {
            ODT_MENU,       0,   id, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(popup), image.Dc(),
            {0, 0, 60, 19}, data};
        ::SendMessageA(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        EXPECT_EQ(row.record, CountColor(image, image.All(), RGB(255, 0, 255)) == 0);
    }
    g_nPlatformClass = platform;
}

} // namespace
