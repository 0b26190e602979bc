// SPDX-License-Identifier: MIT
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kalvo::ui::MainWindow window;
    window.show();
    return QApplication::exec();
}
