// SPDX-License-Identifier: MIT
#pragma once

#include "core/calc_state.h"

#include <string_view>

namespace kalvo {

extern const std::string_view HelpText;
extern const std::string_view InformationText;

// "Hilfe" and "Information" share one box: a click on either shows its text
// when the box is closed, and closes the box when it is open.
void Hilfe_Click(Calculator& calc);
void Information_Click(Calculator& calc);

} // namespace kalvo
