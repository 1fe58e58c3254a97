#include "platform/DateText.h"

#include <unicode/udat.h>
#include <unicode/udatpg.h>

#include <memory>

namespace Dunmorra {

namespace {

using DateFormat = std::unique_ptr<UDateFormat, decltype(&udat_close)>;

// ICU picks each locale's own arrangement of a month and a day (the "MMMd"
// skeleton), which QLocale does not expose. The date is formatted at noon UTC
// in UTC, so no time zone moves it to another day.
DateFormat openFormat(const QByteArray& localeName)
{
    DateFormat none(nullptr, &udat_close);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UDateTimePatternGenerator, decltype(&udatpg_close)> generator(
        udatpg_open(localeName.constData(), &status), &udatpg_close);
    if (U_FAILURE(status) || !generator)
        return none;
    static const UChar skeleton[] = {u'M', u'M', u'M', u'd'};
    UChar pattern[64];
    const int32_t length = udatpg_getBestPattern(generator.get(), skeleton, 4, pattern, 64, &status);
    if (U_FAILURE(status) || length <= 0 || length >= 64)
        return none;
    static const UChar utc[] = {u'U', u'T', u'C'};
    DateFormat format(udat_open(UDAT_PATTERN, UDAT_PATTERN, localeName.constData(), utc, 3, pattern, length, &status),
                      &udat_close);
    if (U_FAILURE(status))
        return none;
    return format;
}

} // namespace

QString monthDayText(QDate day, const QLocale& locale)
{
    if (!day.isValid())
        return {};
    // One formatter per thread for the locale last asked for: a chart asks
    // for up to ninety dates at a time in one locale.
    thread_local QByteArray cachedName;
    thread_local DateFormat cached(nullptr, &udat_close);
    const QByteArray name = locale.name().toLatin1();
    if (!cached || name != cachedName) {
        cached = openFormat(name);
        cachedName = name;
    }
    if (!cached)
        return locale.toString(day, QStringLiteral("MMM d"));
    const UDate instant = static_cast<UDate>(day.startOfDay(Qt::UTC).toMSecsSinceEpoch()) + 12.0 * 3600 * 1000;
    UErrorCode status = U_ZERO_ERROR;
    UChar buffer[64];
    const int32_t length = udat_format(cached.get(), instant, buffer, 64, nullptr, &status);
    if (U_FAILURE(status) || length <= 0 || length >= 64)
        return locale.toString(day, QStringLiteral("MMM d"));
    return QString(reinterpret_cast<const QChar*>(buffer), length);
}

} // namespace Dunmorra
