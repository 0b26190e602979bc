// SPDX-License-Identifier: MIT
// The time from an Enter key event in an input field of the real window to
// the output field having painted its new text, many times over. Prints the
// median, minimum and maximum in microseconds.
// Usage: response_bench REPETITIONS   (run with QT_QPA_PLATFORM=offscreen)
#include "ui/main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// Counts the paint events a widget has handled.
class PaintCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    kalvo::ui::MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto* input = window.findChild<QLineEdit*>(QStringLiteral("A_Text"));
    auto* output = window.findChild<QLineEdit*>(QStringLiteral("C_Text"));
    PaintCounter paints;
    output->installEventFilter(&paints);
    input->setFocus();

    std::vector<double> micros;
    for (int i = 0; i < repetitions; ++i) {
        input->selectAll();
        QTest::keyClicks(input, i % 2 == 0 ? QStringLiteral("2") : QStringLiteral("3"));
        QApplication::processEvents();
        const int paintsBefore = paints.count;
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        const auto start = std::chrono::steady_clock::now();
        QApplication::sendEvent(input, &enter);
        while (paints.count == paintsBefore) {
            QApplication::processEvents();
            if (std::chrono::steady_clock::now() - start > std::chrono::seconds(1)) {
                std::fputs("response_bench: the output field was never repainted\n", stderr);
                return 1;
            }
        }
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("%.1f %.1f %.1f\n", micros[micros.size() / 2], micros.front(), micros.back());
    return 0;
}
