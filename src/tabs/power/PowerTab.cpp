#include "tabs/power/PowerTab.h"

#include "components/Card.h"
#include "components/Divider.h"
#include "components/Palette.h"
#include "components/SparklineView.h"
#include "components/StatusDot.h"
#include "components/Symbols.h"
#include "components/ThinBar.h"
#include "model/BatteryProvider.h"
#include "tabs/InfoRow.h"
#include "tabs/PagePieces.h"
#include "tabs/power/HealthTrendSection.h"
#include "tabs/power/PowerFigures.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {
constexpr int kTileDividerHeight = 44;

// A figure over its label, centred in an equal share of the row.
QWidget* metricTile(const QString& label, const QString& valueName, TextLabel*& value)
{
    auto* tile = new QWidget;
    tile->setObjectName(QStringLiteral("tile:") + valueName);
    auto* stack = PagePieces::stack(tile, 4);
    stack->setContentsMargins(0, 8, 0, 8);
    value = new TextLabel(QString(), Fonts::value());
    value->setObjectName(valueName);
    value->setAlignment(Qt::AlignCenter);
    auto* caption = new TextLabel(label, Fonts::caption(), Tone::Secondary);
    caption->setAlignment(Qt::AlignCenter);
    stack->addWidget(value);
    stack->addWidget(caption);
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHorizontalStretch(1);
    tile->setSizePolicy(policy);
    return tile;
}

QWidget* titledSection(const QString& title, QWidget* card, const QString& name)
{
    auto* section = new QWidget;
    section->setObjectName(name);
    auto* stack = PagePieces::stack(section, 10);
    stack->addWidget(PagePieces::sectionTitle(title));
    stack->addWidget(card);
    return section;
}
} // namespace

PowerTab::PowerTab(BatteryProvider& battery, QString historyDirectory, const Clock& clock, QWidget* parent)
    : TabPage(parent)
    , m_battery(battery)
    , m_historyDirectory(std::move(historyDirectory))
    , m_clock(clock)
{
    setObjectName(QStringLiteral("tab.power"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    connect(&m_battery, &BatteryProvider::currentChanged, this, &PowerTab::refreshCurrent);
    connect(&m_battery, &BatteryProvider::historyChanged, this, &PowerTab::refreshHistory);
    connect(&m_battery, &BatteryProvider::hasBatteryChanged, this, &PowerTab::batteryFound);
    if (m_battery.hasBattery())
        batteryFound();
    else
        stack()->addWidget(m_noBattery = buildNoBatteryCard());
}

QWidget* PowerTab::buildNoBatteryCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 0);
    auto* text = new IconLabel(QStringLiteral("battery.slash"), tr("No battery found"), Fonts::value(), secondaryText());
    text->label()->setObjectName(QStringLiteral("noBatteryText"));
    stack->addWidget(text);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("noBatteryCard"));
    return card;
}

void PowerTab::batteryFound()
{
    if (m_built || !m_battery.hasBattery())
        return;
    if (m_noBattery) {
        delete m_noBattery;
        m_noBattery = nullptr;
    }
    buildBatteryPage();
    refreshCurrent();
    refreshHistory();
}

void PowerTab::buildBatteryPage()
{
    m_built = true;
    auto* top = cardRow();
    QWidget* status = buildStatusCard();
    QWidget* source = buildSourceCard();
    shareRowWidth(status);
    shareRowWidth(source);
    top->addWidget(status, 1, Qt::AlignVCenter);
    top->addWidget(source, 1, Qt::AlignVCenter);
    stack()->addLayout(top);
    stack()->addWidget(buildElectricalSection());
    stack()->addWidget(buildHealthSection());
    m_trend = new HealthTrendSection(m_historyDirectory, m_clock);
    stack()->addWidget(m_trend);
    stack()->addWidget(buildChargeHistorySection());
}

