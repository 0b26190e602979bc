// SPDX-License-Identifier: MIT
#include "core/output_selection.h"

#include "core/quantity.h"

#include <string_view>

namespace kalvo {
namespace {

constexpr std::string_view OutputCaption = "Ausgabe";
constexpr std::string_view InputCaption = "Eingabe";

void setRole(Calculator& calc, Quantity quantity, bool output)
{
    const QuantityPlaces& places = placesOf(quantity);
    CommandButton& button = calc.window.*places.button;
    button.backColor = output ? colors::Red : colors::LightGreen;
    button.caption = output ? OutputCaption : InputCaption;
    calc.state.*places.inputFlag = output ? 0 : 1;
}

void selectOutput(Calculator& calc, Quantity chosen)
{
    for (const Quantity field : {Quantity::C, Quantity::B, Quantity::A})
        fieldOf(calc.window, field).enabled = field != chosen;
    if (isOutput(calc.state, chosen))
        return;
    setRole(calc, chosen, true);
    for (const Quantity other : OutputCandidates)
        if (other != chosen)
            setRole(calc, other, false);
}

} // namespace

void A_Command_Click(Calculator& calc)
{
    selectOutput(calc, Quantity::A);
}

void B_Command_Click(Calculator& calc)
{
    selectOutput(calc, Quantity::B);
}

void C_Command_Click(Calculator& calc)
{
    selectOutput(calc, Quantity::C);
}

} // namespace kalvo
