// SPDX-License-Identifier: MIT
#include "ui/application.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QFileInfo>

namespace {

// The screen-reader bridge asks the session bus for the accessibility bus.
// Where a session has no bus, libdbus would start one of its own
// (dbus-launch): a daemon that outlives the window. Kalvo starts nothing.
void preventBusAutolaunch()
{
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")))
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace

int main(int argc, char* argv[])
{
    preventBusAutolaunch();
    QApplication app(argc, argv);
    kalvo::ui::prepareApplication(app);
    kalvo::ui::MainWindow window;
    window.show();
    return QApplication::exec();
}
