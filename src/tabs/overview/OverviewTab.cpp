#include "tabs/overview/OverviewTab.h"

#include "components/Symbols.h"
#include "components/Palette.h"
#include "history/HistoricalDataStore.h"
#include "model/DaySelection.h"
#include "tabs/PagePieces.h"
#include "tabs/overview/OverviewAudioCard.h"
#include "tabs/overview/OverviewBatteryCard.h"
#include "tabs/overview/OverviewCpuCard.h"
#include "tabs/overview/OverviewDayHeader.h"
#include "tabs/overview/OverviewMemoryCard.h"
#include "tabs/overview/OverviewNetworkCard.h"
#include "tabs/overview/OverviewStorageCard.h"
#include "tabs/overview/OverviewTopProcesses.h"

#include <QGridLayout>
#include <QLocale>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {
constexpr int kRecheckMs = 2000;
} // namespace

OverviewTab::OverviewTab(OverviewSources sources, QWidget* parent)
    : TabPage(parent)
    , m_days(sources.days)
    , m_history(sources.history)
{
    setObjectName(QStringLiteral("tab.overview"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    stack()->setContentsMargins(16, 16, 16, 16);
    stack()->setSpacing(12);

    m_header = new OverviewDayHeader;
    stack()->addWidget(m_header);
    m_noData = buildNoDataView();
    stack()->addWidget(m_noData);
    m_content = buildContent(sources);
    stack()->addWidget(m_content);

    connect(m_header, &OverviewDayHeader::previousDayPressed, this, [this] { m_days.shiftSelectedDate(-1); });
    connect(m_header, &OverviewDayHeader::nextDayPressed, this, [this] { m_days.shiftSelectedDate(+1); });
    connect(m_header, &OverviewDayHeader::livePressed, this, [this] { m_days.setSelectedDate(QDate()); });
    connect(&m_days, &DaySelection::selectedDateChanged, this, &OverviewTab::selectionChanged);
    // At midnight a live view's yesterday moves on, and a "Yesterday" is a date.
    connect(&m_days, &DaySelection::todayChanged, this, &OverviewTab::refreshHeader);

    connect(&m_history, &HistoricalDataStore::dayLoaded, this, [this](QDate day) {
        if (day == m_days.selectedDate())
            showSelectedDay();
    });
    connect(&m_history, &HistoricalDataStore::dayUnavailable, this, [this](QDate day) {
        if (day == m_days.selectedDate() && !m_summary)
            setBody(Body::NoData);
    });
    // The recorder rewrote a day on screen (yesterday, just after midnight).
    connect(&m_history, &HistoricalDataStore::cacheChanged, this, [this] {
        const DailySummary* held = m_history.held(m_days.selectedDate());
        if (held && m_summary && !(*held == *m_summary))
            showSelectedDay();
    });

    m_recheck.setInterval(kRecheckMs);
    connect(&m_recheck, &QTimer::timeout, this, &OverviewTab::recheck);
    m_recheck.start();

    showSelectedDay();
}

OverviewTab::~OverviewTab() = default;

QWidget* OverviewTab::buildNoDataView()
{
    auto* view = new QWidget;
    view->setObjectName(QStringLiteral("noDataView"));
    auto* stack = PagePieces::stack(view, 12);
    stack->setContentsMargins(0, 60, 0, 0);
    stack->addWidget(new SymbolView(QStringLiteral("clock.badge.questionmark"), 40, secondaryText()), 0,
                     Qt::AlignHCenter);
    auto* title = new TextLabel(tr("No data for this day"), uiFont(13, QFont::DemiBold), Tone::Secondary);
    title->setObjectName(QStringLiteral("noDataTitle"));
    title->setAlignment(Qt::AlignCenter);
    stack->addWidget(title, 0, Qt::AlignHCenter);
    auto* note = new TextLabel(tr("Halvorin records data in the background while running."), uiFont(10),
                               Tone::Tertiary);
    note->setObjectName(QStringLiteral("noDataNote"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    stack->addWidget(note);
    view->hide();
    return view;
}

QWidget* OverviewTab::buildContent(OverviewSources& sources)
{
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("overviewContent"));
    auto* stack = PagePieces::stack(content, 12);

    auto* gridHost = new QWidget;
    gridHost->setObjectName(QStringLiteral("metricGrid"));
    auto* grid = new QGridLayout(gridHost);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);
    m_cpu = new OverviewCpuCard(sources.cpu);
    m_memory = new OverviewMemoryCard(sources.memory);
    m_battery = new OverviewBatteryCard(sources.battery);
    m_storage = new OverviewStorageCard(sources.disk, sources.uptime);
    m_network = new OverviewNetworkCard(sources.network, sources.openLocationSettings);
    grid->addWidget(m_cpu, 0, 0, Qt::AlignTop);
    grid->addWidget(m_memory, 0, 1, Qt::AlignTop);
    grid->addWidget(m_battery, 0, 2, Qt::AlignTop);
    grid->addWidget(m_storage, 1, 0, 1, 2, Qt::AlignTop);
    grid->addWidget(m_network, 1, 2, Qt::AlignTop);
    for (int column = 0; column < 3; ++column) {
        grid->setColumnStretch(column, 1);
        grid->setColumnMinimumWidth(column, 160);
    }
    stack->addWidget(gridHost);

    m_audio = new OverviewAudioCard(sources.audio);
    stack->addWidget(m_audio);
    m_processes = new OverviewTopProcesses(sources.cpu, sources.settings);
    stack->addWidget(m_processes);
    return content;
}

bool OverviewTab::isHistorical() const
{
    return !m_days.isLive();
}

bool OverviewTab::hasPreviousDay() const
{
    const QDate before = m_days.shownDay().addDays(-1);
    return before.isValid() && m_history.hasFile(before);
}

QString OverviewTab::dayLabel() const
{
    return dayLabel(m_days.selectedDate(), m_days.today());
}

QString OverviewTab::dayLabel(QDate selected, QDate today)
{
    if (!selected.isValid())
        return tr("Live");
    if (selected == today.addDays(-1))
        return tr("Yesterday");
    return QLocale().toString(selected, QStringLiteral("MMM d, yyyy"));
}

const NetworkFilter& OverviewTab::networkFilter() const
{
    return m_network->filter();
}

void OverviewTab::showEvent(QShowEvent* event)
{
    TabPage::showEvent(event);
    refreshHeader();
}

void OverviewTab::selectionChanged()
{
    // A network chosen for one day never carries over to another.
    m_network->choose(std::nullopt);
    showSelectedDay();
}

void OverviewTab::showSelectedDay()
{
    const QDate day = m_days.selectedDate();
    if (!day.isValid()) {
        m_summary.reset();
    } else if (const DailySummary* held = m_history.held(day)) {
        m_summary = *held;
    } else {
        m_summary.reset();
        setBody(Body::Reading);
        m_history.request(day);
        refreshHeader();
        return;
    }
    const OverviewDay shown(historicalSummary());
    m_cpu->showDay(shown);
    m_memory->showDay(shown);
    m_battery->showDay(shown);
    m_storage->showDay(shown);
    m_network->showDay(shown);
    m_audio->showRecordedNote(isHistorical());
    m_processes->showDay(shown);
    setBody(Body::Cards);
    refreshHeader();
}

void OverviewTab::setBody(Body body)
{
    m_body = body;
    m_noData->setVisible(body == Body::NoData);
    m_content->setVisible(body == Body::Cards);
}

void OverviewTab::refreshHeader()
{
    m_header->showDay(dayLabel(), isHistorical(), hasPreviousDay());
}

void OverviewTab::recheck()
{
    refreshHeader();
    const QDate day = m_days.selectedDate();
    if (m_body == Body::NoData && m_history.hasFile(day))
        m_history.request(day);
}

} // namespace Dunmorra
