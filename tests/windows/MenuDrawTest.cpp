#include "menu/StyledMenu.h"
#include "res/resource.h"
#include "tests/windows/TestSupport.h"

namespace {

constexpr COLORREF kSentinel = RGB(255, 0, 255), kGrey = RGB(192, 192, 192);
// Menu text has a colour of its own, so that window text (black) cannot pass for it.
constexpr COLORREF kWhite = RGB(255, 255, 255), kText = RGB(0, 0, 128);
// Two schemes: white menus beside the face colour, and menus in the face colour.
constexpr COLORREF kFace = RGB(236, 233, 216), kMenuFace = RGB(212, 208, 200);
constexpr COLORREF kHighlight = RGB(49, 106, 197), kGrayText = RGB(128, 128, 128);
constexpr COLORREF kShadow = RGB(172, 168, 153), kLight3d = RGB(241, 239, 226);
// The XP tints, worked out by hand: highlight toward white by 0.7 and 0.85, menu face by
// 0.35, gray text by 0.55.
constexpr COLORREF kSelection = RGB(193, 210, 237), kPaleHighlight = RGB(224, 232, 246);
constexpr COLORREF kBarTint = RGB(227, 224, 219), kPaleGrayText = RGB(197, 197, 197);

// Every case draws one item at (L, T, R, B) in an image with a margin of sentinel colour.
constexpr LONG L = 4, T = 3, R = 154, B = 22;

// What the drawn item shows, as layers painted in order over the sentinel. A frame has
// its top and left in the first colour, its right and bottom in the second; an image,
// emboss or tick is placed at the top left; text is the item's label (and its shortcut,
// right-aligned) in the menu font.
// clang-format off
enum Item { kPlain, kShortcut, kImage, kSeparator };
const struct { const wchar_t* text; UINT id; int bitmap; } kItems[] = {{L"&Plain", 100, -1},
    {L"&Save events\tCtrl+S", ID_FILE_SAVE, IDB_MENU_SAVE}, {L"&Refresh", ID_REFRESH, IDB_MENU_REFRESH}, {L"", 0, -1}};
enum Kind { kFill, kFrame, kWrite, kPicture, kEmboss, kTick };
struct Layer { Kind kind; RECT rc; COLORREF color = 0, color2 = 0; };
struct Case { const char* name; int look; bool menuIsFace; Item item; UINT state; std::vector<Layer> layers; };
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }
// clang-format on

const RECT kAll = {L, T, R, B}, kBar = {L, T, L + 21, B}, kBox = {L, T, L + 20, B};
const RECT kFrameRect = {L + 1, T + 1, L + 19, T + 18}, kTextRect = {L + 25, T - 1, R, B - 1};
const RECT kLabelRect = {L + 25, T - 1, R - 16, B - 1}, kClassicSelection = {L + 21, T, R, B};
const RECT kXpImage = {L + 3, T + 2, 0, 0}, kClassicImage = {L + 2, T + 2, 0, 0};
const RECT kClassicCheck = {L + 1, T + 2, L + 17, T + 17};
constexpr int kXp = 1, kClassic = 0;

