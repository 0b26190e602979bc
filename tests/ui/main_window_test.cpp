// SPDX-License-Identifier: MIT
#include "catalogue/catalogue.h"
#include "core/controls.h"
#include "core/help.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/text_fit.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <map>

namespace kalvo::ui {
namespace {

// WCAG 2's relative luminance and contrast ratio.
double luminance(const QColor& colour)
{
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A control's text against its background, read off its picture inside the
// frame: the background is the commonest colour, the text the pixel that
// stands out from it most.
double textContrast(QWidget* control)
{
    const QImage image = control->grab().toImage();
    std::map<QRgb, int> counts;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 3; x < image.width() - 3; ++x)
            ++counts[image.pixel(x, y)];
    const QColor background(std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                                return a.second < b.second;
                            })->first);
    double most = 1.0;
    for (const auto& [pixel, count] : counts)
        most = std::max(most, contrast(QColor(pixel), background));
    return most;
}

// How a box's laid-out text overflows its visible area; empty where it fits.
// A multi-line box's document against its viewport, down to its last line
// with text (a final line break adds an empty line, which shows nothing). A
// single-line box scrolls a text too long for it: its cursor then moves less
// from the text's start to its end than the text is wide. It also scrolls to
// make room for the cursor after a text that fits (its width and 1 px),
// which cuts off nothing.
QString textOverflow(QWidget* box)
{
    QSize needed;
    QSize available;
    if (auto* edit = qobject_cast<QTextEdit*>(box)) {
        const QTextDocument* document = edit->document();
        QTextBlock last = document->lastBlock();
        while (last.text().isEmpty() && last.previous().isValid())
            last = last.previous();
        const QRectF lastLine = document->documentLayout()->blockBoundingRect(last);
        needed = {qCeil(document->size().width()), qCeil(lastLine.bottom())};
        available = edit->viewport()->size();
    } else {
        auto* line = qobject_cast<QLineEdit*>(box);
        const int cursor = line->cursorPosition();
        line->home(false);
        line->repaint();
        const int start = line->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
        line->end(false);
        line->repaint();
        const int cursorRoom = line->style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, line) + 1;
        needed = {line->fontMetrics().horizontalAdvance(line->text()), 0};
        available = {line->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() - start + cursorRoom, 0};
        line->setCursorPosition(cursor);
    }
    if (needed.width() <= available.width() && needed.height() <= available.height())
        return {};
    return QStringLiteral("%1×%2 px in %3×%4")
        .arg(needed.width())
        .arg(needed.height())
        .arg(available.width())
        .arg(available.height());
}

// Where a box shows its text smaller than the design's font, or with a
// narrower margin than Qt's, the design's font and margin would cut it off;
// empty where that holds.
QString needlessShrink(QWidget* box)
{
    constexpr qreal QtDocumentMargin = 4;
    const auto* const design =
        std::find_if(Controls.begin(), Controls.end(), [box](const ControlDesign& control) {
            return box->objectName() == QLatin1String(control.name);
        });
    auto* edit = qobject_cast<QTextEdit*>(box);
    const qreal margin = edit != nullptr ? edit->document()->documentMargin() : QtDocumentMargin;
    const qreal designSize = design->font.typeface == Typeface::WindowDefault
                                 ? box->window()->font().pointSizeF()
                                 : design->font.pointSize;
    const QFont shown = box->font();
    if (shown.pointSizeF() == designSize && margin == QtDocumentMargin)
        return {};
    QFont designed = shown;
    designed.setPointSizeF(designSize);
    box->setFont(designed);
    if (edit != nullptr)
        edit->document()->setDocumentMargin(QtDocumentMargin);
    const bool cutOff = !textOverflow(box).isEmpty();
    box->setFont(shown);
    if (edit != nullptr)
        edit->document()->setDocumentMargin(margin);
    if (cutOff)
        return {};
    return QStringLiteral("%1 pt with a margin of %2 px, where %3 pt fits")
        .arg(shown.pointSizeF())
        .arg(margin)
        .arg(designSize);
}

// The entries of a menu and its submenus, each with its key after a tab.
void collectEntries(const QMenu* menu, QStringList& entries)
{
    for (const QAction* item : menu->actions()) {
        if (item->menu() != nullptr)
            collectEntries(item->menu(), entries);
        if (!item->isSeparator())
            entries << item->text();
    }
}

// The entries of the context menu that a right click on the control pops up.
QStringList contextMenuEntries(QWidget* control)
{
    auto* scrollArea = qobject_cast<QAbstractScrollArea*>(control);
    QWidget* target = scrollArea != nullptr ? scrollArea->viewport() : control;
    const QPoint centre = target->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, centre, target->mapToGlobal(centre));
    QApplication::sendEvent(target, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr)
        return {QStringLiteral("(no menu)")};
    QStringList entries;
    collectEntries(menu, entries);
    menu->close();
    return entries;
}

