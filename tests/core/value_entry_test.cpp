// SPDX-License-Identifier: MIT
#include "calculator_fixture.h"
#include "core/controls.h"
#include "core/format.h"
#include "core/member_of.h"
#include "core/output_selection.h"

#include <cmath>
#include <ostream>
#include <random>
#include <string>

namespace kalvo {
namespace {

using testing::CalculatorTest;
using testing::Click;
constexpr Quantity A = Quantity::A;
constexpr Quantity B = Quantity::B;
constexpr Quantity C = Quantity::C;
constexpr Quantity K = Quantity::K;

using ValueEntry = CalculatorTest;

TEST_F(ValueEntry, KeysOtherThanEnterChangeNothing)
{
    for (const Quantity q : {A, B, C, K}) {
        fieldOf(window(), q).text = "7";
        const CalcState stateBefore = state();
        const WindowModel windowBefore = window();
        for (const char16_t key : {u'7', u'c', u'\n', u'\t', u'\x1b', u'\x08', u'\xE4'})
            keyPressOf(q)(calc, key);
        EXPECT_EQ(state(), stateBefore);
        EXPECT_EQ(window(), windowBefore);
    }
}

// An edit reaches only a value field that takes input: not the output's
// field, a label or a box, whatever a view lets through. Whether a value
// field takes input is the model's to say, never the design's.
TEST_F(ValueEntry, OnlyFieldsThatTakeInputFollowAnEdit)
{
    for (const ControlDesign& design : Controls) {
        if (design.textBox == nullptr)
            continue;
        const std::string before = (window().*design.textBox).text;
        EditText(calc, design, "7");
        const bool takesInput = design.name == "A_Text" || design.name == "B_Text" || design.name == "Text4";
        EXPECT_EQ((window().*design.textBox).text != before, takesInput) << design.name;
        EXPECT_FALSE(isValueField(design) && design.readOnly) << design.name;
    }
}

TEST_F(ValueEntry, TypedNumberIsStoredInSinglePrecisionShownAndComputedWith)
{
    enter(A, "2");
    EXPECT_EQ(state().ValueA, Number::single(2.0F));
    EXPECT_EQ(window().A_Text.text, "2,0000E+0");
    EXPECT_EQ(state().ValueC.value(), 2.0);
    EXPECT_EQ(window().C_Text.text, "2,0000E+0");

    enter(B, "0,1");
    EXPECT_EQ(state().ValueB, Number::single(0.1F));
    EXPECT_EQ(state().ValueC.value(), 2.0 / static_cast<double>(0.1F));
}

TEST_F(ValueEntry, NegativeNumberStaysAsTyped)
{
    enter(B, "-5");
    EXPECT_EQ(state().ValueB, Number::single(-5.0F));
    EXPECT_EQ(window().B_Text.text, "-5,0000E+0");
    EXPECT_EQ(window().C_Text.text, "-2,0000E-1");
}

TEST_F(ValueEntry, UneditedStartingTextWithPointReadsAsItsValue)
{
    enter(B, "1.0000E+1");
    EXPECT_EQ(state().ValueB, Number::single(10.0F));
    EXPECT_EQ(window().B_Text.text, "1,0000E+1");
}

TEST_F(ValueEntry, NumbersBeyondSinglePrecisionAreKept)
{
    enter(A, "1,0E+99");
    EXPECT_EQ(state().ValueA, Number::real(1E+99));
    EXPECT_EQ(window().A_Text.text, "1,0000E+99");
    EXPECT_EQ(window().C_Text.text, "1,0000E+99");
    enter(A, "2,5E-40");
    EXPECT_EQ(state().ValueA, Number::real(2.5E-40));
    EXPECT_EQ(window().A_Text.text, "2,5000E-40");
}

struct FallbackCase {
    const char* typed;
    Number stored;
    const char* shown;
};

std::ostream& operator<<(std::ostream& out, const FallbackCase& c)
{
    return out << '"' << c.typed << '"';
}

class UnreadableEntry : public CalculatorTest, public ::testing::WithParamInterface<FallbackCase> {};

TEST_P(UnreadableEntry, FallsBackToItsLeadingNumberOrOne)
{
    for (const Quantity q : {A, B, K}) {
        enter(q, GetParam().typed);
        EXPECT_EQ(valueOf(state(), q), GetParam().stored);
        EXPECT_EQ(fieldOf(window(), q).text, GetParam().shown);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, UnreadableEntry,
                         ::testing::Values(FallbackCase{"", Number::integer(1), "1,0000E+0"},
                                           FallbackCase{"abc", Number::integer(1), "1,0000E+0"},
                                           FallbackCase{"12abc", Number::real(12), "1,2000E+1"},
                                           FallbackCase{"-3x", Number::integer(1), "1,0000E+0"},
                                           FallbackCase{"2.5.1", Number::real(2.5), "2,5000E+0"},
                                           FallbackCase{"1E999", Number::integer(1), "1,0000E+0"},
                                           FallbackCase{"Fehler", Number::integer(1), "1,0000E+0"}));

TEST_F(ValueEntry, EmptyFieldRecomputesTheOutputWithOne)
{
    enter(A, "6");
    enter(B, "");
    EXPECT_EQ(state().ValueB, Number::integer(1));
    EXPECT_EQ(window().C_Text.text, "6,0000E+0");
}

struct LetterCase {
    const char* name;
    std::int16_t code;
    Quantity field;
    const char* letter;
    MemberOf<Constants, Number> constant;
    const char* label;
    const char* labelA;
};

std::ostream& operator<<(std::ostream& out, const LetterCase& c)
{
    return out << c.name;
}

class Letters : public CalculatorTest, public ::testing::WithParamInterface<LetterCase> {};

TEST_P(Letters, StandForTheirConstantAndKeepTheLetterShown)
{
    const LetterCase& c = GetParam();
    state().FormulaCode = c.code;
    window().A_Anzeige.text = "A-Name";
    window().C_Anzeige.text = "C-Name";
    // The output is whichever quantity the letter does not name.
    (c.field == C ? A_Command_Click : C_Command_Click)(calc);

    enter(c.field, c.letter);
    EXPECT_EQ(valueOf(state(), c.field), constants().*c.constant);
    EXPECT_EQ(fieldOf(window(), c.field).text, c.letter);
    EXPECT_EQ(window().C_Anzeige.text, c.label != nullptr ? c.label : "C-Name");
    EXPECT_EQ(window().A_Anzeige.text, c.labelA != nullptr ? c.labelA : "A-Name");
}

TEST_P(Letters, MeanNothingUnderAnotherFormula)
{
    const LetterCase& c = GetParam();
    state().FormulaCode = 1;
    enter(c.field, c.letter);
    EXPECT_EQ(valueOf(state(), c.field), Number::integer(1));
    EXPECT_EQ(fieldOf(window(), c.field).text, "1,0000E+0");
}

TEST_P(Letters, AreCaseSensitiveAndWholeText)
{
    const LetterCase& c = GetParam();
    state().FormulaCode = c.code;
    for (const std::string& text : {std::string(" ") + c.letter, std::string(c.letter) + "c"}) {
        enter(c.field, text);
        EXPECT_EQ(valueOf(state(), c.field), Number::integer(1)) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Letters,
    ::testing::Values(
        LetterCase{"LightInWavelength", 5, A, "c", &Constants::SpeedOfLight, nullptr, nullptr},
        LetterCase{"SoundInWavelength", 5, A, "s", &Constants::SpeedOfSound, nullptr, nullptr},
        LetterCase{"LightInEinstein", 10, A, "c", &Constants::SpeedOfLightRoot2, nullptr, nullptr},
        LetterCase{"GravityInFall", 11, B, "g", &Constants::Gravity, nullptr, nullptr},
        LetterCase{"EulerInPower", 20, B, "e", &Constants::EulerE, nullptr, nullptr},
        LetterCase{"VoltageInDecibel", 30, C, "u", &Constants::RefVoltage, "Volt", nullptr},
        LetterCase{"CurrentInDecibel", 30, C, "i", &Constants::RefCurrent, "Ampere", nullptr},
        LetterCase{"PressureInDecibel", 30, C, "p", &Constants::RefPressure, "N/m^2", nullptr},
        LetterCase{"PowerInPowerDecibel", 31, C, "N", &Constants::RefPower, "Watt", "dB / phon"},
        LetterCase{"IntensityInPowerDecibel", 31, C, "P", &Constants::RefIntensity, "W/m^2", "phon"},
        LetterCase{"PowerInNeper", 32, C, "N", &Constants::RefPower, "Watt", nullptr}),
    [](const ::testing::TestParamInfo<LetterCase>& info) { return info.param.name; });

TEST_F(ValueEntry, SpeedOfSoundIsTheInteger331)
{
    state().FormulaCode = 5;
    enter(A, "s");
    EXPECT_EQ(state().ValueA, Number::integer(331));
    EXPECT_EQ(window().C_Text.text, "3,3100E+2");
}

TEST_F(ValueEntry, ConstantFieldTakesNoLetters)
{
    state().FormulaCode = 5;
    enter(K, "c");
    EXPECT_EQ(state().ValueK, Number::integer(1));
    EXPECT_EQ(window().Text4.text, "1,0000E+0");
}

TEST_F(ValueEntry, IntensityIsNoLetterUnderNeper)
{
    state().FormulaCode = 32;
    A_Command_Click(calc);
    enter(C, "P");
    EXPECT_EQ(state().ValueC, Number::integer(1));
}

struct LevelCase {
    std::int16_t code;
    const char* labelC;
    const char* labelA;
};

class LevelLabels : public CalculatorTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(LevelLabels, ReturnToTheirPlainWordingOnEveryEnterInC)
{
    state().FormulaCode = GetParam().code;
    A_Command_Click(calc);
    window().C_Anzeige.text = "Watt";
    window().A_Anzeige.text = "phon";
    enter(C, "2");
    EXPECT_EQ(window().C_Anzeige.text, GetParam().labelC);
    EXPECT_EQ(window().A_Anzeige.text, GetParam().labelA);
}

INSTANTIATE_TEST_SUITE_P(Codes, LevelLabels,
                         ::testing::Values(LevelCase{30, "Bezugspegel", "phon"},
                                           LevelCase{31, "Bezugspegel", "dB / phon"},
                                           LevelCase{32, "Bezugsleistung", "phon"},
                                           LevelCase{1, "Watt", "phon"}));

TEST_F(ValueEntry, LevelLabelsAreResetOnlyByC)
{
    state().FormulaCode = 30;
    window().C_Anzeige.text = "Volt";
    enter(A, "2");
    enter(B, "2");
    EXPECT_EQ(window().C_Anzeige.text, "Volt");
}

struct CheckCase {
    const char* name;
    Quantity typedInto;
    Click selectOutput;
    Quantity output;
};

std::ostream& operator<<(std::ostream& out, const CheckCase& c)
{
    return out << c.name;
}

class SolverChecks : public CalculatorTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(SolverChecks, RunTheSolverOfTheOutputOnly)
{
    const CheckCase& c = GetParam();
    state().FormulaCode = 25; // A · B · C = 1: every direction is 1 / (product of the others)
    c.selectOutput(calc);
    for (const Quantity q : {A, B, C})
        fieldOf(window(), q).text = "unberührt";
    enter(c.typedInto, "4");
    // K takes no part in the formula: its output is 1 / (1 · 1). Enter in
    // the output's own field only takes the value.
    const char* result = c.typedInto == K ? "1,0000E+0" : c.typedInto == c.output ? "4,0000E+0" : "2,5000E-1";
    for (const Quantity q : {A, B, C}) {
        if (q == c.output) {
            EXPECT_EQ(fieldOf(window(), q).text, result);
        } else if (q != c.typedInto) {
            EXPECT_EQ(fieldOf(window(), q).text, "unberührt");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryFieldEveryOutput, SolverChecks,
    ::testing::Values(CheckCase{"AtoB", A, B_Command_Click, B}, CheckCase{"AtoC", A, C_Command_Click, C},
                      CheckCase{"BtoA", B, A_Command_Click, A}, CheckCase{"BtoC", B, C_Command_Click, C},
                      CheckCase{"CtoA", C, A_Command_Click, A}, CheckCase{"CtoB", C, B_Command_Click, B},
                      CheckCase{"KtoA", K, A_Command_Click, A}, CheckCase{"KtoB", K, B_Command_Click, B},
                      CheckCase{"KtoC", K, C_Command_Click, C}, CheckCase{"AtoA", A, A_Command_Click, A}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return info.param.name; });

TEST_F(ValueEntry, ConstantEntryRecomputesTheOutput)
{
    state().FormulaCode = 50;
    A_Command_Click(calc);
    enter(K, "100");
    EXPECT_EQ(state().ValueK, Number::single(100.0F));
    EXPECT_EQ(window().A_Text.text, "3,6788E+1");
}

// A failed calculation must neither change what was typed nor leave the
// previous result looking valid.
TEST_F(ValueEntry, FailedCalculationKeepsTheTypedValue)
{
    state().FormulaCode = 15;
    A_Command_Click(calc);
    enter(C, "-0,5");
    enter(B, "0,5"); // B + C = 0
    EXPECT_EQ(state().ValueB, Number::single(0.5F));
    EXPECT_EQ(window().B_Text.text, "5,0000E-1");
}

TEST_F(ValueEntry, FailedCalculationKeepsTheLetterConstant)
{
    state().FormulaCode = 20;
    enter(A, "0"); // ln 0 fails whatever the base
    enter(B, "e");
    EXPECT_EQ(state().ValueB, constants().EulerE);
    EXPECT_EQ(window().B_Text.text, "e");
}

TEST_F(ValueEntry, FailedCalculationShowsErrorInsteadOfAStaleResult)
{
    enter(A, "6");
    ASSERT_EQ(window().C_Text.text, "6,0000E+0");
    enter(B, "0");
    EXPECT_EQ(state().ValueB, Number::single(0.0F));
    EXPECT_EQ(window().B_Text.text, "0,0000E+0");
    EXPECT_FALSE(state().ValueC.hasValue());
    EXPECT_EQ(window().C_Text.text, "Fehler");
}

TEST_F(ValueEntry, QuantityWithoutValueIsNeverComputedWith)
{
    enter(B, "0");
    ASSERT_EQ(window().C_Text.text, "Fehler");
    A_Command_Click(calc); // C, without a value, becomes an input
    enter(B, "2");
    EXPECT_EQ(window().A_Text.text, "Fehler");
    EXPECT_FALSE(state().ValueA.hasValue());

    enter(C, "3"); // a number typed into C gives it a value again
    EXPECT_EQ(window().A_Text.text, "6,0000E+0");
}

TEST_F(ValueEntry, EnterOnTheErrorTextFallsBackToOne)
{
    enter(B, "0");
    B_Command_Click(calc);
    enter(C, "Fehler");
    EXPECT_EQ(state().ValueC, Number::integer(1));
    EXPECT_EQ(window().B_Text.text, "1,0000E+0");
}

TEST_F(ValueEntry, AnyTextGivesANumberOrTheFallback)
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 40);
    const std::string alphabet = "0123456789,.+-eEdD&HhOo \t\n\rc";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int size = length(random);
        for (int i = 0; i < size; ++i)
            text += round % 2 == 0 ? static_cast<char>(byte(random))
                                   : alphabet[static_cast<std::size_t>(byte(random)) % alphabet.size()];
        enter(A, text);
        const std::string& shown = window().A_Text.text;
        EXPECT_TRUE(state().ValueA.hasValue()) << text;
        EXPECT_EQ(shown, FormatValue(state().ValueA)) << text;
        EXPECT_EQ(shown.find_first_of("nN"), std::string::npos) << text;
    }
}

} // namespace
} // namespace kalvo
