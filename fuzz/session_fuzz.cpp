// SPDX-License-Identifier: MIT
// Reads the input as a session of user actions, as the window allows them
// (no key reaches a closed or hidden field), and checks after every action
// what must always hold between the calculator and its window.
#include "catalogue/catalogue.h"
#include "core/help.h"
#include "core/output_selection.h"
#include "core/quantity.h"
#include "core/value_entry.h"
#include "invariants.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

using kalvo::Calculator;
using kalvo::Quantity;

void check(const Calculator& calc, const char* after)
{
    const auto violations = kalvo::testing::invariantViolations(calc.state, calc.window);
    if (violations.empty())
        return;
    for (const std::string& violation : violations)
        std::fprintf(stderr, "after %s: %s\n", after, violation.c_str());
    std::abort();
}

constexpr std::array<void (*)(Calculator&, char16_t), 4> KeyPress{
    kalvo::A_Text_KeyPress, kalvo::B_Text_KeyPress, kalvo::C_Text_KeyPress, kalvo::Text4_KeyPress};
constexpr std::array<void (*)(Calculator&), 3> Click{kalvo::A_Command_Click, kalvo::B_Command_Click,
                                                     kalvo::C_Command_Click};

void typeInto(Calculator& calc, FuzzedDataProvider& input)
{
    const auto field = input.ConsumeIntegralInRange<std::size_t>(0, 3);
    const char16_t otherKey = input.ConsumeIntegral<char16_t>();
    const bool edits = input.ConsumeBool();
    const std::string text = input.ConsumeRandomLengthString(48);
    kalvo::TextBox& box = kalvo::fieldOf(calc.window, static_cast<Quantity>(field));
    if (!box.enabled || !box.visible)
        return;
    if (otherKey != kalvo::EnterKey)
        KeyPress[field](calc, otherKey); // only types, and changes nothing
    if (edits)
        box.text = text; // else Enter on what the field shows
    KeyPress[field](calc, kalvo::EnterKey);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    Calculator calc;
    kalvo::form_Load(calc);
    check(calc, "start-up");
    const auto catalogue = kalvo::Catalogue();
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            kalvo::ChooseFormula(
                calc, catalogue[input.ConsumeIntegralInRange<std::size_t>(0, catalogue.size() - 1)]);
            check(calc, "a formula");
            break;
        case 1:
            Click[input.ConsumeIntegralInRange<std::size_t>(0, 2)](calc);
            check(calc, "a button");
            break;
        case 2:
            typeInto(calc, input);
            check(calc, "Enter");
            break;
        default:
            (input.ConsumeBool() ? kalvo::Hilfe_Click : kalvo::Information_Click)(calc);
            check(calc, "help or information");
            break;
        }
    }
    return 0;
}
