// SPDX-License-Identifier: MIT
#pragma once

#include "core/number.h"

#include <string>
#include <string_view>

namespace kalvo {

// What a field shows for a quantity whose calculation failed.
inline constexpr std::string_view NoValueText = "Fehler";

// Scientific notation with four decimals and a decimal comma: 1,2345E+3,
// 5,0000E-1, -2,0000E+1; zero is 0,0000E+0. A number without a value shows
// as NoValueText.
std::string FormatValue(Number number);

} // namespace kalvo
