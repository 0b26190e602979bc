// SPDX-License-Identifier: MIT
#pragma once

#include "core/calc_state.h"

namespace kalvo {

enum class SolveOutcome { Solved, ArithmeticFailure };

// Each solver computes its quantity from the others with the equation of the
// current formula code, stores it and writes it formatted into its field.
// On an arithmetic failure it stores nothing and writes nothing.
[[nodiscard]] SolveOutcome SolveA(Calculator& calc);
[[nodiscard]] SolveOutcome SolveB(Calculator& calc);
[[nodiscard]] SolveOutcome SolveC(Calculator& calc);

// The value of A that the current formula's equation gives on the stored
// values, with nothing stored or written; no value where it fails. The
// formulas' starting values.
[[nodiscard]] Number EquationA(const CalcState& state);

} // namespace kalvo
