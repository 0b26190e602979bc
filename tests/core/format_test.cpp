// SPDX-License-Identifier: MIT
#include "core/format.h"

#include <gtest/gtest.h>
#include <limits>

namespace kalvo {
namespace {

struct FormatCase {
    Number number;
    const char* text;
};

class FormatValueTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatValueTest, ShowsScientificNotationWithDecimalComma)
{
    EXPECT_EQ(FormatValue(GetParam().number), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Examples, FormatValueTest,
                         testing::Values(FormatCase{Number::integer(1), "1,0000E+0"},
                                         FormatCase{Number::real(0.5), "5,0000E-1"},
                                         FormatCase{Number::real(1234.5), "1,2345E+3"},
                                         FormatCase{Number::integer(331), "3,3100E+2"},
                                         FormatCase{Number::real(1E+38), "1,0000E+38"},
                                         FormatCase{Number::integer(-20), "-2,0000E+1"},
                                         FormatCase{Number::real(0.00012345), "1,2345E-4"},
                                         FormatCase{Number::real(123456), "1,2346E+5"},
                                         FormatCase{Number::real(1E-21), "1,0000E-21"},
                                         FormatCase{Number::real(2271.1084), "2,2711E+3"},
                                         FormatCase{Number::single(0.1F), "1,0000E-1"}));

INSTANTIATE_TEST_SUITE_P(Rounding, FormatValueTest,
                         testing::Values(
                             // Rounding up to 10 carries into the exponent.
                             FormatCase{Number::real(9.99996), "1,0000E+1"},
                             FormatCase{Number::real(-9.99996E-6), "-1,0000E-5"},
                             FormatCase{Number::real(9.99994), "9,9999E+0"},
                             // Rounded from the exact binary value: 1.00005 is
                             // stored a little above, 2.00005 a little below.
                             FormatCase{Number::real(1.00005), "1,0001E+0"},
                             FormatCase{Number::real(2.00005), "2,0000E+0"}));

INSTANTIATE_TEST_SUITE_P(
    Extremes, FormatValueTest,
    testing::Values(FormatCase{Number::integer(0), "0,0000E+0"}, FormatCase{Number::real(-0.0), "0,0000E+0"},
                    FormatCase{Number::real(std::numeric_limits<double>::max()), "1,7977E+308"},
                    FormatCase{Number::real(-std::numeric_limits<double>::denorm_min()), "-4,9407E-324"},
                    FormatCase{Number::none(), "Fehler"}));

} // namespace
} // namespace kalvo
