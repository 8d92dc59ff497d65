#include "StyledMenu.h"
#include "TestSupport.h"
#include "resource.h"

#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kSentinel = RGB(255, 0, 255);
constexpr COLORREF kGrey = RGB(192, 192, 192);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
// Two schemes: menus white beside a face colour, and menus in the face colour.
constexpr COLORREF kFace = RGB(236, 233, 216);
constexpr COLORREF kMenuFace = RGB(212, 208, 200);
constexpr COLORREF kHighlight = RGB(49, 106, 197);
constexpr COLORREF kGrayText = RGB(128, 128, 128);
constexpr COLORREF kShadow = RGB(172, 168, 153);
constexpr COLORREF kLight3d = RGB(241, 239, 226);
// The XP tints, worked out by hand.
constexpr COLORREF kSelection = RGB(193, 210, 237);     // highlight toward white by 0.7
constexpr COLORREF kPaleHighlight = RGB(224, 232, 246); // highlight by 0.85
constexpr COLORREF kBarTint = RGB(227, 224, 219);       // menu face by 0.35
constexpr COLORREF kPaleGrayText = RGB(197, 197, 197);  // gray text by 0.55

const int kColorIds[] = {COLOR_MENU,     COLOR_3DFACE,    COLOR_HIGHLIGHT,
                         COLOR_GRAYTEXT, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT,
                         COLOR_3DLIGHT,  COLOR_MENUTEXT,  COLOR_HIGHLIGHTTEXT};

// Every case draws one item at (L, T, R, B) in an image with a margin of sentinel colour.
constexpr LONG L = 4, T = 3, R = 154, B = 22;

enum Item { kPlain, kShortcut, kImage, kSeparator };
const struct {
    const wchar_t* text;
    UINT id;
    int bitmap;
} kItems[] = {{L"&Plain", 100, -1},
              {L"&Save events\tCtrl+S", ID_FILE_SAVE, IDB_MENU_SAVE},
              {L"&Refresh", ID_REFRESH, IDB_MENU_REFRESH},
              {L"", 0, -1}};

// What the drawn item shows, as layers painted in order over the sentinel. A frame has
// its top and left in the first colour, its right and bottom in the second; an image,
// emboss or tick is placed at a point; text is the item's label (and its shortcut,
// right-aligned) in the menu font.
enum Kind { kFill, kFrame, kText, kImageAt, kEmbossAt, kTickAt };
struct Layer {
    Kind kind;
    RECT rc;
    COLORREF color;
    COLORREF color2;
};
Layer Fill(RECT rc, COLORREF color)
{
    return {kFill, rc, color, 0};
}
Layer Frame(RECT rc, COLORREF topLeft, COLORREF bottomRight)
{
    return {kFrame, rc, topLeft, bottomRight};
}
Layer Text(RECT rc, COLORREF color)
{
    return {kText, rc, color, 0};
}
Layer Image(LONG x, LONG y)
{
    return {kImageAt, {x, y, x, y}, 0, 0};
}
Layer Emboss(LONG x, LONG y, COLORREF back)
{
    return {kEmbossAt, {x, y, x, y}, back, 0};
}
Layer Tick(LONG x, LONG y)
{
    return {kTickAt, {x, y, x, y}, kBlack, 0};
}

struct Case {
    const char* name;
    int look; // 1 XP, 0 classic
    bool menuIsFace;
    Item item;
    UINT state;
    std::vector<Layer> layers;
};

// Test names and failures show the case's name.
void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

constexpr int kXp = 1, kClassic = 0;
const RECT kAll = {L, T, R, B};
const RECT kBar = {L, T, L + 21, B};
const RECT kImageFrame = {L + 1, T + 1, L + 19, T + 18};
const RECT kImageBox = {L, T, L + 20, B};
const RECT kXpCheck = {L + 2, T + 2, L + 18, T + 18};
const RECT kClassicCheck = {L + 1, T + 2, L + 17, T + 17};
const RECT kTextRect = {L + 25, T - 1, R, B - 1};
const RECT kShortcutRect = {L + 25, T - 1, R - 16, B - 1};
const RECT kClassicSelection = {L + 21, T, R, B};

