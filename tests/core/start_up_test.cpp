// SPDX-License-Identifier: MIT
#include "calculator_fixture.h"
#include "core/format.h"
#include "core/member_of.h"

#include <cmath>

namespace kalvo {
namespace {

using StartUp = testing::CalculatorTest;

TEST_F(StartUp, LeavesOhmsLawWithCAsOutput)
{
    EXPECT_EQ(state().FormulaCode, 1);
    EXPECT_EQ(state().ValueA, Number::integer(1));
    EXPECT_EQ(state().ValueB, Number::integer(1));
    EXPECT_EQ(state().ValueC, Number::integer(1));
    EXPECT_EQ(state().InputFlagA, 1);
    EXPECT_EQ(state().InputFlagB, 1);
    EXPECT_EQ(state().InputFlagC, 0);
    EXPECT_EQ(state().Text6Shown, 0);
}

TEST_F(StartUp, ShowsTheNarrowWindow)
{
    const WindowModel& w = window();
    EXPECT_EQ(w.Kalvo.width, 8580);
    for (const TextBox* field : {&w.A_Text, &w.B_Text, &w.C_Text})
        EXPECT_EQ(field->text, "1,0000E+0");
    EXPECT_TRUE(w.A_Text.enabled);
    EXPECT_TRUE(w.B_Text.enabled);
    EXPECT_FALSE(w.C_Text.enabled);
    EXPECT_EQ(w.A_Anzeige.text, "Spannung / Volt");
    EXPECT_EQ(w.B_Anzeige.text, "Strom / Ampere");
    EXPECT_EQ(w.C_Anzeige.text, "Widerstand / Ohm");
    EXPECT_EQ(w.C_Command.caption, "Ausgabe");
    EXPECT_EQ(w.C_Command.backColor, 0x000000FFU);
    EXPECT_EQ(w.A_Command.caption, "Eingabe");
    EXPECT_EQ(w.A_Command.backColor, 0x0080FF80U);
    EXPECT_EQ(w.Text2.text, "Kalvo = Kalvotron von Brannok; Version 0.9 vom 7.9.08");
    for (const bool visible :
         {w.Text4.visible, w.Text5.visible, w.Text3.visible, w.Command1.visible, w.Text6.visible})
        EXPECT_FALSE(visible);
    for (const TextBox* shownOnly : {&w.A_Anzeige, &w.B_Anzeige, &w.C_Anzeige, &w.Text3, &w.Text5, &w.Text6})
        EXPECT_FALSE(shownOnly->enabled);
    for (const TextBox* box : {&w.A_Text, &w.B_Text, &w.C_Text, &w.A_Anzeige, &w.Text1, &w.Text2})
        EXPECT_TRUE(box->visible);
    for (const CommandButton* button : {&w.A_Command, &w.B_Command, &w.C_Command})
        EXPECT_TRUE(button->enabled && button->visible);
}

// The tests compare numbers with ==: it must tell kinds and values apart.
TEST(Number, IsEqualInKindAndValueOnly)
{
    EXPECT_EQ(Number::real(0.5), Number::real(0.5));
    EXPECT_EQ(Number::none(), Number::none());
    EXPECT_NE(Number::real(0.5), Number::real(0.25));
    EXPECT_NE(Number::real(0.5), Number::single(0.5F));
    EXPECT_NE(Number::none(), Number::real(0.5));
    EXPECT_NE(Number::real(0.5), Number::none());
}

TEST_F(StartUp, ExplainsOhmsLawInFortyNineCharacters)
{
    EXPECT_EQ(window().Text1.text, "\r\nEs wird das Ohmsche Gesetz benutzt\r\n\r\nU = I . R");
    EXPECT_EQ(window().Text1.text.size(), 49U);
}

TEST_F(StartUp, KeepsTheConstantFieldsDesignTexts)
{
    EXPECT_EQ(window().Text4.text, "1,0000E+0");
    EXPECT_EQ(window().Text5.text, "Konstante");
    EXPECT_EQ(window().Text3.text,
              "Hier kann \r\nnur ein\r\nWert \r\neingegeben, \r\naber  nicht \r\nberechnet "
              "\r\nwerden\r\n");
    EXPECT_FALSE(window().Command1.enabled);
    EXPECT_EQ(FormatValue(state().ValueK), window().Text4.text); // shown equals stored, before any formula
}

struct ConstantCase {
    const char* name;
    MemberOf<Constants, Number> constant;
    Number expected;
};

class StartUpConstants : public testing::CalculatorTest,
                         public ::testing::WithParamInterface<ConstantCase> {};

TEST_P(StartUpConstants, HaveTheirExactValueAndKind)
{
    EXPECT_EQ(constants().*GetParam().constant, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    All, StartUpConstants,
    ::testing::Values(ConstantCase{"SpeedOfLight", &Constants::SpeedOfLight, Number::real(299790000)},
                      ConstantCase{"SpeedOfLightRoot2", &Constants::SpeedOfLightRoot2,
                                   Number::real(299790000 * std::sqrt(2.0))},
                      ConstantCase{"SpeedOfSound", &Constants::SpeedOfSound, Number::integer(331)},
                      ConstantCase{"EulerE", &Constants::EulerE, Number::real(2.718281828459045)},
                      ConstantCase{"HalfE", &Constants::HalfE, Number::real(1.3591409142295225)},
                      ConstantCase{"Gravity", &Constants::Gravity, Number::real(9.80665)},
                      ConstantCase{"Boltzmann", &Constants::Boltzmann, Number::real(1.380658E-23)},
                      ConstantCase{"GasConstant", &Constants::GasConstant, Number::real(8.31451)},
                      ConstantCase{"ZeroCelsius", &Constants::ZeroCelsius, Number::real(273.15)},
                      ConstantCase{"InvTwoPi", &Constants::InvTwoPi, Number::real(0.15915495087284556)},
                      ConstantCase{"DbPerNeper", &Constants::DbPerNeper, Number::real(8.685889638065035)},
                      ConstantCase{"InvLn2", &Constants::InvLn2, Number::single(1.4426950216293335F)},
                      ConstantCase{"RefVoltage", &Constants::RefVoltage, Number::real(0.775)},
                      ConstantCase{"RefCurrent", &Constants::RefCurrent, Number::real(0.001292)},
                      ConstantCase{"RefPressure", &Constants::RefPressure, Number::real(0.00002)},
                      ConstantCase{"RefPower", &Constants::RefPower, Number::real(0.001)},
                      ConstantCase{"RefIntensity", &Constants::RefIntensity, Number::real(1E-12)}),
    [](const ::testing::TestParamInfo<ConstantCase>& info) { return info.param.name; });

TEST_F(StartUp, InvLn2DiffersFromTheDoubleFromTheNinthDigit)
{
    EXPECT_EQ(constants().InvLn2.value(), 1.4426950216293335);
    EXPECT_NE(constants().InvLn2.value(), 1 / std::log(2.0));
    EXPECT_NEAR(constants().InvLn2.value(), 1 / std::log(2.0), 1E-7);
}

} // namespace
} // namespace kalvo
