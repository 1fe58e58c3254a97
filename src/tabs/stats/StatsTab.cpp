#include "tabs/stats/StatsTab.h"

#include "components/Card.h"
#include "components/Conversions.h"
#include "components/Formatters.h"
#include "components/Palette.h"
#include "components/SegmentedPicker.h"
#include "components/Symbols.h"
#include "components/SystemColors.h"
#include "history/CSVDocument.h"
#include "history/StatsFigures.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "tabs/PagePieces.h"
#include "tabs/stats/StatsAxisTicks.h"
#include "tabs/stats/StatsBarChart.h"
#include "tabs/stats/StatsChartCard.h"
#include "tabs/stats/StatsLegendItem.h"
#include "tabs/stats/StatsSummaryRow.h"
#include "tabs/stats/StatsTrendChart.h"

#include <QCategoryAxis>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QMimeDatabase>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace Dunmorra {

namespace {

using namespace StatsFigures;

constexpr double kMB = 1048576.0;

QString rangeTitle(StatsRange range)
{
    switch (range) {
    case StatsRange::week:
        return StatsTab::tr("7 days");
    case StatsRange::month:
        return StatsTab::tr("30 days");
    case StatsRange::quarter:
        return StatsTab::tr("90 days");
    }
    return {};
}

QString gigabytes(double value)
{
    return fixedPointText(chartable(value), 1) + QLatin1String(" GB");
}

QString megabytesAsBytes(double megabytes)
{
    return QString::fromStdString(formatBytes(toUInt64Clamped(megabytes * kMB)));
}

QString percent(double value, int digits)
{
    return localePercent(chartable(value) / 100.0, digits);
}

std::vector<AxisMark> marksAt(const std::vector<double>& values, const std::function<QString(double)>& text)
{
    std::vector<AxisMark> marks;
    for (double v : values)
        marks.push_back({v, text(v)});
    return marks;
}

// Tells a file's type from its name alone. The dialog's own provider reads
// the start of every file it lists, which never returns for some (browsing
// /proc reaches /proc/kmsg) and would hang the window.
class NameOnlyIconProvider : public QFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QFileIconProvider::icon(IconType::Folder);
        const QMimeType mime = m_types.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
        return QIcon::fromTheme(mime.iconName(), QFileIconProvider::icon(IconType::File));
    }
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QFileIconProvider::type(info);
        return m_types.mimeTypeForFile(info, QMimeDatabase::MatchExtension).comment();
    }

private:
    QMimeDatabase m_types;
};

QString chooseFileWithDialog(QWidget* parent, const QString& proposedName)
{
    QFileDialog dialog(parent, StatsTab::tr("Export CSV"));
    NameOnlyIconProvider icons;
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // Portal and desktop dialogs may ignore the default suffix: the proposed
    // name carries its extension itself.
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setNameFilters({StatsTab::tr("CSV files (*.csv)"), StatsTab::tr("All files (*)")});
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    dialog.setDirectory(folder);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void showErrorInMessageBox(QWidget* parent, const QString& message)
{
    QMessageBox box(QMessageBox::Warning, StatsTab::tr("Export failed"), message, QMessageBox::Ok, parent);
    // File names and system messages are data, never markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

StatsTab::StatsTab(const HistoryRecorder& recorder, const Clock& clock, ExportServices services, QWidget* parent)
    : TabPage(parent)
    , m_loader(recorder, clock)
    , m_services(std::move(services))
{
    setObjectName(QStringLiteral("tab.stats"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    if (!m_services.chooseFile)
        m_services.chooseFile = chooseFileWithDialog;
    if (!m_services.showError)
        m_services.showError = showErrorInMessageBox;

    stack()->addWidget(buildHeader());
    m_loadingCard = buildLoadingCard();
    m_emptyCard = buildEmptyCard();
    m_statistics = buildStatistics();
    stack()->addWidget(m_loadingCard);
    stack()->addWidget(m_statistics);
    stack()->addWidget(m_emptyCard);

    m_chartTimer = new QTimer(this);
    m_chartTimer->setSingleShot(true);
    m_chartTimer->setInterval(0);
    connect(m_chartTimer, &QTimer::timeout, this, &StatsTab::showNextChart);
    connect(&m_loader, &StatsHistoryLoader::loaded, this, &StatsTab::applyHistory);
    connect(&m_loader, &StatsHistoryLoader::loadingChanged, this, &StatsTab::refreshBody);
    refreshBody();
    m_loader.load(m_range);
}

QWidget* StatsTab::buildHeader()
{
    auto* header = new QWidget;
    auto* row = PagePieces::row();
    header->setLayout(row);
    QStringList titles;
    for (StatsRange range : allStatsRanges)
        titles << rangeTitle(range);
    m_picker = new SegmentedPicker(titles);
    m_picker->setObjectName(QStringLiteral("rangePicker"));
    connect(m_picker, &SegmentedPicker::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(allStatsRanges.size()))
            setRange(allStatsRanges[static_cast<std::size_t>(index)]);
    });
    row->addWidget(m_picker, 0, Qt::AlignVCenter);
    row->addStretch(1);
    m_export = new QPushButton(symbolIcon(QStringLiteral("arrow.down.doc")), tr("Export CSV"));
    m_export->setObjectName(QStringLiteral("exportCSV"));
    m_export->setAccessibleName(tr("Export history data as CSV file"));
    connect(m_export, &QPushButton::clicked, this, &StatsTab::exportCSV);
    row->addWidget(m_export, 0, Qt::AlignVCenter);
    return header;
}

QWidget* StatsTab::buildLoadingCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 8);
    stack->setContentsMargins(0, 40, 0, 40);
    auto* spinner = new QProgressBar;
    spinner->setRange(0, 0);
    spinner->setTextVisible(false);
    spinner->setFixedSize(160, 6);
    const QString label = tr("Loading history…");
    spinner->setAccessibleName(label);
    stack->addWidget(spinner, 0, Qt::AlignHCenter);
    stack->addWidget(new TextLabel(label, Fonts::caption(), Tone::Secondary), 0, Qt::AlignHCenter);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("loadingCard"));
    return card;
}

