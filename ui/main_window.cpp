// SPDX-License-Identifier: MIT
#include "ui/main_window.h"

#include "catalogue/catalogue.h"
#include "ui/kalvo.xpm"
#include "ui/text_fit.h"
#include "ui/value_field.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTextEdit>
#include <QWindow>

#include <optional>

namespace kalvo::ui {
namespace {

// The design's fonts on Windows, which has them; elsewhere, and where Windows
// lacks them (Wine has at most its own MS Sans Serif), look-alikes of the
// same size (Liberation is metric-compatible with Arial and Times New Roman
// and so keeps the labels inside their boxes; DejaVu is wider). A missing
// family costs a fallback search at start-up, so each platform names first
// the families it has. MS Sans Serif is a bitmap font of a few fixed sizes,
// which snaps to another size at 125 % and 150 %; Microsoft Sans Serif, its
// TrueType successor with the same metrics, is in every Windows since 2000
// and scales.
#ifdef Q_OS_WIN
const QStringList SansFamilies{QStringLiteral("Microsoft Sans Serif"), QStringLiteral("MS Sans Serif"),
                               QStringLiteral("Arial"), QStringLiteral("Liberation Sans")};
const QStringList SerifFamilies{QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")};
#else
const QStringList SansFamilies{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
const QStringList SerifFamilies{QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
#endif

// The window's default font; on Windows, where it may be missing (Wine has
// none of Windows' own fonts), its look-alike.
QFont defaultOrLookAlike(const QFont& windowFont)
{
#ifdef Q_OS_WIN
    QFont font = windowFont;
    font.setFamilies(QStringList{windowFont.family()} + SansFamilies);
    return font;
#else
    return windowFont;
#endif
}

QFont fontFor(const FontDesign& design, const QFont& windowFont)
{
    if (design.typeface == Typeface::WindowDefault)
        return defaultOrLookAlike(windowFont);
    QFont font;
    const bool sans = design.typeface == Typeface::Sans;
    font.setFamilies(sans ? SansFamilies : SerifFamilies);
    font.setStyleHint(sans ? QFont::SansSerif : QFont::Serif);
    font.setPointSizeF(design.pointSize);
    font.setBold(design.bold);
    font.setItalic(design.italic);
    return font;
}

QColor qColor(Color color)
{
    return {static_cast<int>(color & 0xFFU), static_cast<int>((color >> 8U) & 0xFFU),
            static_cast<int>((color >> 16U) & 0xFFU)};
}

QString qText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Multi-line boxes break lines at CR LF; Qt's documents at LF.
QString qMultiLineText(const std::string& text)
{
    return qText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The design fixes every control's background and draws its text in the
// toolkit's default colour of its day: black. Both are fixed together, so a
// dark desktop theme cannot put light text on the light backgrounds. A value
// field that takes no input and a button that does nothing show their text
// greyed, each in a grey that still reads at 4.5:1 on its own background.
const QColor TextColor(0x00, 0x00, 0x00);
const QColor GreyedTextColor(0x6d, 0x6d, 0x6d);
const QColor GreyedCaptionColor(0x59, 0x59, 0x59);

// A button's face in the model's colour, solid whatever the widget style.
QString buttonStyleSheet(Color color)
{
    return QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid #202020; }"
                          "QPushButton:disabled { color: %3; }"
                          "QPushButton:focus { border: 2px solid #000000; }"
                          "QPushButton:pressed { border: 2px inset #202020; }")
        .arg(qColor(color).name(), TextColor.name(), GreyedCaptionColor.name());
}

// A text box in the model's colour, in every state (the labels are disabled
// widgets, and stay legible). The grey is a little darker than Qt's default,
// to stay legible on white.
QPalette textBoxPalette(QPalette palette, Color color, bool greyed)
{
    palette.setColor(QPalette::Base, qColor(color));
    palette.setColor(QPalette::Text, greyed ? GreyedTextColor : TextColor);
    return palette;
}

// The character code a key hands to a field's key handler; none for keys
// that type no character (arrows, Shift, function keys).
std::optional<char16_t> characterCode(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return EnterKey;
    if (key.text().isEmpty())
        return std::nullopt;
    return key.text().at(0).unicode();
}

} // namespace

MainWindow::MainWindow()
{
    setObjectName(QStringLiteral("Kalvo"));
    setWindowTitle(QStringLiteral("Kalvotron"));
    setWindowIcon(QIcon(QPixmap(kalvo_xpm)));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    createControls();
    createMenus();
    form_Load(m_calc);
    showModel();
}

void MainWindow::createControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    QPalette background = client->palette();
    background.setColor(QPalette::Window, qColor(colors::DarkGrey));
    client->setPalette(background);
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    // Created in tab order, so that a later control lies on top.
    QWidget* previous = nullptr;
    for (const ControlDesign& design : Controls) {
        QWidget* widget = createControl(design, client);
        m_bindings.push_back({&design, widget, {}, {}, false});
        if (previous != nullptr)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

QWidget* MainWindow::createControl(const ControlDesign& design, QWidget* client)
{
    QWidget* widget = nullptr;
    switch (design.kind) {
    case ControlKind::Button: {
        auto* button = new QPushButton(client);
        if (design.click != nullptr)
            connect(button, &QPushButton::clicked, this, [this, click = design.click] { handle(click); });
        widget = button;
        break;
    }
    case ControlKind::LineEdit: {
        auto* edit = isValueField(design) ? new ValueField(client) : new QLineEdit(client);
        edit->setAlignment(Qt::AlignCenter);
        edit->setReadOnly(design.readOnly);
        connect(edit, &QLineEdit::textEdited, this,
                [this, &design](const QString& text) { EditText(m_calc, design, text.toStdString()); });
        if (design.keyPress != nullptr)
            edit->installEventFilter(this);
        widget = edit;
        break;
    }
    case ControlKind::MultiLine: {
        auto* box = new QTextEdit(client);
        box->setReadOnly(true);
        box->setAcceptRichText(false);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QTextOption centred = box->document()->defaultTextOption();
        centred.setAlignment(Qt::AlignHCenter);
        box->document()->setDefaultTextOption(centred);
        widget = box;
        break;
    }
    }
    widget->setObjectName(qText(design.name));
    widget->setGeometry(pixels(design.left), pixels(design.top), pixels(design.width), pixels(design.height));
    widget->setFont(fontFor(design.font, font()));
    if (design.skippedByTab)
        widget->setFocusPolicy(Qt::ClickFocus);
    return widget;
}

void MainWindow::createMenus()
{
    for (const MenuDesign& design : Menus) {
        QMenu* menu = menuBar()->addMenu(qText(design.caption));
        menu->setObjectName(qText(design.name));
        for (const CatalogueEntry& entry : Catalogue()) {
            if (entry.menu != design.menu)
                continue;
            QAction* item = menu->addAction(qText(entry.caption));
            item->setObjectName(qText(entry.name));
            connect(item, &QAction::triggered, this,
                    [this, &entry] { handle([&entry](Calculator& calc) { ChooseFormula(calc, entry); }); });
        }
    }
    for (const MenuCommand& command : MenuCommands) {
        QAction* item = menuBar()->addAction(qText(command.caption));
        item->setObjectName(qText(command.caption));
        connect(item, &QAction::triggered, this, [this, click = command.click] { handle(click); });
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto code = characterCode(*static_cast<QKeyEvent*>(event));
    if (code) {
        for (const Binding& binding : m_bindings)
            if (binding.widget == watched)
                handle([&field = *binding.design, key = *code](Calculator& calc) {
                    PressKey(calc, field, key);
                });
    }
    return false; // the key goes on to the field
}

template <typename Handler> void MainWindow::handle(Handler handler)
{
    handler(m_calc);
    showModel();
}

void MainWindow::showModel()
{
    for (Binding& binding : m_bindings)
        showControl(binding);
    const int width = m_calc.window.Kalvo.width;
    if (width != m_shownWidth) {
        m_shownWidth = width;
        centralWidget()->setFixedSize(pixels(width - FrameTwips), pixels(ClientHeightTwips));
        setFixedSize(pixels(width - FrameTwips), pixels(ClientHeightTwips) + menuBar()->sizeHint().height());
    }
}

void MainWindow::showControl(Binding& binding)
{
    const ControlDesign& design = *binding.design;
    QWidget* widget = binding.widget;
    const QString accessibleName = qText(AccessibleName(m_calc.window, design));
    const Interaction interaction = InteractionOf(m_calc.window, design);
    const bool enabled = interaction.enabled;
    bool visible = true;
    if (design.button != nullptr) {
        const CommandButton& button = m_calc.window.*design.button;
        auto* pushButton = static_cast<QPushButton*>(widget);
        const QString caption = qText(button.caption);
        if (pushButton->text() != caption)
            pushButton->setText(caption);
        showLook(binding, {button.backColor, interaction.greyed});
        visible = button.visible;
    } else {
        const TextBox& box = m_calc.window.*design.textBox;
        showText(binding, box.text);
        visible = box.visible;
        if (isValueField(design))
            static_cast<ValueField*>(widget)->setTakesInput(!interaction.readOnly);
        showLook(binding, {box.backColor, interaction.greyed});
    }
    // Screen readers hear of every change of name, so only real changes are made.
    if (widget->accessibleName() != accessibleName)
        widget->setAccessibleName(accessibleName);
    if (widget->isEnabled() != enabled)
        widget->setEnabled(enabled);
    if (widget->isHidden() == visible)
        widget->setVisible(visible);
    // A hidden box's text is measured when it shows: the help and
    // information texts cost nothing at start-up.
    if (visible && binding.fitPending)
        fitText(binding);
}

void MainWindow::showText(Binding& binding, const std::string& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(binding.widget)) {
        const QString shown = qText(text);
        if (edit->text() == shown)
            return;
        edit->setText(shown);
        binding.fitPending = showsTextWhole(*binding.design);
        return;
    }
    if (binding.shownText != text) {
        binding.shownText = text;
        static_cast<QTextEdit*>(binding.widget)->setPlainText(qMultiLineText(text));
        binding.fitPending = true;
    }
}

void MainWindow::fitText(Binding& binding)
{
    fitTextToBox(binding.widget, fontFor(binding.design->font, font()));
    binding.fitPending = false;
}

// On a screen of another scale the same text may fit at another size.
void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    connect(windowHandle(), &QWindow::screenChanged, this, &MainWindow::refitTexts, Qt::UniqueConnection);
}

void MainWindow::refitTexts()
{
    for (Binding& binding : m_bindings) {
        binding.fitPending = showsTextWhole(*binding.design);
        if (binding.fitPending && !binding.widget->isHidden())
            fitText(binding);
    }
}

void MainWindow::showLook(Binding& binding, Look look)
{
    if (binding.shownLook == look)
        return;
    binding.shownLook = look;
    if (binding.design->kind == ControlKind::Button)
        binding.widget->setStyleSheet(buttonStyleSheet(look.backColor));
    else
        binding.widget->setPalette(textBoxPalette(binding.widget->palette(), look.backColor, look.greyed));
}

} // namespace kalvo::ui
