#pragma once

#include "history/DailySummary.h"

#include <QDate>
#include <QString>

#include <optional>

namespace Dunmorra {

// The one definition of where day files live, shared by every reader and the
// writer. A day exists in history exactly when its file exists.
namespace DayFile {

// "Halvorin/history" under the user's data folder ($XDG_DATA_HOME, else
// ~/.local/share). Empty when the system names no such folder: callers then
// read nothing and every save fails, never writing relative to the working
// directory. It is not created here.
QString historyDirectory();

// The local calendar day in the Gregorian calendar with ASCII digits plus
// ".json" ("2026-12-09.json"), whatever the user's locale or calendar.
QString fileName(QDate day);

// directory/fileName(day); empty when directory is empty.
QString path(QDate day, const QString& directory = historyDirectory());

// The whole file decoded, or nothing: a missing, unreadable or undecodable
// file is no data for that day.
std::optional<DailySummary> read(const QString& filePath);

// Creates the directory, then replaces the file atomically. On failure the
// previous file is untouched and the error's description is returned.
std::optional<QString> write(const QString& filePath, const DailySummary& summary);

} // namespace DayFile

} // namespace Dunmorra
