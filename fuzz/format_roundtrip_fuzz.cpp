// SPDX-License-Identifier: MIT
// Every finite number shows as a text that reads back to it within the four
// decimals of the display.
#include "core/format.h"
#include "core/parse.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size != sizeof(double))
        return 0;
    double x = 0;
    std::memcpy(&x, data, sizeof x);
    if (!std::isfinite(x))
        return 0;
    const std::string shown = kalvo::FormatValue(kalvo::Number::real(x));
    const auto parsed = kalvo::ParseStrict(shown);
    // Four decimals of a mantissa of at least 1: at most 5E-5 relative; the
    // text reads back in single precision where it fits (6E-8 relative) and
    // at worst to the spacing of the smallest (subnormal) doubles.
    const double tolerance = std::fabs(x) * (5E-5 + 1.2E-7) + std::numeric_limits<double>::denorm_min();
    if (!parsed || std::fabs(parsed->value() - x) > tolerance) {
        std::fprintf(stderr, "%.17g shows as %s and reads back as %.17g\n", x, shown.c_str(),
                     parsed ? parsed->value() : std::nan(""));
        std::abort();
    }
    return 0;
}
