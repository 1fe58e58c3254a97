#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <initializer_list>

namespace Dunmorra::Test {

// Compiles the C locales into a private folder (LOCPATH) rather than relying
// on generated system locales: a locale that silently fails to load would
// make a test prove nothing. All are built before the first setlocale(),
// which remembers a locale it did not find.
inline void buildLocales(std::initializer_list<const char*> names, const QString& folder)
{
    for (const char* name : names) {
        const QString locale = QString::fromLatin1(name);
        QProcess::execute(QStringLiteral("localedef"),
            {QStringLiteral("-c"), QStringLiteral("-i"), locale.section(QLatin1Char('.'), 0, 0),
             QStringLiteral("-f"), QStringLiteral("UTF-8"), folder + QLatin1Char('/') + locale});
    }
    setenv("LOCPATH", folder.toLocal8Bit().constData(), 1);
}

} // namespace Dunmorra::Test
