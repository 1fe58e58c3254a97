#include "history/AlertsMonitor.h"
#include "history/DailySummary.h"

#include "HistoryTestData.h"
#include "model/CPUProvider.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"

#include "support/EventLoop.h"
#include "support/ManualClock.h"

#include <QDateTime>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace Dunmorra;
using Pressure = MemorySnapshot::MemoryPressure;
using Status = AlertsMonitor::AuthorizationStatus;

namespace {

struct Sent {
    double at; // simulated seconds since the walk began
    QString identifier;
    QString title;
    QString body;
};

// Records what would reach the desktop; availability answers wait until the
// test hands them out.
class FakeNotifications final : public Platform::NotificationService {
public:
    void notify(const QString& identifier, const QString& title, const QString& body) override
    {
        sent.push_back({elapsed ? *elapsed : 0, identifier, title, body});
    }
    void checkAvailability(std::function<void(bool)> done) override { pending.push_back(std::move(done)); }
    void openSettings() override { ++settingsOpened; }

    void answer(std::size_t index, bool available) { pending.at(index)(available); }

    std::vector<Sent> sent;
    std::vector<std::function<void(bool)>> pending;
    int settingsOpened = 0;
    const double* elapsed = nullptr;
};

class Alerts : public ::testing::Test {
protected:
    Alerts()
    {
        auto fake = std::make_unique<FakeNotifications>();
        service = fake.get();
        service->elapsed = &elapsed;
        monitor = std::make_unique<AlertsMonitor>(std::move(fake), &settings, clock);
        monitor->setAuthorizationStatus(Status::authorized);
    }
    ~Alerts() override { QLocale::setDefault(m_locale); }

    void set(const char* key, const QVariant& value) { settings.setValue(QString::fromLatin1(key), value); }

    // One evaluation now, then one every 5 s for `seconds` more.
    void walk(double seconds)
    {
        for (double t = 0; t <= seconds; t += 5) {
            if (t > 0) {
                clock.advance(5);
                elapsed += 5;
            }
            monitor->evaluate(cpu, memory, disk, traffic);
        }
    }
    std::vector<double> times(const QString& identifier) const
    {
        std::vector<double> out;
        for (const Sent& s : service->sent)
            if (s.identifier == identifier)
                out.push_back(s.at);
        return out;
    }
    QDate today() const { return QDateTime::fromSecsSinceEpoch(qint64(clock.wallSeconds())).date(); }

    QLocale m_locale;
    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat)};
    Dunmorra::Test::ManualClock clock{QDateTime(QDate(2026, 12, 9), QTime(12, 0)).toSecsSinceEpoch()};
    double elapsed = 0;
    FakeNotifications* service = nullptr;
    std::unique_ptr<AlertsMonitor> monitor;

    CPUSnapshot cpu{20, {20, 20}, {}};
    MemorySnapshot memory{8ull << 30, 16ull << 30, Pressure::nominal};
    DiskSnapshot disk{0, 0, QStringLiteral("System Disk"), 100, 50, 50};
    AlertsMonitor::DayTraffic traffic{};
};

constexpr double GB = 1073741824.0;

} // namespace

TEST_F(Alerts, SustainedCpuAlertsAfterThirtySecondsAndRepeatsUntilLoadDrops)
{
    cpu.usagePercent = 85;
    walk(29.9); // evaluations at 0 … 25 s
    EXPECT_TRUE(service->sent.empty());
    walk(35); // 30 … 65 s
    EXPECT_EQ(times(QStringLiteral("cpu-high")), (std::vector<double>{30, 60}));
    EXPECT_EQ(service->sent.front().title, QStringLiteral("High CPU Usage"));
    EXPECT_EQ(service->sent.front().body, QStringLiteral("CPU above 80% for 30 s (85% now)"));

    // 79 % clears the period: the next high period waits its own 30 s.
    cpu.usagePercent = 79;
    walk(5);
    cpu.usagePercent = 85;
    walk(25);
    EXPECT_EQ(times(QStringLiteral("cpu-high")).size(), 2u);
    walk(5);
    EXPECT_EQ(times(QStringLiteral("cpu-high")).size(), 3u);

    // A usage that is not a number is not high.
    service->sent.clear();
    cpu.usagePercent = std::nan("");
    walk(60);
    EXPECT_TRUE(service->sent.empty());
}