// A context menu entry in German: its text, and its key spelt with
// German key names.
bool isGermanMenuEntry(const QString& entry)
{
    static const QStringList texts{
        "&Rückgängig", "Wieder&herstellen", "&Ausschneiden",   "&Kopieren",
        "Einf&ügen",   "Löschen",           "Alles auswählen", "&Link-Adresse kopieren"};
    static const QStringList keyNames{"Strg", "Umschalt", "Alt", "Entf", "Einfg"};
    const QString text = entry.section(QLatin1Char('\t'), 0, 0);
    const QString keys = entry.section(QLatin1Char('\t'), 1);
    if (!texts.contains(text))
        return false;
    const QStringList parts = keys.isEmpty() ? QStringList{} : keys.split(QLatin1Char('+'));
    return std::all_of(parts.begin(), parts.end(),
                       [](const QString& part) { return part.size() == 1 || keyNames.contains(part); });
}

QPalette darkPalette()
{
    QPalette palette;
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, QColor(0x24, 0x24, 0x24));
    for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, Qt::white);
    return palette;
}

// One step of a scenario of the window scenario table: a verb and its
// columns.
struct ScenarioStep {
    QString verb;
    QString control;
    QString text;
};

using Scenario = QList<ScenarioStep>;

// The scenarios of the table that both views are held to, by name.
QList<QPair<QString, Scenario>> windowScenarios()
{
    QFile file(QStringLiteral(":/window_scenarios.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        qFatal("the window scenario table is missing");
    QList<QPair<QString, Scenario>> scenarios;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList columns = line.split(QLatin1Char('\t'));
        if (columns.size() == 1) {
            scenarios.append({line, {}});
            continue;
        }
        columns.resize(3);
        scenarios.last().second.append(
            {columns[0], columns[1], columns[2].replace(QStringLiteral("\\n"), QStringLiteral("\n"))});
    }
    return scenarios;
}
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> m_window;
    QPalette m_palette;
    QString m_style;

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
        if (auto* button = m_window->findChild<QPushButton*>(QString::fromUtf8(name)))
            return button->text();
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

    // The controls that Tab visits from the named one, by name.
    QString tabFrom(const char* name, int presses)
    {
        if (!QTest::qWaitForWindowActive(m_window.get()))
            return QStringLiteral("(the window never became active)");
        control(name)->setFocus();
        QStringList visited;
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        return visited.join(QLatin1Char(' '));
    }

    // A control's font as the scenario table writes it: "serif 14.25 bold italic".
    static QString fontOf(const QWidget* widget, bool withSize)
    {
        const QFont& font = widget->font();
        QStringList words{font.styleHint() == QFont::Serif ? QStringLiteral("serif")
                                                           : QStringLiteral("sans")};
        if (withSize)
            words << QString::number(font.pointSizeF());
        if (font.bold())
            words << QStringLiteral("bold");
        if (font.italic())
            words << QStringLiteral("italic");
        return words.join(QLatin1Char(' '));
    }

    // The colour of a button's face, away from its caption and border.
    static QColor faceColor(QWidget* button) { return button->grab().toImage().pixelColor(6, 6); }

    // Every visible control with a text reaches WCAG AA (3:1 for the large
    // bold italic note).
    void checkTextContrast(const char* when) const
    {
        for (const ControlDesign& design : Controls) {
            QWidget* widget = control(std::string(design.name).c_str());
            if (!widget->isVisible())
                continue;
            const double needed = design.name == "Text3" ? 3.0 : 4.5;
            const double measured = textContrast(widget);
            QVERIFY2(measured >= needed, qPrintable(QStringLiteral("%1 %2: contrast %3")
                                                        .arg(widget->objectName(), QString::fromUtf8(when))
                                                        .arg(measured, 0, 'f', 2)));
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        prepareApplication(*qApp);
        m_palette = QApplication::palette();
        m_style = QApplication::style()->name();
    }

    void init()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    // A test that changed the palette or the style and failed leaves them
    // to no other test.
    void cleanup()
    {
        m_window.reset();
        QApplication::setPalette(m_palette);
        QApplication::setStyle(m_style);
    }

    // Each scenario of the table from a fresh window, with real clicks and keys.
    static void scenarios_data()
    {
        QTest::addColumn<Scenario>("steps");
        for (const auto& [name, steps] : windowScenarios())
            QTest::newRow(name.toUtf8().constData()) << steps;
    }

    void scenarios()
    {
        QFETCH(Scenario, steps);
        QVERIFY(!steps.isEmpty());
        for (const ScenarioStep& step : steps) {
            const QByteArray name = step.control.toUtf8();
            const QByteArray where = (step.verb + QLatin1Char(' ') + step.control).toUtf8();
            if (step.verb == QLatin1String("menu")) {
                action(name.constData())->trigger();
            } else if (step.verb == QLatin1String("click")) {
                QTest::mouseClick(control(name.constData()), Qt::LeftButton);
            } else if (step.verb == QLatin1String("type")) {
                type(name.constData(), step.text);
            } else if (step.verb == QLatin1String("keys")) {
                auto* field = control<QLineEdit>(name.constData());
                field->setFocus();
                field->end(false);
                QTest::keyClicks(field, step.text);
            } else if (step.verb == QLatin1String("text")) {
                QCOMPARE(text(name.constData()), step.text);
            } else if (step.verb == QLatin1String("starts")) {
                QVERIFY2(text(name.constData()).startsWith(step.text), where.constData());
            } else if (step.verb == QLatin1String("name")) {
                QCOMPARE(control(name.constData())->accessibleName(), step.text);
            } else if (step.verb == QLatin1String("shown") || step.verb == QLatin1String("hidden")) {
                QVERIFY2(control(name.constData())->isVisible() == (step.verb == QLatin1String("shown")),
                         where.constData());
            } else if (step.verb == QLatin1String("input") || step.verb == QLatin1String("readonly")) {
                auto* field = control<QLineEdit>(name.constData());
                QVERIFY2(field->isEnabled(), where.constData());
                QVERIFY2(field->isReadOnly() == (step.verb == QLatin1String("readonly")), where.constData());
            } else if (step.verb == QLatin1String("width")) {
                QCOMPARE(clientWidth(), step.control.toInt());
            } else if (step.verb == QLatin1String("height")) {
                QCOMPARE(m_window->centralWidget()->height(), step.control.toInt());
            } else if (step.verb == QLatin1String("tab")) {
                QCOMPARE(tabFrom(name.constData(), static_cast<int>(step.text.count(QLatin1Char(' '))) + 1),
                         step.text);
            } else if (step.verb == QLatin1String("font")) {
                const bool withSize = step.text.section(QLatin1Char(' '), 1, 1).front().isDigit();
                QCOMPARE(fontOf(control(name.constData()), withSize), step.text);
            } else {
                QFAIL(qPrintable(QStringLiteral("no such step: ") + step.verb));
            }
        }
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

    // The result is reached by Tab and copied as shown; nothing typed there
    // changes it, and Enter does not read the rounded text back into C.
    void resultCanBeCopiedButNotChanged()
    {
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        type("B_Text", QStringLiteral("3"));
        QTest::keyClick(control("B_Text"), Qt::Key_Tab);
        auto* result = control<QLineEdit>("C_Text");
        QCOMPARE(QApplication::focusWidget(), result);
        QTest::keyClick(result, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("3,3333E-1"));

        const Calculator before = m_window->calculator();
        result->deselect();
        QTest::keyClicks(result, QStringLiteral("7"));
        QCOMPARE(text("C_Text"), QStringLiteral("3,3333E-1"));
        QTest::keyClick(result, Qt::Key_Backspace);
        QCOMPARE(text("C_Text"), QStringLiteral("3,3333E-1"));
        QTest::keyClick(result, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(result, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(text("C_Text"), QStringLiteral("3,3333E-1"));
        QGuiApplication::clipboard()->setText(QStringLiteral("42"));
        QTest::keyClick(result, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(text("C_Text"), QStringLiteral("3,3333E-1"));
        QTest::keyClick(result, Qt::Key_Return);
        QCOMPARE(m_window->calculator().state, before.state);
        QVERIFY(m_window->calculator().window == before.window);
        QCOMPARE(text("C_Text"), QStringLiteral("3,3333E-1"));

        QTest::mouseClick(control("A_Command"), Qt::LeftButton);
        type("B_Text", QStringLiteral("3"));
        QCOMPARE(text("A_Text"), QStringLiteral("1,0000E+0"));
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
    }

    static void textsStayLegibleUnderAnyTheme_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("default palette") << false;
        QTest::newRow("dark palette") << true;
    }

    void textsStayLegibleUnderAnyTheme()
    {
        QFETCH(bool, dark);
        if (dark)
            QApplication::setPalette(darkPalette());
        init(); // a window made under the palette
        checkTextContrast("at start");
        QTest::mouseClick(control("A_Command"), Qt::LeftButton);
        action("AnzahlZeit")->trigger();
        checkTextContrast("in the wide window");
        // The button that does nothing is greyed, unlike the working ones (black: 17:1).
        QVERIFY2(textContrast(control("Command1")) < 7.0, "Command1's caption is not greyed");
        action("Hilfe")->trigger();
        checkTextContrast("with the help");
        action("Hilfe")->trigger();
        action("Information")->trigger();
        checkTextContrast("with the information");
    }

    // Every control that opens a context menu, in the narrow window, the
    // wide one and with the help shown: each entry and its key in German.
    void contextMenusAreGerman()
    {
        control<QLineEdit>("A_Text")->setText(QStringLiteral("1"));
        QStringList english;
        const auto checkMenus = [&](const QString& when) {
            for (const ControlDesign& design : Controls) {
                QWidget* widget = control(std::string(design.name).c_str());
                // Buttons have no menu; a disabled box gets no right click.
                if (design.kind == ControlKind::Button || !widget->isVisible() || !widget->isEnabled())
                    continue;
                for (const QString& entry : contextMenuEntries(widget))
                    if (!isGermanMenuEntry(entry))
                        english << QStringLiteral("%1 (%2): %3").arg(widget->objectName(), when, entry);
            }
        };
        checkMenus(QStringLiteral("narrow"));
        action("AnzahlZeit")->trigger();
        checkMenus(QStringLiteral("wide"));
        action("Hilfe")->trigger();
        checkMenus(QStringLiteral("help"));
        QVERIFY2(english.isEmpty(), qPrintable(english.join(QStringLiteral("; "))));
    }

    void helpAndInformationEachHaveTheirColour()
    {
        auto* box = control<QTextEdit>("Text6");
        action("Hilfe")->trigger();
        QCOMPARE(box->grab().toImage().pixelColor(4, 4), QColor(Qt::white));
        action("Hilfe")->trigger();
        action("Information")->trigger();
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

    void helpBoxLiesOverTheExplanation()
    {
        action("Hilfe")->trigger();
        const QPoint centreOfText1 = control("Text1")->geometry().center();
        QWidget* top = m_window->centralWidget()->childAt(centreOfText1);
        QWidget* box = control("Text6");
        QVERIFY(top == box || box->isAncestorOf(top));
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

    // Every text the window can show lies whole inside its box: the 29
    // explanations, the labels of every formula, the title, the note, the
    // help and the information. Run at 100 % and, as its own test, at 200 %.
    void everyTextFitsItsBox()
    {
        QStringList cutOff;
        const auto check = [&](const char* name, const QString& when) {
            QWidget* box = control(name);
            if (!box->isVisible())
                return;
            for (const QString& fault : {textOverflow(box), needlessShrink(box)})
                if (!fault.isEmpty())
                    cutOff << QStringLiteral("%1 (%2): %3").arg(QString::fromUtf8(name), when, fault);
        };
        // Which of the design's faces, or which look-alike, this machine has.
        qInfo("sans serif face: %s", qPrintable(QFontInfo(control("A_Command")->font()).family()));
        for (const CatalogueEntry& entry : Catalogue()) {
            action(std::string(entry.name).c_str())->trigger();
            const QString when =
                QString::fromUtf8(entry.caption.data(), static_cast<qsizetype>(entry.caption.size()));
            for (const char* name : {"Text1", "A_Anzeige", "B_Anzeige", "C_Anzeige", "Text5", "Text3"})
                check(name, when);
        }
        check("Text2", QStringLiteral("title"));
        // A smaller size is for the text that needs it, not for the next one.
        action("Linse")->trigger();
        action("Ohm")->trigger();
        QCOMPARE(control("Text1")->font().pointSizeF(), 12.0);
        // Each text on the first showing of its box, which Qt has not laid out before.
        action("Information")->trigger();
        check("Text6", QStringLiteral("information"));
        action("Information")->trigger();
        action("Hilfe")->trigger();
        check("Text6", QStringLiteral("help"));
        QVERIFY2(cutOff.isEmpty(), qPrintable(cutOff.join(QStringLiteral("; "))));
    }

    // Qt lays out a box's text only when the box is first shown.
    void fitsTheTextOfABoxNotShownYet()
    {
        QTextEdit box(m_window.get());
        box.hide();
        box.setGeometry(0, 0, 200, 50);
        box.setPlainText(QStringLiteral("Brennweite der Linse aus Gegenstandsweite und Bildweite"));
        QFont design = box.font();
        design.setPointSizeF(12);
        fitTextToBox(&box, design);
        box.show();
        QCOMPARE(textOverflow(&box), QString());
    }
};

} // namespace kalvo::ui

QTEST_MAIN(kalvo::ui::MainWindowTest)
#include "main_window_test.moc"
