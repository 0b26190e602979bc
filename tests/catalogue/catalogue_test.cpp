// SPDX-License-Identifier: MIT
#include "catalogue/catalogue.h"
#include "core/format.h"
#include "core/member_of.h"
#include "core/output_selection.h"
#include "core/parse.h"
#include "core/value_entry.h"

#include <cctype>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kalvo {
namespace {

constexpr Quantity A = Quantity::A;
constexpr Quantity B = Quantity::B;
constexpr Quantity C = Quantity::C;
constexpr Quantity K = Quantity::K;

// What the window and the state hold after an entry; nullopt: unchanged.
struct Expected {
    const char* name;
    std::int16_t code;
    std::array<const char*, 3> labels;
    const char* constantLabel; // nullptr: no constant field
    const char* text1;
    std::array<std::optional<std::string>, 4> texts; // A, B, C, K
    std::array<std::optional<double>, 4> values;     // A, B, C, K
};

std::ostream& operator<<(std::ostream& out, const Expected& e)
{
    return out << e.name;
}

const std::nullopt_t same = std::nullopt;

const std::vector<Expected>& expectations()
{
    const double invTwoPi = 1 / 6.283185;
    const double c = 299790000;
    const double g = 9.80665;
    const double decay = 100 / std::exp(1.0);
    static const std::vector<Expected> all{
        {"Ohm",
         1,
         {"Spannung / Volt", "Strom / Ampere", "Widerstand / Ohm"},
         nullptr,
         "\r\nEs wird das Ohmsche Gesetz benutzt\r\n\r\nU = I * R",
         {"1,0000E+0", same, "1,0000E+0", same},
         {1, same, 1, same}},
        {"Leistung",
         2,
         {"Leistung / Watt", "Strom / Ampere", "Spannung / Volt"},
         nullptr,
         "\r\nEs wird die elektische Leistung berechnet\r\n\r\nN = I * U",
         {"1,0000E+0", same, "1,0000E+0", same},
         {1, same, 1, same}},
        {"Bewegung",
         3,
         {"Weg / Meter", "Zeit / Sekunden", "Geschwindgk. m/s"},
         nullptr,
         "\r\nEs wird Bewegung nach Weg, Zeit und Geschwindigkeit berechnet\r\n\r\nx = t * v",
         {"1,0000E+0", same, "1,0000E+0", same},
         {1, same, 1, same}},
        {"Währung",
         4,
         {"Euro", "Faktor", "Fremdwährung"},
         nullptr,
         "\r\nMit einem Kursfaktor wird eine Währung nach Euro umgerechnet\r\n\r\nEuro = Faktor * Währung",
         {"1,0000E+0", same, "1,0000E+0", same},
         {1, same, 1, same}},
        {"Wellenlänge",
         5,
         {"Geschwindgk. m/s", "Frequenz / Hz", "Lambda / m"},
         nullptr,
         "Umrechnung zwischen Frequenz, Wellenlänge\r\nund Geschwindigkeit\r\n\r\nv = Lambda * f\r\n\r\n"
         "c für Licht-, s für Schallgeschwindigkeit in Luft",
         {"1,0000E+0", same, "1,0000E+0", same},
         {1, same, 1, same}},
        {"Einstein",
         10,
         {"Geschwindgk. m/s", "Masse / kg", "Energie / Joule"},
         nullptr,
         "\r\nEinsteinformel und Bewegungsenergie\r\n\r\nE = m * c^2 bzw. E = 1/2 * m * v^2\r\n\r\n"
         "c für Lichtgeschindigkeit benutzen",
         {"c", "1,0000E+0", "8,9874E+16", same},
         {c * std::sqrt(2.0), 1, c * c, same}},
        {"Fall",
         11,
         {"Zeit / s", "Beschleunig. m/s^2", "Weg / m"},
         nullptr,
         "Zusammenhang zwischen Beschleunigung,\r\nWeg und Zeit\r\n\r\nx = 1/2 b * t^2\r\n\r\n"
         "g für Erdbeschleunigung nutzen",
         {"1,0000E+0", "g", "4,9033E+0", same},
         {1, g, g / 2, same}},
        {"Grenzfrequenz",
         40,
         {"Frequenz / Hz", "Kapazität / F", "Widerstand / Ohm"},
         nullptr,
         "\r\nGrenzfrequenz von RC-Gliedern,\r\n\r\n1/f = 2*Pi*R*C",
         {"1,5915E-1", "1,0000E+0", "1,0000E+0", same},
         {invTwoPi, 1, 1, same}},
        {"Resonanz",
         41,
         {"Frequenz / Hz", "Kapazität / F", "Induktivität / H"},
         nullptr,
         "\r\nResonanzfrequenz von L und C,\r\n\r\n1/f = 2*Pi*SQR(L*C)",
         {"1,5915E-1", "1,0000E+0", "1,0000E+0", same},
         {invTwoPi, 1, 1, same}},
        {"Linse",
         15,
         {"Brennweite / m", "Objekt / m", "Bild / m"},
         nullptr,
         "\r\nAbbildung mit einer Linse,\r\n\r\n1/f = 1/a + 1/g\r\n\r\n Negative Werte ermöglichen keine "
         "reelle Abbildung",
         {"5,0000E-1", "1.0000E+0", "1.0000E+0", same},
         {0.5, 1, 1, same}},
        {"Reihe_C",
         15,
         {"C_total", "C1", "C2"},
         nullptr,
         "\r\nZwei Kondensatoren in Reihe geschaltet,\r\n\r\n1/C = 1/C1 + 1/C2\r\n\r\n"
         " Negative Kapazitäten sind nicht realisierbar",
         {"5,0000E-1", "1.0000E+0", "1.0000E+0", same},
         {0.5, 1, 1, same}},
        {"Parallel",
         15,
         {"R/L_total", "R1/L1", "R2/L2"},
         nullptr,
         "Zwei Widerstände bzw. Induktivitäten\r\nparallel geschaltet,\r\n\r\n"
         "1/R = 1/R1 + 1/R2 bzw. 1/L = 1/L1 + 1/L2\r\n\r\n Negative Bauelemente sind nicht realisierbar",
         {"5,0000E-1", "1.0000E+0", "1.0000E+0", same},
         {0.5, 1, 1, same}},
        {"Potenz",
         20,
         {"Ergebnis", "Basis", "Exponent"},
         nullptr,
         "Es wird die Potenzfunktion benutzt\r\nund nach jeder Variablen aufgelöst\r\n\r\nA = B^C\r\n\r\n"
         "Als Basis kann e (2,71...) benutzt werden",
         {"1,0000E+0", "1.0000E+0", "1.0000E+0", same},
         {1, 1, 1, same}},
        {"Barkhausen",
         25,
         {"Steiheit / A/V", "Durchgriff", "Ri / Ohm"},
         nullptr,
         "\r\nEs wird die Barkhausen-Gleichung benutzt\r\n\r\nS*D*Ri = 1",
         {"1,0000E+0", "1.0000E+0", "1.0000E+0", same},
         {1, 1, 1, same}},
        {"AnzahlZeit",
         50,
         {"Anzahl", "Zeit / s", "Bezugswert / s"},
         "Anfangswert",
         "\r\nEs wird die exponentielle Abnahme der Anzahl bzgl. der Zeit berechnet\r\n\r\nA = Ao*exp(-t/to)",
         {"3,6788E+1", "1.0000E+0", "1.0000E+0", "1.0000E+2"},
         {decay, 1, 1, 100}},
        {"Absorption",
         50,
         {"Intensität", "Schichtdicke / m", "Bezugswert / m"},
         "Anfangsintensität",
         "\r\nEs wird die exponentielle Abnahme der Intensität bzgl. der Schichtdicke berechnet\r\n\r\n"
         "I = Io*exp(-d/do)",
         {"3,6788E+1", "1.0000E+0", "1.0000E+0", "1.0000E+2"},
         {decay, 1, 1, 100}},
        {"Halbwertszeit",
         51,
         {"Intensität", "Zeit / s", "Halbwertszeit / s"},
         "Anfangswert",
         "\r\nEs wird die exponentielle Abnahme der Anzahl bzgl. der Zeit bei der Halbwertszeit "
         "berechnet\r\n\r\n"
         "A = Ao*1,35...*exp(-t/th)",
         {"5,0000E+1", "1.0000E+0", "1.0000E+0", "1.0000E+2"},
         {50, 1, 1, 100}},
        {"Halbwertsdicke",
         51,
         {"Intensität", "Schichtdicke / m", "Halbwertstiefe / m"},
         "Anfangsintensität",
         "Es wird die exponentielle Abnahme der Intensität bzgl. der Schichtdicke bei der Halbwertsdicke "
         "berechnet\r\n\r\nI = Io*1,35...*exp(-d/dh)",
         {"5,0000E+1", "1.0000E+0", "1.0000E+0", "1.0000E+2"},
         {50, 1, 1, 100}},
        {"Zeitreziprok",
         52,
         {"Anzahl", "Zeit / s", "rez.Zeitwert / s^-1"},
         "Anfangswert",
         "\r\nEs wird die exponentielle Abnahme der Anzahl bzgl. der Zeit mit reziproken Werten "
         "berechnet\r\n\r\n"
         "A = Ao*exp(-t*k)",
         {"3,6788E+1", "1.0000E+0", "1.0000E+0", "1.0000E+2"},
         {decay, 1, 1, 100}},
        {"DickeReziprok",
         52,
         {"Intensität", "Dicke / m", "rez.Dicke / m^-1"},
         "Anfangswert",
         "\r\nEs wird die exponentielle Abnahme der Intensität bzgl. der Dicke mit mit reziproken Werten "
         "berechnet, k heißt linearer Schrödinger-Koeffizient\r\n\r\nI = Io*exp(-d*k)",
         {"3,6788E+1", "1.0000E+0", "1.0000E+0", "1.0000E+2"},
         {decay, 1, 1, 100}},
        {"ZeitRC",
         61,
         {"rel. Restwert", "Zeit / s", "Kapazität / F"},
         "Widerstand /Ohm",
         "Es wird der Spannungsverlust bei RC-Gliedern bezüglich der Zeit bestimmt\r\nD = exp(-t/R*C)",
         {"3,6788E-1", "1.0000E+0", "1,0000E-6", "1,0000E+6"},
         {std::exp(-1.0), 1, 1E-6, 1E6}},
        {"Arrhenius",
         53,
         {"Lebensdauer / s", "Energie / J", "Temperatur / °C"},
         "Zeitwert / s",
         "Es wird die Lebensdauer bestimmt, die durch Energie und Temperatur verändert wird\r\n\r\n"
         "t = to*exp(-Ea/(k*T))\r\nT in Formel ist die absolute Temperatur\r\n"
         "to typisch für Elektronen 10^-15, Gitter 10^-5",
         {"7,6708E-16", "1,0000E-21", "0,0000E+0", "1,0000E-15"},
         {1E-15 * std::exp(-1E-21 / (1.380658E-23 * 273.15)), 1E-21, 0, 1E-15}},
        {"Arrhenmol",
         54,
         {"Arrh.Param. / 1/s", "Energie / J/mol", "Temperatur / °C"},
         "Bezugswert / 1/s",
         "Es wird die Reaktionsgeschwindigkeit bzgl. Energie und Temperatur bestimmt\r\n\r\n"
         "k = A*exp(-Ea/(R*T))\r\n\r\nT in Formel ist die absolute Temperatur",
         {"9,9997E+11", "2,0000E-1", "5,0000E+2", "1,0000E+12"},
         {1E12 * std::exp(-0.2 / (8.31451 * 773.15)), 0.2, 500, 1E12}},
        {"GasIdeal",
         62,
         {"Druck /Pa", "Volumen / m^3", "Temperatur / °C"},
         "Anzahl der mol",
         "Es wird die ideale Gasgleichung benutzt mit\r\nDruck p, Volumen V, Molzahl n und Temperatur "
         "T\r\n\r\n"
         "p*V=n*R*T\r\n\r\nT in Formel ist die absolute Temperatur",
         {"2,2711E+3", "1,0000E+0", "0,0000E+0", "1,0000E+0"},
         {2271.1084065, 1, 0, 1}},
        {"Kopfabstand",
         60,
         {"Dämpfung", "Abstand /m", "Wellenlänge / m"},
         nullptr,
         "\r\nBerechnung der absoluten Dämpfung bzgl. des Kopfabstandes a zur Wellenlänge\r\n\r\n"
         "I/Io = Exp(-2*pi*a/Lamda)",
         {"1,8674E-3", "1,0000E+0", "1.0000E+0", same},
         {std::exp(-6.283185), 1, 1, same}},
        {"Kanalkapazität",
         63,
         {"K.-Kapazität Bit/s", "Bandbreite / Hz", "Störabstand"},
         nullptr,
         "\r\nEs wird die Kanalkapazität aus Bandbreite und Störabstand berechnet\r\n\r\nC = B*ld(1 + PN/PS)",
         {"9,9672E+4", "1.0000E+4", "1.0000E+3", same},
         {10000 * 1.4426950216293335 * std::log(1001.0), 10000, 1000, same}},
        {"db1",
         30,
         {"dB-Wert", "Pegel", "Bezugspegel"},
         nullptr,
         "Berechnung erfolgt zwischen dB und Spannungen, Strömen oder Schalldrücke\r\ndB = 20 . log "
         "(p/p1)\r\n"
         "Für absolute Bezugspegel gilt\r\n Spannung u mit 775 mV; Strom i mit 1,292 mA\r\n"
         "Schalldruck p mit 2*10^-5 N/m^2 (für 1 kHz)",
         {"2,0000E+1", "1.0000E+1", "1.0000E+0", same},
         {20, 10, 1, same}},
        {"dB2",
         31,
         {"dB / phon", "Leistung", "Bezugsleistung"},
         nullptr,
         "Berechnung erfolgt zwischen dB bzw. phon und Leistungen\r\ndB/phon = 10 . log (N/N1)\r\n"
         "Für die Bezugsleistung gilt N mit 1 mW,\r\nbei 0 phon für Schalldruck\r\nP mit 10^-16 W/cm2 (für 1 "
         "kHz)",
         {"1,0000E+1", "1.0000E+1", "1.0000E+0", same},
         {10, 10, 1, same}},
        {"Np",
         32,
         {"Np", "Leistung", "Bezugsleistung"},
         nullptr,
         "Berechnung erfolgt zwischen\r\nNp (Neper) und Leistungen\r\n\r\nNp = ln (N/N1)\r\n\r\n"
         "Für die Bezugsleistung gilt N mit 1 mW",
         {"2,3026E+0", "1.0000E+1", "1.0000E+0", same},
         {2.30259, 10, 1, same}},
    };
    return all;
}

// A calculator in use: B typed, K set, B the output, help shown.
class CatalogueEntries : public testing::TestWithParam<Expected> {
protected:
    CatalogueEntries()
    {
        form_Load(calc);
        calc.window.B_Text.text = "5";
        B_Text_KeyPress(calc, EnterKey);
        calc.state.ValueK = Number::real(7);
        calc.window.Text4.text = "7,0000E+0";
        calc.window.Text5.text = "vorher";
        calc.window.Text6.visible = true;
        calc.state.Text6Shown = 1;
        B_Command_Click(calc);
    }