// A threshold written by hand outside the slider's range is used as the
// slider shows it: at its nearer end.
TEST_F(Alerts, StoredCpuThresholdOutsideTheSliderIsTakenAtItsEnd)
{
    const struct {
        QVariant stored;
        double usage;
        const char* body; // empty: no alert
    } cases[] = {
        {200, 99, "CPU above 99% for 30 s (99% now)"},
        {200, 98.9, ""},
        {10, 45, ""},
        {10, 50, "CPU above 50% for 30 s (50% now)"},
    };
    for (const auto& c : cases) {
        service->sent.clear();
        set(SettingKeys::cpuThreshold, c.stored);
        cpu.usagePercent = c.usage;
        walk(30);
        cpu.usagePercent = 0;
        walk(0);
        if (*c.body) {
            ASSERT_EQ(service->sent.size(), 1u) << c.stored.toDouble() << " at " << c.usage;
            EXPECT_EQ(service->sent.front().body, QString::fromUtf8(c.body));
        } else {
            EXPECT_TRUE(service->sent.empty()) << c.stored.toDouble() << " at " << c.usage;
        }
    }
}

TEST_F(Alerts, CpuSpansIgnoreTheWallClockBeingSetBack)
{
    cpu.usagePercent = 95;
    walk(10);
    clock.setWall(clock.wallSeconds() - 3600);
    walk(20); // 30 s of load on the monotonic clock
    EXPECT_EQ(times(QStringLiteral("cpu-high")), (std::vector<double>{30}));
}

TEST_F(Alerts, SaturatedCoreNamesTheFirstBusiestCore)
{
    cpu.coreUsages = {50, 95, 95, 20};
    walk(45);
    EXPECT_EQ(times(QStringLiteral("cpu-core-pinned")), (std::vector<double>{20, 40}));
    EXPECT_EQ(service->sent.front().title, QStringLiteral("CPU Core Saturated"));
    EXPECT_EQ(service->sent.front().body, QString::fromUtf8("Core 2 at 95% for 20 s \u2014 a process may be spinning"));

    service->sent.clear();
    cpu.coreUsages = {89.9, 10};
    walk(60);
    cpu.coreUsages = {};
    walk(60);
    EXPECT_TRUE(service->sent.empty());
}

TEST_F(Alerts, CpuRulesOffResetTheirPeriods)
{
    cpu.usagePercent = 90;
    cpu.coreUsages = {99};
    walk(15);
    set(SettingKeys::cpuAlerts, false);
    walk(30);
    set(SettingKeys::cpuAlerts, true);
    walk(15); // 15 s since the rule came back: nothing yet
    EXPECT_TRUE(service->sent.empty());
    walk(15);
    EXPECT_EQ(times(QStringLiteral("cpu-high")).size(), 1u);
}

// Switching a rule off forgets what it had seen, so switching it back on
// alerts anew: memory pressure counts as nominal again and the disk's hour
// starts over. The daily-data rule alone keeps its state: back on the same
// day it does not repeat an alert it already gave.
TEST_F(Alerts, RulesSwitchedOffResetTheirStateExceptDailyData)
{
    memory.pressure = Pressure::warning;
    disk.volumeTotalBytes = 100ull << 30;
    disk.volumeUsedBytes = 95ull << 30;
    disk.volumeFreeBytes = 5ull << 30;
    set(SettingKeys::networkAlerts, true);
    DailySummary day = DailySummary::emptyFor(today());
    HourBucket bucket = HourBucket::forHour(0);
    bucket.networkDownBytes = 6 * GB;
    day.hours.push_back(bucket);
    traffic = AlertsMonitor::trafficOf(day);
    walk(0);
    ASSERT_EQ(times(QStringLiteral("memory-pressure")).size(), 1u);
    ASSERT_EQ(times(QStringLiteral("disk-low")).size(), 1u);
    ASSERT_EQ(times(QStringLiteral("network-daily")).size(), 1u);

    struct Case {
        const char* key;
        const char* identifier;
        std::size_t afterComingBack;
    };
    const Case cases[] = {
        {SettingKeys::memoryAlerts, "memory-pressure", 2}, // still warning, but nominal was remembered
        {SettingKeys::diskAlerts, "disk-low", 2},          // well within the hour, yet alerts again
        {SettingKeys::networkAlerts, "network-daily", 1},  // kept: no second alert today
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.identifier);
        set(c.key, false);
        walk(10);
        EXPECT_EQ(times(QString::fromLatin1(c.identifier)).size(), 1u); // nothing while off
        set(c.key, true);
        walk(0);
        EXPECT_EQ(times(QString::fromLatin1(c.identifier)).size(), c.afterComingBack);
    }
}

