#include "history/AlertsMonitor.h"

#include "history/DailySummary.h"
#include "history/ReferenceTime.h"
#include "model/CPUProvider.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "platform/DesktopNotifications.h"
#include "platform/NumberText.h"

#include <QDateTime>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Dunmorra {

namespace {

constexpr double kBytesPerGB = 1073741824.0; // 2^30

QString key(const char* k)
{
    return QString::fromLatin1(k);
}

QString percentText(double fraction)
{
    return localePercent(fraction, 0);
}

void printLine(const QString& line)
{
    const QByteArray text = line.toUtf8() + '\n';
    std::fputs(text.constData(), stdout);
    std::fflush(stdout);
}

} // namespace

AlertsMonitor::AlertsMonitor(std::unique_ptr<Platform::NotificationService> service, UserSettings* settings,
                             const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_service(service ? std::move(service) : std::make_unique<Platform::DesktopNotifications>())
    , m_settings(settings ? *settings : UserSettings::shared())
    , m_clock(clock)
{
    connect(m_service.get(), &Platform::NotificationService::deliveryFailed, this,
            [](const QString& identifier, const QString& message) {
                printLine(QStringLiteral("[AlertsMonitor] failed to deliver '") + identifier
                          + QStringLiteral("': ") + message);
            });
    // A server that starts after us (or replaces another) turns alerts on
    // without waiting for the Settings tab to be shown.
    connect(m_service.get(), &Platform::NotificationService::serverChanged, this,
            [this] { refreshAuthorizationStatus(); });
}

AlertsMonitor::~AlertsMonitor() = default;

void AlertsMonitor::setAuthorizationStatus(AuthorizationStatus status)
{
    if (status == m_authorizationStatus)
        return;
    m_authorizationStatus = status;
    Q_EMIT authorizationStatusChanged(status);
}

void AlertsMonitor::refreshAuthorizationStatus(std::function<void()> done)
{
    const std::uint64_t serial = ++m_refreshesAsked;
    m_service->checkAvailability([this, serial, done = std::move(done)](bool available) {
        // An answer older than one already stored describes a server that
        // may have gone since.
        if (serial > m_refreshApplied) {
            m_refreshApplied = serial;
            setAuthorizationStatus(available ? AuthorizationStatus::authorized : AuthorizationStatus::denied);
        }
        if (done)
            done();
    });
}

void AlertsMonitor::requestAuthorization(std::function<void(bool granted)> done)
{
    refreshAuthorizationStatus([this, done = std::move(done)] {
        if (done)
            done(authorizedForAlerts());
    });
}

void AlertsMonitor::openNotificationSettings()
{
    m_service->openSettings();
}

void AlertsMonitor::deliver(const QString& identifier, const QString& title, const QString& body)
{
    m_service->notify(identifier, title, body);
}

bool AlertsMonitor::authorizedForAlerts() const
{
    return m_authorizationStatus == AuthorizationStatus::authorized
        || m_authorizationStatus == AuthorizationStatus::provisional;
}

QDate AlertsMonitor::today() const
{
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::floor(m_clock.wallSeconds() * 1000.0))).date();
}

void AlertsMonitor::start(const CPUProvider& cpu, const MemoryProvider& memory, const DiskProvider& disk,
                          std::function<DayTraffic()> today)
{
    // The loop belongs to the monitor, so it ends with it; the providers
    // outlive both (the environment holds them for the process's life).
    m_loop.start(kInterval, [this, &cpu, &memory, &disk, today = std::move(today)] {
        evaluate(cpu.current(), memory.current(), disk.current(), today ? today() : DayTraffic{});
    });
}

void AlertsMonitor::evaluate(const CPUSnapshot& cpu, const MemorySnapshot& memory, const DiskSnapshot& disk,
                             const DayTraffic& today)
{
    if (!m_settings.boolValue(key(SettingKeys::alertsEnabled), SettingKeys::alertsEnabledDefault))
        return;
    if (!authorizedForAlerts())
        return;
    checkCPU(cpu);
    checkMemory(memory);
    checkDisk(disk);
    checkNetwork(today);
}

double AlertsMonitor::cpuThreshold() const
{
    return SettingKeys::usableCpuThreshold(
        m_settings.doubleValue(key(SettingKeys::cpuThreshold), SettingKeys::cpuThresholdDefault));
}

