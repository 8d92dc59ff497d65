#include "StatusPane.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The pane's colours come from the menu colours, set here to known values and put back.
class StatusPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const COLORREF known[] = {RGB(192, 192, 192), RGB(1, 2, 3)};
        ::SetSysColors(2, kElements, known);
    }
    void TearDown() override { ::SetSysColors(2, kElements, m_saved); }

    static constexpr INT kElements[2] = {COLOR_MENU, COLOR_MENUTEXT};
    const COLORREF m_saved[2] = {::GetSysColor(COLOR_MENU), ::GetSysColor(COLOR_MENUTEXT)};
};

TEST_F(StatusPaneTest, DefaultsAndMinusOneStandForTheMenuColours)
{
    CStatusPane pane;
    LOGFONTA ansiVar = {};
    ::GetObjectA(::GetStockObject(ANSI_VAR_FONT), sizeof(ansiVar), &ansiVar);
    // Disabled text: the menu colour with each channel halved.
    EXPECT_EQ(RGB(1, 2, 3), pane.m_crText[1]);
    EXPECT_EQ(RGB(96, 96, 96), pane.m_crText[0]);
    EXPECT_EQ(RGB(192, 192, 192), pane.m_crBack[0]);
    EXPECT_EQ(RGB(192, 192, 192), pane.m_crBack[1]);
    EXPECT_EQ(SPS_TEXT, pane.m_nStyle);
    EXPECT_EQ(0, std::memcmp(&ansiVar, &pane.m_lfFont, sizeof(ansiVar)));

    pane.SetTextColors(RGB(0, 150, 0), 0xFFFFFFFF);
    pane.SetBackColors(RGB(4, 5, 6), 0xFFFFFFFF);
    EXPECT_EQ(RGB(0, 150, 0), pane.m_crText[1]);
    EXPECT_EQ(RGB(96, 96, 96), pane.m_crText[0]);
    EXPECT_EQ(RGB(4, 5, 6), pane.m_crBack[1]);
    EXPECT_EQ(RGB(192, 192, 192), pane.m_crBack[0]);
    // Any other value, white included, is taken as it is.
    pane.SetTextColors(RGB(200, 0, 0), RGB(255, 255, 255));
    pane.SetBackColors(RGB(4, 5, 6), RGB(7, 8, 9));
    EXPECT_EQ(RGB(255, 255, 255), pane.m_crText[0]);
    EXPECT_EQ(RGB(7, 8, 9), pane.m_crBack[0]);

    // Back to the defaults: texts and offsets stay; a null text is an empty one.
    pane.SetTexts("on", nullptr);
    pane.SetStyle(SPS_BITMAP | SPS_TILE);
    pane.m_nScrollX = 7;
    pane.SetDefaults();
    EXPECT_EQ(RGB(96, 96, 96), pane.m_crText[0]);
    EXPECT_EQ(SPS_TEXT, pane.m_nStyle);
    EXPECT_EQ("on|", pane.GetStateText(true) + "|" + pane.GetStateText(false));
    EXPECT_EQ(7, pane.m_nScrollX);
}

} // namespace