QWidget* StatsTab::buildEmptyCard()
{
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 12);
    stack->setContentsMargins(0, 40, 0, 40);
    stack->addWidget(new SymbolView(QStringLiteral("chart.xyaxis.line"), 32, secondaryText()), 0, Qt::AlignHCenter);
    stack->addWidget(new TextLabel(tr("No history found for this range"), uiFont(13, QFont::DemiBold), Tone::Secondary),
                     0, Qt::AlignHCenter);
    stack->addWidget(new TextLabel(tr("Halvorin records data once per minute while running."), Fonts::caption(),
                                   Tone::Tertiary),
                     0, Qt::AlignHCenter);
    stack->addWidget(new TextLabel(tr("All your data is keep local. Never leave a trace."), Fonts::caption(),
                                   Tone::Tertiary),
                     0, Qt::AlignHCenter);
    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("emptyCard"));
    return card;
}

QWidget* StatsTab::buildStatistics()
{
    auto* statistics = new QWidget;
    statistics->setObjectName(QStringLiteral("statistics"));
    auto* stack = PagePieces::stack(statistics, 20);
    m_summary = new StatsSummaryRow;
    stack->addWidget(m_summary);

    const QColor accent = accentColor();
    m_cpuChart = new StatsTrendChart(accent, tr("Peak"), tr("Avg %"));
    m_cpuCard = new StatsChartCard(QStringLiteral("cpu"), tr("CPU Usage"), m_cpuChart, {accent, tr("Avg")},
                                   {withAlpha(accent, 0.3), tr("Peak")});
    m_cpuCard->setObjectName(QStringLiteral("cpuChart"));

    const QColor purple = SystemColors::purple();
    m_memoryChart = new StatsTrendChart(purple, tr("Peak GB"), tr("Avg GB"));
    m_memoryCard = new StatsChartCard(QStringLiteral("memorychip"), tr("Memory Usage"), m_memoryChart,
                                      {purple, tr("Avg")}, {withAlpha(purple, 0.3), tr("Peak")});
    m_memoryCard->setObjectName(QStringLiteral("memoryChart"));

    const QColor down = withAlpha(accent, 0.8);
    const QColor orange = withAlpha(paletteOrange(), 0.8);
    m_networkChart = new StatsBarChart(down, tr("Down MB"), orange, tr("Up MB"));
    m_networkCard = new StatsChartCard(QStringLiteral("network"), tr("Network Data"), m_networkChart,
                                       {down, tr("Download")}, {orange, tr("Upload")});
    m_networkCard->setObjectName(QStringLiteral("networkChart"));

    const QColor teal = withAlpha(SystemColors::teal(), 0.8);
    m_diskChart = new StatsBarChart(orange, tr("Read MB"), teal, tr("Write MB"));
    m_diskCard = new StatsChartCard(QStringLiteral("internaldrive"), tr("Disk I/O"), m_diskChart,
                                    {orange, tr("Read")}, {teal, tr("Write")});
    m_diskCard->setObjectName(QStringLiteral("diskChart"));

    for (QWidget* card : {m_cpuCard, m_memoryCard, m_networkCard, m_diskCard}) {
        // A card waiting for its turn keeps its place, so showing it lays
        // out nothing else on the page.
        QSizePolicy policy = card->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        card->setSizePolicy(policy);
        stack->addWidget(card);
    }
    return statistics;
}

