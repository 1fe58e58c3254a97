#include "platform/NumberText.h"

#include <unicode/unum.h>

#include <charconv>
#include <cmath>
#include <map>
#include <memory>
#include <utility>

namespace Dunmorra {

namespace {

using FormatHandle = std::unique_ptr<UNumberFormat, decltype(&unum_close)>;

// Opening a formatter loads the locale's data, far dearer than formatting;
// the tray and the lists format every second. One per locale and digit count
// and thread: a formatter is not to be shared between threads.
UNumberFormat* percentFormat(const QByteArray& localeName, int digits)
{
    thread_local std::map<std::pair<QByteArray, int>, FormatHandle> formats;
    const auto key = std::make_pair(localeName, digits);
    if (const auto it = formats.find(key); it != formats.end())
        return it->second.get();
    UErrorCode status = U_ZERO_ERROR;
    FormatHandle format(unum_open(UNUM_PERCENT, nullptr, 0, localeName.constData(), nullptr, &status), &unum_close);
    if (U_FAILURE(status) || !format)
        return nullptr;
    unum_setAttribute(format.get(), UNUM_MIN_FRACTION_DIGITS, digits);
    unum_setAttribute(format.get(), UNUM_MAX_FRACTION_DIGITS, digits);
    return formats.emplace(key, std::move(format)).first->second.get();
}

} // namespace

QString localePercent(double fraction, int digits, const QLocale& locale)
{
    if (!std::isfinite(fraction))
        fraction = 0;
    // ICU knows each locale's percent pattern (spacing, sign position), which
    // QLocale does not expose.
    UNumberFormat* format = percentFormat(locale.name().toLatin1(), digits);
    if (!format)
        return QString::number(std::rint(fraction * 100), 'f', digits) + QLatin1Char('%');
    UErrorCode status = U_ZERO_ERROR;
    UChar buffer[64];
    const int32_t length = unum_formatDouble(format, fraction, buffer, 64, nullptr, &status);
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
