// SPDX-License-Identifier: MIT
#pragma once

#include "core/calc_state.h"
#include "core/controls.h"

#include <QMainWindow>

#include <optional>
#include <string>
#include <vector>

namespace kalvo::ui {

// The window Kalvo: forwards every event to the calculator's handlers and
// shows the window model they write. It holds no state of its own.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow();

    [[nodiscard]] const Calculator& calculator() const { return m_calc; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Look {
        Color backColor;
        bool greyed;

        friend bool operator==(const Look&, const Look&) = default;
    };

    struct Binding {
        const ControlDesign* design;
        QWidget* widget;
        std::string shownText; // of read-only multi-line boxes, which only the model changes
        std::optional<Look> shownLook;
        bool fitPending = false; // a text to fit once its box is shown
    };

    void createControls();
    QWidget* createControl(const ControlDesign& design, QWidget* client);
    void createMenus();

    // Runs one handler of the calculator, then shows the model it left.
    template <typename Handler> void handle(Handler handler);
    void showModel();
    void showControl(Binding& binding);
    static void showText(Binding& binding, const std::string& text);
    void fitText(Binding& binding);
    void refitTexts();
    static void showLook(Binding& binding, Look look);

    Calculator m_calc;
    std::vector<Binding> m_bindings;
    int m_shownWidth = 0;
};

} // namespace kalvo::ui