void AlertsMonitor::checkCPU(const CPUSnapshot& cpu)
{
    if (!m_settings.boolValue(key(SettingKeys::cpuAlerts), SettingKeys::cpuAlertsDefault)) {
        m_cpuHighSince.reset();
        m_corePinnedSince.reset();
        return;
    }
    const double usage = cpu.usagePercent;
    const double threshold = cpuThreshold();
    if (usage >= threshold) {
        const auto now = monotonicNow();
        if (!m_cpuHighSince)
            m_cpuHighSince = now;
        if (now - *m_cpuHighSince >= kCpuHighSpan) {
            deliver(QStringLiteral("cpu-high"), cpuHighTitle(), cpuHighBody(threshold, usage));
            m_cpuHighSince = now;
        }
    } else {
        m_cpuHighSince.reset(); // also when the usage is not a number
    }

    if (cpu.coreUsages.empty()) {
        m_corePinnedSince.reset();
        return;
    }
    double busiest = cpu.coreUsages.front();
    for (double usage : cpu.coreUsages) {
        if (usage > busiest)
            busiest = usage;
    }
    if (!(busiest >= kCorePinnedPercent)) {
        m_corePinnedSince.reset();
        return;
    }
    const auto now = monotonicNow();
    if (!m_corePinnedSince)
        m_corePinnedSince = now;
    if (now - *m_corePinnedSince >= kCorePinnedSpan) {
        int core = 1;
        for (std::size_t i = 0; i < cpu.coreUsages.size(); ++i) {
            if (cpu.coreUsages[i] == busiest) {
                core = static_cast<int>(i) + 1;
                break;
            }
        }
        deliver(QStringLiteral("cpu-core-pinned"), corePinnedTitle(), corePinnedBody(core, busiest));
        m_corePinnedSince = now;
    }
}

void AlertsMonitor::checkMemory(const MemorySnapshot& memory)
{
    using Pressure = MemorySnapshot::MemoryPressure;
    if (!m_settings.boolValue(key(SettingKeys::memoryAlerts), SettingKeys::memoryAlertsDefault)) {
        m_lastMemoryPressure = Pressure::nominal;
        return;
    }
    const Pressure pressure = memory.pressure;
    if (pressure == m_lastMemoryPressure)
        return;
    const QString threshold =
        m_settings.stringValue(key(SettingKeys::memoryThreshold), QString::fromLatin1(SettingKeys::memoryThresholdDefault));
    const bool alarming = threshold == QLatin1String("critical")
        ? pressure == Pressure::critical
        : (pressure == Pressure::warning || pressure == Pressure::critical);
    if (alarming) {
        deliver(QStringLiteral("memory-pressure"), memoryTitle(pressure),
                memoryBody(static_cast<double>(memory.usedBytes) / kBytesPerGB,
                           static_cast<double>(memory.totalBytes) / kBytesPerGB));
    }
    m_lastMemoryPressure = pressure;
}

void AlertsMonitor::checkDisk(const DiskSnapshot& disk)
{
    if (!m_settings.boolValue(key(SettingKeys::diskAlerts), SettingKeys::diskAlertsDefault)) {
        m_diskAlertedAt.reset();
        return;
    }
    // The share the user can still write, free / total, as df shows it: the
    // root reserve counts as neither used nor free. A volume of no size
    // counts as all free.
    double freePercent = 100.0;
    if (disk.volumeTotalBytes > 0) {
        const std::uint64_t free = std::min(disk.volumeFreeBytes, disk.volumeTotalBytes);
        freePercent = static_cast<double>(free) / static_cast<double>(disk.volumeTotalBytes) * 100.0;
    }
    const int threshold = m_settings.intValue(key(SettingKeys::diskFreePercent), SettingKeys::diskFreePercentDefault);
    if (!(freePercent < static_cast<double>(threshold))) {
        m_diskAlertedAt.reset();
        return;
    }
    const auto now = monotonicNow();
    if (m_diskAlertedAt && now - *m_diskAlertedAt <= kDiskRepeatSpan)
        return;
    deliver(QStringLiteral("disk-low"), diskTitle(),
            diskBody(freePercent, static_cast<double>(disk.volumeFreeBytes) / kBytesPerGB));
    m_diskAlertedAt = now;
}