// clang-format off
const Case kCases[] = {
    {"XpSelectedShortcut", kXp, false, kShortcut, ODS_SELECTED, {{kFill, kAll, kSelection},
        {kFrame, kAll, kHighlight, kHighlight}, {kPicture, kXpImage}, {kWrite, kLabelRect, kText}}},
    {"XpSelectedCheckedImageMenuIsFace", kXp, true, kImage, ODS_SELECTED | ODS_CHECKED, {{kFill, kAll, kPaleHighlight},
        {kFrame, kAll, kHighlight, kHighlight}, {kFrame, kBox, kHighlight, kHighlight}, {kPicture, kXpImage},
        {kWrite, kTextRect, kText}}},
    {"XpDisabledSelectedAsNotSelected", kXp, false, kImage, ODS_GRAYED | ODS_SELECTED, {{kFill, kAll, kWhite},
        {kFill, kBar, kFace}, {kEmboss, {L + 2, T + 2, 0, 0}, kFace}, {kWrite, kTextRect, kGrayText}}},
    {"XpDisabledMenuIsFace", kXp, true, kPlain, ODS_GRAYED, {{kFill, kAll, kWhite}, {kFill, kBar, kBarTint},
        {kWrite, kTextRect, kPaleGrayText}}},
    {"XpCheckedImage", kXp, false, kImage, ODS_CHECKED, {{kFill, kAll, kWhite}, {kFill, kBar, kFace},
        {kFill, {L + 1, T, L + 20, B - 1}, kPaleHighlight}, {kFrame, {L + 1, T, L + 20, B - 1}, kHighlight, kHighlight},
        {kPicture, kXpImage}, {kWrite, kTextRect, kText}}},
    {"XpCheckedMenuIsFace", kXp, true, kPlain, ODS_CHECKED, {{kFill, kAll, kWhite}, {kFill, kBar, kBarTint},
        {kFill, {L + 2, T + 2, L + 18, T + 17}, kPaleHighlight},
        {kFrame, {L + 2, T + 2, L + 18, T + 17}, kHighlight, kHighlight}, {kTick, {L + 7, T + 6, 0, 0}}, {kWrite, kTextRect, kText}}},
    {"XpSeparator", kXp, false, kSeparator, 0, {{kFill, kAll, kWhite}, {kFill, {L + 25, T + 9, R, T + 10}, kShadow},
        {kFill, kBar, kFace}}},
    {"ClassicSelected", kClassic, true, kPlain, ODS_SELECTED, {{kFill, kAll, kHighlight}, {kWrite, kTextRect, kWhite}}},
    {"ClassicSelectedImageKeepsColumn", kClassic, true, kImage, ODS_SELECTED, {{kFill, kClassicSelection, kHighlight},
        {kFill, kFrameRect, kMenuFace}, {kFrame, kBox, kWhite, kShadow}, {kPicture, kClassicImage}, {kWrite, kTextRect, kWhite}}},
    {"ClassicCheckedImage", kClassic, false, kImage, ODS_CHECKED, {{kFill, kAll, kFace}, {kFill, kFrameRect, kLight3d},
        {kFrame, kBox, kShadow, kWhite}, {kPicture, kClassicImage}, {kWrite, kTextRect, kText}}},
    {"ClassicChecked", kClassic, true, kPlain, ODS_CHECKED, {{kFill, kAll, kMenuFace}, {kFill, kClassicCheck, kLight3d},
        {kFrame, kClassicCheck, kShadow, kWhite}, {kTick, {L + 5, T + 6, 0, 0}}, {kWrite, kTextRect, kText}}},
    // Resolve and Auto Update: the highlight leaves the check mark's column as it was.
    {"ClassicSelectedCheckedKeepsColumn", kClassic, true, kPlain, ODS_SELECTED | ODS_CHECKED, {{kFill, kClassicSelection, kHighlight},
        {kFill, kClassicCheck, kMenuFace}, {kFrame, kClassicCheck, kShadow, kWhite}, {kTick, {L + 5, T + 6, 0, 0}}, {kWrite, kTextRect, kWhite}}},
    {"ClassicDisabledEmbossed", kClassic, true, kShortcut, ODS_GRAYED, {{kFill, kAll, kMenuFace},
        {kEmboss, kClassicImage, kMenuFace}, {kWrite, {L + 26, T, R - 15, B}, kWhite}, {kWrite, kLabelRect, kGrayText}}},
    {"ClassicDisabledSelected", kClassic, true, kPlain, ODS_GRAYED | ODS_SELECTED, {{kFill, kAll, kHighlight},
        {kWrite, kTextRect, kMenuFace}}},
    {"ClassicSeparator", kClassic, true, kSeparator, 0, {{kFill, kAll, kMenuFace},
        {kFill, {L, T + 9, R, T + 10}, kShadow}, {kFill, {L, T + 10, R, T + 11}, kWhite}}},
};
const int kColorIds[] = {COLOR_MENU, COLOR_3DFACE, COLOR_HIGHLIGHT, COLOR_GRAYTEXT, COLOR_BTNSHADOW,
                         COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_MENUTEXT, COLOR_HIGHLIGHTTEXT};
// clang-format on

class MenuDrawTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        for (int id : kColorIds)
            m_saved.push_back(::GetSysColor(id));
        bool same = GetParam().menuIsFace;
        // clang-format off
        const COLORREF colors[] = {same ? kMenuFace : kWhite, same ? kMenuFace : kFace, kHighlight, kGrayText,
                                   kShadow, kWhite, kLight3d, kText, kWhite};
        // clang-format on
        ::SetSysColors(9, kColorIds, colors);
        m_menu.Attach(::CreatePopupMenu());
        m_menu.SetImageBackground(kGrey);
        for (const auto& item : kItems)
            m_menu.AppendOwnerDrawItem(item.text, 0, item.id, item.bitmap);
    }
    void TearDown() override
    {
        ::SetSysColors(9, kColorIds, m_saved.data());
        CStyledMenu::SetXpLook(true);
    }

    static CDibSection Expected(const Case& c)
    {
        CDibSection image(R + 6, B + 4, kSentinel), bitmap(16, 16);
        HDC dc = image.Dc();
        fw::CBitmap resource(static_cast<HBITMAP>(
            ::LoadImageA(::GetModuleHandleA(nullptr),
                         MAKEINTRESOURCEA(kItems[c.item].bitmap & 0xFFFF), IMAGE_BITMAP, 0, 0, 0)));
        bitmap.CopyFrom(resource);
        // The image's top 15 rows; its shape is what is neither face nor highlight.
        auto pixel = [&bitmap](LONG x, LONG y) {
            return x >= 0 && y >= 0 && x < 16 && y < 15 ? bitmap.At(x, y) : kGrey;
        };
        auto shape = [&pixel](LONG x, LONG y) {
            return pixel(x, y) != kGrey && pixel(x, y) != kWhite && pixel(x, y) != kFace;
        };
        for (const Layer& layer : c.layers) {
            const RECT& rc = layer.rc;
            switch (layer.kind) {
            case kFill:
                fw::FillSolidRect(dc, rc, layer.color);
                break;
            case kFrame:
                fw::Draw3dRect(dc, rc, layer.color, layer.color2);
                break;
            case kWrite: {
                NONCLIENTMETRICSA metrics = {};
                metrics.cbSize = sizeof(metrics);
                ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
                fw::CFont font(::CreateFontIndirectA(&metrics.lfMenuFont));
                fw::CSelectObject selected(dc, font);
                ::SetBkMode(dc, TRANSPARENT);
                ::SetTextColor(dc, layer.color);
                std::wstring text = kItems[c.item].text;
                std::size_t tab = std::min(text.find(L'\t'), text.size());
                RECT box = rc;
                ::DrawTextW(dc, text.c_str(), static_cast<int>(tab), &box,
                            DT_VCENTER | DT_SINGLELINE);
                ::DrawTextW(dc, text.c_str() + tab + (tab < text.size()), -1, &box,
                            DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
                break;
            }
            case kPicture:
                for (LONG y = 0; y < 15; ++y)
                    for (LONG x = 0; x < 16; ++x)
                        if (pixel(x, y) != kGrey)
                            ::SetPixelV(dc, rc.left + x, rc.top + y, pixel(x, y));
                break;
            case kEmboss:
                // The shape in shadow over a highlight copy one pixel right and down, on back.
                for (LONG y = 0; y < 16; ++y)
                    for (LONG x = (y == 15); x < 16 + (y > 0); ++x)
                        ::SetPixelV(dc, rc.left + x, rc.top + y,
                                    shape(x, y)           ? kShadow
                                    : shape(x - 1, y - 1) ? kWhite
                                                          : layer.color);
                break;
            case kTick: {
                // Seven columns of three pixels: the 21 pixels of the tick.
                const LONG top[] = {2, 3, 4, 3, 2, 1, 0};
                for (LONG x = 0; x < 7; ++x)
                    for (LONG y = top[x]; y < top[x] + 3; ++y)
                        ::SetPixelV(dc, rc.left + x, rc.top + y, kText);
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
    const Case& c = GetParam();
    CDibSection drawn(R + 6, B + 4, kSentinel);
    CStyledMenu::SetXpLook(c.look == 1);
    auto data = reinterpret_cast<ULONG_PTR>(m_menu.m_arrItems[c.item].get());
    auto menu = reinterpret_cast<HWND>(m_menu.GetSafeHmenu());
    DRAWITEMSTRUCT dis = {ODT_MENU, 0, kItems[c.item].id, 0, c.state, menu, drawn.Dc(), kAll, data};
    ASSERT_TRUE(m_menu.DrawItem(&dis));
    EXPECT_TRUE(SameIn(drawn, Expected(c), drawn.All()));
}

INSTANTIATE_TEST_SUITE_P(Looks, MenuDrawTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
