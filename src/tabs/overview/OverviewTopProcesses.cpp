#include "tabs/overview/OverviewTopProcesses.h"

#include "components/Card.h"
#include "components/Divider.h"
#include "components/ElidedLabel.h"
#include "components/Formatters.h"
#include "components/KeyedRows.h"
#include "components/Sandbox.h"
#include "components/SandboxFeatureBanner.h"
#include "model/CPUProvider.h"
#include "platform/NumberText.h"
#include "tabs/PagePieces.h"
#include "tabs/ProcessTableRow.h"
#include "tabs/overview/OverviewPieces.h"

#include <QVBoxLayout>

namespace Dunmorra {

namespace {
constexpr ProcessTableRow::Columns kColumns{56, 80};
} // namespace

// One process: its name, CPU share and memory, over a faint divider.
class OverviewProcessRow : public ProcessTableRow {
public:
    OverviewProcessRow()
        : ProcessTableRow(kColumns, 6, 0.35)
    {
        nameLabel()->setFont(uiFont(13));
    }

    void update(const QString& key, const QString& name, double cpuPercent, std::uint64_t memoryBytes)
    {
        setObjectName(QStringLiteral("processRow:") + key);
        setTexts(OverviewPieces::oneLine(name), localePercent(cpuPercent / 100.0, 1),
                 QString::fromStdString(formatBytes(memoryBytes)));
    }
};

OverviewTopProcesses::OverviewTopProcesses(CPUProvider& cpu, UserSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_cpu(cpu)
{
    setObjectName(QStringLiteral("topProcesses"));
    auto* outer = PagePieces::stack(this, 0);
    if (isSandboxed()) {
        outer->addWidget(new SandboxFeatureBanner(
            tr("Top processes unavailable"), tr("The sandbox does not allow access to per-process CPU and memory data."),
            settings));
        return;
    }
    auto* section = new QWidget;
    auto* stack = PagePieces::stack(section, 8);
    stack->addWidget(new TextLabel(tr("Top processes"), uiFont(13, QFont::DemiBold)));

    auto* content = new QWidget;
    m_rowsLayout = PagePieces::stack(content, 0);
    m_rowsLayout->addWidget(ProcessTableRow::header(kColumns, tr("Process"), tr("CPU"), tr("Memory"), 8));
    m_rowsLayout->addWidget(new Divider(1.0));
    m_rows = std::make_unique<KeyedRows<QString, OverviewProcessRow>>(m_rowsLayout, 2);
    stack->addWidget(new Card(content, nullptr));
    outer->addWidget(section);

    connect(&m_cpu, &CPUProvider::currentChanged, this, [this] {
        if (!m_day.isRecorded())
            refresh();
    });
    refresh();
}

OverviewTopProcesses::~OverviewTopProcesses() = default;

void OverviewTopProcesses::showDay(const OverviewDay& day)
{
    m_day = day;
    refresh();
}

std::uint64_t OverviewTopProcesses::averageMemory(const HistoricProcess& process)
{
    return process.cpuCount < 1 ? 0 : process.memorySum / static_cast<std::uint64_t>(process.cpuCount);
}

int OverviewTopProcesses::rowCount() const
{
    return m_rows ? m_rows->size() : 0;
}

void OverviewTopProcesses::refresh()
{
    if (!m_rows)
        return;
    if (const DailySummary* day = m_day.recorded()) {
        m_shownLive.reset();
        m_rows->sync(
            day->topProcesses(), [](const HistoricProcess& p) { return QStringLiteral("name:") + p.name; },
            [](const HistoricProcess&) { return new OverviewProcessRow; },
            [](OverviewProcessRow& row, const HistoricProcess& p, int) {
                row.update(QStringLiteral("name:") + p.name, p.name, p.averageCPU(), averageMemory(p));
            });
        return;
    }
    const QList<CPUSnapshot::ProcessInfo>& live = m_cpu.current().topProcesses;
    if (m_shownLive == live)
        return;
    m_shownLive = live;
    m_rows->sync(
        live, [](const CPUSnapshot::ProcessInfo& p) { return QStringLiteral("pid:%1").arg(p.id); },
        [](const CPUSnapshot::ProcessInfo&) { return new OverviewProcessRow; },
        [](OverviewProcessRow& row, const CPUSnapshot::ProcessInfo& p, int) {
            row.update(QStringLiteral("pid:%1").arg(p.id), p.name, p.cpuPercent, p.memoryBytes);
        });
}

} // namespace Dunmorra