void AlertsMonitor::checkNetwork(const DayTraffic& traffic)
{
    if (!m_settings.boolValue(key(SettingKeys::networkAlerts), SettingKeys::networkAlertsDefault))
        return;
    const QDate day = today();
    // Just after midnight the recorder still holds yesterday until its next
    // minute: yesterday's total must neither alert as today's nor mark
    // today as alerted.
    if (traffic.day != day)
        return;
    if (!m_networkAlertFiredDay.isValid() || m_networkAlertFiredDay < day) {
        m_networkAlertFiredDay = day;
        m_networkAlertFiredGB = 0;
    }
    const std::int64_t limit =
        m_settings.intValue(key(SettingKeys::networkDailyGB), SettingKeys::networkDailyGBDefault);
    if (traffic.bytes >= static_cast<double>(limit) * kBytesPerGB && m_networkAlertFiredGB < limit) {
        m_networkAlertFiredGB = limit;
        deliver(QStringLiteral("network-daily"), networkTitle(), networkBody(traffic.bytes / kBytesPerGB));
    }
}

AlertsMonitor::DayTraffic AlertsMonitor::trafficOf(const DailySummary& summary, QDate day)
{
    DayTraffic traffic{day, 0};
    for (const HourBucket& bucket : summary.hours)
        traffic.bytes += bucket.networkUpBytes + bucket.networkDownBytes;
    return traffic;
}

AlertsMonitor::DayTraffic AlertsMonitor::trafficOf(const DailySummary& summary)
{
    return trafficOf(summary, localDayOfReference(summary.date));
}

void AlertsMonitor::sendTestNotification(AlertKind kind)
{
    switch (kind) {
    case AlertKind::cpu:
        deliver(QStringLiteral("test-cpu"), cpuHighTitle(),
                cpuHighBody(cpuThreshold(), 85.0));
        return;
    case AlertKind::memory:
        deliver(QStringLiteral("test-memory"), memoryTitle(MemorySnapshot::MemoryPressure::warning),
                memoryBody(12.3, 16.0));
        return;
    case AlertKind::disk:
        deliver(QStringLiteral("test-disk"), diskTitle(), diskBody(8.0, 40.2));
        return;
    default: // any other value is the network sample
        deliver(QStringLiteral("test-network"), networkTitle(),
                networkBody(static_cast<double>(m_settings.intValue(key(SettingKeys::networkDailyGB),
                                                                    SettingKeys::networkDailyGBDefault))
                            + 0.1));
        return;
    }
}

// Every text is a catalogue key with Qt placeholders; the numbers are filled
// in afterwards, so a translation can never reach a printf format.

QString AlertsMonitor::cpuHighTitle()
{
    return tr("High CPU Usage");
}

QString AlertsMonitor::cpuHighBody(double thresholdPercent, double usagePercent)
{
    return tr("CPU above %1 for 30 s (%2 now)").arg(percentText(thresholdPercent / 100.0), percentText(usagePercent / 100.0));
}

QString AlertsMonitor::corePinnedTitle()
{
    return tr("CPU Core Saturated");
}

QString AlertsMonitor::corePinnedBody(int core, double usagePercent)
{
    return tr("Core %1 at %2 for 20 s — a process may be spinning")
        .arg(QString::number(core), percentText(usagePercent / 100.0));
}

QString AlertsMonitor::memoryTitle(MemorySnapshot::MemoryPressure pressure)
{
    // The level word is not translated.
    const QString level = pressure == MemorySnapshot::MemoryPressure::critical ? QStringLiteral("Critical")
                                                                               : QStringLiteral("Warning");
    return tr("Memory Pressure: %1").arg(level);
}

QString AlertsMonitor::memoryBody(double usedGB, double totalGB)
{
    return tr("%1 GB used of %2 GB — consider closing unused apps")
        .arg(fixedPointText(usedGB, 1), fixedPointText(totalGB, 0));
}

QString AlertsMonitor::diskTitle()
{
    return tr("Low Disk Space");
}

QString AlertsMonitor::diskBody(double freePercent, double freeGB)
{
    return tr("%1 free — %2 GB remaining").arg(percentText(freePercent / 100.0), fixedPointText(freeGB, 1));
}

QString AlertsMonitor::networkTitle()
{
    return tr("Daily Data Usage");
}

QString AlertsMonitor::networkBody(double usedGB)
{
    return tr("You've used %1 GB of data today").arg(fixedPointText(usedGB, 1));
}

} // namespace Dunmorra
