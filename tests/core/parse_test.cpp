// SPDX-License-Identifier: MIT
#include "core/format.h"
#include "core/parse.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace kalvo {
namespace {

struct StrictCase {
    const char* text;
    Number expected;
};

class ParseStrictReads : public testing::TestWithParam<StrictCase> {};

TEST_P(ParseStrictReads, TheWholeText)
{
    const auto parsed = ParseStrict(GetParam().text);
    ASSERT_TRUE(parsed.has_value()) << GetParam().text;
    EXPECT_EQ(*parsed, GetParam().expected) << GetParam().text;
    EXPECT_EQ(std::signbit(parsed->value()), std::signbit(GetParam().expected.value())) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    CommaAndPoint, ParseStrictReads,
    testing::Values(StrictCase{"2", Number::single(2.0F)}, StrictCase{"0,5", Number::single(0.5F)},
                    StrictCase{"0.5", Number::single(0.5F)}, StrictCase{"1,2345E+3", Number::single(1234.5F)},
                    StrictCase{"1.2345E+3", Number::single(1234.5F)},
                    // Starting texts with a point read as the number they show.
                    StrictCase{"1.0000E+1", Number::single(10.0F)},
                    StrictCase{"1.0000E+4", Number::single(1E4F)}, StrictCase{"-5", Number::single(-5.0F)},
                    StrictCase{"+7", Number::single(7.0F)}, StrictCase{"2e3", Number::single(2000.0F)},
                    StrictCase{"5,0000E-1", Number::single(0.5F)}, StrictCase{",5", Number::single(0.5F)},
                    StrictCase{"5,", Number::single(5.0F)}, StrictCase{"  12,5 ", Number::single(12.5F)},
                    StrictCase{"\t3\t", Number::single(3.0F)}, StrictCase{"0,1", Number::single(0.1F)},
                    StrictCase{"-0", Number::single(-0.0F)}, StrictCase{"000123", Number::single(123.0F)}));

INSTANTIATE_TEST_SUITE_P(
    BeyondSinglePrecision, ParseStrictReads,
    testing::Values(StrictCase{"1,0E+99", Number::real(1E+99)}, StrictCase{"-1e99", Number::real(-1E+99)},
                    StrictCase{"3,5E+38", Number::real(3.5E+38)}, StrictCase{"1E-40", Number::real(1E-40)},
                    // On the edges of the single range, which decide the kind.
                    StrictCase{"1,1754943508222875E-38", Number::single(std::numeric_limits<float>::min())},
                    StrictCase{"1,1754943508222874E-38", Number::real(1.1754943508222874E-38)},
                    StrictCase{"-1,1754943508222875E-38", Number::single(-std::numeric_limits<float>::min())},
                    StrictCase{"3,4028234663852886E+38", Number::single(std::numeric_limits<float>::max())},
                    StrictCase{"3,4028234663852890E+38", Number::real(3.4028234663852890E+38)},
                    StrictCase{"4,9406564584124654E-324",
                               Number::real(std::numeric_limits<double>::denorm_min())},
                    StrictCase{"2,4E-324", Number::real(0.0)},
                    StrictCase{"1,7976931348623157E+308", Number::real(1.7976931348623157E+308)},
                    StrictCase{"1,7977E+308", Number::real(std::numeric_limits<double>::max())},
                    StrictCase{"-1,7977E+308", Number::real(-std::numeric_limits<double>::max())},
                    // Too small even for double precision: zero.
                    StrictCase{"1E-400", Number::real(0.0)}, StrictCase{"-1E-400", Number::real(-0.0)},
                    StrictCase{"0,000001E-399", Number::real(0.0)}));

class ParseStrictRejects : public testing::TestWithParam<const char*> {};

TEST_P(ParseStrictRejects, TextThatIsNoNumber)
{
    EXPECT_FALSE(ParseStrict(GetParam()).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Garbage, ParseStrictRejects,
                         testing::Values("", " ", "c", "abc", "1,2,3", "1.000,5", "1,0.5", "12a", "1E", "1E+",
                                         "E5", "+", "-", ",", "--1", "1 000", "1e5.5", "0x10", "&H10",
                                         "Fehler", "1,0000E+0\r\n", "inf", "nan", "1\xC2\xA0"));

INSTANTIATE_TEST_SUITE_P(BeyondDoubleRange, ParseStrictRejects,
                         testing::Values("1E999", "-1,0E+309", "1,7978E+308", "1,79775E+308", "0,00001E+400",
                                         "1e99999999999999999999999"));

TEST(ParseStrict, ReadsBackEveryFormattedValue)
{
    for (const double value :
         {1.0, -2.5, 1234.5, 1E-21, 1E+38, 3.3E+2, 7.6708E-16, 9.9997E+11, std::numeric_limits<double>::max(),
          std::numeric_limits<double>::denorm_min()}) {
        const std::string shown = FormatValue(Number::real(value));
        const auto parsed = ParseStrict(shown);
        ASSERT_TRUE(parsed.has_value()) << shown;
        EXPECT_EQ(FormatValue(*parsed), shown);
    }
}

TEST(ParseStrict, ReadsLongNumbersByTheirMagnitude)
{
    const std::string digits = "0," + std::string(100000, '0') + "1E+100001";
    const auto parsed = ParseStrict(digits);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_FLOAT_EQ(static_cast<float>(parsed->value()), 1.0F);
    // Leading zeros and long exponents do not turn too small into too large, nor the reverse.
    EXPECT_EQ(ParseStrict("0," + std::string(200, '0') + "1E-130"), Number::real(0.0));
    EXPECT_EQ(ParseStrict(std::string(500, '0') + "1E-400"), Number::real(0.0));
    EXPECT_FALSE(ParseStrict("1" + std::string(500, '0') + "E-100").has_value());
    EXPECT_FALSE(ParseStrict("0," + std::string(200, '0') + "1E+510").has_value());             // 1E+309
    EXPECT_EQ(ParseStrict("1" + std::string(1'000'000, '0') + "E-1000400"), Number::real(0.0)); // 1E-400
}

struct LenientCase {
    const char* text;
    double expected;
};

class ParseLenientReads : public testing::TestWithParam<LenientCase> {};

TEST_P(ParseLenientReads, TheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(ParseLenient(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ParseLenientReads,
    testing::Values(LenientCase{"2,5000E+0", 2.0}, LenientCase{"5,0000E-1", 5.0}, LenientCase{"c", 0.0},
                    LenientCase{"", 0.0}, LenientCase{"1.5", 1.5}, LenientCase{"1.0000E+1", 10.0},
                    LenientCase{"  1 2\t3\n", 123.0}, LenientCase{"-4abc", -4.0}, LenientCase{"+.5", 0.5},
                    LenientCase{"2D3", 2000.0}, LenientCase{"2d-3", 0.002}, LenientCase{"3E", 3.0},
                    LenientCase{"3E+x", 3.0}, LenientCase{"&H1F", 31.0}, LenientCase{"&hff", 255.0},
                    LenientCase{"&O17", 15.0}, LenientCase{"&O18", 1.0}, LenientCase{"&O9", 0.0},
                    LenientCase{"&X1", 0.0}, LenientCase{"Fehler", 0.0}, LenientCase{"1.2.3", 1.2},
                    LenientCase{"-", 0.0}));

INSTANTIATE_TEST_SUITE_P(BeyondDoubleRange, ParseLenientReads,
                         testing::Values(LenientCase{"1E999", 0.0}, LenientCase{"-1E999", 0.0},
                                         LenientCase{"1E-999", 0.0}));

TEST(ParseLenient, HugeHexadecimalGivesZero)
{
    EXPECT_EQ(ParseLenient("&H" + std::string(400, 'F')), 0.0);
}

} // namespace
} // namespace kalvo
