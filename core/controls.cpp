// SPDX-License-Identifier: MIT
#include "core/controls.h"

namespace kalvo {

void PressKey(Calculator& calc, const ControlDesign& field, char16_t key)
{
    if (isValueField(field) && (calc.window.*field.textBox).enabled)
        field.keyPress(calc, key);
}

} // namespace kalvo
