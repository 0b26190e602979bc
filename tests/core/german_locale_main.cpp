// SPDX-License-Identifier: MIT
// The core's suite in the locale that the environment names, as a toolkit
// sets it: it must be one whose decimal point is a comma, or the run proves
// nothing.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const char* locale = std::setlocale(LC_ALL, "");
    if (locale == nullptr || std::strcmp(std::localeconv()->decimal_point, ",") != 0) {
        std::fprintf(stderr, "no locale with a decimal comma: LC_ALL=%s\n", std::getenv("LC_ALL"));
        return 1;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