// clang-format off
const Case kCases[] = {
    {"XpPlain", kXp, false, kPlain, 0, {Fill(kAll, kWhite), Fill(kBar, kFace), Text(kTextRect, kBlack)}},
    {"XpPlainMenuIsFace", kXp, true, kPlain, 0, {Fill(kAll, kWhite), Fill(kBar, kBarTint), Text(kTextRect, kBlack)}},
    {"XpSelectedShortcut", kXp, false, kShortcut, ODS_SELECTED, {Fill(kAll, kSelection),
        Frame(kAll, kHighlight, kHighlight), Image(L + 3, T + 2), Text(kShortcutRect, kBlack)}},
    {"XpSelectedMenuIsFace", kXp, true, kPlain, ODS_SELECTED, {Fill(kAll, kPaleHighlight),
        Frame(kAll, kHighlight, kHighlight), Text(kTextRect, kBlack)}},
    {"XpDisabledSelectedAsNotSelected", kXp, false, kImage, ODS_GRAYED | ODS_SELECTED, {Fill(kAll, kWhite),
        Fill(kBar, kFace), Emboss(L + 2, T + 2, kFace), Text(kTextRect, kGrayText)}},
    {"XpDisabledMenuIsFace", kXp, true, kPlain, ODS_GRAYED, {Fill(kAll, kWhite), Fill(kBar, kBarTint),
        Text(kTextRect, kPaleGrayText)}},
    {"XpImage", kXp, false, kImage, 0, {Fill(kAll, kWhite), Fill(kBar, kFace), Image(L + 3, T + 2),
        Text(kTextRect, kBlack)}},
    {"XpCheckedImage", kXp, false, kImage, ODS_CHECKED, {Fill(kAll, kWhite), Fill(kBar, kFace),
        Fill({L + 1, T, L + 20, B - 1}, kPaleHighlight), Frame({L + 1, T, L + 20, B - 1}, kHighlight, kHighlight),
        Image(L + 3, T + 2), Text(kTextRect, kBlack)}},
    {"XpCheckedImageMenuIsFace", kXp, true, kImage, ODS_CHECKED, {Fill(kAll, kWhite), Fill(kBar, kBarTint),
        Fill({L + 1, T, L + 20, B}, kPaleHighlight), Frame({L + 1, T, L + 20, B}, kHighlight, kHighlight),
        Image(L + 3, T + 2), Text(kTextRect, kBlack)}},
    {"XpSelectedCheckedImage", kXp, false, kImage, ODS_SELECTED | ODS_CHECKED, {Fill(kAll, kSelection),
        Frame(kAll, kHighlight, kHighlight), Frame(kImageBox, kHighlight, kHighlight), Image(L + 3, T + 2),
        Text(kTextRect, kBlack)}},
    {"XpChecked", kXp, false, kPlain, ODS_CHECKED, {Fill(kAll, kWhite), Fill(kBar, kFace),
        Fill(kXpCheck, kPaleHighlight), Frame(kXpCheck, kHighlight, kHighlight), Tick(L + 7, T + 6),
        Text(kTextRect, kBlack)}},
    {"XpCheckedMenuIsFace", kXp, true, kPlain, ODS_CHECKED, {Fill(kAll, kWhite), Fill(kBar, kBarTint),
        Fill({L + 2, T + 2, L + 18, T + 17}, kPaleHighlight),
        Frame({L + 2, T + 2, L + 18, T + 17}, kHighlight, kHighlight), Tick(L + 7, T + 6), Text(kTextRect, kBlack)}},
    {"XpSeparator", kXp, true, kSeparator, 0, {Fill(kAll, kWhite), Fill({L + 25, T + 9, R, T + 10}, kShadow),
        Fill(kBar, kBarTint)}},
    {"ClassicPlain", kClassic, true, kPlain, 0, {Fill(kAll, kMenuFace), Text(kTextRect, kBlack)}},
    {"ClassicSelected", kClassic, true, kPlain, ODS_SELECTED, {Fill(kAll, kHighlight), Text(kTextRect, kWhite)}},
    {"ClassicSelectedImageKeepsColumn", kClassic, true, kImage, ODS_SELECTED, {Fill(kClassicSelection, kHighlight),
        Fill(kImageFrame, kMenuFace), Frame(kImageBox, kWhite, kShadow), Image(L + 2, T + 2), Text(kTextRect, kWhite)}},
    {"ClassicSelectedCheckedImage", kClassic, false, kImage, ODS_SELECTED | ODS_CHECKED, {
        Fill(kClassicSelection, kHighlight), Fill(kImageFrame, kFace), Frame(kImageBox, kShadow, kWhite),
        Image(L + 2, T + 2), Text(kTextRect, kWhite)}},
    {"ClassicCheckedImage", kClassic, true, kImage, ODS_CHECKED, {Fill(kAll, kMenuFace), Fill(kImageFrame, kLight3d),
        Frame(kImageBox, kShadow, kWhite), Image(L + 2, T + 2), Text(kTextRect, kBlack)}},
    {"ClassicChecked", kClassic, true, kPlain, ODS_CHECKED, {Fill(kAll, kMenuFace), Fill(kClassicCheck, kLight3d),
        Frame(kClassicCheck, kShadow, kWhite), Tick(L + 5, T + 6), Text(kTextRect, kBlack)}},
    {"ClassicSelectedChecked", kClassic, false, kPlain, ODS_SELECTED | ODS_CHECKED, {
        Fill(kClassicSelection, kHighlight), Fill(kClassicCheck, kWhite), Frame(kClassicCheck, kShadow, kWhite),
        Tick(L + 5, T + 6), Text(kTextRect, kWhite)}},
    {"ClassicDisabledEmbossed", kClassic, true, kShortcut, ODS_GRAYED, {Fill(kAll, kMenuFace),
        Emboss(L + 2, T + 2, kMenuFace), Text({L + 26, T, R - 15, B}, kWhite), Text(kShortcutRect, kGrayText)}},
    {"ClassicDisabledSelected", kClassic, true, kPlain, ODS_GRAYED | ODS_SELECTED, {Fill(kAll, kHighlight),
        Text(kTextRect, kMenuFace)}},
    {"ClassicSeparator", kClassic, true, kSeparator, 0, {Fill(kAll, kMenuFace), Fill({L, T + 9, R, T + 10}, kShadow),
        Fill({L, T + 10, R, T + 11}, kWhite)}},
};
// clang-format on