    static const CatalogueEntry& entry()
    {
        const CatalogueEntry* found = FindEntry(GetParam().name);
        EXPECT_NE(found, nullptr) << GetParam().name;
        return *found;
    }

    Calculator calc;
};

TEST_P(CatalogueEntries, SetCodeLayoutAndTexts)
{
    const Expected& e = GetParam();
    ChooseFormula(calc, entry());
    const WindowModel& w = calc.window;
    EXPECT_EQ(calc.state.FormulaCode, e.code);
    EXPECT_EQ(w.Text1.text, e.text1);
    EXPECT_EQ(w.A_Anzeige.text, e.labels[0]);
    EXPECT_EQ(w.B_Anzeige.text, e.labels[1]);
    EXPECT_EQ(w.C_Anzeige.text, e.labels[2]);

    const bool wide = e.constantLabel != nullptr;
    EXPECT_EQ(w.Kalvo.width, wide ? 10800 : 8580);
    for (const bool visible : {w.Text3.visible, w.Text4.visible, w.Text5.visible, w.Command1.visible})
        EXPECT_EQ(visible, wide);
    EXPECT_FALSE(w.Text6.visible);
    EXPECT_EQ(w.Text5.text, wide ? e.constantLabel : "vorher");
}

TEST_P(CatalogueEntries, SetStartingTextsAndValues)
{
    const Expected& e = GetParam();
    const CalcState before = calc.state;
    const WindowModel windowBefore = calc.window;
    ChooseFormula(calc, entry());
    for (const Quantity q : {A, B, C, K}) {
        const auto i = static_cast<std::size_t>(q);
        const std::string& text = fieldOf(calc.window, q).text;
        EXPECT_EQ(text, e.texts[i].value_or(fieldOf(windowBefore, q).text)) << "field " << i;
        const Number stored = valueOf(calc.state, q);
        if (e.values[i]) {
            EXPECT_NEAR(stored.value(), *e.values[i], std::fabs(*e.values[i]) * 1E-9) << "value " << i;
        } else {
            EXPECT_EQ(stored, valueOf(before, q)) << "value " << i;
        }
    }
}

TEST_P(CatalogueEntries, LeaveTheOutputChoiceAndButtonsAlone)
{
    const WindowModel before = calc.window;
    const CalcState stateBefore = calc.state;
    ChooseFormula(calc, entry());
    EXPECT_EQ(calc.window.A_Command, before.A_Command);
    EXPECT_EQ(calc.window.B_Command, before.B_Command);
    EXPECT_EQ(calc.window.C_Command, before.C_Command);
    EXPECT_EQ(calc.window.Command1.caption, before.Command1.caption);
    for (const Quantity q : OutputCandidates)
        EXPECT_EQ(fieldOf(calc.window, q).enabled, fieldOf(before, q).enabled);
    EXPECT_EQ(calc.state.InputFlagA, stateBefore.InputFlagA);
    EXPECT_EQ(calc.state.InputFlagB, stateBefore.InputFlagB);
    EXPECT_EQ(calc.state.InputFlagC, stateBefore.InputFlagC);
    EXPECT_EQ(calc.state.Text6Shown, 1) << "layouts hide the help box without forgetting it";
    EXPECT_EQ(calc.state.constants, stateBefore.constants);
}

TEST_P(CatalogueEntries, ChosenTwiceIsChosenOnce)
{
    ChooseFormula(calc, entry());
    const WindowModel window = calc.window;
    const CalcState state = calc.state;
    ChooseFormula(calc, entry());
    EXPECT_EQ(calc.window, window);
    EXPECT_EQ(calc.state, state);
}

// Every number shown in a value field is the number stored behind it.
TEST_P(CatalogueEntries, ShowWhatTheyStore)
{
    ChooseFormula(calc, entry());
    for (const Quantity q : {A, B, C, K}) {
        if (q == K && !entry().hasConstantField())
            continue;
        const std::string& text = fieldOf(calc.window, q).text;
        const double stored = valueOf(calc.state, q).value();
        if (const auto shown = ParseStrict(text)) {
            EXPECT_EQ(FormatValue(*shown), FormatValue(Number::real(stored))) << text;
        } else {
            EXPECT_TRUE((text == "c" && stored == calc.state.constants.SpeedOfLightRoot2.value()) ||
                        (text == "g" && stored == calc.state.constants.Gravity.value()))
                << text;
        }
    }
}

// The stored values of every entry satisfy its own equations: whichever
// quantity is made the output, Enter in an input field gives back its
// starting value within display precision. Only fields whose text reads back exactly the stored value
// take part; the others would change the inputs.
TEST_P(CatalogueEntries, AgreeWithTheEquations)
{
    using KeyPress = void (*)(Calculator&, char16_t);
    const std::array<KeyPress, 4> keyPress{A_Text_KeyPress, B_Text_KeyPress, C_Text_KeyPress, Text4_KeyPress};
    const std::array<void (*)(Calculator&), 3> click{A_Command_Click, B_Command_Click, C_Command_Click};

    int outputsChecked = 0;
    for (const Quantity output : OutputCandidates) {
        bool checked = false;
        for (const Quantity input : {A, B, C, K}) {
            if (input == output || (input == K && !entry().hasConstantField()))
                continue;
            ChooseFormula(calc, entry());
            if (entry().formulaCode < 10) { // the product formulas keep B: set it
                calc.window.B_Text.text = "1";
                B_Text_KeyPress(calc, EnterKey);
            }
            click[static_cast<std::size_t>(output)](calc);
            const std::string& text = fieldOf(calc.window, input).text;
            const auto typed = ParseStrict(text);
            const bool letter = text == "c" || text == "g";
            if (!letter && (!typed || typed->value() != valueOf(calc.state, input).value()))
                continue;

            const double start = valueOf(calc.state, output).value();
            keyPress[static_cast<std::size_t>(input)](calc, EnterKey);
            const Number result = valueOf(calc.state, output);
            if (entry().formulaCode == 20 && output == C) {
                EXPECT_FALSE(result.hasValue()) << "the exponent of base 1 is undefined";
            } else {
                const bool sameShown = FormatValue(result) == FormatValue(Number::real(start));
                EXPECT_TRUE(sameShown || std::fabs(result.value() - start) < 1E-9)
                    << result.value() << " instead of " << start << " for output " << static_cast<int>(output)
                    << " after Enter in " << static_cast<int>(input);
            }
            checked = true;
        }
        outputsChecked += checked ? 1 : 0;
    }
    EXPECT_GE(outputsChecked, 2);
}

INSTANTIATE_TEST_SUITE_P(All, CatalogueEntries, testing::ValuesIn(expectations()),
                         [](const testing::TestParamInfo<Expected>& info) {
                             std::string name;
                             for (const char ch : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

TEST(Catalogue, ListsTheMenusInOrder)
{
    std::vector<std::string> formeln;
    std::vector<std::string> logExp;
    for (const CatalogueEntry& entry : Catalogue())
        (entry.menu == Menu::Formeln ? formeln : logExp).emplace_back(entry.caption);
    EXPECT_EQ(formeln,
              (std::vector<std::string>{"Ohmsches Gesetz", "Elektrische Leistung", "Bewegung", "Wellenlänge",
                                        "Einstein-Formel", "Freier Fall", "Abbildung Linse", "R, L parallel",
                                        "C in Reihe", "Grenzfrequenz", "Resonanzfrequenz", "Ideales Gas",
                                        "Potenz-Gesetz", "Barkhausen", "Währung"}));
    EXPECT_EQ(logExp, (std::vector<std::string>{"Anzahl/Zeit", "Anzahl/Halbwertszeit", "Anzahl/rezpr.Zeit",
                                                "Absorption/Tiefe", "Absorption/Halbertsdicke",
                                                "Absorption/rezipr. Dicke", "Arrhenius bzgl. Zeit",
                                                "Arrhenius bzgl mol", "Kopfabstand", "Zeit_RC",
                                                "Kanalkapazität", "dB Pegel", "dB Leistung", "Np Leistung"}));
    EXPECT_EQ(Catalogue().size(), expectations().size());
}

TEST(Catalogue, FindsEntriesByName)
{
    ASSERT_NE(FindEntry("Kanalkapazität"), nullptr);
    EXPECT_EQ(FindEntry("Kanalkapazität")->formulaCode, 63);
    EXPECT_EQ(FindEntry("Kanalkapazitat"), nullptr);
}

class ChosenFormula : public testing::Test {
protected:
    ChosenFormula() { form_Load(calc); }

    void choose(const char* name) { ChooseFormula(calc, *FindEntry(name)); }

    void enter(MemberOf<WindowModel, TextBox> field, void (*keyPress)(Calculator&, char16_t),
               const char* text)
    {
        (calc.window.*field).text = text;
        keyPress(calc, EnterKey);
    }

    Calculator calc;
};

TEST_F(ChosenFormula, EinsteinComputesWithTheMassItShows)
{
    choose("Ohm");
    enter(&WindowModel::B_Text, B_Text_KeyPress, "5");
    choose("Einstein");
    enter(&WindowModel::A_Text, A_Text_KeyPress, "c");
    EXPECT_EQ(calc.window.B_Text.text, "1,0000E+0");
    EXPECT_EQ(calc.window.C_Text.text, "8,9874E+16") << "not 5 · c²";
}

TEST_F(ChosenFormula, FallComputesWithTheTimeItShows)
{
    choose("Ohm");
    enter(&WindowModel::A_Text, A_Text_KeyPress, "3");
    A_Command_Click(calc);
    choose("Fall");
    enter(&WindowModel::B_Text, B_Text_KeyPress, "g");
    EXPECT_EQ(calc.window.A_Text.text, "1,0000E+0") << "from the distance g/2 shown in C";
}

TEST_F(ChosenFormula, CutOffFrequencyComputesWithTheResistanceItShows)
{
    choose("Ohm");
    enter(&WindowModel::A_Text, A_Text_KeyPress, "3"); // C = 3
    A_Command_Click(calc);
    choose("Grenzfrequenz");
    enter(&WindowModel::B_Text, B_Text_KeyPress, "1");
    EXPECT_EQ(calc.window.A_Text.text, "1,5915E-1");
}

TEST_F(ChosenFormula, ProductFormulaComputesWithTheValuesItShows)
{
    choose("Linse"); // stores A = 0.5
    B_Command_Click(calc);
    choose("Ohm");
    enter(&WindowModel::C_Text, C_Text_KeyPress, "1");
    EXPECT_EQ(calc.window.B_Text.text, "1,0000E+0") << "A shows 1, not the lens' 0.5";
}

TEST_F(ChosenFormula, SoundPressureLevelIsAgainstTwentyMicropascal)
{
    choose("db1");
    A_Command_Click(calc);
    enter(&WindowModel::C_Text, C_Text_KeyPress, "p");
    EXPECT_EQ(calc.window.C_Anzeige.text, "N/m^2");
    enter(&WindowModel::B_Text, B_Text_KeyPress, "0,2");
    EXPECT_EQ(calc.window.A_Text.text, "8,0000E+1"); // 0.2 N/m² is a loud conversation
}

TEST_F(ChosenFormula, ConstantStaysWhenTheColumnIsHidden)
{
    choose("AnzahlZeit");
    enter(&WindowModel::Text4, Text4_KeyPress, "42");
    choose("Ohm");
    EXPECT_EQ(calc.state.ValueK, Number::single(42.0F));
    EXPECT_EQ(calc.window.Text4.text, "4,2000E+1");
    EXPECT_EQ(calc.window.Text5.text, "Anfangswert");
    EXPECT_FALSE(calc.window.Text4.visible);
}

TEST_F(ChosenFormula, TemperatureStaysInCelsius)
{
    choose("GasIdeal");
    A_Command_Click(calc);
    enter(&WindowModel::C_Text, C_Text_KeyPress, "100");
    EXPECT_EQ(calc.state.ValueC, Number::single(100.0F));
    EXPECT_EQ(calc.window.A_Text.text, "3,1026E+3");
}

TEST_F(ChosenFormula, OhmReplacesTheStartUpExplanation)
{
    ASSERT_EQ(calc.window.Text1.text.substr(calc.window.Text1.text.size() - 9), "U = I . R");
    choose("Ohm");
    EXPECT_EQ(calc.window.Text1.text.substr(calc.window.Text1.text.size() - 9), "U = I * R");
}

} // namespace
} // namespace kalvo