QWidget* PowerTab::buildStatusCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 8);
    m_batteryTitle = PagePieces::cardTitle(QStringLiteral("battery.100percent"), tr("Battery"));
    m_batteryTitle->symbolView()->setObjectName(QStringLiteral("batterySymbol"));
    stack->addWidget(m_batteryTitle);
    m_percent = new TextLabel(QString(), Fonts::bigFigure());
    m_percent->setObjectName(QStringLiteral("batteryPercent"));
    stack->addWidget(m_percent);
    m_percentBar = new ThinBar(paletteGreen());
    m_percentBar->setObjectName(QStringLiteral("batteryBar"));
    stack->addWidget(m_percentBar);
    m_detail = new TextLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_detail->setObjectName(QStringLiteral("batteryDetail"));
    stack->addWidget(m_detail);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("statusCard"));
    return card;
}

QWidget* PowerTab::buildSourceCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 12);
    stack->addWidget(PagePieces::cardTitle(QStringLiteral("powerplug"), tr("Power Source")));
    auto* status = PagePieces::row(8);
    m_statusDot = new StatusDot(palettePrimary(), 10);
    m_statusDot->setObjectName(QStringLiteral("statusDot"));
    m_statusText = new TextLabel(QString(), Fonts::value());
    m_statusText->setObjectName(QStringLiteral("powerStatus"));
    status->addWidget(m_statusDot, 0, Qt::AlignVCenter);
    status->addWidget(m_statusText, 0, Qt::AlignVCenter);
    status->addStretch(1);
    stack->addLayout(status);
    m_powerRow = new InfoRow(QString(), QStringLiteral("powerValue"));
    m_powerRow->setObjectName(QStringLiteral("powerRow"));
    m_powerRow->label()->setObjectName(QStringLiteral("powerLabel"));
    m_temperatureRow = new InfoRow(tr("Temperature"), QStringLiteral("temperatureValue"));
    m_temperatureRow->setObjectName(QStringLiteral("temperatureRow"));
    stack->addWidget(m_powerRow);
    stack->addWidget(m_temperatureRow);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("sourceCard"));
    return card;
}

QWidget* PowerTab::buildElectricalSection()
{
    auto* content = new QWidget;
    auto* row = PagePieces::row(0);
    content->setLayout(row);
    row->addWidget(metricTile(tr("Voltage"), QStringLiteral("voltageTile"), m_voltageTile));
    row->addWidget(Divider::vertical(kTileDividerHeight), 0, Qt::AlignVCenter);
    row->addWidget(metricTile(tr("Current"), QStringLiteral("currentTile"), m_currentTile));
    row->addWidget(Divider::vertical(kTileDividerHeight), 0, Qt::AlignVCenter);
    row->addWidget(metricTile(tr("Power"), QStringLiteral("powerTile"), m_powerTile));
    m_temperatureDivider = Divider::vertical(kTileDividerHeight);
    row->addWidget(m_temperatureDivider, 0, Qt::AlignVCenter);
    m_temperatureTile = metricTile(tr("Temp"), QStringLiteral("temperatureTile"), m_temperatureValue);
    row->addWidget(m_temperatureTile);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("electricalCard"));
    return titledSection(tr("Electrical"), card, QStringLiteral("electrical"));
}

QWidget* PowerTab::buildHealthSection()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 8);
    m_condition = new InfoRow(tr("Condition"), QStringLiteral("conditionValue"));
    m_health = new InfoRow(tr("Health"), QStringLiteral("healthValue"));
    m_cycles = new InfoRow(tr("Cycle Count"), QStringLiteral("cycleCountValue"));
    m_currentCapacity = new InfoRow(tr("Current Capacity"), QStringLiteral("currentCapacityValue"));
    m_currentCapacity->setObjectName(QStringLiteral("currentCapacityRow"));
    m_currentCapacityDivider = new Divider(0.4);
    m_designCapacity = new InfoRow(tr("Design Capacity"), QStringLiteral("designCapacityValue"));
    m_designCapacity->setObjectName(QStringLiteral("designCapacityRow"));
    stack->addWidget(m_condition);
    stack->addWidget(new Divider(0.4));
    stack->addWidget(m_health);
    stack->addWidget(new Divider(0.4));
    stack->addWidget(m_cycles);
    stack->addWidget(new Divider(0.4));
    stack->addWidget(m_currentCapacity);
    stack->addWidget(m_currentCapacityDivider);
    stack->addWidget(m_designCapacity);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("healthCard"));
    return titledSection(tr("Battery Health"), card, QStringLiteral("batteryHealth"));
}

