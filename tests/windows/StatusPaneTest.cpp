#include "StatusPane.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(StatusPane, DefaultsAreMenuColouredTextInAnsiVarFontAndSetDefaultsKeepsTexts)
{
    CStatusPane pane;
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    LOGFONTA ansiVar = {};
    ::GetObjectA(::GetStockObject(ANSI_VAR_FONT), sizeof(ansiVar), &ansiVar);
    auto expectDefaults = [&] {
        EXPECT_EQ(::GetSysColor(COLOR_MENUTEXT), pane.m_crText[1]);
        EXPECT_EQ(HalveColor(menu), pane.m_crText[0]);
        EXPECT_EQ(menu, pane.m_crBack[0]);
        EXPECT_EQ(menu, pane.m_crBack[1]);
        EXPECT_EQ(SPS_TEXT, pane.m_nStyle);
        EXPECT_EQ(0, std::memcmp(&ansiVar, &pane.m_lfFont, sizeof(ansiVar)));
    };
    expectDefaults();

    // A null text is an empty one.
    pane.SetTexts("on", nullptr);
    EXPECT_EQ("on", pane.GetStateText(true));
    EXPECT_EQ("", pane.GetStateText(false));
    pane.SetTexts("on", "off");
    pane.SetTextColors(1, 2);
    pane.SetBackColors(3, 4);
    pane.SetStyle(SPS_BITMAP | SPS_TILE);
    pane.m_lfFont.lfHeight = 40;
    pane.m_nScrollX = 7;
    pane.SetDefaults();
    expectDefaults();
    EXPECT_EQ("on", pane.GetStateText(true));
    EXPECT_EQ("off", pane.GetStateText(false));
    EXPECT_EQ(7, pane.m_nScrollX);
}

TEST(StatusPane, MinusOneStandsForTheMenuColour)
{
    CStatusPane pane;
    const COLORREF menu = ::GetSysColor(COLOR_MENU);
    pane.SetTextColors(RGB(0, 150, 0), 0xFFFFFFFF);
    EXPECT_EQ(RGB(0, 150, 0), pane.m_crText[1]);
    EXPECT_EQ(HalveColor(menu), pane.m_crText[0]);
    // Wine's default menu colour is white, which halves to 127 in every channel.
    if (menu == RGB(255, 255, 255)) {
        EXPECT_EQ(RGB(127, 127, 127), pane.m_crText[0]);
    }
    pane.SetBackColors(RGB(1, 2, 3), 0xFFFFFFFF);
    EXPECT_EQ(RGB(1, 2, 3), pane.m_crBack[1]);
    EXPECT_EQ(menu, pane.m_crBack[0]);

    // Any other value, white included, is taken as it is.
    pane.SetTextColors(RGB(200, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(RGB(255, 255, 255), pane.m_crText[0]);
    pane.SetBackColors(RGB(4, 5, 6), RGB(7, 8, 9));
    EXPECT_EQ(RGB(7, 8, 9), pane.m_crBack[0]);
}

TEST(StatusPane, ScrollingMovesOnlyTheLeftOrTopEdge)
{
    // Content 100 pixels wide (16 high) in an inner rectangle 80 x 16: the offset runs from 1
    // to the content's size, then restarts at minus the inner size, where the moved edge
    // lies on the far edge.
    const RECT inner = {10, 3, 90, 19};
    CStatusPane pane;
    for (int i = 0; i < 103; ++i) {
        RECT rc = inner;
        pane.ScrollX(rc, 100, inner.left - inner.right);
        if (i < 20)
            pane.ScrollY(rc, 16, inner.top - inner.bottom);
        const LONG left = i < 100 ? 10 - (i + 1) : 90 - (i - 100);
        const LONG top = i >= 20 ? 3 : i < 16 ? 3 - (i + 1) : 19 - (i - 16);
        ASSERT_EQ((RECT{left, top, 90, 19}), rc) << "step " << i;
    }
}

} // namespace
