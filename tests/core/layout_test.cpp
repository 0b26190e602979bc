// SPDX-License-Identifier: MIT
#include "calculator_fixture.h"
#include "core/layout.h"

namespace kalvo {
namespace {

using Layout = testing::CalculatorTest;

void expectConstantColumnVisible(const WindowModel& w, bool visible)
{
    EXPECT_EQ(w.Command1.visible, visible);
    EXPECT_EQ(w.Text3.visible, visible);
    EXPECT_EQ(w.Text4.visible, visible);
    EXPECT_EQ(w.Text5.visible, visible);
    EXPECT_FALSE(w.Text6.visible);
}

TEST_F(Layout, WideWindowShowsTheConstantColumnAndHidesHelp)
{
    window().Text6.visible = true;
    ShowConstantField(window());
    EXPECT_EQ(window().Kalvo.width, 10800);
    expectConstantColumnVisible(window(), true);
}

TEST_F(Layout, NarrowWindowHidesTheConstantColumnAndHelp)
{
    ShowConstantField(window());
    window().Text6.visible = true;
    HideConstantField(window());
    EXPECT_EQ(window().Kalvo.width, 8580);
    expectConstantColumnVisible(window(), false);
}

TEST_F(Layout, ChangesNothingElseAndTwiceIsOnce)
{
    window().Text4.text = "4,2000E+0";
    window().Text5.text = "Anfangswert";
    const CalcState stateBefore = state();

    ShowConstantField(window());
    const WindowModel once = window();
    ShowConstantField(window());
    EXPECT_EQ(window(), once);

    HideConstantField(window());
    HideConstantField(window());
    EXPECT_EQ(window().Text4.text, "4,2000E+0");
    EXPECT_EQ(window().Text5.text, "Anfangswert");
    EXPECT_EQ(state(), stateBefore);
}

} // namespace
} // namespace kalvo
