#pragma once

#include "model/Clock.h"

#include <QDate>
#include <QDateTime>
#include <QObject>
#include <QTimer>

namespace Dunmorra {

// The day the history views show: none while live (today, from the
// providers), otherwise a local calendar day before today. The environment
// owns it for the life of the process, so a chosen day stays chosen while
// the user visits other tabs or closes the window. It also says when the
// local day turns over, so a live view looks for the new yesterday and a
// "Yesterday" becomes a date without anyone touching it.
class DaySelection : public QObject {
    Q_OBJECT
    // Invalid: live; otherwise a past local day.
    Q_PROPERTY(QDate selectedDate READ selectedDate WRITE setSelectedDate NOTIFY selectedDateChanged)
public:
    explicit DaySelection(const Clock& clock = Clock::system(), QObject* parent = nullptr);

    QDate selectedDate() const { return m_selected; }
    bool isLive() const { return !m_selected.isValid(); }
    void setSelectedDate(QDate day);
    // Moves by `days` calendar days from the selected day, or from today
    // when live; today or later is live again.
    void shiftSelectedDate(int days);

    // The local day the clock reads now.
    QDate today() const;
    // The day on screen: the selected day, or today when live.
    QDate shownDay() const { return isLive() ? today() : m_selected; }

    // Milliseconds from `now` to the start of the next local day (at least
    // 1), so a day of 23 or 25 hours is waited out in full.
    static qint64 msUntilNextDay(const QDateTime& now);

    // Reads the clock again: announces todayChanged when the local day is
    // not the one last seen, and re-arms the wait for the next day's start.
    // The timer calls it; so may a view that was away for a while.
    void checkToday();
    const QTimer& dayTimer() const { return m_dayTimer; }

Q_SIGNALS:
    void selectedDateChanged();
    void todayChanged();

private:
    QDateTime now() const;
    void armDayTimer();

    const Clock& m_clock;
    QDate m_selected;
    QDate m_today;
    QTimer m_dayTimer;
};

} // namespace Dunmorra
