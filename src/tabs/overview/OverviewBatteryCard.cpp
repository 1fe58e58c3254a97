#include "tabs/overview/OverviewBatteryCard.h"

#include "components/Card.h"
#include "components/Conversions.h"
#include "components/ElidedLabel.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "components/ThinBar.h"
#include "model/BatteryProvider.h"
#include "tabs/PagePieces.h"
#include "tabs/overview/OverviewPieces.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

OverviewBatteryCard::OverviewBatteryCard(BatteryProvider& battery, QWidget* parent)
    : QWidget(parent)
    , m_battery(battery)
{
    setObjectName(QStringLiteral("batteryCard"));
    QVBoxLayout* stack = nullptr;
    Card* card = OverviewPieces::metricCard("batteryCardFrame", stack, 10);

    auto* header = PagePieces::row();
    header->addWidget(OverviewPieces::cardHeader(QStringLiteral("battery.75percent"), tr("Battery")), 0,
                      Qt::AlignVCenter);
    header->addStretch(1);
    m_charging = new SymbolView(QStringLiteral("bolt.fill"), 11, paletteGreen());
    m_charging->setObjectName(QStringLiteral("chargingMark"));
    header->addWidget(m_charging, 0, Qt::AlignVCenter);
    stack->addLayout(header);

    m_figures = new QWidget;
    auto* figures = PagePieces::stack(m_figures, 10);
    m_value = OverviewPieces::figure(32, "batteryValue");
    figures->addWidget(m_value);
    m_bar = new ThinBar(paletteGreen());
    m_bar->setObjectName(QStringLiteral("batteryBar"));
    figures->addWidget(m_bar);
    m_caption = OverviewPieces::caption("batteryCaption", Tone::Secondary);
    figures->addWidget(m_caption);
    stack->addWidget(m_figures);

    m_note = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_note->setObjectName(QStringLiteral("batteryNote"));
    m_note->setWordWrap(true);
    stack->addWidget(m_note);
    PagePieces::stack(this, 0)->addWidget(card);

    const auto live = [this] {
        if (!m_day.isRecorded())
            refresh();
    };
    connect(&m_battery, &BatteryProvider::currentChanged, this, live);
    connect(&m_battery, &BatteryProvider::hasBatteryChanged, this, live);
    refresh();
}

void OverviewBatteryCard::showDay(const OverviewDay& day)
{
    m_day = day;
    refresh();
}

std::optional<OverviewBatteryCard::DayLevels> OverviewBatteryCard::dayLevels(const DailySummary& day)
{
    const std::optional<std::int64_t> start = day.batteryStartPercent();
    const std::optional<std::int64_t> end = day.batteryEndPercent();
    if (!start || !end)
        return std::nullopt;
    return DayLevels{*start, *end};
}

QColor OverviewBatteryCard::levelColor(std::int64_t percent)
{
    return percent > 19 ? paletteGreen() : paletteRed();
}

QString OverviewBatteryCard::recordedCaption(const DayLevels& levels)
{
    return tr("Started %1  ·  Ended %2")
        .arg(PagePieces::wholePercent(static_cast<double>(levels.start)),
             PagePieces::wholePercent(static_cast<double>(levels.end)));
}

void OverviewBatteryCard::refresh()
{
    if (const DailySummary* day = m_day.recorded()) {
        m_charging->hide();
        if (const std::optional<DayLevels> levels = dayLevels(*day))
            showLevel(levels->end, recordedCaption(*levels));
        else
            showNote(tr("Not recorded on this day"));
        return;
    }
    if (!m_battery.hasBattery()) {
        m_charging->hide();
        showNote(tr("No battery found"));
        return;
    }
    const BatterySnapshot& now = m_battery.current();
    m_charging->setVisible(now.isCharging);
    showLevel(now.percent, now.timeRemainingText());
}

void OverviewBatteryCard::showLevel(std::int64_t percent, const QString& caption)
{
    m_note->hide();
    m_figures->show();
    m_value->setTextIfChanged(PagePieces::wholePercent(static_cast<double>(percent)));
    m_bar->setFraction(static_cast<double>(percent) / 100.0);
    m_bar->setColor(levelColor(percent));
    m_caption->setTextIfChanged(caption);
}

void OverviewBatteryCard::showNote(const QString& note)
{
    m_figures->hide();
    m_note->setTextIfChanged(note);
    m_note->show();
}

} // namespace Dunmorra
