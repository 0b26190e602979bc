// SPDX-License-Identifier: MIT
#pragma once

#include "core/number.h"

#include <optional>
#include <string_view>

namespace kalvo {

// Reads a whole field as a number: optional sign, digits with a decimal comma
// or point, optional exponent (E or e), blanks around it. No group separators.
// The result is single precision where it fits, otherwise double precision;
// a text that is no such number, or beyond the double range, gives nothing.
std::optional<Number> ParseStrict(std::string_view text);

// Reads the leading number of a text and never fails: blanks, tabs and line
// feeds are skipped wherever they stand, a full stop is the decimal point,
// the exponent is E or D, &H and &O introduce hexadecimal and octal digits.
// No digit, or a number beyond the double range, gives 0.
double ParseLenient(std::string_view text);

} // namespace kalvo
