// SPDX-License-Identifier: MIT
#pragma once

#include "core/calc_state.h"
#include "core/quantity.h"
#include "core/value_entry.h"

#include <gtest/gtest.h>
#include <string>

namespace kalvo::testing {

using Click = void (*)(Calculator&);

// A calculator right after start-up, with helpers that act as a user would.
class CalculatorTest : public ::testing::Test {
protected:
    CalculatorTest() { form_Load(calc); }

    CalcState& state() { return calc.state; }
    WindowModel& window() { return calc.window; }
    [[nodiscard]] const Constants& constants() const { return calc.state.constants; }

    // Types the text into the field of the quantity and presses Enter.
    void enter(Quantity quantity, const std::string& text)
    {
        fieldOf(calc.window, quantity).text = text;
        keyPressOf(quantity)(calc, EnterKey);
    }

    static void (*keyPressOf(Quantity quantity))(Calculator&, char16_t)
    {
        switch (quantity) {
        case Quantity::A:
            return A_Text_KeyPress;
        case Quantity::B:
            return B_Text_KeyPress;
        case Quantity::C:
            return C_Text_KeyPress;
        case Quantity::K:
            break;
        }
        return Text4_KeyPress;
    }

    Calculator calc;
};

} // namespace kalvo::testing
