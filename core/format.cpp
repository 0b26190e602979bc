// SPDX-License-Identifier: MIT
#include "core/format.h"

#include <array>
#include <charconv>
#include <cmath>

namespace kalvo {

std::string FormatValue(Number number)
{
    if (!number.hasValue())
        return std::string(NoValueText);
    // -0 has no sign in the display.
    const double value = number.value() == 0.0 ? 0.0 : number.value();

    // to_chars rounds correctly from the exact binary value: "-1.2346e+05".
    std::array<char, 32> digits{};
    const auto [end, error] =
        std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::scientific, 4);
    const std::string_view printed(digits.data(), static_cast<std::size_t>(end - digits.data()));
    const std::size_t e = printed.find('e');

    std::string text(printed.substr(0, e));
    text[text.find('.')] = ',';
    text += 'E';
    text += printed[e + 1];
    // Drop the exponent's leading zeros but keep at least one digit.
    std::string_view exponent = printed.substr(e + 2);
    while (exponent.size() > 1 && exponent.front() == '0')
        exponent.remove_prefix(1);
    text += exponent;
    return text;
}

} // namespace kalvo
