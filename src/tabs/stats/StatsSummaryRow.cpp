#include "tabs/stats/StatsSummaryRow.h"

#include "components/Card.h"
#include "components/Conversions.h"
#include "components/ElidedLabel.h"
#include "components/Formatters.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "components/SystemColors.h"
#include "components/TabPage.h"
#include "components/Typography.h"
#include "history/StatsFigures.h"
#include "platform/NumberText.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {
constexpr double kMB = 1048576.0;
constexpr int kKeptFigureWidth = 180;
} // namespace

StatsSummaryRow::StatsSummaryRow(QWidget* parent)
    : QWidget(parent)
{
    auto* row = TabPage::cardRow();
    setLayout(row);
    m_days = addCard(QStringLiteral("calendar"), SystemColors::indigo(), tr("Days recorded"), "daysRecorded");
    m_avgCPU = addCard(QStringLiteral("cpu"), paletteBlue(), tr("Avg CPU"), "avgCPU");
    m_peakCPU = addCard(QStringLiteral("cpu"), paletteRed(), tr("Peak CPU"), "peakCPU");
    m_totalData = addCard(QStringLiteral("network"), paletteGreen(), tr("Total data"), "totalData");
    setStats({});
}

TextLabel* StatsSummaryRow::addCard(const QString& symbol, const QColor& tint, const QString& title, const char* name)
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 6);
    auto* heading = new IconLabel(symbol, title, Fonts::caption(), secondaryText());
    // The card's colour marks its symbol; the text keeps the secondary tone.
    heading->symbolView()->setColor(tint);
    stack->addWidget(heading);
    // A figure keeps its whole width ("32,5 %" in Spanish is wider than a
    // quarter of the narrowest row): the row shares out what is left, and the
    // page makes room. Only an absurd one (a hand-made day file) ends in an
    // ellipsis; its accessible name and tooltip keep it whole.
    auto* value = new ElidedLabel(QString(), Fonts::bigFigure());
    value->setObjectName(QLatin1String(name));
    value->setProperty("title", title);
    value->setKeptWidth(kKeptFigureWidth);
    stack->addWidget(value);
    auto* card = new Card(content, nullptr);
    // Equal shares of the row, but never less than a card's own content.
    QSizePolicy share(QSizePolicy::Preferred, QSizePolicy::Preferred);
    share.setHorizontalStretch(1);
    card->setSizePolicy(share);
    static_cast<QHBoxLayout*>(layout())->addWidget(card, 1);
    return value;
}

void StatsSummaryRow::setValue(TextLabel* label, const QString& value)
{
    label->setTextIfChanged(value);
    label->setToolTip(value);
    label->setAccessibleName(label->property("title").toString() + QLatin1String(": ") + value);
}

void StatsSummaryRow::setStats(const std::vector<DayStats>& stats)
{
    using namespace StatsFigures;
    setValue(m_days, QString::number(stats.size()));
    setValue(m_avgCPU, localePercent(chartable(average(stats, &DayStats::avgCPU)) / 100.0, 1));
    setValue(m_peakCPU, localePercent(chartable(largest(stats, &DayStats::peakCPU)) / 100.0, 0));
    const double dataMB = total(stats, &DayStats::networkUpMB) + total(stats, &DayStats::networkDownMB);
    setValue(m_totalData, QString::fromStdString(formatBytes(toUInt64Clamped(dataMB * kMB))));
}

QStringList StatsSummaryRow::values() const
{
    return {m_days->text(), m_avgCPU->text(), m_peakCPU->text(), m_totalData->text()};
}

} // namespace Dunmorra
