// SPDX-License-Identifier: MIT
// Any text: the lenient reader always gives a finite number.
#include "core/parse.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!std::isfinite(kalvo::ParseLenient(text)))
        std::abort();
    return 0;
}
