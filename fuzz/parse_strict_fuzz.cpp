// SPDX-License-Identifier: MIT
// Any text: the strict reader gives a finite number that shows and reads
// back as itself, or nothing.
#include "core/format.h"
#include "core/parse.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto parsed = kalvo::ParseStrict(text);
    if (!parsed)
        return 0;
    if (!parsed->hasValue())
        std::abort();
    const std::string shown = kalvo::FormatValue(*parsed);
    const auto again = kalvo::ParseStrict(shown);
    if (!again || kalvo::FormatValue(*again) != shown)
        std::abort();
    return 0;
}
