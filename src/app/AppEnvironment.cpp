#include "app/AppEnvironment.h"

#include "folders/FolderProvider.h"
#include "history/AlertsMonitor.h"
#include "history/HistoricalDataStore.h"
#include "history/HistoryRecorder.h"
#include "model/AudioProvider.h"
#include "model/BatteryProvider.h"
#include "model/CPUProvider.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/NetworkProvider.h"

#include <QDateTime>

#include <cmath>

namespace Dunmorra {

using namespace std::chrono_literals;

namespace {
std::shared_ptr<const ConnectionResolver> connectionResolver(const std::string& systemRoot)
{
    ConnectionResolver::Options options;
    options.root = systemRoot;
    // A fixture tree is a simulated machine, and so is the NetworkManager
    // that knows its Wi-Fi (on the session bus): the system's own would name
    // the networks of this machine's interfaces instead.
    options.sessionBus = systemRoot != "/";
    return std::make_shared<const ConnectionResolver>(ConnectionResolver::linuxSources(options));
}
} // namespace

AppEnvironment::AppEnvironment(const Clock& clock, const std::string& systemRoot, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_cpu(std::make_unique<CPUProvider>(CPUProvider::TickReader{}, CPUProvider::ChipReader{}, nullptr, clock))
    , m_memory(std::make_unique<MemoryProvider>(MemoryProvider::procReader(systemRoot), nullptr, clock))
    , m_battery(std::make_unique<BatteryProvider>(BatteryProvider::sysfsReader(systemRoot), clock))
    , m_disk(std::make_unique<DiskProvider>(DiskProvider::linuxReaders(systemRoot), clock))
    , m_network(std::make_unique<NetworkProvider>(NetworkProvider::linuxReaders(systemRoot), connectionResolver(systemRoot), clock))
    , m_folders(std::make_unique<FolderProvider>())
    , m_audio(std::make_unique<AudioProvider>(AudioProvider::Reader{}, AudioNameLookup::system(), clock))
    , m_recorder(std::make_unique<HistoryRecorder>(clock))
    , m_historyStore(std::make_unique<HistoricalDataStore>())
    , m_alerts(std::make_unique<AlertsMonitor>(std::unique_ptr<Platform::NotificationService>{}, nullptr, clock))
{
    // The folder model works on demand only.
    m_cpu->start(1s);
    m_memory->start(2s);
    m_battery->start(30s);
    m_disk->start(1s);
    m_network->start(1s);
    m_audio->start(3s);

    m_historyStore->follow(*m_recorder);
    m_recorder->start(m_cpu.get(), m_memory.get(), m_battery.get(), m_network.get(), m_disk.get());

    m_alerts->refreshAuthorizationStatus();
    // The daily-data rule reads whatever the recorder holds at that moment.
    const HistoryRecorder& recorder = *m_recorder;
    m_alerts->start(*m_cpu, *m_memory, *m_disk,
                    [&recorder] { return AlertsMonitor::trafficOf(recorder.current(), recorder.day()); });
}

AppEnvironment::~AppEnvironment() = default;

QDate AppEnvironment::today() const
{
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::floor(m_clock.wallSeconds() * 1000.0))).date();
}

void AppEnvironment::setSelectedDate(QDate day)
{
    if (day == m_selectedDate)
        return;
    m_selectedDate = day;
    Q_EMIT selectedDateChanged();
}

void AppEnvironment::shiftSelectedDate(int days)
{
    const QDate now = today();
    const QDate base = m_selectedDate.isValid() ? m_selectedDate : now;
    QDate shifted = base.addDays(days); // calendar days: a day without a midnight is still one day
    if (!shifted.isValid())
        shifted = base;
    setSelectedDate(shifted >= now ? QDate() : shifted);
}

} // namespace Dunmorra
