#pragma once

#include <QDate>
#include <QString>

#include <cstdint>
#include <vector>

namespace Dunmorra {

// How many days before today the battery-health trend looks back.
inline constexpr int kHealthTrendPastDays = 6;

// The battery health recorded on each of the six days before `today`, oldest
// first, from their day files in `directory`. A day whose file is missing,
// unreadable or undecodable, or which recorded no health (0), adds nothing;
// the gap is not filled. Today's own file is never read: today's value is
// the live one. Reads at most six small files; safe on a worker thread.
std::vector<std::int64_t> recordedBatteryHealth(QDate today, const QString& directory);

} // namespace Dunmorra
