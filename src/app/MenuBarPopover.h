#pragma once

#include "app/PopoverAnchor.h"
#include "model/AudioSnapshot.h"
#include "model/CPUSnapshot.h"
#include "model/Clock.h"
#include "model/DiskSnapshot.h"
#include "model/MemorySnapshot.h"
#include "model/NetworkSnapshot.h"

#include <QWidget>

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;

namespace Dunmorra {

class SparklineView;
class UserSettings;

// What the popover shows, read from the providers at each refresh.
struct PopoverReadings {
    CPUSnapshot cpu;
    std::vector<double> cpuTrend;      // at most 60, oldest first
    MemorySnapshot memory;
    std::vector<double> memoryTrend;   // used / total × 100 per sample
    DiskSnapshot disk;
    NetworkSnapshot network;
    AudioSnapshot audio;
};
using PopoverFeed = std::function<PopoverReadings()>;

// Where the popover goes, always inside the screen's available area:
// - next to the tray icon when the tray says where it is (under it on a top
//   panel, above it on a bottom one, beside it on a side panel);
// - otherwise from the point of the click the host gives, or else the
//   pointer, against the screen's panel edge (the side where the available
//   area leaves room for a panel), at the point itself when no edge is known.
QPoint popoverPosition(const PopoverAnchor& anchor, const QPoint& cursor, const QSize& size, const QRect& screen,
                       const QRect& available);
// The same with the whole screen available.
QPoint popoverPosition(const QRect& iconGeometry, const QPoint& cursor, const QSize& size, const QRect& screen);

// The tray's popup: one row per metric the settings enable, the busiest
// processes, and the footer actions.
class MenuBarPopover : public QWidget {
    Q_OBJECT
public:
    enum class Row { cpu, memory, disk, network, ip, audio };

    MenuBarPopover(PopoverFeed feed, bool sandboxed, UserSettings& settings, const Clock& clock = Clock::system(),
                   QWidget* parent = nullptr);
    ~MenuBarPopover() override;

    // Shows the popover at the tray icon, or hides it when it is open. The
    // click on the icon that closes an open popup arrives here just after the
    // popup hid itself; that one does not reopen it.
    void toggle(const PopoverAnchor& anchor);
    void toggle(const QRect& iconGeometry) { toggle(PopoverAnchor{iconGeometry, std::nullopt}); }
    void showAt(const PopoverAnchor& anchor);
    void showAt(const QRect& iconGeometry) { showAt(PopoverAnchor{iconGeometry, std::nullopt}); }

    QWidget* row(Row row) const;
    QLabel* valueLabel(Row row) const;

public Q_SLOTS:
    // Re-reads the feed; does nothing while hidden (the next show refreshes).
    void refresh();

Q_SIGNALS:
    void openMainWindowRequested();
    void openSettingsRequested();
    void quitRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct MetricRow {
        QWidget* widget = nullptr;
        QLabel* value = nullptr;
        SparklineView* trend = nullptr;
    };
    struct ProcessRow {
        QWidget* widget = nullptr;
        QLabel* name = nullptr;
        QLabel* percent = nullptr;
    };

    void buildMetricRow(Row row, const QString& title, bool withTrend, QWidget* parent);
    QPushButton* footerButton(const QString& text, QWidget* parent);
    void applySettings();
    void fill();
    bool showsProcesses() const;

    PopoverFeed m_feed;
    bool m_sandboxed;
    UserSettings& m_settings;
    std::array<MetricRow, 6> m_rows;
    QLabel* m_noMetrics = nullptr;
    QWidget* m_processDivider = nullptr;
    QWidget* m_processSection = nullptr;
    std::array<ProcessRow, 3> m_processRows;
    const Clock& m_clock;
    std::optional<std::chrono::nanoseconds> m_hiddenAt;
};

} // namespace Dunmorra
