// SPDX-License-Identifier: MIT
// 5,000 random clicks, key presses and menu choices on the real window,
// checking after each that the widgets show the window model and that what
// must always hold between calculator and window holds, read off the widgets.
#include "invariants.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include <random>

namespace kalvo::ui {

class RandomSessionTest : public QObject {
    Q_OBJECT

private:
    MainWindow* m_window = nullptr;
    std::mt19937 m_random{20261208};

    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(m_random); }

    template <typename T = QWidget> [[nodiscard]] T* control(std::string_view name) const
    {
        return m_window->findChild<T*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }

    // The window model as the widgets show it; colours are checked apart.
    [[nodiscard]] WindowModel modelFromWidgets() const
    {
        WindowModel shown = m_window->calculator().window;
        shown.Kalvo.width = m_window->centralWidget()->width() * 15 + FrameTwips;
        for (const ControlDesign& design : Controls) {
            QWidget* widget = control(design.name);
            if (design.button != nullptr) {
                CommandButton& button = shown.*design.button;
                button.caption = static_cast<QPushButton*>(widget)->text().toStdString();
                button.enabled = widget->isEnabled();
                button.visible = !widget->isHidden();
            } else {
                TextBox& box = shown.*design.textBox;
                auto* edit = qobject_cast<QLineEdit*>(widget);
                if (edit != nullptr)
                    box.text = edit->text().toStdString();
                // A value field that takes no input is read-only, not disabled.
                box.enabled = isValueField(design) ? !edit->isReadOnly() : widget->isEnabled();
                box.visible = !widget->isHidden();
            }
        }
        return shown;
    }

    void chooseFormula()
    {
        const QList<QMenu*> menus{control<QMenu>("Formeln"), control<QMenu>("logexp")};
        const QList<QAction*> items = menus[below(2)]->actions();
        items[below(static_cast<int>(items.size()))]->trigger();
    }

    void clickButton()
    {
        static const std::array<const char*, 4> buttons{"A_Command", "B_Command", "C_Command", "Command1"};
        QWidget* button = control(buttons[static_cast<std::size_t>(below(4))]);
        if (button->isVisible())
            QTest::mouseClick(button, Qt::LeftButton);
    }

    void typeAndEnter()
    {
        static const std::array<const char*, 4> fields{"A_Text", "B_Text", "C_Text", "Text4"};
        static const QString keys = QStringLiteral("0123456789,.,eE-+ cCsgupiNPx");
        auto* field = control<QLineEdit>(fields[static_cast<std::size_t>(below(4))]);
        if (!field->isVisible())
            return; // the output's read-only field is typed into as well: nothing may reach the logic
        field->setFocus();
        if (below(3) != 0)
            field->selectAll();
        QString typed;
        for (int i = below(8); i > 0; --i)
            typed += keys.at(below(static_cast<int>(keys.size())));
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return); // what is only typed is checked by the window's own tests
    }

    void checkColours()
    {
        const CalcState& state = m_window->calculator().state;
        for (const auto& [name, flag] :
             {std::pair{"A_Command", state.InputFlagA}, std::pair{"B_Command", state.InputFlagB},
              std::pair{"C_Command", state.InputFlagC}}) {
            const QColor face = control(name)->grab().toImage().pixelColor(6, 6);
            QCOMPARE(face, flag == 0 ? QColor(255, 0, 0) : QColor(128, 255, 128));
        }
    }

private Q_SLOTS:
    void init()
    {
        m_window = new MainWindow;
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup() { delete m_window; }

    void fiveThousandRandomActionsKeepTheInvariants()
    {
        for (int step = 0; step < 5000; ++step) {
            switch (below(10)) {
            case 0:
            case 1:
                chooseFormula();
                break;
            case 2:
            case 3:
                clickButton();
                break;
            case 4:
                control<QAction>(below(2) == 0 ? "Hilfe" : "Information")->trigger();
                break;
            default:
                typeAndEnter();
                break;
            }
            const WindowModel shown = modelFromWidgets();
            const Calculator& calc = m_window->calculator();
            QVERIFY2(shown == calc.window,
                     qPrintable(QStringLiteral("step %1: widgets differ from the model").arg(step)));
            const auto violations = kalvo::testing::invariantViolations(calc.state, shown);
            if (!violations.empty())
                QFAIL(qPrintable(
                    QStringLiteral("step %1: %2").arg(step).arg(QString::fromStdString(violations.front()))));
            if (step % 50 == 0)
                checkColours();
        }
    }
};

} // namespace kalvo::ui

QTEST_MAIN(kalvo::ui::RandomSessionTest)
#include "random_session_test.moc"