void StatsTab::setRange(StatsRange range)
{
    m_picker->setCurrentIndex(static_cast<int>(range));
    if (range == m_range)
        return;
    m_range = range;
    m_loader.load(range);
}

void StatsTab::applyHistory(const StatsHistory& history)
{
    m_summaries = history.summaries;
    m_stats = history.stats;
    m_lastDay = history.lastDay;
    m_summary->setStats(m_stats);
    // Laying out and drawing a chart costs several milliseconds, most of it
    // measuring axis texts: the cards come back one per turn of the event
    // loop, so the window answers input between them.
    for (QWidget* card : {m_cpuCard, m_memoryCard, m_networkCard, m_diskCard})
        card->hide();
    prepareCharts();
    m_nextChart = 0;
    m_chartTimer->start();
    refreshBody();
}

void StatsTab::showNextChart()
{
    switch (m_nextChart) {
    case 0:
        refreshCpuChart();
        m_cpuCard->show();
        break;
    case 1:
        refreshMemoryChart();
        m_memoryCard->show();
        break;
    case 2:
        refreshBarChart(m_networkChart, m_networkCard, &DayStats::networkDownMB, &DayStats::networkUpMB);
        m_networkChart->setAccessibleName(tr("Network data usage chart."));
        m_networkCard->show();
        break;
    case 3:
        refreshBarChart(m_diskChart, m_diskCard, &DayStats::diskReadMB, &DayStats::diskWriteMB);
        m_diskChart->setAccessibleName(tr("Disk I/O chart."));
        m_diskCard->show();
        break;
    default:
        return;
    }
    if (++m_nextChart < kChartCount)
        m_chartTimer->start();
}

void StatsTab::refreshBody()
{
    const bool loading = m_loader.isLoading();
    m_loadingCard->setVisible(loading);
    m_statistics->setVisible(!loading && !m_stats.empty());
    m_emptyCard->setVisible(!loading && m_stats.empty());
    m_export->setEnabled(!m_stats.empty());
}

void StatsTab::prepareCharts()
{
    // Each calendar day is one slot on the x axis, centred on its number, so
    // the points of the trend charts stand over the columns of the bar charts.
    const DaySlots grid = daySlots(m_stats, m_lastDay);
    m_firstSlotDay = grid.first;
    m_slotCount = std::max(grid.count, 1);
    const int stride = axisStrideDays(m_range);
    m_trendMarks.clear();
    for (QDate day : trendAxisDays(m_stats, stride, m_lastDay))
        m_trendMarks.push_back({static_cast<double>(grid.slotOf(day)), monthDayText(day)});
    m_barMarks.clear();
    for (const QDateTime& noon : barAxisDates(m_stats, stride)) {
        if (const int slot = grid.slotOf(noon.date()); slot >= 0)
            m_barMarks.push_back({static_cast<double>(slot), monthDayText(noon.date())});
    }
}

namespace {

// Points of the rows that have a day slot, their values fitted to the scale.
QList<QPointF> trendPoints(const std::vector<DayStats>& stats, const DaySlots& grid, Field field, double top)
{
    QList<QPointF> points;
    for (const DayStats& row : stats) {
        if (const int slot = grid.slotOf(row.date); slot >= 0)
            points << QPointF(slot, std::clamp(chartable(row.*field), 0.0, top));
    }
    return points;
}

} // namespace

