#pragma once

#include "history/DayFile.h"
#include "history/HistoricalDataStore.h"
#include "history/ScopedTimeZone.h"
#include "model/AudioProvider.h"
#include "model/BatteryProvider.h"
#include "model/CPUProvider.h"
#include "model/DaySelection.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/NetworkProvider.h"
#include "model/UserSettings.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"
#include "components/Typography.h"
#include "tabs/overview/OverviewTab.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace Dunmorra::Test {

inline constexpr std::uint64_t kGiB = 1ULL << 30;

// Every source of the Overview on readers the test sets: today is
// 2026-12-10 in Madrid, the CPU runs at 37.9 %, 16 GiB of memory with half in
// use, no battery until one is given, a 500 GiB volume, no network traffic
// and no sound server. Day files go to a temporary history folder.
struct OverviewRig {
    ScopedTimeZone zone{"Europe/Madrid"};
    QDate today{2026, 12, 10};
    ManualClock clock{static_cast<double>(QDateTime(QDate(2026, 12, 10), QTime(15, 30)).toSecsSinceEpoch())};
    QTemporaryDir tmp;
    QString directory = tmp.filePath(QStringLiteral("history"));
    DaySelection days{clock};
    HistoricalDataStore store{directory};

    std::uint64_t ticks = 0;
    CPUProvider cpu{[this] {
                        ++ticks;
                        return std::optional<std::vector<Platform::CoreTicks>>({{0, ticks * 379, ticks * 621}});
                    },
                    [] {
                        Platform::ChipFacts facts;
                        facts.brand = "Test Chip";
                        facts.physicalCores = 1;
                        return facts;
                    },
                    &emptyScanCache(), clock};
    Platform::VmStats vm = [] {
        Platform::VmStats v;
        v.memTotal = 16 * kGiB;
        v.memFree = 8 * kGiB;
        v.memAvailable = 8 * kGiB;
        v.hasMemAvailable = true;
        return v;
    }();
    MemoryProvider memory{[this] { return std::optional<Platform::VmStats>(vm); }, &emptyScanCache(), clock};
    std::optional<Platform::BatteryReading> batteryReading;
    BatteryProvider battery{[this] {
                                return batteryReading ? std::vector{*batteryReading} : std::vector<Platform::BatteryReading>{};
                            },
                            clock};
    Platform::FileSystemSpace space{500 * kGiB, 200 * kGiB};
    DiskProvider disk{{[] { return std::optional(std::vector<Platform::DiskCounters>{}); },
                       [this] { return std::optional<Platform::FileSystemSpace>(space); },
                       [] { return std::optional<std::string>("nvme0n1p2"); }},
                      clock};
    std::vector<Platform::InterfaceCounters> counters;
    std::shared_ptr<std::atomic<int>> resolutions = std::make_shared<std::atomic<int>>(0);
    std::optional<QString> wifiName;
    NetworkProvider network{{[this] { return &counters; }, [](const std::string&) { return true; }, {}, {}}, resolver(), clock};
    std::optional<Platform::AudioServerState> audioState;   // none: no sound server
    AudioProvider audio{[this] { return audioState; }, AudioNameLookup{}, clock};
    QTemporaryDir settingsDir;
    UserSettings settings{std::make_unique<QSettings>(settingsDir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat)};
    Uptime uptime{0, 0, 5};
    std::unique_ptr<OverviewTab> tab;

    // A battery at `percent`, charging or not.
    static Platform::BatteryReading batteryAt(std::int64_t percent, const char* status)
    {
        Platform::BatteryReading reading;
        reading.name = "BAT0";
        reading.status = status;
        reading.capacity = percent;
        return reading;
    }

    OverviewRig() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~OverviewRig()
    {
        tab.reset();
        finishBackgroundJobs();
        QLocale::setDefault(QLocale::c());
    }

    // A wireless wlan0 joined to wifiName (when set) at 192.168.1.20.
    std::shared_ptr<const ConnectionResolver> resolver()
    {
        ConnectionResolver::Sources s;
        s.wirelessInterfaces = [calls = resolutions] {
            ++*calls;
            return std::vector<std::string>{"wlan0"};
        };
        s.traits = [](const std::string&) { return Platform::InterfaceTraits{true, true, false, "up"}; };
        s.addresses = [] {
            return std::optional<std::vector<Platform::InterfaceAddress>>(
                std::vector<Platform::InterfaceAddress>{{"wlan0", "192.168.1.20"}});
        };
        s.networkManager = [this](const QString&) { return wifiName; };
        return std::make_shared<const ConnectionResolver>(std::move(s));
    }

    OverviewTab& open()
    {
        tab = std::make_unique<OverviewTab>(OverviewSources{days, store, cpu, memory, battery, disk, network, audio,
                                                            settings, [this] { return uptime; }});
        tab->resize(1000, 760);
        return *tab;
    }

    QDate daysAgo(int n) const { return today.addDays(-n); }
    void writeDay(QDate day, const DailySummary& summary) const
    {
        ASSERT_FALSE(DayFile::write(DayFile::path(day, directory), summary));
    }
    void writeText(QDate day, const QByteArray& text) const
    {
        QDir().mkpath(directory);
        QFile file(DayFile::path(day, directory));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    // Waits until a recorded day on screen was read (or found missing).
    bool settled() const
    {
        return settle([this] { return tab->body() != OverviewTab::Body::Reading; });
    }
    void cpuPasses(int n)
    {
        for (int i = 0; i < n; ++i) {
            clock.advance(1.0);
            cpu.sample();
        }
    }
};

inline QString textOf(const QWidget& root, const char* name)
{
    auto* label = root.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

// Would be on screen once the page is.
inline bool shown(const QWidget* w)
{
    return w && w->isVisibleTo(w->window());
}

} // namespace Dunmorra::Test
