// SPDX-License-Identifier: MIT
#include "core/controls.h"

namespace kalvo {

void PressKey(Calculator& calc, const ControlDesign& field, char16_t key)
{
    if (isValueField(field) && (calc.window.*field.textBox).enabled)
        field.keyPress(calc, key);
}

std::string AccessibleName(const WindowModel& window, const ControlDesign& design)
{
    if (design.button != nullptr)
        return std::string(design.accessibleName) + (window.*design.button).caption;
    if (design.accessibleFrom != nullptr)
        return (window.*design.accessibleFrom).text;
    return std::string(design.accessibleName);
}

} // namespace kalvo