// The pixels of a menu bitmap.
CDibSection Bitmap(int id)
{
    CDibSection image(16, 16);
    fw::CBitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0)));
    image.CopyFrom(bitmap);
    return image;
}

class MenuDrawTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        for (int id : kColorIds)
            m_saved.push_back(::GetSysColor(id));
        COLORREF face = GetParam().menuIsFace ? kMenuFace : kFace;
        const COLORREF colors[] = {GetParam().menuIsFace ? kMenuFace : kWhite,
                                   face,
                                   kHighlight,
                                   kGrayText,
                                   kShadow,
                                   kWhite,
                                   kLight3d,
                                   kBlack,
                                   kWhite};
        ::SetSysColors(9, kColorIds, colors);
        m_menu.Attach(::CreatePopupMenu());
        m_menu.SetImageBackground(kGrey);
        for (const auto& item : kItems)
            m_menu.AppendOwnerDrawItem(item.text, 0, item.id, item.bitmap);
    }
    void TearDown() override
    {
        ::SetSysColors(9, kColorIds, m_saved.data());
        CStyledMenu::s_nXpWhenMenuColorDiffers = 1;
        CStyledMenu::s_nXpWhenMenuColorMatches = 0;
    }

    CDibSection Draw(const Case& c)
    {
        CDibSection image(R + 6, B + 4, kSentinel);
        CStyledMenu::s_nXpWhenMenuColorDiffers = c.look;
        CStyledMenu::s_nXpWhenMenuColorMatches = c.look;
        DRAWITEMSTRUCT dis = {ODT_MENU,
                              0,
                              kItems[c.item].id,
                              ODA_DRAWENTIRE,
                              c.state,
                              reinterpret_cast<HWND>(m_menu.GetSafeHmenu()),
                              image.Dc(),
                              {L, T, R, B},
                              reinterpret_cast<ULONG_PTR>(m_menu.m_arrItems[c.item].get())};
        EXPECT_TRUE(m_menu.DrawItem(&dis));
        return image;
    }

    static CDibSection Expected(const Case& c)
    {
        CDibSection image(R + 6, B + 4, kSentinel);
        HDC dc = image.Dc();
        CDibSection bitmap = Bitmap(kItems[c.item].bitmap > 0 ? kItems[c.item].bitmap : 145);
        // The disabled image: the shape (neither face nor highlight) in shadow over a
        // highlight copy one pixel right and down.
        auto shape = [&bitmap](LONG x, LONG y) {
            COLORREF p = x >= 0 && y >= 0 && x < 16 && y < 15 ? bitmap.At(x, y) : kGrey;
            return p != kGrey && p != kWhite && p != ::GetSysColor(COLOR_BTNFACE);
        };
        for (const Layer& layer : c.layers) {
            const RECT& rc = layer.rc;
            switch (layer.kind) {
            case kFill:
                fw::FillSolidRect(dc, rc, layer.color);
                break;
            case kFrame:
                fw::FillSolidRect(dc, {rc.left, rc.top, rc.right - 1, rc.top + 1}, layer.color);
                fw::FillSolidRect(dc, {rc.left, rc.top, rc.left + 1, rc.bottom - 1}, layer.color);
                fw::FillSolidRect(dc, {rc.right - 1, rc.top, rc.right, rc.bottom}, layer.color2);
                fw::FillSolidRect(dc, {rc.left, rc.bottom - 1, rc.right, rc.bottom}, layer.color2);
                break;
            case kText: {
                NONCLIENTMETRICSA metrics = {};
                metrics.cbSize = sizeof(metrics);
                ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
                fw::CFont font(::CreateFontIndirectA(&metrics.lfMenuFont));
                fw::CSelectObject selected(dc, font);
                ::SetBkMode(dc, TRANSPARENT);
                ::SetTextColor(dc, layer.color);
                std::wstring text = kItems[c.item].text;
                std::wstring label = text.substr(0, text.find(L'\t'));
                RECT box = rc;
                ::DrawTextW(dc, label.c_str(), -1, &box, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
                if (label != text)
                    ::DrawTextW(dc, text.substr(text.find(L'\t') + 1).c_str(), -1, &box,
                                DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
                break;
            }
            case kImageAt:
                for (LONG y = 0; y < 15; ++y)
                    for (LONG x = 0; x < 16; ++x)
                        if (bitmap.At(x, y) != kGrey)
                            ::SetPixelV(dc, rc.left + x, rc.top + y, bitmap.At(x, y));
                break;
            case kEmbossAt:
                for (LONG y = 0; y < 16; ++y)
                    for (LONG x = 0; x < 17; ++x) {
                        bool second = x < 16 && y<15, first = x> 0 && y > 0;
                        COLORREF color = second && shape(x, y)          ? kShadow
                                         : first && shape(x - 1, y - 1) ? kWhite
                                                                        : layer.color;
                        if (first || second)
                            ::SetPixelV(dc, rc.left + x, rc.top + y, color);
                    }
                break;
            case kTickAt: {
                // Seven columns of three pixels: the 21 pixels of the tick.
                const LONG top[] = {2, 3, 4, 3, 2, 1, 0};
                for (LONG x = 0; x < 7; ++x)
                    for (LONG y = top[x]; y < top[x] + 3; ++y)
                        ::SetPixelV(dc, rc.left + x, rc.top + y, layer.color);
                break;
            }
            }
        }
        return image;
    }

    CStyledMenu m_menu;
    std::vector<COLORREF> m_saved;
};

TEST_P(MenuDrawTest, DrawsTheItem)
{
    CDibSection drawn = Draw(GetParam());
    CDibSection expected = Expected(GetParam());
    EXPECT_TRUE(SameIn(drawn, expected, drawn.All()));
}

INSTANTIATE_TEST_SUITE_P(Looks, MenuDrawTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MenuGlyphTest, BlendTowardWhiteMovesEachChannelOnlyForFactorsUpToOne)
{
    const struct {
        COLORREF color;
        double factor;
        COLORREF blended;
    } kRows[] = {{kBlack, 0.5, RGB(127, 127, 127)},
                 {kHighlight, 0.7, kSelection},
                 {kMenuFace, 0.35, kBarTint},
                 {kHighlight, 1.0, kWhite},
                 {kHighlight, 0.0, kHighlight},
                 {kHighlight, 1.5, kHighlight},
                 {kHighlight | 0x01000000, 0.85, kPaleHighlight}};
    for (const auto& row : kRows)
        EXPECT_EQ(row.blended, CStyledMenu::BlendTowardWhite(row.color, row.factor)) << row.factor;
}

TEST(MenuGlyphTest, BulletIsARoundSixPixelDot)
{
    CDibSection image(10, 10, kSentinel);
    CStyledMenu::DrawBullet(image.Dc(), 2, 3, kBlack);
    EXPECT_EQ(0, CountColor(image, {0, 0, 10, 3}, kBlack) +
                     CountColor(image, {0, 9, 10, 10}, kBlack) +
                     CountColor(image, {0, 0, 2, 10}, kBlack) +
                     CountColor(image, {8, 0, 10, 10}, kBlack));
    EXPECT_TRUE(Filled(image, {3, 4, 7, 8}, kBlack));
    for (POINT corner : {POINT{2, 3}, POINT{7, 3}, POINT{2, 8}, POINT{7, 8}})
        EXPECT_EQ(kSentinel, image.At(corner.x, corner.y));
}

TEST(MenuGlyphTest, EmbossedImageOfFaceAndHighlightShowsOnlyBack)
{
    CDibSection source(16, 15, ::GetSysColor(COLOR_BTNFACE));
    fw::FillSolidRect(source.Dc(), {4, 4, 9, 9}, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    CDibSection image(24, 24, kSentinel);
    fw::CBitmap bitmap(::CreateCompatibleBitmap(image.Dc(), 16, 15));
    {
        fw::CMemDC dc(image.Dc());
        fw::CSelectObject selected(dc, bitmap);
        ::BitBlt(dc, 0, 0, 16, 15, source.Dc(), 0, 0, SRCCOPY);
    }
    CStyledMenu::DrawEmbossedImage(image.Dc(), 3, 2, 16, 15, bitmap, 0, 0, kLight3d);
    // Back where the image goes, and where its copy one pixel right and down goes.
    EXPECT_TRUE(Filled(image, {3, 2, 19, 17}, kLight3d));
    EXPECT_TRUE(Filled(image, {4, 3, 20, 18}, kLight3d));
    EXPECT_EQ(24 * 24 - (2 * 16 * 15 - 15 * 14), CountColor(image, image.All(), kSentinel));
}

} // namespace
