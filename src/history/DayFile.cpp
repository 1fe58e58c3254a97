#include "history/DayFile.h"

#include "history/AtomicFile.h"
#include "history/DailySummaryCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace Dunmorra::DayFile {

QString historyDirectory()
{
    static const QString directory = [] {
        // GenericDataLocation, not AppDataLocation: the latter appends the
        // organisation and application names a second time.
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        return base.isEmpty() ? QString() : QDir(base).filePath(QStringLiteral("Halvorin/history"));
    }();
    return directory;
}

QString fileName(QDate day)
{
    // QDate::toString with a format is Gregorian with ASCII digits; a
    // QLocale would give other digits or another calendar.
    return day.toString(u"yyyy-MM-dd") + QStringLiteral(".json");
}

QString path(QDate day, const QString& directory)
{
    if (directory.isEmpty() || !day.isValid())
        return {};
    return QDir(directory).filePath(fileName(day));
}

std::optional<DailySummary> read(const QString& filePath)
{
    if (filePath.isEmpty())
        return std::nullopt;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decodeDailySummary(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::optional<QString> write(const QString& filePath, const DailySummary& summary)
{
    if (filePath.isEmpty())
        return QCoreApplication::translate("Dunmorra::DayFile", "No data folder is known for the history");
    const QString directory = QFileInfo(filePath).absolutePath();
    if (!QDir().mkpath(directory))
        return QCoreApplication::translate("Dunmorra::DayFile", "Could not create the folder %1").arg(directory);

    const std::string bytes = encodeDailySummary(summary);
    return writeFileAtomically(filePath, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace Dunmorra::DayFile