TEST_F(Alerts, MemoryAlertsOnEachChangeIntoAnAlarmingLevel)
{
    struct Case {
        const char* threshold;
        std::vector<Pressure> levels;
        std::vector<QString> titles;
    };
    const Case cases[] = {
        {"warning",
         {Pressure::nominal, Pressure::warning, Pressure::warning, Pressure::critical, Pressure::warning, Pressure::nominal},
         {QStringLiteral("Memory Pressure: Warning"), QStringLiteral("Memory Pressure: Critical"),
          QStringLiteral("Memory Pressure: Warning")}},
        {"critical",
         {Pressure::warning, Pressure::critical, Pressure::warning, Pressure::critical},
         {QStringLiteral("Memory Pressure: Critical"), QStringLiteral("Memory Pressure: Critical")}},
        {"bogus", {Pressure::warning}, {QStringLiteral("Memory Pressure: Warning")}},
    };
    for (const Case& c : cases) {
        service->sent.clear();
        monitor->checkMemory(MemorySnapshot{}); // back to nominal
        set(SettingKeys::memoryThreshold, QString::fromLatin1(c.threshold));
        for (Pressure p : c.levels) {
            memory.pressure = p;
            monitor->evaluate(cpu, memory, disk, traffic);
        }
        std::vector<QString> titles;
        for (const Sent& s : service->sent)
            titles.push_back(s.title);
        EXPECT_EQ(titles, c.titles) << c.threshold;
    }
    ASSERT_FALSE(service->sent.empty());
    EXPECT_EQ(service->sent.front().identifier, QStringLiteral("memory-pressure"));
    EXPECT_EQ(service->sent.front().body, QString::fromUtf8("8.0 GB used of 16 GB \u2014 consider closing unused apps"));
}

TEST_F(Alerts, LowDiskAlertsOnceAnHourAndRearmsWhenSpaceReturns)
{
    disk.volumeTotalBytes = 100ull << 30;
    disk.volumeUsedBytes = 92ull << 30;
    disk.volumeFreeBytes = 8ull << 30;
    walk(3600);
    EXPECT_EQ(times(QStringLiteral("disk-low")), (std::vector<double>{0})); // 3600 s later is still within the hour
    walk(5);
    EXPECT_EQ(times(QStringLiteral("disk-low")), (std::vector<double>{0, 3605}));
    EXPECT_EQ(service->sent.front().title, QStringLiteral("Low Disk Space"));
    EXPECT_EQ(service->sent.front().body, QString::fromUtf8("8% free \u2014 8.0 GB remaining"));

    disk.volumeUsedBytes = 90ull << 30; // exactly 10 % free
    disk.volumeFreeBytes = 10ull << 30;
    walk(5);
    disk.volumeUsedBytes = 92ull << 30;
    disk.volumeFreeBytes = 8ull << 30;
    walk(0);
    EXPECT_EQ(times(QStringLiteral("disk-low")).size(), 3u);

    // The free share is what the user can write: with 12 GB reserved for
    // root, 80 GB used leaves 8 % free, not 20 %.
    disk.volumeUsedBytes = 80ull << 30;
    disk.volumeFreeBytes = 20ull << 30;
    walk(5);
    service->sent.clear();
    disk.volumeFreeBytes = 8ull << 30;
    walk(0);
    ASSERT_EQ(service->sent.size(), 1u);
    EXPECT_EQ(service->sent.front().body, QString::fromUtf8("8% free \u2014 8.0 GB remaining"));

    // A volume of no size counts as all free.
    service->sent.clear();
    disk = DiskSnapshot{};
    walk(10);
    EXPECT_TRUE(service->sent.empty());
}

