// SPDX-License-Identifier: MIT
#pragma once

#include <QGuiApplication>

namespace kalvo::ui {

// What the toolkit needs before the window is created: its own texts (context
// menus, shortcuts) in German like the rest of the window, whatever the
// locale, and the desktop entry under which docks and task bars show the window.
void prepareApplication(QGuiApplication& app);

} // namespace kalvo::ui
