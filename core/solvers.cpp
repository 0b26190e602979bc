// SPDX-License-Identifier: MIT
#include "core/solvers.h"

#include "core/checked.h"
#include "core/format.h"
#include "core/member_of.h"
#include "core/quantity.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace kalvo {
namespace {

// The operands of an equation: the stored values and the constants it uses.
struct Terms {
    Checked A, B, C, K;
    Checked HalfE, Boltzmann, GasConstant, ZeroCelsius, InvTwoPi, DbPerNeper, InvLn2;
};

Checked termOf(Number number)
{
    return number.hasValue() ? Checked(number.value()) : Checked::failure();
}

Terms termsOf(const CalcState& s)
{
    const Constants& k = s.constants;
    return {termOf(s.ValueA),   termOf(s.ValueB),     termOf(s.ValueC),      termOf(s.ValueK),
            termOf(k.HalfE),    termOf(k.Boltzmann),  termOf(k.GasConstant), termOf(k.ZeroCelsius),
            termOf(k.InvTwoPi), termOf(k.DbPerNeper), termOf(k.InvLn2)};
}

// The lens law's inverse equations give 1E+38 instead of dividing by exactly 0.
Checked quotientOrHuge(Checked numerator, Checked denominator)
{
    const auto zero = isZero(denominator);
    if (!zero)
        return Checked::failure();
    return *zero ? Checked(1E+38) : numerator / denominator;
}

using Equation = Checked (*)(const Terms&);

struct EquationRow {
    std::int16_t lowestCode;
    std::int16_t highestCode;
    Equation solveA;
    Equation solveB;
    Equation solveC;
};

constexpr std::int16_t LowestCode = std::numeric_limits<std::int16_t>::min();

// Matched in this order; every code below 10 is the product row.
// One equation a line.
// clang-format off
const std::array<EquationRow, 19> EquationTable{{
    // A = B · C
    {LowestCode, 9,
     [](const Terms& t) { return t.C * t.B; },
     [](const Terms& t) { return t.A / t.C; },
     [](const Terms& t) { return t.A / t.B; }},
    // C = B · A² / 2
    {10, 11,
     [](const Terms& t) { return sqrt(2.0 * t.C / t.B); },
     [](const Terms& t) { return 2.0 * t.C / (t.A * t.A); },
     [](const Terms& t) { return t.A * t.A * t.B / 2.0; }},
    // 1/A = 1/B + 1/C
    {15, 15,
     [](const Terms& t) { return t.B * t.C / (t.B + t.C); },
     [](const Terms& t) { return quotientOrHuge(t.A * t.C, t.C - t.A); },
     [](const Terms& t) { return quotientOrHuge(t.A * t.B, t.B - t.A); }},
    // A = B^C
    {20, 20,
     [](const Terms& t) { return pow(t.B, t.C); },
     [](const Terms& t) { return exp(ln(t.A) / t.C); },
     [](const Terms& t) { return ln(t.A) / ln(t.B); }},
    // A · B · C = 1
    {25, 25,
     [](const Terms& t) { return 1.0 / (t.B * t.C); },
     [](const Terms& t) { return 1.0 / (t.A * t.C); },
     [](const Terms& t) { return 1.0 / (t.A * t.B); }},
    // A = 20 · log10(B / C)
    {30, 30,
     [](const Terms& t) { return t.DbPerNeper * ln(t.B / t.C); },
     [](const Terms& t) { return t.C * pow(10.0, t.A / 20.0); },
     [](const Terms& t) { return t.B / pow(10.0, t.A / 20.0); }},
    // A = 10 · log10(B / C)
    {31, 31,
     [](const Terms& t) { return t.DbPerNeper / 2.0 * ln(t.B / t.C); },
     [](const Terms& t) { return t.C * pow(10.0, t.A / 10.0); },
     [](const Terms& t) { return t.B / pow(10.0, t.A / 10.0); }},
    // A = ln(B / C)
    {32, 32,
     [](const Terms& t) { return ln(t.B / t.C); },
     [](const Terms& t) { return t.C * exp(t.A); },
     [](const Terms& t) { return t.B / exp(t.A); }},
    // A = 1 / (2π · B · C)
    {40, 40,
     [](const Terms& t) { return t.InvTwoPi / (t.B * t.C); },
     [](const Terms& t) { return t.InvTwoPi / (t.A * t.C); },
     [](const Terms& t) { return t.InvTwoPi / (t.B * t.A); }},
    // A = 1 / (2π · √(B · C))
    {41, 41,
     [](const Terms& t) { return t.InvTwoPi / sqrt(t.B * t.C); },
     [](const Terms& t) { return t.InvTwoPi / t.A * (t.InvTwoPi / t.A) / t.C; },
     [](const Terms& t) { return t.InvTwoPi / t.A * (t.InvTwoPi / t.A) / t.B; }},
    // A = K · exp(−B / C)
    {50, 50,
     [](const Terms& t) { return t.K * exp(-t.B / t.C); },
     [](const Terms& t) { return -ln(t.A / t.K) * t.C; },
     [](const Terms& t) { return -t.B / ln(t.A / t.K); }},
    // A = K · e/2 · exp(−B / C)
    {51, 51,
     [](const Terms& t) { return t.K * t.HalfE * exp(-t.B / t.C); },
     [](const Terms& t) { return -ln(t.A / (t.K * t.HalfE)) * t.C; },
     [](const Terms& t) { return -t.B / ln(t.A / (t.K * t.HalfE)); }},
    // A = K · exp(−B · C)
    {52, 52,
     [](const Terms& t) { return t.K * exp(-t.B * t.C); },
     [](const Terms& t) { return -ln(t.A / t.K) / t.C; },
     [](const Terms& t) { return -ln(t.A / t.K) / t.B; }},
    // A = K · exp(−B / (k · T)), T = C + 273.15
    {53, 53,
     [](const Terms& t) { return t.K * exp(-t.B / (t.Boltzmann * (t.C + t.ZeroCelsius))); },
     [](const Terms& t) { return -ln(t.A / t.K) * t.Boltzmann * (t.C + t.ZeroCelsius); },
     [](const Terms& t) { return -t.ZeroCelsius - t.B / (t.Boltzmann * ln(t.A / t.K)); }},
    // A = K · exp(−B / (R · T)), T = C + 273.15
    {54, 54,
     [](const Terms& t) { return t.K * exp(-t.B / (t.GasConstant * (t.C + t.ZeroCelsius))); },
     [](const Terms& t) { return -ln(t.A / t.K) * t.GasConstant * (t.C + t.ZeroCelsius); },
     [](const Terms& t) { return -t.ZeroCelsius - t.B / (t.GasConstant * ln(t.A / t.K)); }},
    // A = exp(−2π · B / C)
    {60, 60,
     [](const Terms& t) { return exp(-t.B / (t.InvTwoPi * t.C)); },
     [](const Terms& t) { return -t.C * t.InvTwoPi * ln(t.A); },
     [](const Terms& t) { return -t.B / (t.InvTwoPi * ln(t.A)); }},
    // A = exp(−B / (C · K))
    {61, 61,
     [](const Terms& t) { return exp(-t.B / (t.C * t.K)); },
     [](const Terms& t) { return -t.C * t.K * ln(t.A); },
     [](const Terms& t) { return -t.B / (t.K * ln(t.A)); }},
    // A · B = K · R · T, T = C + 273.15
    {62, 62,
     [](const Terms& t) { return t.K * t.GasConstant * (t.C + t.ZeroCelsius) / t.B; },
     [](const Terms& t) { return t.K * t.GasConstant * (t.C + t.ZeroCelsius) / t.A; },
     [](const Terms& t) { return -t.ZeroCelsius + t.A * t.B / (t.K * t.GasConstant); }},
    // A = B · log2(1 + C)
    {63, 63,
     [](const Terms& t) { return t.B * t.InvLn2 * ln(1.0 + t.C); },
     [](const Terms& t) { return t.A / (ln(1.0 + t.C) * t.InvLn2); },
     [](const Terms& t) { return pow(2.0, t.A / t.B) - 1.0; }},
}};
// clang-format on

const EquationRow* rowFor(std::int16_t code)
{
    for (const EquationRow& row : EquationTable)
        if (code >= row.lowestCode && code <= row.highestCode)
            return &row;
    return nullptr;
}

// The current formula's equation for one quantity on the stored values: the
// stored value itself under a code without equations, nothing on a failure.
std::optional<Number> evaluate(const CalcState& state, Quantity quantity,
                               MemberOf<EquationRow, Equation> equation)
{
    const EquationRow* row = rowFor(state.FormulaCode);
    if (row == nullptr)
        return valueOf(state, quantity);
    const auto result = (row->*equation)(termsOf(state)).result();
    if (!result)
        return std::nullopt;
    return Number::real(*result);
}

SolveOutcome solve(Calculator& calc, Quantity quantity, MemberOf<EquationRow, Equation> equation)
{
    const auto value = evaluate(calc.state, quantity, equation);
    if (!value)
        return SolveOutcome::ArithmeticFailure;
    valueOf(calc.state, quantity) = *value;
    fieldOf(calc.window, quantity).text = FormatValue(*value);
    return SolveOutcome::Solved;
}

} // namespace

SolveOutcome SolveA(Calculator& calc)
{
    return solve(calc, Quantity::A, &EquationRow::solveA);
}

SolveOutcome SolveB(Calculator& calc)
{
    return solve(calc, Quantity::B, &EquationRow::solveB);
}

SolveOutcome SolveC(Calculator& calc)
{
    return solve(calc, Quantity::C, &EquationRow::solveC);
}

Number EquationA(const CalcState& state)
{
    return evaluate(state, Quantity::A, &EquationRow::solveA).value_or(Number::none());
}

} // namespace kalvo
