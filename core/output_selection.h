// SPDX-License-Identifier: MIT
#pragma once

#include "core/calc_state.h"

namespace kalvo {

// Make A, B or C the output quantity: its button turns red and reads
// "Ausgabe", its field is closed for typing. Nothing is computed.
void A_Command_Click(Calculator& calc);
void B_Command_Click(Calculator& calc);
void C_Command_Click(Calculator& calc);

} // namespace kalvo
