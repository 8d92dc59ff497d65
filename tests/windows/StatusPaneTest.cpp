#include "StatusPane.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr COLORREF kMinusOne = 0xFFFFFFFF;

LOGFONTA AnsiVarFont()
{
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(ANSI_VAR_FONT), sizeof(lf), &lf);
    return lf;
}

bool SameFont(const LOGFONTA& a, const LOGFONTA& b)
{
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

TEST(StatusPane, StartsAsMenuColouredLeftTopTextInAnsiVarFont)
{
    CStatusPane pane;
    COLORREF menu = ::GetSysColor(COLOR_MENU);
    EXPECT_EQ(::GetSysColor(COLOR_MENUTEXT), pane.m_crText[1]);
    EXPECT_EQ(HalveColor(menu), pane.m_crText[0]);
    EXPECT_EQ(menu, pane.m_crBack[0]);
    EXPECT_EQ(menu, pane.m_crBack[1]);
    EXPECT_EQ(0x00100000u, pane.m_nStyle);
    EXPECT_TRUE(SameFont(AnsiVarFont(), pane.m_lfFont));
    EXPECT_EQ("", pane.GetStateText(true));
    EXPECT_EQ("", pane.GetStateText(false));
    EXPECT_EQ(0, pane.m_nScrollX);
    EXPECT_EQ(0, pane.m_nScrollY);
}

TEST(StatusPane, MinusOneStandsForTheMenuColour)
{
    CStatusPane pane;
    COLORREF menu = ::GetSysColor(COLOR_MENU);
    pane.SetTextColors(RGB(0, 150, 0), kMinusOne);
    EXPECT_EQ(RGB(0, 150, 0), pane.m_crText[1]);
    EXPECT_EQ(HalveColor(menu), pane.m_crText[0]);
    // Wine's default menu colour is white, which halves to 127 in every channel.
    if (menu == RGB(255, 255, 255)) {
        EXPECT_EQ(RGB(127, 127, 127), pane.m_crText[0]);
    }
    pane.SetBackColors(RGB(1, 2, 3), kMinusOne);
    EXPECT_EQ(RGB(1, 2, 3), pane.m_crBack[1]);
    EXPECT_EQ(menu, pane.m_crBack[0]);

    // Any other value, white included, is taken as it is.
    pane.SetTextColors(RGB(200, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(RGB(255, 255, 255), pane.m_crText[0]);
    pane.SetBackColors(RGB(4, 5, 6), RGB(7, 8, 9));
    EXPECT_EQ(RGB(4, 5, 6), pane.m_crBack[1]);
    EXPECT_EQ(RGB(7, 8, 9), pane.m_crBack[0]);
}

TEST(StatusPane, TextsAreKeptPerState)
{
    CStatusPane pane;
    pane.SetTexts("AutoUpdate ACTIVE", "AutoUpdate PAUSED");
    EXPECT_EQ("AutoUpdate ACTIVE", pane.GetStateText(true));
    EXPECT_EQ("AutoUpdate PAUSED", pane.GetStateText(false));
    pane.SetTexts("Resolve ON", nullptr);
    EXPECT_EQ("Resolve ON", pane.GetStateText(true));
    EXPECT_EQ("", pane.GetStateText(false));
}

TEST(StatusPane, SetDefaultsKeepsTextsAndOffsets)
{
    CStatusPane pane;
    pane.SetTexts("on", "off");
    pane.SetTextColors(1, 2);
    pane.SetBackColors(3, 4);
    pane.SetStyle(SPS_BITMAP | SPS_TILE);
    pane.m_lfFont.lfHeight = 40;
    RECT rc = {0, 0, 80, 20};
    pane.ScrollX(rc, 10, 1);
    pane.ScrollY(rc, 10, 1);

    pane.SetDefaults();
    CStatusPane fresh;
    EXPECT_EQ(fresh.m_crText[0], pane.m_crText[0]);
    EXPECT_EQ(fresh.m_crText[1], pane.m_crText[1]);
    EXPECT_EQ(fresh.m_crBack[0], pane.m_crBack[0]);
    EXPECT_EQ(fresh.m_crBack[1], pane.m_crBack[1]);
    EXPECT_EQ(fresh.m_nStyle, pane.m_nStyle);
    EXPECT_TRUE(SameFont(fresh.m_lfFont, pane.m_lfFont));
    EXPECT_EQ("on", pane.GetStateText(true));
    EXPECT_EQ("off", pane.GetStateText(false));
    EXPECT_EQ(1, pane.m_nScrollX);
    EXPECT_EQ(1, pane.m_nScrollY);
}

TEST(StatusPane, CopiesCarryEveryField)
{
    CStatusPane pane;
    pane.SetTexts("on", "off");
    pane.SetTextColors(1, 2);
    pane.SetBackColors(3, 4);
    pane.SetStyle(0x12345678);
    pane.m_lfFont.lfHeight = 40;
    pane.m_nScrollX = -7;
    pane.m_nScrollY = 9;

    CStatusPane copy(pane);
    CStatusPane assigned;
    assigned = pane;
    for (const CStatusPane* other : {&copy, &assigned}) {
        EXPECT_EQ("on", other->m_strText[1]);
        EXPECT_EQ("off", other->m_strText[0]);
        EXPECT_EQ(1u, other->m_crText[1]);
        EXPECT_EQ(2u, other->m_crText[0]);
        EXPECT_EQ(3u, other->m_crBack[1]);
        EXPECT_EQ(4u, other->m_crBack[0]);
        EXPECT_EQ(0x12345678u, other->m_nStyle);
        EXPECT_EQ(40, other->m_lfFont.lfHeight);
        EXPECT_EQ(-7, other->m_nScrollX);
        EXPECT_EQ(9, other->m_nScrollY);
    }
}

// Left edges after `count` horizontal steps of a fresh pane, each on a fresh rectangle.
std::vector<LONG> LeftEdges(const RECT& start, int extent, int restart, int count)
{
    CStatusPane pane;
    std::vector<LONG> lefts;
    for (int i = 0; i < count; ++i) {
        RECT rc = start;
        pane.ScrollX(rc, extent, restart);
        EXPECT_EQ(start.right, rc.right);
        EXPECT_EQ(start.top, rc.top);
        lefts.push_back(rc.left);
    }
    return lefts;
}

TEST(StatusPane, SingleContentLeavesLeftAndReentersAtTheRightEdge)
{
    // Content 100 pixels wide in an inner width of 80: the restart is -80.
    const RECT inner = {10, 3, 90, 19};
    std::vector<LONG> lefts = LeftEdges(inner, 100, inner.left - inner.right, 103);
    EXPECT_EQ(10 - 1, lefts[0]);
    EXPECT_EQ(10 - 100, lefts[99]);
    // Offset -80: the left edge lies on the old right edge.
    EXPECT_EQ(90, lefts[100]);
    EXPECT_EQ(89, lefts[101]);
    EXPECT_EQ(88, lefts[102]);
}

TEST(StatusPane, VerticalScrollMovesTheTopEdgeOnly)
{
    CStatusPane pane;
    const RECT inner = {10, 3, 90, 19};
    std::vector<LONG> tops;
    for (int i = 0; i < 20; ++i) {
        RECT rc = inner;
        pane.ScrollY(rc, 16, inner.top - inner.bottom);
        EXPECT_EQ(inner.left, rc.left);
        EXPECT_EQ(inner.bottom, rc.bottom);
        tops.push_back(rc.top);
    }
    EXPECT_EQ(3 - 1, tops[0]);
    EXPECT_EQ(3 - 16, tops[15]);
    EXPECT_EQ(19, tops[16]);
    EXPECT_EQ(18, tops[17]);
    EXPECT_EQ(0, pane.m_nScrollX);
}

} // namespace
