#include "platform/NumberText.h"

#include <unicode/unum.h>

#include <charconv>
#include <cmath>
#include <memory>

namespace Dunmorra {

QString localePercent(double fraction, int digits, const QLocale& locale)
{
    if (!std::isfinite(fraction))
        fraction = 0;
    // ICU knows each locale's percent pattern (spacing, sign position), which
    // QLocale does not expose.
    UErrorCode status = U_ZERO_ERROR;
    const QByteArray name = locale.name().toLatin1();
    std::unique_ptr<UNumberFormat, decltype(&unum_close)> format(
        unum_open(UNUM_PERCENT, nullptr, 0, name.constData(), nullptr, &status), &unum_close);
    if (U_FAILURE(status) || !format)
        return QString::number(std::rint(fraction * 100), 'f', digits) + QLatin1Char('%');
    unum_setAttribute(format.get(), UNUM_MIN_FRACTION_DIGITS, digits);
    unum_setAttribute(format.get(), UNUM_MAX_FRACTION_DIGITS, digits);
    UChar buffer[64];
    const int32_t length = unum_formatDouble(format.get(), fraction, buffer, 64, nullptr, &status);
    if (U_FAILURE(status) || length <= 0)
        return QString::number(fraction * 100, 'f', digits) + QLatin1Char('%');
    return QString(reinterpret_cast<const QChar*>(buffer), std::min(length, 63));
}

QString fixedPointText(double value, int digits)
{
    char buffer[400]; // the longest double in fixed notation fits
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, digits);
    if (result.ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer));
}

} // namespace Dunmorra
