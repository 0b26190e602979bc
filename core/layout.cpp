// SPDX-License-Identifier: MIT
#include "core/layout.h"

namespace kalvo {
namespace {

void setConstantField(WindowModel& window, bool shown)
{
    window.Kalvo.width = shown ? WideWidth : NarrowWidth;
    window.Command1.visible = shown;
    window.Text6.visible = false;
    window.Text3.visible = shown;
    window.Text4.visible = shown;
    window.Text5.visible = shown;
}

} // namespace

void ShowConstantField(WindowModel& window)
{
    setConstantField(window, true);
}

void HideConstantField(WindowModel& window)
{
    setConstantField(window, false);
}

} // namespace kalvo
