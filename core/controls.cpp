// SPDX-License-Identifier: MIT
#include "core/controls.h"

#include <utility>

namespace kalvo {

namespace {

bool takesInput(const WindowModel& window, const ControlDesign& field)
{
    return isValueField(field) && (window.*field.textBox).enabled;
}

} // namespace

Interaction InteractionOf(const WindowModel& window, const ControlDesign& design)
{
    if (design.button != nullptr)
        return {(window.*design.button).enabled, false, false};
    if (isValueField(design)) {
        const bool input = takesInput(window, design);
        return {true, !input, !input};
    }
    return {(window.*design.textBox).enabled, design.readOnly, false};
}

void PressKey(Calculator& calc, const ControlDesign& field, char16_t key)
{
    if (takesInput(calc.window, field))
        field.keyPress(calc, key);
}

void EditText(Calculator& calc, const ControlDesign& field, std::string text)
{
    if (takesInput(calc.window, field))
        (calc.window.*field.textBox).text = std::move(text);
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