TEST_F(Alerts, DailyDataAlertsOncePerDayAndLimit)
{
    set(SettingKeys::networkAlerts, true);
    // The recorder's summary, as its buckets hold the traffic.
    const auto summary = [](QDate day, std::vector<double> upDownGB) {
        DailySummary s = DailySummary::emptyFor(day);
        for (std::size_t i = 0; i + 1 < upDownGB.size(); i += 2) {
            HourBucket bucket = HourBucket::forHour(static_cast<std::int64_t>(s.hours.size()));
            bucket.networkUpBytes = upDownGB[i] * GB;
            bucket.networkDownBytes = upDownGB[i + 1] * GB;
            s.hours.push_back(bucket);
        }
        return AlertsMonitor::trafficOf(s);
    };
    // Just after midnight the recorder still holds yesterday's 6 GB.
    clock.setWall(QDate(2026, 12, 10).startOfDay().toSecsSinceEpoch() + 20);
    traffic = summary(QDate(2026, 12, 9), {1, 5});
    walk(30);
    EXPECT_TRUE(service->sent.empty());

    traffic = summary(today(), {0.4, 4.5});
    walk(0);
    traffic = summary(today(), {0.4, 4.5, 0, 0.1});
    walk(10);
    ASSERT_EQ(times(QStringLiteral("network-daily")).size(), 1u);
    EXPECT_EQ(service->sent.back().title, QStringLiteral("Daily Data Usage"));
    EXPECT_EQ(service->sent.back().body, QStringLiteral("You've used 5.0 GB of data today"));

    set(SettingKeys::networkDailyGB, 10);
    walk(5);
    traffic = summary(today(), {5, 5});
    walk(5);
    EXPECT_EQ(times(QStringLiteral("network-daily")).size(), 2u);
    set(SettingKeys::networkDailyGB, 2);
    walk(5);
    EXPECT_EQ(times(QStringLiteral("network-daily")).size(), 2u);

    // The next day starts afresh; a limit of 0 never alerts.
    clock.advance(86400);
    traffic = summary(today(), {1, 2});
    walk(0);
    EXPECT_EQ(times(QStringLiteral("network-daily")).size(), 3u);
    clock.advance(86400);
    traffic = summary(today(), {1, 2});
    set(SettingKeys::networkDailyGB, 0);
    walk(10);
    EXPECT_EQ(times(QStringLiteral("network-daily")).size(), 3u);
}

TEST_F(Alerts, ClosedGateLeavesRuleStateAlone)
{
    cpu.usagePercent = 90;
    walk(10);
    set(SettingKeys::alertsEnabled, false);
    memory.pressure = Pressure::warning;
    walk(60);
    EXPECT_TRUE(service->sent.empty());
    // Back on while still high: the period kept its start, so at once.
    set(SettingKeys::alertsEnabled, true);
    walk(0);
    EXPECT_EQ(times(QStringLiteral("cpu-high")).size(), 1u);
    EXPECT_EQ(times(QStringLiteral("memory-pressure")).size(), 1u);

    service->sent.clear();
    for (Status status : {Status::notDetermined, Status::denied, Status::ephemeral}) {
        monitor->setAuthorizationStatus(status);
        memory.pressure = Pressure::critical;
        walk(60);
    }
    EXPECT_TRUE(service->sent.empty());
    monitor->setAuthorizationStatus(Status::provisional);
    walk(0);
    EXPECT_EQ(times(QStringLiteral("memory-pressure")).size(), 1u);
}

TEST_F(Alerts, TestNotificationsUseTheRuleTextsWithSampleValues)
{
    set(SettingKeys::alertsEnabled, false);
    set(SettingKeys::cpuThreshold, 90);
    set(SettingKeys::networkDailyGB, 5);
    using Kind = AlertsMonitor::AlertKind;
    for (Kind kind : {Kind::cpu, Kind::memory, Kind::disk, Kind::network, static_cast<Kind>(7)})
        monitor->sendTestNotification(kind);
    ASSERT_EQ(service->sent.size(), 5u);
    const std::vector<std::array<QString, 3>> expected = {
        {QStringLiteral("test-cpu"), QStringLiteral("High CPU Usage"), QStringLiteral("CPU above 90% for 30 s (85% now)")},
        {QStringLiteral("test-memory"), QStringLiteral("Memory Pressure: Warning"),
         QString::fromUtf8("12.3 GB used of 16 GB \u2014 consider closing unused apps")},
        {QStringLiteral("test-disk"), QStringLiteral("Low Disk Space"), QString::fromUtf8("8% free \u2014 40.2 GB remaining")},
        {QStringLiteral("test-network"), QStringLiteral("Daily Data Usage"), QStringLiteral("You've used 5.1 GB of data today")},
        {QStringLiteral("test-network"), QStringLiteral("Daily Data Usage"), QStringLiteral("You've used 5.1 GB of data today")},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(service->sent[i].identifier, expected[i][0]);
        EXPECT_EQ(service->sent[i].title, expected[i][1]);
        EXPECT_EQ(service->sent[i].body, expected[i][2]);
    }
}

