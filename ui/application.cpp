// SPDX-License-Identifier: MIT
#include "ui/application.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace kalvo::ui {
namespace {

// Where the translation is missing (another platform, a stripped system),
// Qt's texts stay English; nothing else depends on it.
void installGermanQtTexts(QGuiApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void prepareApplication(QGuiApplication& app)
{
    QGuiApplication::setDesktopFileName(QStringLiteral(KALVO_APP_ID)); // the desktop entry's id
    installGermanQtTexts(app);
}

} // namespace kalvo::ui
