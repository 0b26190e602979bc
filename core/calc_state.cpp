// SPDX-License-Identifier: MIT
#include "core/calc_state.h"

#include "core/layout.h"

#include <cmath>

namespace kalvo {

Constants Constants::atStartUp()
{
    Constants k;
    k.SpeedOfLight = Number::real(299790000.0);
    k.SpeedOfLightRoot2 = Number::real(k.SpeedOfLight.value() * std::sqrt(2.0));
    k.SpeedOfSound = Number::integer(331);
    k.Gravity = Number::real(9.80665);
    k.EulerE = Number::real(std::exp(1.0));
    k.Boltzmann = Number::real(1.380658E-23);
    k.HalfE = Number::real(std::exp(1.0) / 2.0);
    k.RefVoltage = Number::real(0.775);
    k.RefCurrent = Number::real(0.001292);
    k.RefPressure = Number::real(0.00002);
    k.GasConstant = Number::real(8.31451);
    k.RefPower = Number::real(0.001);
    k.InvTwoPi = Number::real(1.0 / 6.283185);
    k.RefIntensity = Number::real(std::pow(10.0, -12.0));
    k.DbPerNeper = Number::real(20.0 / std::log(10.0));
    k.ZeroCelsius = Number::real(273.15);
    k.InvLn2 = Number::single(static_cast<float>(1.0 / std::log(2.0)));
    return k;
}

void form_Load(Calculator& calc)
{
    CalcState& s = calc.state;
    s.InputFlagA = 1;
    s.InputFlagB = 1;
    s.InputFlagC = 0;
    s.Text6Shown = 0;
    s.constants = Constants::atStartUp();
    s.ValueA = Number::integer(1);
    s.ValueB = Number::integer(1);
    s.ValueC = Number::integer(1);
    s.FormulaCode = 1;
    calc.window.Text1.text = "\r\nEs wird das Ohmsche Gesetz benutzt\r\n\r\nU = I . R";
    calc.window.Text2.text = "Kalvo = Kalvotron von Brannok; Version 0.9 vom 7.9.08";
    HideConstantField(calc.window);
}

} // namespace kalvo
