// SPDX-License-Identifier: MIT
#include "catalogue/catalogue.h"
#include "core/member_of.h"
#include "core/solvers.h"

namespace kalvo {
namespace {

constexpr Quantity A = Quantity::A;
constexpr Quantity B = Quantity::B;
constexpr Quantity C = Quantity::C;
constexpr Quantity K = Quantity::K;

constexpr Number one = Number::integer(1);

double constantValue(const CalcState& s, MemberOf<Constants, Number> constant)
{
    return (s.constants.*constant).value();
}

// Starting values taken from the constants. Where a starting A follows from
// the other starting values, the formula's own equation computes it
// (EquationA), once B, C and K are stored.

Number invTwoPi(const CalcState& s)
{
    return s.constants.InvTwoPi;
}

Number lightSquared(const CalcState& s)
{
    const double c = constantValue(s, &Constants::SpeedOfLight);
    return Number::real(c * c);
}

Number lightRoot2(const CalcState& s)
{
    return s.constants.SpeedOfLightRoot2;
}

Number gravity(const CalcState& s)
{
    return s.constants.Gravity;
}

Number halfGravity(const CalcState& s)
{
    return Number::real(constantValue(s, &Constants::Gravity) / 2);
}

// Starting values and texts shared by several entries. Shown equals stored:
// wherever an entry writes a number into a field, it stores that number.

using Steps = std::array<CatalogueStep, 8>;

constexpr Steps ProductSteps{store(A, one), store(C, one), show(A, "1,0000E+0"), show(C, "1,0000E+0")};

constexpr Steps FrequencySteps{store(B, one), store(C, one), show(B, "1,0000E+0"), showStored(A),
                               show(C, "1,0000E+0")};

constexpr Steps ReciprocalSumSteps{store(A, Number::real(0.5)), store(B, one),        store(C, one),
                                   show(B, "1.0000E+0"),        show(A, "5,0000E-1"), show(C, "1.0000E+0")};

constexpr Steps UnitSteps{store(A, one),        store(B, one),        store(C, one),
                          show(B, "1.0000E+0"), show(A, "1,0000E+0"), show(C, "1.0000E+0")};

constexpr Steps DecaySteps{store(B, one),        store(C, one),       store(K, Number::integer(100)),
                           store(A, EquationA),  showStored(A),       show(B, "1.0000E+0"),
                           show(C, "1.0000E+0"), show(K, "1.0000E+2")};

constexpr CatalogueStep noStep{};

constexpr std::array<CatalogueEntry, 29> Entries{{
    // Formeln
    {Menu::Formeln,
     "Ohm",
     "Ohmsches Gesetz",
     1,
     {"Spannung / Volt", "Strom / Ampere", "Widerstand / Ohm"},
     {},
     "\nEs wird das Ohmsche Gesetz benutzt\n\nU = I * R",
     noStep,
     ProductSteps},
    {Menu::Formeln,
     "Leistung",
     "Elektrische Leistung",
     2,
     {"Leistung / Watt", "Strom / Ampere", "Spannung / Volt"},
     {},
     "\nEs wird die elektische Leistung berechnet\n\nN = I * U",
     noStep,
     ProductSteps},
    {Menu::Formeln,
     "Bewegung",
     "Bewegung",
     3,
     {"Weg / Meter", "Zeit / Sekunden", "Geschwindgk. m/s"},
     {},
     "\nEs wird Bewegung nach Weg, Zeit und Geschwindigkeit berechnet\n\nx = t * v",
     noStep,
     ProductSteps},
    {Menu::Formeln,
     "Wellenlänge",
     "Wellenlänge",
     5,
     {"Geschwindgk. m/s", "Frequenz / Hz", "Lambda / m"},
     {},
     "Umrechnung zwischen Frequenz, Wellenlänge\nund Geschwindigkeit\n\nv = Lambda * f\n\n"
     "c für Licht-, s für Schallgeschwindigkeit in Luft",
     noStep,
     ProductSteps},
    {Menu::Formeln,
     "Einstein",
     "Einstein-Formel",
     10,
     {"Geschwindgk. m/s", "Masse / kg", "Energie / Joule"},
     {},
     "\nEinsteinformel und Bewegungsenergie\n\nE = m * c^2 bzw. E = 1/2 * m * v^2\n\n"
     "c für Lichtgeschindigkeit benutzen",
     noStep,
     {store(B, one), store(C, lightSquared), show(A, "c"), showStored(C), show(B, "1,0000E+0"),
      store(A, lightRoot2)}},
    {Menu::Formeln,
     "Fall",
     "Freier Fall",
     11,
     {"Zeit / s", "Beschleunig. m/s^2", "Weg / m"},
     {},
     "Zusammenhang zwischen Beschleunigung,\nWeg und Zeit\n\nx = 1/2 b * t^2\n\ng für Erdbeschleunigung "
     "nutzen",
     noStep,
     {store(A, one), store(C, halfGravity), show(B, "g"), show(A, "1,0000E+0"), showStored(C),
      store(B, gravity)}},
    {Menu::Formeln,
     "Linse",
     "Abbildung Linse",
     15,
     {"Brennweite / m", "Objekt / m", "Bild / m"},
     {},
     "\nAbbildung mit einer Linse,\n\n1/f = 1/a + 1/g\n\n Negative Werte ermöglichen keine reelle Abbildung",
     noStep,
     ReciprocalSumSteps},
    {Menu::Formeln,
     "Parallel",
     "R, L parallel",
     15,
     {"R/L_total", "R1/L1", "R2/L2"},
     {},
     "Zwei Widerstände bzw. Induktivitäten\nparallel geschaltet,\n\n1/R = 1/R1 + 1/R2 bzw. 1/L = 1/L1 + "
     "1/L2\n\n"
     " Negative Bauelemente sind nicht realisierbar",
     noStep,
     ReciprocalSumSteps},
    {Menu::Formeln,
     "Reihe_C",
     "C in Reihe",
     15,
     {"C_total", "C1", "C2"},
     {},
     "\nZwei Kondensatoren in Reihe geschaltet,\n\n1/C = 1/C1 + 1/C2\n\n Negative Kapazitäten sind nicht "
     "realisierbar",
     noStep,
     ReciprocalSumSteps},
    {Menu::Formeln,
     "Grenzfrequenz",
     "Grenzfrequenz",
     40,
     {"Frequenz / Hz", "Kapazität / F", "Widerstand / Ohm"},
     {},
     "\nGrenzfrequenz von RC-Gliedern,\n\n1/f = 2*Pi*R*C",
     store(A, invTwoPi),
     FrequencySteps},
    {Menu::Formeln,
     "Resonanz",
     "Resonanzfrequenz",
     41,
     {"Frequenz / Hz", "Kapazität / F", "Induktivität / H"},
     {},
     "\nResonanzfrequenz von L und C,\n\n1/f = 2*Pi*SQR(L*C)",
     store(A, invTwoPi),
     FrequencySteps},
    {Menu::Formeln,
     "GasIdeal",
     "Ideales Gas",
     62,
     {"Druck /Pa", "Volumen / m^3", "Temperatur / °C"},
     "Anzahl der mol",
     "Es wird die ideale Gasgleichung benutzt mit\nDruck p, Volumen V, Molzahl n und Temperatur "
     "T\n\np*V=n*R*T\n\n"
     "T in Formel ist die absolute Temperatur",
     noStep,
     {store(B, one), store(C, Number::integer(0)), store(K, one), store(A, EquationA), showStored(A),
      showStored(B), showStored(C), showStored(K)}},
    {Menu::Formeln,
     "Potenz",
     "Potenz-Gesetz",
     20,
     {"Ergebnis", "Basis", "Exponent"},
     {},
     "Es wird die Potenzfunktion benutzt\nund nach jeder Variablen aufgelöst\n\nA = B^C\n\n"
     "Als Basis kann e (2,71...) benutzt werden",
     noStep,
     UnitSteps},
    {Menu::Formeln,
     "Barkhausen",
     "Barkhausen",
     25,
     {"Steiheit / A/V", "Durchgriff", "Ri / Ohm"},
     {},
     "\nEs wird die Barkhausen-Gleichung benutzt\n\nS*D*Ri = 1",
     noStep,
     UnitSteps},
    {Menu::Formeln,
     "Währung",
     "Währung",
     4,
     {"Euro", "Faktor", "Fremdwährung"},
     {},
     "\nMit einem Kursfaktor wird eine Währung nach Euro umgerechnet\n\nEuro = Faktor * Währung",
     noStep,
     ProductSteps},

    // Log/Exp
    {Menu::LogExp,
     "AnzahlZeit",
     "Anzahl/Zeit",
     50,
     {"Anzahl", "Zeit / s", "Bezugswert / s"},
     "Anfangswert",
     "\nEs wird die exponentielle Abnahme der Anzahl bzgl. der Zeit berechnet\n\nA = Ao*exp(-t/to)",
     noStep,
     DecaySteps},
    {Menu::LogExp,
     "Halbwertszeit",
     "Anzahl/Halbwertszeit",
     51,
     {"Intensität", "Zeit / s", "Halbwertszeit / s"},
     "Anfangswert",
     "\nEs wird die exponentielle Abnahme der Anzahl bzgl. der Zeit bei der Halbwertszeit berechnet\n\n"
     "A = Ao*1,35...*exp(-t/th)",
     noStep,
     DecaySteps},
    {Menu::LogExp,
     "Zeitreziprok",
     "Anzahl/rezpr.Zeit",
     52,
     {"Anzahl", "Zeit / s", "rez.Zeitwert / s^-1"},
     "Anfangswert",
     "\nEs wird die exponentielle Abnahme der Anzahl bzgl. der Zeit mit reziproken Werten berechnet\n\n"
     "A = Ao*exp(-t*k)",
     noStep,
     DecaySteps},
    {Menu::LogExp,
     "Absorption",
     "Absorption/Tiefe",
     50,
     {"Intensität", "Schichtdicke / m", "Bezugswert / m"},
     "Anfangsintensität",
     "\nEs wird die exponentielle Abnahme der Intensität bzgl. der Schichtdicke berechnet\n\nI = "
     "Io*exp(-d/do)",
     noStep,
     DecaySteps},
    {Menu::LogExp,
     "Halbwertsdicke",
     "Absorption/Halbertsdicke",
     51,
     {"Intensität", "Schichtdicke / m", "Halbwertstiefe / m"},
     "Anfangsintensität",
     "Es wird die exponentielle Abnahme der Intensität bzgl. der Schichtdicke bei der Halbwertsdicke "
     "berechnet"
     "\n\nI = Io*1,35...*exp(-d/dh)",
     noStep,
     DecaySteps},
    {Menu::LogExp,
     "DickeReziprok",
     "Absorption/rezipr. Dicke",
     52,
     {"Intensität", "Dicke / m", "rez.Dicke / m^-1"},
     "Anfangswert",
     "\nEs wird die exponentielle Abnahme der Intensität bzgl. der Dicke mit mit reziproken Werten "
     "berechnet, "
     "k heißt linearer Schrödinger-Koeffizient\n\nI = Io*exp(-d*k)",
     noStep,
     DecaySteps},
    {Menu::LogExp,
     "Arrhenius",
     "Arrhenius bzgl. Zeit",
     53,
     {"Lebensdauer / s", "Energie / J", "Temperatur / °C"},
     "Zeitwert / s",
     "Es wird die Lebensdauer bestimmt, die durch Energie und Temperatur verändert wird\n\n"
     "t = to*exp(-Ea/(k*T))\nT in Formel ist die absolute Temperatur\nto typisch für Elektronen 10^-15, "
     "Gitter 10^-5",
     noStep,
     {store(B, Number::real(1E-21)), store(C, Number::integer(0)), store(K, Number::real(1E-15)),
      store(A, EquationA), showStored(A), showStored(B), showStored(C), showStored(K)}},
    {Menu::LogExp,
     "Arrhenmol",
     "Arrhenius bzgl mol",
     54,
     {"Arrh.Param. / 1/s", "Energie / J/mol", "Temperatur / °C"},
     "Bezugswert / 1/s",
     "Es wird die Reaktionsgeschwindigkeit bzgl. Energie und Temperatur bestimmt\n\nk = A*exp(-Ea/(R*T))\n\n"
     "T in Formel ist die absolute Temperatur",
     noStep,
     {store(B, Number::real(0.2)), store(C, Number::integer(500)), store(K, Number::real(1E12)),
      store(A, EquationA), showStored(A), showStored(B), showStored(C), showStored(K)}},
    {Menu::LogExp,
     "Kopfabstand",
     "Kopfabstand",
     60,
     {"Dämpfung", "Abstand /m", "Wellenlänge / m"},
     {},
     "\nBerechnung der absoluten Dämpfung bzgl. des Kopfabstandes a zur Wellenlänge\n\nI/Io = "
     "Exp(-2*pi*a/Lamda)",
     noStep,
     {store(B, one), store(C, one), store(A, EquationA), showStored(A), show(B, "1,0000E+0"),
      show(C, "1.0000E+0")}},
    {Menu::LogExp,
     "ZeitRC",
     "Zeit_RC",
     61,
     {"rel. Restwert", "Zeit / s", "Kapazität / F"},
     "Widerstand /Ohm",
     "Es wird der Spannungsverlust bei RC-Gliedern bezüglich der Zeit bestimmt\nD = exp(-t/R*C)",
     noStep,
     {store(B, one), store(C, Number::real(1E-6)), store(K, Number::real(1E6)), store(A, EquationA),
      showStored(A), show(B, "1.0000E+0"), showStored(C), showStored(K)}},
    {Menu::LogExp,
     "Kanalkapazität",
     "Kanalkapazität",
     63,
     {"K.-Kapazität Bit/s", "Bandbreite / Hz", "Störabstand"},
     {},
     "\nEs wird die Kanalkapazität aus Bandbreite und Störabstand berechnet\n\nC = B*ld(1 + PN/PS)",
     noStep,
     {store(B, Number::integer(10000)), store(C, Number::integer(1000)), store(A, EquationA), showStored(A),
      show(B, "1.0000E+4"), show(C, "1.0000E+3")}},
    {Menu::LogExp,
     "db1",
     "dB Pegel",
     30,
     {"dB-Wert", "Pegel", "Bezugspegel"},
     {},
     "Berechnung erfolgt zwischen dB und Spannungen, Strömen oder Schalldrücke\ndB = 20 . log (p/p1)\n"
     "Für absolute Bezugspegel gilt\n Spannung u mit 775 mV; Strom i mit 1,292 mA\n"
     "Schalldruck p mit 2*10^-5 N/m^2 (für 1 kHz)",
     noStep,
     {store(A, Number::integer(20)), store(B, Number::integer(10)), store(C, one), show(B, "1.0000E+1"),
      show(A, "2,0000E+1"), show(C, "1.0000E+0")}},
    {Menu::LogExp,
     "dB2",
     "dB Leistung",
     31,
     {"dB / phon", "Leistung", "Bezugsleistung"},
     {},
     "Berechnung erfolgt zwischen dB bzw. phon und Leistungen\ndB/phon = 10 . log (N/N1)\n"
     "Für die Bezugsleistung gilt N mit 1 mW,\nbei 0 phon für Schalldruck\nP mit 10^-16 W/cm2 (für 1 kHz)",
     noStep,
     {store(A, Number::integer(10)), store(B, Number::integer(10)), store(C, one), show(B, "1.0000E+1"),
      show(A, "1,0000E+1"), show(C, "1.0000E+0")}},
    {Menu::LogExp,
     "Np",
     "Np Leistung",
     32,
     {"Np", "Leistung", "Bezugsleistung"},
     {},
     "Berechnung erfolgt zwischen\nNp (Neper) und Leistungen\n\nNp = ln (N/N1)\n\n"
     "Für die Bezugsleistung gilt N mit 1 mW",
     noStep,
     {store(A, Number::real(2.30259)), store(B, Number::integer(10)), store(C, one), show(B, "1.0000E+1"),
      show(A, "2,3026E+0"), show(C, "1.0000E+0")}},
}};

} // namespace

std::span<const CatalogueEntry> Catalogue()
{
    return Entries;
}

} // namespace kalvo
