// SPDX-License-Identifier: MIT
#pragma once

#include "core/calc_state.h"

#include <string>
#include <vector>

namespace kalvo::testing {

// What must hold between the calculator's state and its window after every
// handler, whatever the user did: one output with its button and closed
// field, one of the two layouts, no text a number cannot be, and every value
// field showing the number stored behind it. Returns the violations found.
std::vector<std::string> invariantViolations(const CalcState& state, const WindowModel& window);

} // namespace kalvo::testing
