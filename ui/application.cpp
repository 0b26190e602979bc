// SPDX-License-Identifier: MIT
#include "ui/application.h"

#include <QTranslator>

#include <array>
#include <memory>
#include <string_view>

namespace kalvo::ui {
namespace {

struct QtText {
    std::string_view context;
    std::string_view english;
    const char* german;
};

// The few texts of Qt's own that the window shows: a field's context menu
// and the key names of its shortcuts. Kept here rather than taken from Qt's
// translation files, so that no platform has to find or ship one.
constexpr std::array qtTexts{
    QtText{"QLineEdit", "&Undo", "&Rückgängig"},
    QtText{"QLineEdit", "&Redo", "Wieder&herstellen"},
    QtText{"QLineEdit", "Cu&t", "&Ausschneiden"},
    QtText{"QLineEdit", "&Copy", "&Kopieren"},
    QtText{"QLineEdit", "&Paste", "Einf&ügen"},
    QtText{"QLineEdit", "Delete", "Löschen"},
    QtText{"QLineEdit", "Select All", "Alles auswählen"},
    QtText{"QShortcut", "Ctrl", "Strg"},
    QtText{"QShortcut", "Shift", "Umschalt"},
    QtText{"QShortcut", "Del", "Entf"},
    QtText{"QShortcut", "Ins", "Einfg"},
};

class GermanQtTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* english, const char* /*disambiguation*/,
                      int /*n*/) const override
    {
        if (context == nullptr || english == nullptr)
            return {};
        for (const QtText& text : qtTexts)
            if (text.context == context && text.english == english)
                return QString::fromUtf8(text.german);
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
