#include "model/DaySelection.h"

#include <algorithm>
#include <cmath>

namespace Dunmorra {

namespace {
// A timer may come back late after a suspend, or the user may set the clock:
// the day is looked at again at least this often.
constexpr qint64 kLongestWaitMs = 3'600'000;
// Past the day's first instant, so the clock reads the new day when it fires.
constexpr qint64 kMidnightMarginMs = 50;
// A wait that found the same day again does not come back at once.
constexpr qint64 kShortestRecheckMs = 1'000;
} // namespace

DaySelection::DaySelection(const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_today(today())
{
    m_dayTimer.setSingleShot(true);
    m_dayTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_dayTimer, &QTimer::timeout, this, &DaySelection::checkToday);
    armDayTimer();
}

QDateTime DaySelection::now() const
{
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::floor(m_clock.wallSeconds() * 1000.0)));
}

QDate DaySelection::today() const
{
    return now().date();
}

void DaySelection::setSelectedDate(QDate day)
{
    if (day == m_selected)
        return;
    m_selected = day;
    Q_EMIT selectedDateChanged();
}

void DaySelection::shiftSelectedDate(int days)
{
    const QDate now = today();
    const QDate base = m_selected.isValid() ? m_selected : now;
    QDate shifted = base.addDays(days); // calendar days: a day without a midnight is still one day
    if (!shifted.isValid())
        shifted = base;
    setSelectedDate(shifted >= now ? QDate() : shifted);
}

qint64 DaySelection::msUntilNextDay(const QDateTime& now)
{
    // startOfDay, not midnight: a day whose midnight is skipped starts later.
    const QDateTime next = now.date().addDays(1).startOfDay();
    return std::max<qint64>(1, now.msecsTo(next));
}

void DaySelection::checkToday()
{
    const QDate day = today();
    const bool changed = day != m_today;
    m_today = day;
    armDayTimer();
    if (!changed && m_dayTimer.interval() < kShortestRecheckMs)
        m_dayTimer.start(static_cast<int>(kShortestRecheckMs));
    if (changed)
        Q_EMIT todayChanged();
}

void DaySelection::armDayTimer()
{
    const qint64 wait = std::min(msUntilNextDay(now()) + kMidnightMarginMs, kLongestWaitMs);
    m_dayTimer.start(static_cast<int>(wait));
}

} // namespace Dunmorra
