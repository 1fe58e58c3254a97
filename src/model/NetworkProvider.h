#pragma once

#include "model/Clock.h"
#include "model/ConnectionResolver.h"
#include "model/DeviceCounters.h"
#include "model/HistoryRing.h"
#include "model/LocationWatcher.h"
#include "model/NetworkSnapshot.h"
#include "model/PollLoop.h"
#include "platform/NetworkCounters.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace Dunmorra {

// Upload and download rates of the physical links every second, with the
// connection details of the latest resolution, which runs off the GUI thread
// at start, every 15 s and on demand.
class NetworkProvider : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool paused READ paused WRITE setPaused NOTIFY pausedChanged)
    Q_PROPERTY(bool isRefreshing READ isRefreshing NOTIFY isRefreshingChanged)
public:
    struct Readers {
        // The kernel's rows; null when they cannot be read. Called on the GUI thread only.
        std::function<const std::vector<Platform::InterfaceCounters>*()> counters;
        std::function<bool(const std::string&)> hasDevice;
        // Whether an interface's link is up; without it every counted link is taken as up.
        std::function<bool(const std::string&)> isUp;
        // The interfaces holding a default route.
        std::function<std::vector<std::string>()> defaultRoute;
    };

    static constexpr int kHistoryCapacity = 60;
    static constexpr int kRateHistoryCapacity = 86'400;
    static constexpr double kMinimumInterval = 0.1;
    static constexpr double kRefreshAfterSeconds = 15.0;

    static Readers linuxReaders(const std::string& root = "/");
    static std::shared_ptr<const ConnectionResolver> linuxResolver();

    explicit NetworkProvider(Readers readers = linuxReaders(),
                             std::shared_ptr<const ConnectionResolver> resolver = linuxResolver(),
                             const Clock& clock = Clock::system(), QObject* parent = nullptr);

    const NetworkSnapshot& current() const { return m_current; }
    const HistoryRing<NetworkSnapshot>& history() const { return m_history; }
    const HistoryRing<double>& uploadHistory() const { return m_uploadHistory; }
    const HistoryRing<double>& downloadHistory() const { return m_downloadHistory; }
    // The counted interfaces' cumulative counters at the latest successful
    // reading (the start's, until a pass reads them): bytes received as
    // `in`, sent as `out`.
    const DeviceCounters& counters() const { return m_counters; }
    bool paused() const { return m_paused; }
    void setPaused(bool paused);
    bool isRefreshing() const { return m_isRefreshing; }
    const PollLoop& loop() const { return m_loop; }
    LocationWatcher& locationWatcher() { return *m_locationWatcher; }

    // When the latest resolution was applied, on the monotonic clock in
    // seconds. The tabs' reload sets it to kDistantPast, then calls refreshConnection().
    double connectionRefreshed() const { return m_connectionRefreshed; }
    void setConnectionRefreshed(double seconds);

    void start(std::chrono::milliseconds interval);
    // One pass: maybe start a resolution, then publish the rates.
    void sample();
    std::optional<NetworkSnapshot> makeSnapshot();
    // Reads the counted interfaces and makes the reading the new baseline;
    // none, with the baseline kept, when the kernel's list cannot be read or
    // holds no interface that counts.
    std::optional<DeviceCounters> readCounters();
    // Starts one resolution on the sampling pool and returns at once.
    void refreshConnection();

signals:
    void currentChanged();
    void historyChanged();
    void uploadHistoryChanged();
    void downloadHistoryChanged();
    void pausedChanged();
    void isRefreshingChanged();
    void connectionRefreshedChanged();
    void cachedInterfacesChanged();

private:
    void applyConnection(quint64 request, ConnectionResult result);
    void setIsRefreshing(bool refreshing);

    Readers m_readers;
    std::shared_ptr<const ConnectionResolver> m_resolver;
    const Clock& m_clock;
    NetworkSnapshot m_current = NetworkSnapshot::initial();
    HistoryRing<NetworkSnapshot> m_history{kHistoryCapacity};
    HistoryRing<double> m_uploadHistory{kRateHistoryCapacity};
    HistoryRing<double> m_downloadHistory{kRateHistoryCapacity};
    PollLoop m_loop;
    bool m_paused = false;
    DeviceCounters m_counters;
    double m_prevTime = kDistantPast; // monotonic seconds
    QString m_cachedIface = NetworkLabels::detecting;
    std::optional<QString> m_cachedSSID;
    bool m_cachedNeedsLocation = false;
    std::optional<QString> m_cachedIPAddress;
    QList<InterfaceInfo> m_cachedInterfaces;
    double m_connectionRefreshed = kDistantPast;
    bool m_isRefreshing = false;
    // Resolutions can overlap (a reload during a periodic one) and finish in
    // any order; a result older than the one applied is dropped, and the flag
    // clears once none is left under way.
    quint64 m_lastRequest = 0;
    quint64 m_appliedRequest = 0;
    int m_inFlight = 0;
    LocationWatcher* m_locationWatcher;
};

} // namespace Dunmorra
