// SPDX-License-Identifier: MIT
#pragma once

#include "core/window_model.h"

namespace kalvo {

// The wide window with the constant column K, for formulas that use K.
void ShowConstantField(WindowModel& window);
// The narrow window without it. Both hide the help box Text6.
void HideConstantField(WindowModel& window);

} // namespace kalvo
