// SPDX-License-Identifier: MIT
#pragma once

#include "core/number.h"
#include "core/window_model.h"

#include <cstdint>

namespace kalvo {

// The physical and numerical constants; set once at start-up.
struct Constants {
    Number SpeedOfLight;      // c in m/s, as the calculator has always rounded it
    Number SpeedOfLightRoot2; // c·√2, so that C = B·A²/2 becomes B·c²
    Number SpeedOfSound;      // in air, m/s; a 16-bit integer
    Number Gravity;           // standard gravity, m/s²
    Number EulerE;
    Number Boltzmann;    // J/K
    Number HalfE;        // e/2, the factor of the half-life law
    Number RefVoltage;   // 0 dBu: 775 mV
    Number RefCurrent;   // 1.292 mA
    Number RefPressure;  // hearing threshold at 1 kHz: 20 µPa
    Number GasConstant;  // J/(mol·K)
    Number RefPower;     // 0 dBm: 1 mW
    Number InvTwoPi;     // 1/(2π) with 2π taken as 6.283185
    Number RefIntensity; // hearing threshold at 1 kHz: 10^-12 W/m²
    Number DbPerNeper;   // 20/ln 10: turns ln into 20·log10
    Number ZeroCelsius;  // K
    Number InvLn2;       // 1/ln 2 in single precision: turns ln into log2

    static Constants atStartUp();

    friend bool operator==(const Constants&, const Constants&) = default;
};

// What form_Load sets is zero until it runs.
struct CalcState {
    std::int16_t FormulaCode{};
    Number ValueA;
    Number ValueB;
    Number ValueC;
    Number ValueK = Number::integer(1); // as Text4 shows it until a formula sets K
    // 0 while the quantity is the output, 1 while it is an input.
    std::int16_t InputFlagA{};
    std::int16_t InputFlagB{};
    std::int16_t InputFlagC{};
    std::int16_t Text6Shown{};
    Constants constants;

    friend bool operator==(const CalcState&, const CalcState&) = default;
};

// The calculator behind the one window: its state and the window model that
// every handler reads and writes.
struct Calculator {
    CalcState state;
    WindowModel window;
};

// The window's load event: leaves the calculator on Ohm's law, C the output.
void form_Load(Calculator& calc);

} // namespace kalvo
