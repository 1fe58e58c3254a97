#include "model/NetworkProvider.h"

#include "model/CounterMath.h"
#include "model/CountedLinks.h"
#include "model/WorkerPool.h"
#include "platform/DefaultRoute.h"
#include "platform/NetworkInterfaces.h"

#include <QCoreApplication>
#include <QPointer>

namespace Dunmorra {

NetworkProvider::Readers NetworkProvider::linuxReaders(const std::string& root)
{
    auto counters = std::make_shared<Platform::NetworkCounters>(root);
    auto sysfs = std::make_shared<Platform::NetworkInterfaces>(root);
    auto routes = std::make_shared<Platform::DefaultRoute>(root);
    return Readers{
        [counters] { return counters->read(); },
        [sysfs](const std::string& name) { return sysfs->hasDevice(name); },
        [sysfs](const std::string& name) { return sysfs->isUp(name); },
        [routes] { return routes->interfaces(); },
    };
}

std::shared_ptr<const ConnectionResolver> NetworkProvider::linuxResolver()
{
    return std::make_shared<const ConnectionResolver>(ConnectionResolver::linuxSources());
}

NetworkProvider::NetworkProvider(Readers readers, std::shared_ptr<const ConnectionResolver> resolver,
                                 const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_readers(std::move(readers))
    , m_resolver(std::move(resolver))
    , m_clock(clock)
    , m_locationWatcher(new LocationWatcher(this))
{
}

void NetworkProvider::setPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    emit pausedChanged();
}

void NetworkProvider::setIsRefreshing(bool refreshing)
{
    if (m_isRefreshing == refreshing)
        return;
    m_isRefreshing = refreshing;
    emit isRefreshingChanged();
}

void NetworkProvider::setConnectionRefreshed(double seconds)
{
    if (m_connectionRefreshed == seconds)
        return;
    m_connectionRefreshed = seconds;
    emit connectionRefreshedChanged();
}

void NetworkProvider::start(std::chrono::milliseconds interval)
{
    QPointer<NetworkProvider> self(this);
    m_locationWatcher->onAuthorized = [self] {
        if (!self)
            return;
        QMetaObject::invokeMethod(
            self.data(),
            [self] {
                if (!self)
                    return;
                self->setConnectionRefreshed(kDistantPast);
                self->refreshConnection();
            },
            Qt::QueuedConnection);
    };
    m_locationWatcher->requestWhenInUseAuthorization();
    m_loop.stop();
    readCounters();
    refreshConnection();
    m_loop.start(interval, [this] {
        if (!m_paused)
            sample();
    });
}

void NetworkProvider::sample()
{
    if (m_clock.monotonicSeconds() - m_connectionRefreshed > kRefreshAfterSeconds && !m_isRefreshing)
        refreshConnection();
    auto snapshot = makeSnapshot();
    if (!snapshot)
        return;
    m_current = std::move(*snapshot);
    emit currentChanged();
    m_history.append(m_clock.wallSeconds(), m_current);
    emit historyChanged();
    m_uploadHistory.append(m_clock.wallSeconds(), m_current.uploadBytesPerSec);
    emit uploadHistoryChanged();
    m_downloadHistory.append(m_clock.wallSeconds(), m_current.downloadBytesPerSec);
    emit downloadHistoryChanged();
}

std::optional<DeviceCounters> NetworkProvider::readCounters()
{
    const auto* rows = m_readers.counters ? m_readers.counters() : nullptr;
    if (!rows)
        return std::nullopt;
    DeviceCounters reading;
    const CountedLinks links = CountedLinks::select(*rows, m_readers.hasDevice, m_readers.isUp, m_readers.defaultRoute);
    for (const auto& row : *rows) {
        if (links.contains(row.name))
            reading.set(row.name, ByteCounts{row.rxBytes, row.txBytes});
    }
    // A list without a counted interface (read mid-change, or a machine
    // between links) is no reading: a baseline of nothing would make the
    // next pass count every counter as new.
    if (reading.empty())
        return std::nullopt;
    m_counters = std::move(reading);
    m_prevTime = m_clock.monotonicSeconds();
    return m_counters;
}

std::optional<NetworkSnapshot> NetworkProvider::makeSnapshot()
{
    const DeviceCounters old = m_counters;
    const double oldTime = m_prevTime;
    const auto reading = readCounters();
    if (!reading)
        return std::nullopt;
    const double elapsed = m_prevTime - oldTime;
    if (!(elapsed > kMinimumInterval))
        return m_current;
    // Interface by interface, as the day's totals are counted: one that
    // appears with its counters, or whose counters were reset, is no burst.
    const ByteCounts moved = reading->since(old);
    return NetworkSnapshot{
        counterRate(moved.out, 0, elapsed),
        counterRate(moved.in, 0, elapsed),
        m_cachedSSID, m_cachedIface, m_cachedNeedsLocation, m_cachedIPAddress, m_cachedInterfaces,
    };
}

void NetworkProvider::refreshConnection()
{
    setIsRefreshing(true);
    ++m_inFlight;
    const quint64 request = ++m_lastRequest;
    const int status = m_locationWatcher->authorizationStatus();
    QPointer<NetworkProvider> self(this);
    std::shared_ptr<const ConnectionResolver> resolver = m_resolver;
    samplingPool().start([self, resolver, status, request] {
        ConnectionResult result;
        if (resolver)
            result = resolver->resolve(status);
        else
            result.label = NetworkLabels::notConnected;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, request, result = std::move(result)]() mutable {
                if (self)
                    self->applyConnection(request, std::move(result));
            },
            Qt::QueuedConnection);
    });
}

void NetworkProvider::applyConnection(quint64 request, ConnectionResult result)
{
    --m_inFlight;
    if (request < m_appliedRequest) {
        if (m_inFlight == 0)
            setIsRefreshing(false);
        return;
    }
    m_appliedRequest = request;
    m_cachedIface = result.label;
    m_cachedSSID = result.ssid;
    m_cachedNeedsLocation = result.needsLocation;
    m_cachedIPAddress = result.ipAddress;
    m_cachedInterfaces = result.interfaces;
    emit cachedInterfacesChanged();
    setConnectionRefreshed(m_clock.monotonicSeconds());
    setIsRefreshing(m_inFlight > 0);

    NetworkSnapshot next = m_current;
    next.ssid = m_cachedSSID;
    next.interfaceName = m_cachedIface;
    next.needsLocation = m_cachedNeedsLocation;
    next.ipAddress = m_cachedIPAddress;
    next.interfaces = m_cachedInterfaces;
    m_current = std::move(next);
    emit currentChanged();
}

} // namespace Dunmorra
