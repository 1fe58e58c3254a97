#pragma once

#include <QLocale>
#include <QString>

namespace Dunmorra {

// A fraction (0.074 for 7.4 %) as a percentage with exactly `digits` fraction
// digits in the given locale's own percent pattern ("7%", "7 %", "%7"),
// rounded half to even.
QString localePercent(double fraction, int digits, const QLocale& locale = QLocale());

// `value` with exactly `digits` fraction digits as printf's "%.Nf" gives it
// in the C locale: always a decimal point, whatever the user's locale.
QString fixedPointText(double value, int digits);

} // namespace Dunmorra
