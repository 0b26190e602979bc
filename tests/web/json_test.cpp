// SPDX-License-Identifier: MIT
#include "web/json.h"

#include <gtest/gtest.h>

namespace kalvo::web {
namespace {

TEST(Json, WritesNumbersWithTwoDecimalsEitherSideOfZero)
{
    struct Case {
        double number;
        const char* text;
    };
    for (const Case& row : {Case{9.75, "9.75"}, Case{14.25, "14.25"}, Case{12, "12.00"}, Case{0.004, "0.00"},
                            Case{-0.5, "-0.50"}, Case{-12.25, "-12.25"}, Case{-0.004, "0.00"}}) {
        Json json;
        json.value(row.number);
        EXPECT_EQ(json.text(), row.text) << row.number;
    }
}

} // namespace
} // namespace kalvo::web
