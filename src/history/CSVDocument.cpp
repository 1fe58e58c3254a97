#include "history/CSVDocument.h"

#include "history/AtomicFile.h"
#include "history/ReferenceTime.h"
#include "platform/NumberText.h"

namespace Dunmorra {

namespace {

constexpr double kKiB = 1024.0;
constexpr double kMiB = 1048576.0;
constexpr double kGiB = 1073741824.0;

QString dateField(QDate day)
{
    // Gregorian with ASCII digits whatever the locale, as the day files are named.
    return day.toString(u"yyyy-MM-dd");
}

// A process's average resident size: whole bytes per counted minute.
QString averageMemoryField(const HistoricProcess& process)
{
    const std::uint64_t average =
        process.cpuCount < 1 ? 0 : process.memorySum / static_cast<std::uint64_t>(process.cpuCount);
    const double bytes = static_cast<double>(average);
    if (bytes >= kGiB)
        return fixedPointText(bytes / kGiB, 1) + QLatin1String(" GB");
    if (bytes >= kMiB)
        return fixedPointText(bytes / kMiB, 0) + QLatin1String(" MB");
    return fixedPointText(bytes / kKiB, 0) + QLatin1String(" KB");
}

} // namespace

CSVDocument::CSVDocument(QString content)
    : m_content(std::move(content))
{
}

CSVDocument::CSVDocument(const std::vector<DayStats>& stats, const std::vector<DailySummary>& summaries)
    : m_content(csvContent(stats, summaries))
{
}

std::optional<QString> CSVDocument::write(const QString& path) const
{
    const QByteArray data = bytes();
    return writeFileAtomically(path, QByteArrayView(data));
}

QString CSVDocument::proposedFileName(StatsRange range)
{
    return QStringLiteral("Halvorin-") + rawValue(range).replace(QLatin1Char(' '), QLatin1Char('-'));
}

QString CSVDocument::textField(const QString& text)
{
    QString field = text;
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!field.isEmpty() && formulaStarts.contains(field.front()))
        field.prepend(QLatin1Char('\''));
    const bool needsQuotes = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))
                             || field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'));
    if (!needsQuotes)
        return field;
    field.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

QString CSVDocument::csvContent(const std::vector<DayStats>& stats, const std::vector<DailySummary>& summaries)
{
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(stats.size() + 3 + 5 * summaries.size() + 1));
    lines << QStringLiteral(
        "Date,Avg CPU %,Peak CPU %,Avg Memory GB,Peak Memory GB,Network Up MB,Network Down MB,Disk Read MB,Disk Write MB");
    for (const DayStats& row : stats) {
        lines << QStringList{dateField(row.date),
                             fixedPointText(row.avgCPU, 1),
                             fixedPointText(row.peakCPU, 1),
                             fixedPointText(row.avgMemoryGB, 2),
                             fixedPointText(row.peakMemoryGB, 2),
                             fixedPointText(row.networkUpMB, 1),
                             fixedPointText(row.networkDownMB, 1),
                             fixedPointText(row.diskReadMB, 1),
                             fixedPointText(row.diskWriteMB, 1)}
                     .join(QLatin1Char(','));
    }
    lines << QString() << QStringLiteral("Top Processes") << QStringLiteral("Date,Process,Avg CPU %,Avg Memory");
    for (const DailySummary& summary : summaries) {
        const QString date = dateField(localDayOfReference(summary.date));
        for (const HistoricProcess& process : summary.topProcesses()) {
            lines << QStringList{date, textField(process.name), fixedPointText(process.averageCPU(), 1),
                                 averageMemoryField(process)}
                         .join(QLatin1Char(','));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace Dunmorra
