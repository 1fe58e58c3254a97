#pragma once

#include "history/DailySummary.h"
#include "history/DayStats.h"
#include "history/StatsRange.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace Dunmorra {

// The Stats tab's export: the daily figures, then each day's top processes,
// as comma-separated text. Lines end in a line feed, with none after the last;
// numbers and dates never follow the user's locale.
class CSVDocument {
public:
    explicit CSVDocument(QString content = {});
    CSVDocument(const std::vector<DayStats>& stats, const std::vector<DailySummary>& summaries);

    const QString& content() const { return m_content; }
    // UTF-8 without a byte-order mark.
    QByteArray bytes() const { return m_content.toUtf8(); }

    // Writes the file atomically: on failure nothing partial is left and the
    // error's description is returned.
    std::optional<QString> write(const QString& path) const;

    // "Halvorin-7-days" and so on, without an extension.
    static QString proposedFileName(StatsRange range);

    // The text of the file for the given rows and their summaries.
    static QString csvContent(const std::vector<DayStats>& stats, const std::vector<DailySummary>& summaries);

    // A free-text field (a process name) made safe: quoted as RFC 4180 says
    // when it holds a comma, a quote or a line break, and with a leading
    // apostrophe when a spreadsheet would take it for a formula. Any other
    // text is unchanged.
    static QString textField(const QString& text);

private:
    QString m_content;
};

} // namespace Dunmorra
