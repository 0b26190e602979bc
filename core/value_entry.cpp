// SPDX-License-Identifier: MIT
#include "core/value_entry.h"

#include "core/format.h"
#include "core/member_of.h"
#include "core/parse.h"
#include "core/quantity.h"
#include "core/solvers.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace kalvo {
namespace {

struct LabelChange {
    MemberOf<WindowModel, TextBox> label = nullptr;
    std::string_view text;
};

using LabelChanges = std::array<LabelChange, 2>;

void applyLabels(WindowModel& window, const LabelChanges& changes)
{
    for (const LabelChange& change : changes)
        if (change.label != nullptr)
            (window.*change.label).text = change.text;
}

// A letter typed alone into a field stands for a constant, under some
// formulas only; the first row whose field, letter and code match applies.
struct LetterRow {
    Quantity field;
    std::string_view letter;
    std::int16_t formulaCode;
    MemberOf<Constants, Number> constant;
    LabelChanges labels;
};

const std::array<LetterRow, 11> LetterTable{{
    {Quantity::A, "c", 5, &Constants::SpeedOfLight, {}},
    {Quantity::A, "s", 5, &Constants::SpeedOfSound, {}},
    {Quantity::A, "c", 10, &Constants::SpeedOfLightRoot2, {}},
    {Quantity::B, "g", 11, &Constants::Gravity, {}},
    {Quantity::B, "e", 20, &Constants::EulerE, {}},
    {Quantity::C, "u", 30, &Constants::RefVoltage, {{{&WindowModel::C_Anzeige, "Volt"}}}},
    {Quantity::C, "i", 30, &Constants::RefCurrent, {{{&WindowModel::C_Anzeige, "Ampere"}}}},
    {Quantity::C, "p", 30, &Constants::RefPressure, {{{&WindowModel::C_Anzeige, "N/m^2"}}}},
    {Quantity::C, "N", 31, &Constants::RefPower, {{{&WindowModel::C_Anzeige, "Watt"}}}},
    {Quantity::C, "N", 32, &Constants::RefPower, {{{&WindowModel::C_Anzeige, "Watt"}}}},
    {Quantity::C,
     "P",
     31,
     &Constants::RefIntensity,
     {{{&WindowModel::C_Anzeige, "W/m^2"}, {&WindowModel::A_Anzeige, "phon"}}}},
}};

const LetterRow* letterFor(Quantity field, std::string_view text, std::int16_t formulaCode)
{
    for (const LetterRow& row : LetterTable)
        if (row.field == field && row.letter == text && row.formulaCode == formulaCode)
            return &row;
    return nullptr;
}

// Every Enter in C_Text first gives the level formulas their plain labels
// back, undoing what a reference letter wrote.
struct LevelLabels {
    std::int16_t formulaCode;
    LabelChanges labels;
};

const std::array<LevelLabels, 3> LevelLabelTable{{
    {30, {{{&WindowModel::C_Anzeige, "Bezugspegel"}}}},
    {31, {{{&WindowModel::C_Anzeige, "Bezugspegel"}, {&WindowModel::A_Anzeige, "dB / phon"}}}},
    {32, {{{&WindowModel::C_Anzeige, "Bezugsleistung"}}}},
}};

void resetLevelLabels(Calculator& calc)
{
    for (const LevelLabels& row : LevelLabelTable)
        if (row.formulaCode == calc.state.FormulaCode)
            applyLabels(calc.window, row.labels);
}

// An unreadable entry becomes its leading number, or 1 where that is not
// positive.
Number fallbackValue(std::string_view text)
{
    const double leading = ParseLenient(text);
    return leading > 0.0 ? Number::real(leading) : Number::integer(1);
}

// No letter stands for anything in the field of K: the table has no row for it.
void takeValue(Calculator& calc, Quantity quantity)
{
    TextBox& field = fieldOf(calc.window, quantity);
    Number& value = valueOf(calc.state, quantity);
    if (const LetterRow* row = letterFor(quantity, field.text, calc.state.FormulaCode)) {
        value = calc.state.constants.*row->constant;
        applyLabels(calc.window, row->labels);
        return;
    }
    const auto typed = ParseStrict(field.text);
    value = typed ? *typed : fallbackValue(field.text);
    field.text = FormatValue(value);
}

using Solver = SolveOutcome (*)(Calculator&);

constexpr std::array<Solver, 3> SolverOf{SolveA, SolveB, SolveC};

// A failed calculation leaves its quantity without a value, shown as such,
// so that nothing stale is taken for a result.
void solveIfOutput(Calculator& calc, Quantity quantity)
{
    if (!isOutput(calc.state, quantity))
        return;
    if (SolverOf[static_cast<std::size_t>(quantity)](calc) == SolveOutcome::ArithmeticFailure) {
        valueOf(calc.state, quantity) = Number::none();
        fieldOf(calc.window, quantity).text = FormatValue(Number::none());
    }
}

// The field's quantity takes its value, then each output candidate in the
// handler's order is solved if it is the output.
void handleKeyPress(Calculator& calc, Quantity quantity, std::initializer_list<Quantity> solverChecks,
                    char16_t key)
{
    if (key != EnterKey)
        return;
    if (quantity == Quantity::C)
        resetLevelLabels(calc);
    takeValue(calc, quantity);
    for (const Quantity output : solverChecks)
        solveIfOutput(calc, output);
}

} // namespace

void A_Text_KeyPress(Calculator& calc, char16_t key)
{
    handleKeyPress(calc, Quantity::A, {Quantity::C, Quantity::B}, key);
}

void B_Text_KeyPress(Calculator& calc, char16_t key)
{
    handleKeyPress(calc, Quantity::B, {Quantity::A, Quantity::C}, key);
}

void C_Text_KeyPress(Calculator& calc, char16_t key)
{
    handleKeyPress(calc, Quantity::C, {Quantity::A, Quantity::B}, key);
}

void Text4_KeyPress(Calculator& calc, char16_t key)
{
    handleKeyPress(calc, Quantity::K, {Quantity::A, Quantity::B, Quantity::C}, key);
}

} // namespace kalvo
