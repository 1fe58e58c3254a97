#include "app/Translations.h"

#include "model/UserSettings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Dunmorra {

QString installTranslations(QCoreApplication& app, const UserSettings& settings)
{
    const QString language = languageCode(preferredLanguages(settings));
    auto* own = new QTranslator(&app);
    if (own->load(QStringLiteral(":/i18n/halvorin_") + language))
        QCoreApplication::installTranslator(own);
    else
        delete own;
    // Qt's own dialogs and buttons (the about box's "OK").
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return language;
}

} // namespace Dunmorra
