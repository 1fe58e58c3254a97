#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

namespace Dunmorra {

// The abbreviated month and the day of the month as the locale arranges
// them: "Mar 5" in English, "5 mar" in Spanish.
QString monthDayText(QDate day, const QLocale& locale = QLocale());

} // namespace Dunmorra
