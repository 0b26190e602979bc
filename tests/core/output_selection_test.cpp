// SPDX-License-Identifier: MIT
#include "calculator_fixture.h"
#include "core/output_selection.h"

#include <ostream>

namespace kalvo {
namespace {

using testing::Click;

struct SelectionCase {
    const char* name;
    Click click;
    Quantity output;
};

std::ostream& operator<<(std::ostream& out, const SelectionCase& c)
{
    return out << c.name;
}

class OutputSelection : public testing::CalculatorTest, public ::testing::WithParamInterface<SelectionCase> {
protected:
    void expectOutput(Quantity output)
    {
        for (const Quantity q : OutputCandidates) {
            const bool isTheOutput = q == output;
            const CommandButton& button = window().*placesOf(q).button;
            EXPECT_EQ(state().*placesOf(q).inputFlag, isTheOutput ? 0 : 1);
            EXPECT_EQ(button.caption, isTheOutput ? "Ausgabe" : "Eingabe");
            EXPECT_EQ(button.backColor, isTheOutput ? colors::Red : colors::LightGreen);
            EXPECT_EQ(fieldOf(window(), q).enabled, !isTheOutput);
        }
    }
};

TEST_P(OutputSelection, FromEveryOutputToEveryOther)
{
    for (const Click first : {A_Command_Click, B_Command_Click, C_Command_Click}) {
        first(calc);
        GetParam().click(calc);
        expectOutput(GetParam().output);
    }
}

TEST_P(OutputSelection, ComputesNothing)
{
    enter(Quantity::A, "5");
    const CalcState valuesBefore = state();
    const WindowModel windowBefore = window();
    GetParam().click(calc);
    EXPECT_EQ(state().ValueA, valuesBefore.ValueA);
    EXPECT_EQ(state().ValueB, valuesBefore.ValueB);
    EXPECT_EQ(state().ValueC, valuesBefore.ValueC);
    EXPECT_EQ(state().FormulaCode, valuesBefore.FormulaCode);
    for (const Quantity q : OutputCandidates)
        EXPECT_EQ(fieldOf(window(), q).text, fieldOf(windowBefore, q).text);
}

TEST_P(OutputSelection, ClickOnTheOutputsOwnButtonChangesNothing)
{
    GetParam().click(calc);
    const WindowModel once = window();
    const CalcState stateOnce = state();
    GetParam().click(calc);
    EXPECT_EQ(window(), once);
    EXPECT_EQ(state(), stateOnce);
}

INSTANTIATE_TEST_SUITE_P(AllButtons, OutputSelection,
                         ::testing::Values(SelectionCase{"A", A_Command_Click, Quantity::A},
                                           SelectionCase{"B", B_Command_Click, Quantity::B},
                                           SelectionCase{"C", C_Command_Click, Quantity::C}),
                         [](const ::testing::TestParamInfo<SelectionCase>& info) { return info.param.name; });

TEST_F(OutputSelection, ReopensAFieldThatWasClosedByHand)
{
    window().A_Text.enabled = false;
    C_Command_Click(calc);
    EXPECT_TRUE(window().A_Text.enabled) << "the field access is set on every click";
}

} // namespace
} // namespace kalvo