QWidget* PowerTab::buildChargeHistorySection()
{
    auto* section = new QWidget;
    section->setObjectName(QStringLiteral("chargeHistory"));
    auto* stack = PagePieces::stack(section, 8);
    stack->addWidget(PagePieces::cardTitle(QStringLiteral("chart.xyaxis.line"), tr("Charge history  (last 30 min)")));
    // The accessible name of this line is a fixed text, not one of the catalogue.
    m_chargeSparkline = new SparklineView(accentColor(), false, SparklineView::trendName());
    m_chargeSparkline->setObjectName(QStringLiteral("chargeSparkline"));
    m_chargeSparkline->setFixedHeight(40);
    stack->addWidget(m_chargeSparkline);
    stack->addLayout(PagePieces::edgeRow(new TextLabel(tr("0%"), Fonts::caption(), Tone::Secondary),
                                         new TextLabel(tr("100%"), Fonts::caption(), Tone::Secondary)));
    return section;
}

void PowerTab::refreshCurrent()
{
    if (!m_built)
        return;
    const BatterySnapshot& b = m_battery.current();

    m_batteryTitle->symbolView()->setSymbol(PowerFigures::batteryIconName(b));
    m_percent->setTextIfChanged(PagePieces::wholePercent(static_cast<double>(b.percent)));
    m_percentBar->setColor(PowerFigures::percentColor(b));
    m_percentBar->setFraction(static_cast<double>(b.percent) / 100.0);
    m_detail->setTextIfChanged(PowerFigures::statusDetail(b));

    m_statusDot->setColor(PowerFigures::statusColor(b));
    m_statusText->setTextIfChanged(PowerFigures::powerStatusText(b));
    const double watts = PowerFigures::powerWatts(b);
    m_powerRow->setVisible(watts > 0);
    m_powerRow->setLabel(b.isCharging ? tr("Charging") : tr("Draw"));
    m_powerRow->setValue(PowerFigures::wattsText(watts));
    m_temperatureRow->setVisible(b.temperatureCelsius.has_value());
    if (b.temperatureCelsius)
        m_temperatureRow->setValue(PowerFigures::temperatureText(*b.temperatureCelsius));

    m_voltageTile->setTextIfChanged(PowerFigures::voltageText(b.voltageMV));
    m_currentTile->setTextIfChanged(PowerFigures::currentText(b.amperageMa));
    m_powerTile->setTextIfChanged(PowerFigures::wattsText(watts));
    m_temperatureDivider->setVisible(b.temperatureCelsius.has_value());
    m_temperatureTile->setVisible(b.temperatureCelsius.has_value());
    if (b.temperatureCelsius)
        m_temperatureValue->setTextIfChanged(PowerFigures::temperatureText(*b.temperatureCelsius));

    m_condition->setValue(conditionLabel(b.condition));
    m_health->setValue(PagePieces::wholePercent(static_cast<double>(b.healthPercent)));
    m_cycles->setValue(QString::number(b.cycleCount));
    m_currentCapacity->setVisible(b.currentCapacityMah >= 1);
    m_currentCapacityDivider->setVisible(b.currentCapacityMah >= 1);
    m_currentCapacity->setValue(PowerFigures::capacityText(b.currentCapacityMah));
    m_designCapacity->setVisible(b.designCapacityMah >= 1);
    m_designCapacity->setValue(PowerFigures::capacityText(b.designCapacityMah));

    m_trend->setLiveHealth(b.healthPercent);
}

void PowerTab::refreshHistory()
{
    if (!m_built)
        return;
    m_chargeSparkline->setValues(PowerFigures::chargeSeries(m_battery.history()));
}

} // namespace Dunmorra
