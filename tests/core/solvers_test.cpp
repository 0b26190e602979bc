// SPDX-License-Identifier: MIT
#include "core/format.h"
#include "core/quantity.h"
#include "core/solvers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <ostream>

namespace kalvo {
namespace {

struct Inputs {
    double A, B, C, K;
};

struct SolveCase {
    const char* name;
    std::int16_t code;
    Quantity solved;
    Inputs inputs;
    double expected;
    const char* shown;
};

std::ostream& operator<<(std::ostream& out, const SolveCase& c)
{
    return out << c.name;
}

class SolverTest : public testing::Test {
protected:
    SolverTest() { form_Load(calc); }

    void setUp(std::int16_t code, const Inputs& in)
    {
        calc.state.FormulaCode = code;
        calc.state.ValueA = Number::real(in.A);
        calc.state.ValueB = Number::real(in.B);
        calc.state.ValueC = Number::real(in.C);
        calc.state.ValueK = Number::real(in.K);
    }

    SolveOutcome solve(Quantity quantity)
    {
        switch (quantity) {
        case Quantity::A:
            return SolveA(calc);
        case Quantity::B:
            return SolveB(calc);
        default:
            return SolveC(calc);
        }
    }

    Calculator calc;
};

class Solvers : public SolverTest, public testing::WithParamInterface<SolveCase> {};

TEST_P(Solvers, ComputeStoreAndShow)
{
    const SolveCase& c = GetParam();
    setUp(c.code, c.inputs);
    ASSERT_EQ(solve(c.solved), SolveOutcome::Solved);
    const Number result = valueOf(calc.state, c.solved);
    EXPECT_EQ(result.kind(), NumberKind::Double);
    EXPECT_NEAR(result.value(), c.expected, std::fabs(c.expected) * 1E-12);
    EXPECT_EQ(fieldOf(calc.window, c.solved).text, c.shown);
}

constexpr Quantity A = Quantity::A;
constexpr Quantity B = Quantity::B;
constexpr Quantity C = Quantity::C;

// K is 0 wherever a formula does not use it. The inputs tell the operations
// apart: no row relies on 0, 1 or 2 where the equation could take another
// value, no logarithm is -1 (where a product and a quotient agree), and no
// base equals its exponent.
constexpr double InvTwoPi = 0.15915495087284556;
constexpr double HalfE = 1.3591409142295225;
constexpr double Boltzmann = 1.380658E-23;
constexpr double GasConstant = 8.31451;

INSTANTIATE_TEST_SUITE_P(
    EveryRowEveryDirection, Solvers,
    testing::Values(SolveCase{"ProductA", 1, A, {0, 2, 3, 0}, 6, "6,0000E+0"},
                    SolveCase{"ProductB", 1, B, {6, 0, 3, 0}, 2, "2,0000E+0"},
                    SolveCase{"ProductC", 1, C, {6, 2, 0, 0}, 3, "3,0000E+0"},
                    SolveCase{"ProductUnusedCode9", 9, A, {0, 4, 5, 0}, 20, "2,0000E+1"},
                    SolveCase{"ProductNegativeCode", -3, A, {0, 4, 5, 0}, 20, "2,0000E+1"},
                    SolveCase{"FallA", 11, A, {0, 4, 18, 0}, 3, "3,0000E+0"},
                    SolveCase{"FallAAtRest", 11, A, {0, 4, 0, 0}, 0, "0,0000E+0"},
                    SolveCase{"EinsteinB", 10, B, {3, 0, 54, 0}, 12, "1,2000E+1"},
                    SolveCase{"EinsteinC", 10, C, {3, 4, 0, 0}, 18, "1,8000E+1"},
                    SolveCase{"LensA", 15, A, {0, 3, 6, 0}, 2, "2,0000E+0"},
                    SolveCase{"LensB", 15, B, {2, 0, 6, 0}, 3, "3,0000E+0"},
                    SolveCase{"LensC", 15, C, {3, 6, 0, 0}, 6, "6,0000E+0"},
                    SolveCase{"LensBGuard", 15, B, {3, 0, 3, 0}, 1E+38, "1,0000E+38"},
                    SolveCase{"LensCGuard", 15, C, {2, 2, 0, 0}, 1E+38, "1,0000E+38"},
                    SolveCase{"PowerA", 20, A, {0, 2, 10, 0}, 1024, "1,0240E+3"},
                    SolveCase{"PowerB", 20, B, {1024, 0, 10, 0}, 2, "2,0000E+0"},
                    SolveCase{"PowerC", 20, C, {1024, 2, 0, 0}, 10, "1,0000E+1"},
                    SolveCase{"PowerNegativeBaseWholeExponent", 20, A, {0, -2, 3, 0}, -8, "-8,0000E+0"},
                    SolveCase{"BarkhausenA", 25, A, {0, 4, 5, 0}, 0.05, "5,0000E-2"},
                    SolveCase{"BarkhausenB", 25, B, {4, 0, 5, 0}, 0.05, "5,0000E-2"},
                    SolveCase{"BarkhausenC", 25, C, {4, 5, 0, 0}, 0.05, "5,0000E-2"},
                    SolveCase{"DecibelA", 30, A, {0, 20, 2, 0}, 20, "2,0000E+1"},
                    SolveCase{"DecibelANegative", 30, A, {0, 1, 10, 0}, -20, "-2,0000E+1"},
                    SolveCase{"DecibelB", 30, B, {20, 0, 3, 0}, 30, "3,0000E+1"},
                    SolveCase{"DecibelC", 30, C, {40, 300, 0, 0}, 3, "3,0000E+0"},
                    SolveCase{"PowerDecibelA", 31, A, {0, 30, 3, 0}, 10, "1,0000E+1"},
                    SolveCase{"PowerDecibelB", 31, B, {20, 0, 2, 0}, 200, "2,0000E+2"},
                    SolveCase{"PowerDecibelC", 31, C, {30, 3000, 0, 0}, 3, "3,0000E+0"},
                    SolveCase{"NeperA", 32, A, {0, 20, 2, 0}, std::log(10.0), "2,3026E+0"},
                    SolveCase{"NeperB", 32, B, {1, 0, 2, 0}, 2 * std::exp(1.0), "5,4366E+0"},
                    SolveCase{"NeperC", 32, C, {1, 10, 0, 0}, 10 / std::exp(1.0), "3,6788E+0"},
                    SolveCase{"CutOffA", 40, A, {0, 2, 5, 0}, InvTwoPi / 10, "1,5915E-2"},
                    SolveCase{"CutOffB", 40, B, {4, 0, 2, 0}, InvTwoPi / 8, "1,9894E-2"},
                    SolveCase{"CutOffC", 40, C, {2, 3, 0, 0}, InvTwoPi / 6, "2,6526E-2"},
                    SolveCase{"ResonanceA", 41, A, {0, 4, 9, 0}, InvTwoPi / 6, "2,6526E-2"},
                    SolveCase{"ResonanceB", 41, B, {InvTwoPi / 3, 0, 5, 0}, 1.8, "1,8000E+0"},
                    SolveCase{"ResonanceC", 41, C, {InvTwoPi / 5, 4, 0, 0}, 6.25, "6,2500E+0"},
                    SolveCase{"DecayA", 50, A, {0, 6, 3, 100}, 100 * std::exp(-2.0), "1,3534E+1"},
                    SolveCase{"DecayB", 50, B, {100 * std::exp(-2.0), 0, 3, 100}, 6, "6,0000E+0"},
                    SolveCase{"DecayC", 50, C, {100 * std::exp(-2.0), 6, 0, 100}, 3, "3,0000E+0"},
                    SolveCase{"HalfLifeA", 51, A, {0, 6, 3, 100}, 100 * HalfE* std::exp(-2.0), "1,8394E+1"},
                    SolveCase{"HalfLifeB", 51, B, {100 * HalfE * std::exp(-2.0), 0, 3, 100}, 6, "6,0000E+0"},
                    SolveCase{"HalfLifeC", 51, C, {100 * HalfE * std::exp(-2.0), 6, 0, 100}, 3, "3,0000E+0"},
                    SolveCase{"ReciprocalDecayA", 52, A, {0, 3, 0.5, 100}, 100 * std::exp(-1.5), "2,2313E+1"},
                    SolveCase{"ReciprocalDecayB", 52, B, {100 * std::exp(-1.5), 0, 0.5, 100}, 3, "3,0000E+0"},
                    SolveCase{"ReciprocalDecayC", 52, C, {100 * std::exp(-1.5), 3, 0, 100}, 0.5, "5,0000E-1"},
                    SolveCase{"ArrheniusA",
                              53,
                              A,
                              {0, 1E-21, 26.85, 1E-15},
                              1E-15 * std::exp(-1E-21 / (Boltzmann * 300)),
                              "7,8550E-16"},
                    SolveCase{"ArrheniusB",
                              53,
                              B,
                              {1E-15 * std::exp(-2.0), 0, 26.85, 1E-15},
                              2 * Boltzmann * 300,
                              "8,2839E-21"},
                    SolveCase{"ArrheniusC",
                              53,
                              C,
                              {1E-15 * std::exp(-2.0), 2 * Boltzmann * 373.15, 0, 1E-15},
                              100,
                              "1,0000E+2"},
                    SolveCase{"ArrheniusMolA",
                              54,
                              A,
                              {0, 0.2, 500, 1E12},
                              1E12 * std::exp(-0.2 / (GasConstant * 773.15)),
                              "9,9997E+11"},
                    SolveCase{"ArrheniusMolB",
                              54,
                              B,
                              {1E12 * std::exp(-2.0), 0, 26.85, 1E12},
                              2 * GasConstant * 300,
                              "4,9887E+3"},
                    SolveCase{"ArrheniusMolC",
                              54,
                              C,
                              {1E12 * std::exp(-2.0), 2 * GasConstant * 300, 0, 1E12},
                              26.85,
                              "2,6850E+1"},
                    SolveCase{"HeadDistanceA", 60, A, {0, 2, 5, 0}, std::exp(-6.283185 * 2 / 5), "8,1003E-2"},
                    SolveCase{"HeadDistanceB", 60, B, {std::exp(-6.283185 * 2 / 5), 0, 5, 0}, 2, "2,0000E+0"},
                    SolveCase{"HeadDistanceC", 60, C, {std::exp(-6.283185 * 2 / 5), 2, 0, 0}, 5, "5,0000E+0"},
                    SolveCase{"TimeRcA", 61, A, {0, 2, 1E-6, 2E6}, std::exp(-1.0), "3,6788E-1"},
                    SolveCase{"TimeRcB", 61, B, {std::exp(-2.0), 0, 2E-6, 1E6}, 4, "4,0000E+0"},
                    SolveCase{"TimeRcC", 61, C, {std::exp(-2.0), 4, 0, 1E6}, 2E-6, "2,0000E-6"},
                    SolveCase{"IdealGasA", 62, A, {0, 2, 26.85, 3}, 3 * GasConstant * 300 / 2, "3,7415E+3"},
                    SolveCase{"IdealGasB", 62, B, {3 * GasConstant * 300 / 2, 0, 26.85, 3}, 2, "2,0000E+0"},
                    SolveCase{"IdealGasC", 62, C, {3 * GasConstant * 300 / 2, 2, 0, 3}, 26.85, "2,6850E+1"},
                    SolveCase{"ChannelA",
                              63,
                              A,
                              {0, 10000, 1000, 0},
                              10000 * 1.4426950216293335 * std::log(1001.0),
                              "9,9672E+4"},
                    SolveCase{"ChannelB",
                              63,
                              B,
                              {99672.26, 0, 1000, 0},
                              99672.26 / (std::log(1001.0) * 1.4426950216293335),
                              "1,0000E+4"},
                    SolveCase{"ChannelC", 63, C, {30, 10, 0, 0}, 7, "7,0000E+0"}),
    [](const testing::TestParamInfo<SolveCase>& info) { return info.param.name; });

TEST_F(SolverTest, ChannelCapacityUsesTheSinglePrecisionFactor)
{
    setUp(63, {0, 10000, 1000, 0});
    ASSERT_EQ(SolveA(calc), SolveOutcome::Solved);
    EXPECT_EQ(calc.state.ValueA.value(), 10000 * 1.4426950216293335 * std::log(1001.0));
    EXPECT_NE(calc.state.ValueA.value(), 10000 * (1 / std::log(2.0)) * std::log(1001.0));
    ASSERT_EQ(SolveC(calc), SolveOutcome::Solved);
    EXPECT_NE(calc.state.ValueC.value(), 1000.0);
    EXPECT_NEAR(calc.state.ValueC.value(), 999.9999, 1E-4);
    EXPECT_EQ(calc.window.C_Text.text, "1,0000E+3");
}

struct FailureCase {
    const char* name;
    std::int16_t code;
    Quantity solved;
    Inputs inputs;
};

std::ostream& operator<<(std::ostream& out, const FailureCase& c)
{
    return out << c.name;
}

class SolverFailures : public SolverTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(SolverFailures, StoreNothingAndWriteNothing)
{
    const FailureCase& c = GetParam();
    setUp(c.code, c.inputs);
    const CalcState before = calc.state;
    fieldOf(calc.window, c.solved).text = "vorher";

