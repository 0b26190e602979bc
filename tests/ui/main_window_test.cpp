// SPDX-License-Identifier: MIT
#include "catalogue/catalogue.h"
#include "ui/help.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <QTextEdit>

namespace kalvo::ui {

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;

    template <typename T = QWidget> T* control(const char* name) const
    {
        auto* widget = m_window->findChild<T*>(QString::fromUtf8(name));
        if (widget == nullptr)
            qFatal("no control %s", name);
        return widget;
    }

    QAction* action(const char* name) const
    {
        auto* found = m_window->findChild<QAction*>(QString::fromUtf8(name));
        if (found == nullptr)
            qFatal("no menu item %s", name);
        return found;
    }

    QString text(const char* name) const
    {
        if (auto* edit = m_window->findChild<QLineEdit*>(QString::fromUtf8(name)))
            return edit->text();
        return control<QTextEdit>(name)->toPlainText();
    }

    void type(const char* field, const QString& keys)
    {
        auto* edit = control<QLineEdit>(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    [[nodiscard]] int clientWidth() const { return m_window->centralWidget()->width(); }

    // The colour of a button's face, away from its caption and border.
    static QColor faceColor(QWidget* button) { return button->grab().toImage().pixelColor(6, 6); }

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void startsOnOhmsLawInTheNarrowWindow()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Kalvotron"));
        QCOMPARE(clientWidth(), 566);
        QCOMPARE(m_window->centralWidget()->height(), 284);
        QCOMPARE(control<QPushButton>("C_Command")->text(), QStringLiteral("Ausgabe"));
        QVERIFY(!control("C_Text")->isEnabled());
        QVERIFY(control("A_Text")->isEnabled());
        QCOMPARE(text("Text1"), QStringLiteral("\nEs wird das Ohmsche Gesetz benutzt\n\nU = I . R"));
        QCOMPARE(text("Text2"), QStringLiteral("Kalvo = Kalvotron von Brannok; Version 0.9 vom 7.9.08"));
        for (const char* hidden : {"Text3", "Text4", "Text5", "Command1", "Text6"})
            QVERIFY2(!control(hidden)->isVisible(), hidden);
        for (const char* field : {"A_Text", "B_Text", "C_Text"})
            QCOMPARE(text(field), QStringLiteral("1,0000E+0"));
    }

    void controlsStandWhereTheDesignPutsThem()
    {
        QCOMPARE(control("A_Command")->geometry(), QRect(56, 8, 129, 33));
        QCOMPARE(control("B_Text")->geometry(), QRect(216, 40, 129, 25));
        QCOMPARE(control("C_Anzeige")->geometry(), QRect(384, 64, 129, 25));
        QCOMPARE(control("Text1")->geometry(), QRect(96, 112, 369, 129));
        QCOMPARE(control("Text6")->geometry(), QRect(16, 96, 529, 145));
        QCOMPARE(control("Text3")->geometry(), QRect(544, 88, 129, 161));
    }

    void menusListEveryFormulaInOrder()
    {
        const QStringList formeln{"Ohm",      "Leistung", "Bewegung", "Wellenlänge", "Einstein",
                                  "Fall",     "Linse",    "Parallel", "Reihe_C",     "Grenzfrequenz",
                                  "Resonanz", "GasIdeal", "Potenz",   "Barkhausen",  "Währung"};
        const QStringList logExp{
            "AnzahlZeit",     "Halbwertszeit", "Zeitreziprok", "Absorption",  "Halbwertsdicke",
            "DickeReziprok",  "Arrhenius",     "Arrhenmol",    "Kopfabstand", "ZeitRC",
            "Kanalkapazität", "db1",           "dB2",          "Np"};
        const auto names = [this](const char* menu) {
            QStringList list;
            for (QAction* item : control<QMenu>(menu)->actions())
                list << item->objectName();
            return list;
        };
        QCOMPARE(names("Formeln"), formeln);
        QCOMPARE(names("logexp"), logExp);
        QCOMPARE(control<QMenu>("logexp")->title(), QStringLiteral("Log/Exp"));
        QStringList topLevel;
        for (QAction* entry : m_window->menuBar()->actions())
            topLevel << entry->text();
        QCOMPARE(topLevel, (QStringList{"Formeln", "Log/Exp", "Hilfe", "Information"}));
    }

    void decayFormulaWidensTheWindowAndOhmNarrowsIt()
    {
        action("AnzahlZeit")->trigger();
        QCOMPARE(clientWidth(), 714);
        QVERIFY(control("Text4")->isVisible());
        QCOMPARE(text("Text4"), QStringLiteral("1.0000E+2"));
        QCOMPARE(text("Text5"), QStringLiteral("Anfangswert"));
        QVERIFY(text("Text3").startsWith(QStringLiteral("Hier kann \nnur ein")));
        action("Ohm")->trigger();
        QCOMPARE(clientWidth(), 566);
        QVERIFY(!control("Text4")->isVisible());
    }

    void enterComputesIntoTheDisabledOutputField()
    {
        type("A_Text", QStringLiteral("2"));
        QCOMPARE(text("A_Text"), QStringLiteral("2,0000E+0"));
        QCOMPARE(text("C_Text"), QStringLiteral("2,0000E+0"));
        QVERIFY(!control("C_Text")->isEnabled());
    }

    void letterStandsForItsConstant()
    {
        action("Wellenlänge")->trigger();
        type("A_Text", QStringLiteral("c"));
        QCOMPARE(text("A_Text"), QStringLiteral("c"));
        QCOMPARE(text("C_Text"), QStringLiteral("2,9979E+8"));
    }

    void constantEntryComputesTheOutput()
    {
        action("AnzahlZeit")->trigger();
        QTest::mouseClick(control("A_Command"), Qt::LeftButton);
        type("Text4", QStringLiteral("200"));
        QCOMPARE(text("A_Text"), QStringLiteral("7,3576E+1"));
    }

    void keysOtherThanEnterOnlyType()
    {
        auto* field = control<QLineEdit>("A_Text");
        field->setFocus();
        field->end(false);
        QTest::keyClicks(field, QStringLiteral("7x"));
        QCOMPARE(text("A_Text"), QStringLiteral("1,0000E+07x"));
        QCOMPARE(text("C_Text"), QStringLiteral("1,0000E+0"));
        QCOMPARE(m_window->calculator().state.ValueA, Number::integer(1));
        QCOMPARE(m_window->calculator().window.A_Text.text, std::string("1,0000E+07x"));
    }

    void typedTextSurvivesAClickOnAButton()
    {
        auto* field = control<QLineEdit>("B_Text");
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("12"));
        QTest::mouseClick(control("A_Command"), Qt::LeftButton);
        QCOMPARE(text("B_Text"), QStringLiteral("12"));
    }

