// SPDX-License-Identifier: MIT
// The floor of the start-up and memory benchmarks: the least a Qt 6 Widgets
// window like Kalvo's can be, with a menu bar, four buttons and eight line
// edits in a fixed-size window of the same size.
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.menuBar()->addMenu(QStringLiteral("Menu"))->addAction(QStringLiteral("Item"));
    auto* client = new QWidget(&window);
    for (int column = 0; column < 4; ++column) {
        auto* button = new QPushButton(QStringLiteral("Eingabe"), client);
        button->setGeometry(56 + 160 * column, 8, 129, 33);
        for (int row = 0; row < 2; ++row)
            (new QLineEdit(QStringLiteral("1,0000E+0"), client))
                ->setGeometry(56 + 160 * column, 40 + 24 * row, 129, 25);
    }
    window.setCentralWidget(client);
    window.setFixedSize(566, 284 + window.menuBar()->sizeHint().height());
    window.show();
    return QApplication::exec();
}