void StatsTab::refreshCpuChart()
{
    // A fixed 0-100 scale whatever the values.
    const DaySlots grid{m_firstSlotDay, m_slotCount};
    m_cpuChart->setPoints(trendPoints(m_stats, grid, &DayStats::peakCPU, 100),
                          trendPoints(m_stats, grid, &DayStats::avgCPU, 100));
    m_cpuChart->setXAxis(-0.5, m_slotCount - 0.5, m_trendMarks);
    m_cpuChart->setYAxis(0, 100, marksAt({0, 25, 50, 75, 100}, [](double v) { return localePercent(v / 100, 0); }));
    const double avgCPU = average(m_stats, &DayStats::avgCPU);
    const double peakCPU = largest(m_stats, &DayStats::peakCPU);
    m_cpuChart->setAccessibleName(tr("CPU usage trend. Avg %1 percent, peak %2 percent.")
                                      .arg(fixedPointText(chartable(avgCPU), 0), fixedPointText(chartable(peakCPU), 0)));
    m_cpuCard->firstLegend()->setValue(percent(avgCPU, 1));
    m_cpuCard->secondLegend()->setValue(percent(peakCPU, 0));
}

void StatsTab::refreshMemoryChart()
{
    // From 0 to a tenth above the highest peak.
    const DaySlots grid{m_firstSlotDay, m_slotCount};
    const double top = memoryChartTop(m_stats);
    m_memoryChart->setPoints(trendPoints(m_stats, grid, &DayStats::peakMemoryGB, top),
                             trendPoints(m_stats, grid, &DayStats::avgMemoryGB, top));
    m_memoryChart->setXAxis(-0.5, m_slotCount - 0.5, m_trendMarks);
    m_memoryChart->setYAxis(0, top, marksAt(StatsAxisTicks::withinTop(top), gigabytes));
    const double avgMemory = average(m_stats, &DayStats::avgMemoryGB);
    m_memoryChart->setAccessibleName(tr("Memory usage trend. Avg %1 GB.").arg(fixedPointText(chartable(avgMemory), 1)));
    m_memoryCard->firstLegend()->setValue(gigabytes(avgMemory));
    m_memoryCard->secondLegend()->setValue(gigabytes(largest(m_stats, &DayStats::peakMemoryGB)));
}

void StatsTab::refreshBarChart(StatsBarChart* chart, StatsChartCard* card, Field firstField, Field secondField)
{
    // One stacked column per calendar day, empty where nothing was recorded;
    // marks under every stride-th recorded column.
    const DaySlots grid{m_firstSlotDay, m_slotCount};
    QList<qreal> firstValues(m_slotCount, 0.0);
    QList<qreal> secondValues(m_slotCount, 0.0);
    for (const DayStats& row : m_stats) {
        const int slot = grid.slotOf(row.date);
        if (slot < 0)
            continue;
        // Two records of one day (a time-zone change) share its column.
        firstValues[slot] += std::max(chartable(row.*firstField), 0.0);
        secondValues[slot] += std::max(chartable(row.*secondField), 0.0);
    }
    double highest = 0;
    for (qsizetype i = 0; i < m_slotCount; ++i)
        highest = std::max(highest, firstValues[i] + secondValues[i]);
    const StatsAxisTicks::Scale scale = StatsAxisTicks::megabyteScale(highest, megabytesAsBytes);
    chart->setValues(firstValues, secondValues);
    chart->setXAxis(-0.5, m_slotCount - 0.5, m_barMarks);
    chart->setYAxis(0, scale.top, marksAt(scale.marks, megabytesAsBytes));
    card->firstLegend()->setValue(megabytesAsBytes(total(m_stats, firstField)));
    card->secondLegend()->setValue(megabytesAsBytes(total(m_stats, secondField)));
}

QString StatsTab::csvContent() const
{
    return CSVDocument::csvContent(m_stats, m_summaries);
}

void StatsTab::exportCSV()
{
    if (m_stats.empty() || m_isExporting)
        return;
    m_isExporting = true;
    // The rows shown when the dialog opened, whatever loads meanwhile.
    const CSVDocument document(csvContent());
    QPointer<StatsTab> self(this);
    const QString path = m_services.chooseFile(this, CSVDocument::proposedFileName(m_range) + QLatin1String(".csv"));
    if (!self)
        return;
    m_isExporting = false;
    if (path.isEmpty())
        return;
    if (const std::optional<QString> error = document.write(path))
        m_services.showError(this, tr("Could not save %1: %2").arg(QDir::toNativeSeparators(path), *error));
}

} // namespace Dunmorra