    static void buttonsShowTheOutputInEveryStyle_data()
    {
        QTest::addColumn<QString>("style");
        for (const QString& style : QStyleFactory::keys())
            QTest::newRow(style.toUtf8().constData()) << style;
    }

    void buttonsShowTheOutputInEveryStyle()
    {
        QFETCH(QString, style);
        QApplication::setStyle(style);
        const QColor red(255, 0, 0);
        const QColor lightGreen(128, 255, 128);
        for (const char* clicked : {"A_Command", "B_Command", "C_Command"}) {
            QTest::mouseClick(control(clicked), Qt::LeftButton);
            for (const char* button : {"A_Command", "B_Command", "C_Command"}) {
                const bool output = qstrcmp(button, clicked) == 0;
                QCOMPARE(control<QPushButton>(button)->text(),
                         output ? QStringLiteral("Ausgabe") : QStringLiteral("Eingabe"));
                QCOMPARE(faceColor(control(button)), output ? red : lightGreen);
            }
            QCOMPARE(control(clicked)->accessibleName(),
                     QStringLiteral("%1: Ausgabe").arg(QChar(clicked[0])));
        }
        QCOMPARE(faceColor(control("Command1")), lightGreen);
        QApplication::setStyle(QStringLiteral("Fusion"));
    }

    void outputFieldTakesNoKeys()
    {
        QVERIFY(!control("C_Text")->isEnabled());
        QTest::mouseClick(control("A_Command"), Qt::LeftButton);
        QVERIFY(!control("A_Text")->isEnabled());
        QVERIFY(control("C_Text")->isEnabled());
    }

    void helpAndInformationShareOneBox()
    {
        auto* box = control<QTextEdit>("Text6");
        action("Hilfe")->trigger();
        QVERIFY(box->isVisible());
        QVERIFY(text("Text6").endsWith(QStringLiteral("wie c, g und s sind gültige Eingaben.")));
        QCOMPARE(box->grab().toImage().pixelColor(4, 4), QColor(Qt::white));
        action("Information")->trigger();
        QVERIFY(!box->isVisible());
        action("Information")->trigger();
        QVERIFY(box->isVisible());
        QVERIFY(text("Text6").startsWith(QStringLiteral("Dieses Programm")));
        QCOMPARE(box->grab().toImage().pixelColor(4, 4), QColor(255, 192, 255));
    }

