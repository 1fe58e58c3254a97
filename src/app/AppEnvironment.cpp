#include "app/AppEnvironment.h"

#include "folders/FolderProvider.h"
#include "history/AlertsMonitor.h"
#include "history/HistoricalDataStore.h"
#include "history/HistoryRecorder.h"
#include "model/AudioProvider.h"
#include "model/BatteryProvider.h"
#include "model/CPUProvider.h"
#include "model/DaySelection.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/NetworkProvider.h"

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
    , m_days(std::make_unique<DaySelection>(clock))
{
    connect(m_days.get(), &DaySelection::selectedDateChanged, this, &AppEnvironment::selectedDateChanged);

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

QDate AppEnvironment::selectedDate() const
{
    return m_days->selectedDate();
}

void AppEnvironment::setSelectedDate(QDate day)
{
    m_days->setSelectedDate(day);
}

void AppEnvironment::shiftSelectedDate(int days)
{
    m_days->shiftSelectedDate(days);
}

} // namespace Dunmorra
