// SPDX-License-Identifier: MIT
#pragma once

#include "core/calc_state.h"

namespace kalvo {

inline constexpr char16_t EnterKey = 13;

// Key handlers of the four value fields, called with every character key
// before the field applies it. Only Enter acts: the field's text (or the
// constant a letter stands for) becomes the quantity's value and the output
// quantity is computed anew.
void A_Text_KeyPress(Calculator& calc, char16_t key);
void B_Text_KeyPress(Calculator& calc, char16_t key);
void C_Text_KeyPress(Calculator& calc, char16_t key);
void Text4_KeyPress(Calculator& calc, char16_t key);

} // namespace kalvo
