// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

class QWidget;

namespace kalvo::ui {

// Shows a read-only box's text whole. At the design's font where it fits;
// otherwise first with narrower margins, then in the largest font size, in
// steps of a quarter point and not below 9 pt, at which it fits; where a
// bitmap face cannot fit at all, in the font's scalable faces.
void fitTextToBox(QWidget* box, const QFont& designFont);

} // namespace kalvo::ui