    EXPECT_EQ(solve(c.solved), SolveOutcome::ArithmeticFailure);
    EXPECT_EQ(valueOf(calc.state, c.solved), valueOf(before, c.solved));
    EXPECT_EQ(fieldOf(calc.window, c.solved).text, "vorher");
}

INSTANTIATE_TEST_SUITE_P(
    EveryUnsuitableStep, SolverFailures,
    testing::Values(FailureCase{"ProductDivisionByZero", 1, B, {6, 0, 0, 0}},
                    FailureCase{"ProductOverflow", 1, A, {0, 1E200, 1E200, 0}},
                    FailureCase{"FallRootOfNegative", 11, A, {0, -9.8, 4.9, 0}},
                    FailureCase{"FallMassZero", 11, A, {0, 0, 4.9, 0}},
                    FailureCase{"EinsteinSpeedZero", 10, B, {0, 0, 8, 0}},
                    FailureCase{"LensSumZero", 15, A, {0, 1, -1, 0}},
                    FailureCase{"PowerLnOneAsDivisor", 20, C, {5, 1, 0, 0}},
                    FailureCase{"PowerLogOfZero", 20, C, {0, 2, 0, 0}},
                    FailureCase{"PowerLogOfNegative", 20, B, {-8, 0, 3, 0}},
                    FailureCase{"PowerExponentZero", 20, B, {8, 0, 0, 0}},
                    FailureCase{"PowerNegativeBaseFractionalExponent", 20, A, {0, -2, 0.5, 0}},
                    FailureCase{"PowerZeroToNegative", 20, A, {0, 0, -1, 0}},
                    FailureCase{"PowerOverflow", 20, A, {0, 10, 400, 0}},
                    FailureCase{"BarkhausenZero", 25, A, {0, 0, 5, 0}},
                    FailureCase{"DecibelZeroReference", 30, A, {0, 10, 0, 0}},
                    FailureCase{"DecibelLogOfNegativeRatio", 30, A, {0, -10, 1, 0}},
                    FailureCase{"DecibelPowerOverflow", 30, B, {1E5, 0, 1, 0}},
                    FailureCase{"PowerDecibelLogOfZero", 31, A, {0, 0, 1, 0}},
                    FailureCase{"NeperExpOverflow", 32, B, {1000, 0, 1, 0}},
                    // exp(-1000) underflows to 0, and B / 0 is a division by zero.
                    FailureCase{"NeperDivisionByUnderflow", 32, C, {1000, 1, 0, 0}},
                    FailureCase{"CutOffZero", 40, A, {0, 0, 1, 0}},
                    FailureCase{"ResonanceRootOfNegative", 41, A, {0, -1, 1, 0}},
                    FailureCase{"ResonanceFrequencyZero", 41, B, {0, 0, 1, 0}},
                    FailureCase{"DecayLnOneAsDivisor", 50, C, {100, 1, 0, 100}},
                    FailureCase{"DecayLogOfNegative", 50, B, {-1, 0, 1, 100}},
                    FailureCase{"DecayLogOfZero", 50, C, {0, 1, 0, 100}},
                    FailureCase{"DecayConstantZero", 50, B, {1, 0, 1, 0}},
                    // -1/0 is -infinity and exp(-infinity) would be 0: the division fails first.
                    FailureCase{"DecayReferenceZero", 50, A, {0, 1, 0, 100}},
                    FailureCase{"DecayExpOverflow", 50, A, {0, -1000, 1, 100}},
                    FailureCase{"HalfLifeLnOneAsDivisor", 51, C, {135.91409142295225, 1, 0, 100}},
                    FailureCase{"ReciprocalDecayDivisionByZero", 52, B, {10, 0, 0, 100}},
                    FailureCase{"ArrheniusAbsoluteZero", 53, A, {0, 1E-21, -273.15, 1E-15}},
                    FailureCase{"ArrheniusLnOneAsDivisor", 53, C, {1E-15, 1E-21, 0, 1E-15}},
                    FailureCase{"ArrheniusMolLogOfNegative", 54, B, {-1, 0, 0, 1E12}},
                    FailureCase{"HeadDistanceLnOneAsDivisor", 60, C, {1, 1, 0, 0}},
                    FailureCase{"HeadDistanceWavelengthZero", 60, A, {0, 1, 0, 0}},
                    FailureCase{"TimeRcLogOfZero", 61, B, {0, 0, 1, 1}},
                    FailureCase{"TimeRcResistanceZero", 61, A, {0, 1, 1, 0}},
                    FailureCase{"IdealGasVolumeZero", 62, A, {0, 0, 0, 1}},
                    FailureCase{"IdealGasNoSubstance", 62, C, {1, 1, 0, 0}},
                    FailureCase{"ChannelLogOfNegative", 63, A, {0, 1, -2, 0}},
                    FailureCase{"ChannelLnOneAsDivisor", 63, B, {1, 0, 0, 0}},
                    FailureCase{"ChannelBandwidthZero", 63, C, {1, 0, 0, 0}}),
    [](const testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(SolverTest, QuantityWithoutValueMakesEveryEquationUsingItFail)
{
    // Through every kind of step: product, root, power, logarithm, exponential.
    for (const std::int16_t code : std::initializer_list<std::int16_t>{1, 11, 20, 30, 41, 50}) {
        setUp(code, {0, 2, 3, 4});
        calc.state.ValueB = Number::none();
        EXPECT_EQ(SolveA(calc), SolveOutcome::ArithmeticFailure) << code;
    }
    setUp(1, {0, 2, 3, 0});
    calc.state.ValueB = Number::none();
    EXPECT_EQ(SolveC(calc), SolveOutcome::ArithmeticFailure);
    calc.state.ValueA = Number::real(6);
    EXPECT_EQ(SolveB(calc), SolveOutcome::Solved) << "B itself is the output";
    EXPECT_EQ(calc.state.ValueB, Number::real(2));
}

TEST_F(SolverTest, LensGuardDoesNotHideAMissingValue)
{
    setUp(15, {0, 0, 1, 0});
    calc.state.ValueA = Number::none();
    EXPECT_EQ(SolveB(calc), SolveOutcome::ArithmeticFailure);
}

TEST_F(SolverTest, CodeWithoutRowRewritesTheFieldOnly)
{
    setUp(12, {7, 8, 9, 0});
    calc.window.A_Text.text = "vorher";
    const CalcState before = calc.state;
    ASSERT_EQ(SolveA(calc), SolveOutcome::Solved);
    EXPECT_EQ(calc.state.ValueA, before.ValueA);
    EXPECT_EQ(calc.window.A_Text.text, "7,0000E+0");
}

TEST_F(SolverTest, TouchOnlyTheirOwnQuantityAndField)
{
    setUp(30, {0, 10, 1, 5});
    const WindowModel windowBefore = calc.window;
    const CalcState stateBefore = calc.state;
    ASSERT_EQ(SolveA(calc), SolveOutcome::Solved);
    EXPECT_EQ(calc.state.ValueB, stateBefore.ValueB);
    EXPECT_EQ(calc.state.ValueC, stateBefore.ValueC);
    EXPECT_EQ(calc.state.ValueK, stateBefore.ValueK);
    EXPECT_EQ(calc.state.FormulaCode, 30);
    WindowModel expected = windowBefore;
    expected.A_Text.text = "2,0000E+1";
    EXPECT_EQ(calc.window.B_Text, expected.B_Text);
    EXPECT_EQ(calc.window.C_Text, expected.C_Text);
    EXPECT_EQ(calc.window.A_Text, expected.A_Text);
}

} // namespace
} // namespace kalvo
