#pragma once

#include <QDate>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace Dunmorra {

class Clock;
class SparklineView;
class TextLabel;

// The battery's health over the last seven days: the six previous days as
// their day files recorded it, then today's live value. A note when it has
// not moved, a small line when it has; absent while nothing is known.
//
// The past days are read on a worker when the section is made and again once
// the local day has changed, never on a refresh; until the first read is
// back the section stays hidden rather than show today's value alone.
class HealthTrendSection : public QWidget {
    Q_OBJECT
public:
    HealthTrendSection(QString historyDirectory, const Clock& clock, QWidget* parent = nullptr);

    // Today's live health (0: not known). Starts a new read of the past days
    // when the local day is no longer the one they were read for.
    void setLiveHealth(std::int64_t health);

    // The recorded values, then the live one when it is at least 1.
    static std::vector<std::int64_t> healthSeries(const std::vector<std::int64_t>& recorded, std::int64_t live);
    // Within one percentage point: the largest minus the smallest is below 2.
    static bool isStable(const std::vector<std::int64_t>& series);

    const std::vector<std::int64_t>& series() const { return m_series; }
    // The day the past days were last read for; invalid before the first read is back.
    QDate readDay() const { return m_readDay; }
    // How many reads of the day files were started.
    int readsStarted() const { return m_generation; }

private:
    QDate today() const;
    void readPastDays(QDate today);
    void applyPastDays(QDate day, std::vector<std::int64_t> values);
    void render();

    QString m_directory;
    const Clock& m_clock;
    std::int64_t m_liveHealth = 0;
    QDate m_requestedDay;
    QDate m_readDay;
    int m_generation = 0;
    std::vector<std::int64_t> m_recorded;
    std::vector<std::int64_t> m_series;

    QWidget* m_stable = nullptr;
    TextLabel* m_stableText = nullptr;
    QWidget* m_changing = nullptr;
    SparklineView* m_sparkline = nullptr;
    TextLabel* m_first = nullptr;
    TextLabel* m_last = nullptr;
};

} // namespace Dunmorra
