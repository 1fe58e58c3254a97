#pragma once

#include "model/Clock.h"
#include "model/CPUSnapshot.h"
#include "model/DiskSnapshot.h"
#include "model/MemorySnapshot.h"
#include "model/PollLoop.h"
#include "platform/NotificationService.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace Dunmorra {

class CPUProvider;
struct DailySummary;
class DiskProvider;
class MemoryProvider;
class UserSettings;

// Watches the live readings and notifies the user of sustained high CPU
// load, a saturated core, rising memory pressure, low free disk space and
// the day's data volume. Every 5 s, while alerts are enabled and
// notifications are authorised, it runs its rules in that order against
// the providers' current snapshots, today's traffic and the alert settings,
// which it reads afresh at each use. Spans are measured on the monotonic
// clock, so setting the wall clock neither silences nor repeats an alert.
class AlertsMonitor : public QObject {
    Q_OBJECT
    Q_PROPERTY(AuthorizationStatus authorizationStatus READ authorizationStatus WRITE setAuthorizationStatus
                   NOTIFY authorizationStatusChanged)
public:
    enum class AuthorizationStatus { notDetermined = 0, denied = 1, authorized = 2, provisional = 3, ephemeral = 4 };
    Q_ENUM(AuthorizationStatus)

    // The sample each test notification shows.
    enum class AlertKind { cpu = 0, memory = 1, disk = 2, network = 3 };
    Q_ENUM(AlertKind)

    // Today's traffic as the recorder holds it: the local day its summary
    // belongs to, and that day's upload plus download bytes.
    struct DayTraffic {
        QDate day;
        double bytes = 0;
    };

    // A summary's traffic: the sum over its buckets, in order, of upload
    // plus download bytes, for the day given, or else the day its date
    // falls on.
    static DayTraffic trafficOf(const DailySummary& summary, QDate day);
    static DayTraffic trafficOf(const DailySummary& summary);

    static constexpr std::chrono::seconds kInterval{5};
    static constexpr std::chrono::seconds kCpuHighSpan{30};
    static constexpr std::chrono::seconds kCorePinnedSpan{20};
    static constexpr std::chrono::seconds kDiskRepeatSpan{3600};
    static constexpr double kCorePinnedPercent = 90.0;

    // A null service is the desktop's notification server on the session
    // bus; null settings are UserSettings::shared().
    explicit AlertsMonitor(std::unique_ptr<Platform::NotificationService> service = {},
                           UserSettings* settings = nullptr, const Clock& clock = Clock::system(),
                           QObject* parent = nullptr);
    ~AlertsMonitor() override;

    AuthorizationStatus authorizationStatus() const { return m_authorizationStatus; }
    void setAuthorizationStatus(AuthorizationStatus status);

    // Asks the notification service whether a server answers and stores
    // the answer (authorised or denied); `done` runs once it is stored. It
    // also runs by itself whenever the server appears, leaves or is
    // replaced. Of overlapping refreshes the one asked last decides.
    void refreshAuthorizationStatus(std::function<void()> done = {});
    // There is no permission dialog on the desktop: asking checks again,
    // and `done` receives whether notifications are now authorised.
    void requestAuthorization(std::function<void(bool granted)> done = {});
    void openNotificationSettings();

    // One sample notification of the kind, under its own test identifier,
    // whatever the switches and the authorisation say.
    void sendTestNotification(AlertKind kind);

    // Hands one notification to the desktop; the caller is not told how it
    // went. A failure prints one line to standard output.
    void deliver(const QString& identifier, const QString& title, const QString& body);

    // Replaces a running loop: every 5 s, one evaluation against the
    // providers and whatever `today` says of the day's traffic.
    void start(const CPUProvider& cpu, const MemoryProvider& memory, const DiskProvider& disk,
               std::function<DayTraffic()> today);
    const PollLoop& loop() const { return m_loop; }
    PollLoop& loop() { return m_loop; }

    // One evaluation: the gate, then the four rules in order.
    void evaluate(const CPUSnapshot& cpu, const MemorySnapshot& memory, const DiskSnapshot& disk,
                  const DayTraffic& today);
    void checkCPU(const CPUSnapshot& cpu);
    void checkMemory(const MemorySnapshot& memory);
    void checkDisk(const DiskSnapshot& disk);
    void checkNetwork(const DayTraffic& today);

    // The notification texts, localised, with numbers filled in.
    static QString cpuHighTitle();
    static QString cpuHighBody(double thresholdPercent, double usagePercent);
    static QString corePinnedTitle();
    static QString corePinnedBody(int core, double usagePercent);
    static QString memoryTitle(MemorySnapshot::MemoryPressure pressure);
    static QString memoryBody(double usedGB, double totalGB);
    static QString diskTitle();
    static QString diskBody(double freePercent, double freeGB);
    static QString networkTitle();
    static QString networkBody(double usedGB);

Q_SIGNALS:
    void authorizationStatusChanged(Dunmorra::AlertsMonitor::AuthorizationStatus status);

private:
    bool authorizedForAlerts() const;
    // The stored threshold within the range the Settings slider offers.
    double cpuThreshold() const;
    std::chrono::nanoseconds monotonicNow() const { return m_clock.monotonic(); }
    QDate today() const;

    std::unique_ptr<Platform::NotificationService> m_service;
    UserSettings& m_settings;
    const Clock& m_clock;
    PollLoop m_loop;

    AuthorizationStatus m_authorizationStatus = AuthorizationStatus::notDetermined;
    std::optional<std::chrono::nanoseconds> m_cpuHighSince;
    std::optional<std::chrono::nanoseconds> m_corePinnedSince;
    MemorySnapshot::MemoryPressure m_lastMemoryPressure = MemorySnapshot::MemoryPressure::nominal;
    std::optional<std::chrono::nanoseconds> m_diskAlertedAt;
    QDate m_networkAlertFiredDay; // invalid: before any day
    std::int64_t m_networkAlertFiredGB = 0;

    std::uint64_t m_refreshesAsked = 0;
    std::uint64_t m_refreshApplied = 0;
};

} // namespace Dunmorra
