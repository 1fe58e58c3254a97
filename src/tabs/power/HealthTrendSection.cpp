#include "tabs/power/HealthTrendSection.h"

#include "components/Card.h"
#include "components/Palette.h"
#include "components/SparklineView.h"
#include "components/Symbols.h"
#include "components/SystemColors.h"
#include "components/Typography.h"
#include "history/BatteryHealthHistory.h"
#include "history/ReferenceTime.h"
#include "model/Clock.h"
#include "model/WorkerPool.h"
#include "tabs/PagePieces.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QVBoxLayout>

#include <algorithm>

namespace Dunmorra {

HealthTrendSection::HealthTrendSection(QString historyDirectory, const Clock& clock, QWidget* parent)
    : QWidget(parent)
    , m_directory(std::move(historyDirectory))
    , m_clock(clock)
{
    setObjectName(QStringLiteral("healthTrend"));
    auto* outer = PagePieces::stack(this, 10);
    outer->addWidget(PagePieces::sectionTitle(tr("Health trend (7 days)")));

    auto* content = new QWidget;
    auto* contentStack = PagePieces::stack(content, 0);

    m_stable = new QWidget;
    m_stable->setObjectName(QStringLiteral("stableHealth"));
    auto* stableRow = PagePieces::row(10);
    m_stable->setLayout(stableRow);
    // The platform's green here, not the status green of the bars.
    stableRow->addWidget(new SymbolView(QStringLiteral("checkmark.circle.fill"), 18, SystemColors::green()), 0,
                         Qt::AlignVCenter);
    auto* stableTexts = PagePieces::stack(2);
    m_stableText = new TextLabel(QString(), Fonts::value());
    m_stableText->setObjectName(QStringLiteral("stableText"));
    stableTexts->addWidget(m_stableText);
    stableTexts->addWidget(new TextLabel(tr("No measurable change in the past 7 days"), Fonts::caption(), Tone::Secondary));
    stableRow->addLayout(stableTexts);
    stableRow->addStretch(1);
    contentStack->addWidget(m_stable);

    m_changing = new QWidget;
    m_changing->setObjectName(QStringLiteral("changingHealth"));
    auto* changing = PagePieces::stack(m_changing, 8);
    m_sparkline = new SparklineView(SystemColors::green(), true, tr("Battery health over the past 7 days"));
    m_sparkline->setObjectName(QStringLiteral("healthSparkline"));
    m_sparkline->setFixedHeight(40);
    changing->addWidget(m_sparkline);
    m_first = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_first->setObjectName(QStringLiteral("firstHealth"));
    m_last = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_last->setObjectName(QStringLiteral("lastHealth"));
    changing->addLayout(PagePieces::edgeRow(m_first, m_last));
    changing->addLayout(PagePieces::edgeRow(new TextLabel(tr("7 days ago"), Fonts::caption(), Tone::Tertiary),
                                            new TextLabel(tr("Today"), Fonts::caption(), Tone::Tertiary)));
    contentStack->addWidget(m_changing);

    outer->addWidget(new Card(content, nullptr));
    hide();
    readPastDays(today());
}

QDate HealthTrendSection::today() const
{
    return localDateTimeFromUnix(m_clock.wallSeconds()).date();
}

void HealthTrendSection::setLiveHealth(std::int64_t health)
{
    const QDate now = today();
    if (now != m_requestedDay)
        readPastDays(now);
    if (health == m_liveHealth)
        return;
    m_liveHealth = health;
    render();
}

void HealthTrendSection::readPastDays(QDate day)
{
    m_requestedDay = day;
    const int generation = ++m_generation;
    QPointer<HealthTrendSection> self(this);
    samplingPool().start([self, generation, day, directory = m_directory] {
        std::vector<std::int64_t> values = recordedBatteryHealth(day, directory);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, generation, day, values = std::move(values)]() mutable {
                // A read overtaken by a newer day's read is dropped.
                if (self && self->m_generation == generation)
                    self->applyPastDays(day, std::move(values));
            },
            Qt::QueuedConnection);
    });
}

void HealthTrendSection::applyPastDays(QDate day, std::vector<std::int64_t> values)
{
    m_readDay = day;
    m_recorded = std::move(values);
    render();
}

std::vector<std::int64_t> HealthTrendSection::healthSeries(const std::vector<std::int64_t>& recorded, std::int64_t live)
{
    std::vector<std::int64_t> out;
    out.reserve(recorded.size() + 1);
    for (std::int64_t v : recorded) {
        if (v >= 1)
            out.push_back(v);
    }
    if (live >= 1)
        out.push_back(live);
    return out;
}

bool HealthTrendSection::isStable(const std::vector<std::int64_t>& series)
{
    if (series.empty())
        return true;
    const auto [lo, hi] = std::minmax_element(series.begin(), series.end());
    return *hi - *lo < 2;
}

void HealthTrendSection::render()
{
    if (!m_readDay.isValid())
        return;
    m_series = healthSeries(m_recorded, m_liveHealth);
    setVisible(!m_series.empty());
    if (m_series.empty())
        return;
    const bool stable = isStable(m_series);
    m_stable->setVisible(stable);
    m_changing->setVisible(!stable);
    if (stable) {
        const std::int64_t lo = *std::min_element(m_series.begin(), m_series.end());
        m_stableText->setTextIfChanged(tr("Stable at %1").arg(PagePieces::wholePercent(static_cast<double>(lo))));
        return;
    }
    std::vector<double> fractions;
    fractions.reserve(m_series.size());
    for (std::int64_t v : m_series)
        fractions.push_back(static_cast<double>(v) / 100.0);
    m_sparkline->setValues(std::move(fractions));
    m_first->setTextIfChanged(PagePieces::wholePercent(static_cast<double>(m_series.front())));
    const std::int64_t last = m_series.back();
    m_last->setTextIfChanged(PagePieces::wholePercent(static_cast<double>(last)));
    if (last <= 79)
        m_last->setColor(paletteRed());
    else
        m_last->setTone(Tone::Secondary);
}

} // namespace Dunmorra
