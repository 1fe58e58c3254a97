#pragma once

#include "model/CPUSnapshot.h"
#include "tabs/overview/OverviewDay.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class QVBoxLayout;

namespace Dunmorra {

class CPUProvider;
class ProcessRow;
class UserSettings;
template <typename Key, typename Row> class KeyedRows;

// The busiest processes: live, the CPU provider's current list; for a
// recorded day, its five processes with the highest average share, with
// their averages. A sandboxed run shows the sandbox hint instead.
class OverviewTopProcesses : public QWidget {
    Q_OBJECT
public:
    OverviewTopProcesses(CPUProvider& cpu, UserSettings& settings, QWidget* parent = nullptr);
    ~OverviewTopProcesses() override;

    void showDay(const OverviewDay& day);

    // A recorded process's memory per recorded minute, in whole bytes: 0
    // when it was never counted.
    static std::uint64_t averageMemory(const HistoricProcess& process);

    int rowCount() const;

private:
    void refresh();

    CPUProvider& m_cpu;
    OverviewDay m_day;
    // The live rows last shown: the list changes every third CPU sample only.
    std::optional<QList<CPUSnapshot::ProcessInfo>> m_shownLive;
    QVBoxLayout* m_rowsLayout = nullptr;
    std::unique_ptr<KeyedRows<QString, ProcessRow>> m_rows;
};

} // namespace Dunmorra
