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
#include "tabs/ProcessRow.h"
#include "tabs/ProcessTable.h"
#include "tabs/overview/OverviewPieces.h"

#include <QVBoxLayout>

namespace Dunmorra {

namespace {
constexpr int kCpuColumnWidth = 56;
constexpr int kMemoryColumnWidth = 80;

ProcessRow::Style processRowStyle()
{
    return {6, uiFont(13),
            {{QStringLiteral("processCpu"), Tone::Primary, kCpuColumnWidth},
             {QStringLiteral("processMemory"), Tone::Secondary, kMemoryColumnWidth}},
            0.35};
}

// The name as the Overview shows it, its CPU share and its memory.
void showProcess(ProcessRow& row, const QString& key, const QString& name, double cpuPercent, std::uint64_t memoryBytes)
{
    row.update(key, OverviewPieces::shownName(name), QString(),
               {localePercent(cpuPercent / 100.0, 1), QString::fromStdString(formatBytes(memoryBytes))});
}
} // namespace

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
    m_rows = std::make_unique<KeyedRows<QString, ProcessRow>>(m_rowsLayout, ProcessTable::kFirstRow);
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
            [](const HistoricProcess&) { return new ProcessRow(processRowStyle()); },
            [](ProcessRow& row, const HistoricProcess& p, int) {
                showProcess(row, QStringLiteral("name:") + p.name, p.name, p.averageCPU(), averageMemory(p));
            });
        return;
    }
    const QList<CPUSnapshot::ProcessInfo>& live = m_cpu.current().topProcesses;
    if (m_shownLive == live)
        return;
    m_shownLive = live;
    m_rows->sync(
        live, [](const CPUSnapshot::ProcessInfo& p) { return QStringLiteral("pid:%1").arg(p.id); },
        [](const CPUSnapshot::ProcessInfo&) { return new ProcessRow(processRowStyle()); },
        [](ProcessRow& row, const CPUSnapshot::ProcessInfo& p, int) {
            showProcess(row, QStringLiteral("pid:%1").arg(p.id), p.name, p.cpuPercent, p.memoryBytes);
        });
}

} // namespace Dunmorra