    void helpAndInformationTextsKeepTheirLines()
    {
        action("Hilfe")->trigger();
        const QString help = QString::fromStdString(m_window->calculator().window.Text6.text);
        QCOMPARE(help, QString::fromUtf8(HelpText.data(), static_cast<qsizetype>(HelpText.size())));
        QCOMPARE(help.split(QStringLiteral("\r\n")).size(), 5);
        QVERIFY(help.endsWith(QStringLiteral("wie c, g und s sind gültige Eingaben.")));
        QCOMPARE(help.count(QLatin1Char('\n')), help.count(QStringLiteral("\r\n")));

        action("Hilfe")->trigger();
        action("Information")->trigger();
        const QStringList information =
            QString::fromStdString(m_window->calculator().window.Text6.text).split(QStringLiteral("\r\n"));
        QCOMPARE(information.size(), 7); // six lines, each ended by CR LF
        QCOMPARE(information[2], QString());
        QCOMPARE(information[6], QString());
        QCOMPARE(information[3], QStringLiteral("Die Weiterentwicklung des Programms erfolgt."));
    }

    void formulaChoiceHidesTheBoxButTheToggleRemembers()
    {
        action("Information")->trigger();
        action("Bewegung")->trigger();
        QVERIFY(!control("Text6")->isVisible());
        action("Information")->trigger();
        QVERIFY(!control("Text6")->isVisible());
        action("Information")->trigger();
        QVERIFY(control("Text6")->isVisible());
    }

    void helpBoxLiesOverTheExplanation()
    {
        action("Hilfe")->trigger();
        const QPoint centreOfText1 = control("Text1")->geometry().center();
        QWidget* top = m_window->centralWidget()->childAt(centreOfText1);
        QWidget* box = control("Text6");
        QVERIFY(top == box || box->isAncestorOf(top));
    }

    void accessibleNamesFollowTheLabels()
    {
        QCOMPARE(control("A_Text")->accessibleName(), QStringLiteral("Spannung / Volt"));
        QCOMPARE(control("C_Command")->accessibleName(), QStringLiteral("C: Ausgabe"));
        QCOMPARE(control("A_Command")->accessibleName(), QStringLiteral("A: Eingabe"));
        QCOMPARE(control("Text1")->accessibleName(), QStringLiteral("Formel"));
        QCOMPARE(control("Text2")->accessibleName(), QStringLiteral("Titel"));
        QCOMPARE(control("Text6")->accessibleName(), QStringLiteral("Hilfe und Information"));
        action("Halbwertszeit")->trigger();
        QCOMPARE(control("Text4")->accessibleName(), QStringLiteral("Anfangswert"));
        QCOMPARE(control("C_Text")->accessibleName(), QStringLiteral("Halbwertszeit / s"));
    }

    void altAndArrowsReachEveryMenu()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        control("A_Text")->setFocus();
        QMenuBar* bar = m_window->menuBar();
        QTest::keyClick(control("A_Text"), Qt::Key_Alt);
        QTRY_VERIFY(bar->activeAction() != nullptr);
        QCOMPARE(bar->activeAction()->text(), QStringLiteral("Formeln"));
        QTest::keyClick(bar, Qt::Key_Right);
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->activeAction()->text(), QStringLiteral("Hilfe"));
        QTest::keyClick(bar, Qt::Key_Return);
        QTRY_VERIFY(control("Text6")->isVisible());
    }

    void everyLabelFitsItsBox()
    {
        for (const CatalogueEntry& entry : Catalogue()) {
            action(std::string(entry.name).c_str())->trigger();
            for (const char* name : {"A_Anzeige", "B_Anzeige", "C_Anzeige", "Text5"}) {
                auto* label = control<QLineEdit>(name);
                if (!label->isVisible())
                    continue;
                const int needed = label->fontMetrics().horizontalAdvance(label->text());
                QVERIFY2(needed <= label->width() - 6,
                         qPrintable(QStringLiteral("%1 under %2: %3 px in %4")
                                        .arg(label->text(),
                                             QString::fromUtf8(entry.caption.data(),
                                                               static_cast<qsizetype>(entry.caption.size())))
                                        .arg(needed)
                                        .arg(label->width())));
            }
        }
    }

    void tabVisitsTheControlsInOrder()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        action("AnzahlZeit")->trigger();
        control("A_Command")->setFocus();
        QStringList visited;
        for (int i = 0; i < 7; ++i) {
            visited << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // C_Text is the output, Text1 and Text2 are skipped, the labels and Command1 are disabled.
        QCOMPARE(visited, (QStringList{"A_Command", "B_Command", "C_Command", "A_Text", "B_Text", "Text4",
                                       "A_Command"}));
    }
};

} // namespace kalvo::ui

QTEST_MAIN(kalvo::ui::MainWindowTest)
#include "main_window_test.moc"
