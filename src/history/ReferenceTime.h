#pragma once

#include "model/Clock.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

namespace Dunmorra {

// Day files store dates as seconds since 2001-01-01 00:00:00 UTC. Keeping the
// stored number as a double (not a QDateTime) makes a file round trip exact.

// 0001-01-01 00:00 UTC in the file's reference: the start value of a peak
// time. Qt shows this instant as a Julian-calendar date, so it is never
// rebuilt from QDate(1, 1, 1), which is two days off.
inline constexpr double kDistantPastReference = -63114076800.0;

inline double referenceFromUnix(double unixSeconds)
{
    return unixSeconds - kReferenceDateOffset;
}

inline double unixFromReference(double referenceSeconds)
{
    return referenceSeconds + kReferenceDateOffset;
}

// The first valid local instant of the day: QDate::startOfDay() also handles a
// day whose midnight a DST change skips.
inline double dayStartReference(QDate day)
{
    return referenceFromUnix(static_cast<double>(day.startOfDay().toSecsSinceEpoch()));
}

// An instant beyond what milliseconds in 64 bits can hold (only an altered
// day file has one) is no instant: the cast would be undefined.
inline QDateTime localDateTimeFromUnix(double unixSeconds)
{
    const double ms = std::floor(unixSeconds * 1000.0);
    if (!(ms > -9.2e18 && ms < 9.2e18))
        return {};
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(ms), Qt::LocalTime);
}

// The local calendar day that holds a stored instant, in the current time zone.
inline QDate localDayOfReference(double referenceSeconds)
{
    return localDateTimeFromUnix(unixFromReference(referenceSeconds)).date();
}

} // namespace Dunmorra
