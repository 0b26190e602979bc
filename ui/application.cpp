// SPDX-License-Identifier: MIT
#include "ui/application.h"

#include <QTranslator>

#include <array>
#include <memory>
#include <string_view>

namespace kalvo::ui {
namespace {

struct QtText {
    std::string_view english;
    const char* german;
};

// The few texts of Qt's own that the window shows: the context menu of a
// field (QLineEdit) or a box (QWidgetTextControl), and the key names of its
// shortcuts. Kept here rather than taken from Qt's translation files, so
// that no platform has to find or ship one.
constexpr std::array editMenuTexts{
    QtText{"&Undo", "&Rückgängig"},          QtText{"&Redo", "Wieder&herstellen"},
    QtText{"Cu&t", "&Ausschneiden"},         QtText{"&Copy", "&Kopieren"},
    QtText{"&Paste", "Einf&ügen"},           QtText{"Delete", "Löschen"},
    QtText{"Select All", "Alles auswählen"}, QtText{"Copy &Link Location", "&Link-Adresse kopieren"},
};
constexpr std::array keyNames{
    QtText{"Ctrl", "Strg"},
    QtText{"Shift", "Umschalt"},
    QtText{"Del", "Entf"},
    QtText{"Ins", "Einfg"},
};

template <std::size_t N> QString lookUp(const std::array<QtText, N>& texts, std::string_view english)
{
    for (const QtText& text : texts)
        if (text.english == english)
            return QString::fromUtf8(text.german);
    return {};
}

class GermanQtTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* english, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (context == nullptr || english == nullptr)
            return {};
        const std::string_view in = context;
        if (in == "QLineEdit" || in == "QWidgetTextControl")
            return lookUp(editMenuTexts, english);
        if (in == "QShortcut")
            return lookUp(keyNames, english);
        return {};
    }

    [[nodiscard]] bool isEmpty() const override { return false; }
};

} // namespace

void prepareApplication(QGuiApplication& app)
{
    QGuiApplication::setDesktopFileName(QStringLiteral(KALVO_APP_ID)); // the desktop entry's id
    auto texts = std::make_unique<GermanQtTexts>();
    QCoreApplication::installTranslator(texts.get());
    texts.release()->setParent(&app); // the application owns it from here
}

} // namespace kalvo::ui
