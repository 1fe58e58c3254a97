#include "model/NetworkProvider.h"

#include "model/CounterMath.h"
#include "model/WorkerPool.h"
#include "platform/NetworkInterfaces.h"

#include <QCoreApplication>
#include <QPointer>

#include <string_view>

namespace Dunmorra {

NetworkProvider::Readers NetworkProvider::linuxReaders(const std::string& root)
{
    auto counters = std::make_shared<Platform::NetworkCounters>(root);
    auto sysfs = std::make_shared<Platform::NetworkInterfaces>(root);
    return Readers{
        [counters] { return counters->read(); },
        [sysfs](const std::string& name) { return sysfs->hasDevice(name); },
    };
}

std::shared_ptr<const ConnectionResolver> NetworkProvider::linuxResolver()
{
    return std::make_shared<const ConnectionResolver>(ConnectionResolver::linuxSources());
}

bool NetworkProvider::isCounted(const std::string& name, const std::function<bool(const std::string&)>& hasDevice)
{
    const std::string_view n(name);
    for (std::string_view prefix : {"lo", "utun", "awdl", "llw", "bridge", "p2p", "ipsec"}) {
        if (n.substr(0, prefix.size()) == prefix)
            return false;
    }
    // A serial-modem ppp link has no device node but is the machine's only uplink.
    if (n.substr(0, 3) == "ppp")
        return true;
    return hasDevice && hasDevice(name);
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

std::optional<NetworkProvider::Totals> NetworkProvider::readCounters()
{
    const auto* rows = m_readers.counters ? m_readers.counters() : nullptr;
    if (!rows)
        return std::nullopt;
    Totals totals;
    for (const auto& row : *rows) {
        if (!isCounted(row.name, m_readers.hasDevice))
            continue;
        totals.up = addSaturated(totals.up, row.txBytes);
        totals.down = addSaturated(totals.down, row.rxBytes);
    }
    m_prevUp = totals.up;
    m_prevDown = totals.down;
    m_prevTime = m_clock.monotonicSeconds();
    return totals;
}

std::optional<NetworkSnapshot> NetworkProvider::makeSnapshot()
{
    const std::uint64_t oldUp = m_prevUp;
    const std::uint64_t oldDown = m_prevDown;
    const double oldTime = m_prevTime;
    const auto totals = readCounters();
    if (!totals)
        return std::nullopt;
    const double elapsed = m_prevTime - oldTime;
    if (!(elapsed > kMinimumInterval))
        return m_current;
    return NetworkSnapshot{
        counterRate(totals->up, oldUp, elapsed),
        counterRate(totals->down, oldDown, elapsed),
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