TEST_F(Alerts, PercentsFollowTheLocaleWhileNumbersKeepTheirPoint)
{
    QLocale::setDefault(QLocale(QStringLiteral("es_ES")));
    monitor->sendTestNotification(AlertsMonitor::AlertKind::cpu);
    monitor->sendTestNotification(AlertsMonitor::AlertKind::memory);
    EXPECT_EQ(service->sent[0].body, QString::fromUtf8("CPU above 80\u00a0% for 30 s (85\u00a0% now)"));
    EXPECT_EQ(service->sent[1].body, QString::fromUtf8("12.3 GB used of 16 GB \u2014 consider closing unused apps"));
}

TEST_F(Alerts, AuthorizationFollowsTheLatestCheck)
{
    monitor->setAuthorizationStatus(Status::notDetermined);
    QSignalSpy changed(monitor.get(), &AlertsMonitor::authorizationStatusChanged);
    int finished = 0;
    monitor->refreshAuthorizationStatus([&] { ++finished; });
    monitor->refreshAuthorizationStatus([&] { ++finished; });
    service->answer(1, true);
    EXPECT_EQ(monitor->authorizationStatus(), Status::authorized);
    service->answer(0, false); // an older answer that arrives late
    EXPECT_EQ(monitor->authorizationStatus(), Status::authorized);
    EXPECT_EQ(finished, 2);
    EXPECT_EQ(changed.count(), 1);

    // A server leaving or arriving checks again by itself.
    Q_EMIT service->serverChanged();
    ASSERT_EQ(service->pending.size(), 3u);
    service->answer(2, false);
    EXPECT_EQ(monitor->authorizationStatus(), Status::denied);

    std::optional<bool> granted;
    monitor->requestAuthorization([&](bool g) { granted = g; });
    service->answer(3, true);
    EXPECT_EQ(granted, true);
    monitor->openNotificationSettings();
    EXPECT_EQ(service->settingsOpened, 1);
}

TEST_F(Alerts, FailedDeliveryPrintsOneLine)
{
    ::testing::internal::CaptureStdout();
    Q_EMIT service->deliveryFailed(QStringLiteral("cpu-high"), QStringLiteral("The name is not activatable"));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "[AlertsMonitor] failed to deliver 'cpu-high': The name is not activatable\n");
}

// The loop itself, stepped through its timer: every tick reads what the
// providers and the day's traffic hold at that moment and runs the rules.
TEST_F(Alerts, StartedLoopEvaluatesTheProvidersAtEachTick)
{
    Platform::VmStats stats = Dunmorra::Test::memoryCounters(16, 12);
    CPUProvider cpuProvider({}, [] { return Platform::ChipFacts{}; }, &Dunmorra::Test::emptyScanCache(), clock);
    MemoryProvider memoryProvider([&] { return std::optional(stats); }, &Dunmorra::Test::emptyScanCache(), clock);
    DiskProvider diskProvider(DiskProvider::Readers{}, clock);
    memoryProvider.sample();
    set(SettingKeys::networkAlerts, true);
    int trafficAsked = 0;
    monitor->start(cpuProvider, memoryProvider, diskProvider, [&] {
        ++trafficAsked;
        return AlertsMonitor::DayTraffic{today(), 100 * GB};
    });
    EXPECT_EQ(monitor->loop().interval(), std::chrono::milliseconds(5000));
    EXPECT_TRUE(service->sent.empty());  // the first tick is 5 s away

    monitor->loop().runPassNow();
    EXPECT_EQ(trafficAsked, 1);
    EXPECT_EQ(times(QStringLiteral("network-daily")).size(), 1u);
    EXPECT_TRUE(times(QStringLiteral("memory-pressure")).empty());

    stats.memAvailable = 1ull << 30;  // 15 of 16 GiB used: critical
    memoryProvider.sample();
    monitor->loop().runPassNow();
    EXPECT_EQ(trafficAsked, 2);
    EXPECT_EQ(times(QStringLiteral("memory-pressure")).size(), 1u);
    EXPECT_TRUE(monitor->loop().isRunning());
    Dunmorra::Test::finishBackgroundJobs();
}
