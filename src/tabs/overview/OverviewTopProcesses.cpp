#include "tabs/overview/OverviewTopProcesses.h"

#include "components/Divider.h"
#include "components/ElidedLabel.h"
#include "components/Formatters.h"
#include "components/KeyedRows.h"
#include "components/Sandbox.h"
#include "components/SandboxFeatureBanner.h"
#include "model/CPUProvider.h"
#include "platform/NumberText.h"
#include "tabs/PagePieces.h"
#include "tabs/ProcessTable.h"
#include "tabs/overview/OverviewPieces.h"

#include <QVBoxLayout>

namespace Dunmorra {

namespace {
constexpr int kCpuColumnWidth = 56;
constexpr int kMemoryColumnWidth = 80;
} // namespace

// One process: its name, CPU share and memory, over a faint divider.
class OverviewProcessRow : public QWidget {
public:
    OverviewProcessRow()
    {
        auto* stack = PagePieces::stack(this, 0);
        auto* line = PagePieces::row();
        line->setContentsMargins(0, 6, 0, 6);
        m_name = new ElidedLabel(QString(), uiFont(13));
        m_name->setObjectName(QStringLiteral("processName"));
        m_cpu = ProcessTable::column(QString(), Fonts::value(), Tone::Primary, kCpuColumnWidth);
        m_cpu->setObjectName(QStringLiteral("processCpu"));
        m_memory = ProcessTable::column(QString(), Fonts::value(), Tone::Secondary, kMemoryColumnWidth);
        m_memory->setObjectName(QStringLiteral("processMemory"));
        line->addWidget(m_name, 1);
        line->addWidget(m_cpu);
        line->addWidget(m_memory);
        stack->addLayout(line);
        stack->addWidget(new Divider(0.35));
    }

    void update(const QString& key, const QString& name, double cpuPercent, std::uint64_t memoryBytes)
    {
        setObjectName(QStringLiteral("processRow:") + key);
        m_name->setTextIfChanged(OverviewPieces::shownName(name));
        m_cpu->setTextIfChanged(localePercent(cpuPercent / 100.0, 1));
        m_memory->setTextIfChanged(QString::fromStdString(formatBytes(memoryBytes)));
    }

private:
    ElidedLabel* m_name;
    TextLabel* m_cpu;
    TextLabel* m_memory;
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
    auto* table = new ProcessTable(tr("Top processes"), {{tr("CPU"), kCpuColumnWidth}, {tr("Memory"), kMemoryColumnWidth}});
    m_rowsLayout = table->rows();
    m_rows = std::make_unique<KeyedRows<QString, OverviewProcessRow>>(m_rowsLayout, ProcessTable::kFirstRow);
    outer->addWidget(table);

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
