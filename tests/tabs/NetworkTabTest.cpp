#include "tabs/network/NetworkTab.h"

#include "components/DualSparklineView.h"
#include "components/RangeSeries.h"
#include "components/SegmentedPicker.h"
#include "components/SparklineView.h"
#include "components/Symbols.h"
#include "components/Typography.h"
#include "history/HistoryRecorder.h"
#include "model/NetworkProvider.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"
#include "support/QtPrinters.h"
#include "tabs/network/ConnectionCard.h"
#include "tabs/network/InterfacesSection.h"
#include "tabs/network/ThroughputHistoryCard.h"
#include "tabs/network/TodaysNetworksCard.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>

using namespace Dunmorra;
namespace support = Dunmorra::Test;
using Platform::InterfaceTraits;

namespace {

// The machine the provider reads: interface counters, sysfs traits, the
// addresses and the joined Wi-Fi's name. Resolutions read it on a worker
// thread, so it is guarded; each one is counted.
struct Machine {
    struct Interface {
        std::string name;
        InterfaceTraits traits;
        std::uint64_t rx = 0, tx = 0;
        std::string ipv4;
    };

    mutable std::mutex lock;
    std::vector<Interface> interfaces;
    std::optional<QString> ssid;
    std::atomic<int> resolutions{0};

    void set(std::vector<Interface> next, std::optional<QString> name = std::nullopt)
    {
        const std::lock_guard<std::mutex> guard(lock);
        interfaces = std::move(next);
        ssid = std::move(name);
    }

    // Traffic on the first interface.
    void carry(std::uint64_t rx, std::uint64_t tx)
    {
        const std::lock_guard<std::mutex> guard(lock);
        interfaces.front().rx += rx;
        interfaces.front().tx += tx;
    }

    std::vector<Platform::InterfaceCounters> counters() const
    {
        const std::lock_guard<std::mutex> guard(lock);
        std::vector<Platform::InterfaceCounters> out;
        for (const Interface& i : interfaces)
            out.push_back({i.name, i.rx, i.tx});
        return out;
    }

    std::shared_ptr<const ConnectionResolver> resolver()
    {
        ConnectionResolver::Sources s;
        s.counters = [this] {
            ++resolutions;
            return std::optional(counters());
        };
        s.traits = [this](const std::string& name) {
            const std::lock_guard<std::mutex> guard(lock);
            for (const Interface& i : interfaces) {
                if (i.name == name)
                    return i.traits;
            }
            return InterfaceTraits{};
        };
        s.wirelessInterfaces = [this] {
            const std::lock_guard<std::mutex> guard(lock);
            std::vector<std::string> out;
            for (const Interface& i : interfaces) {
                if (i.traits.isWireless)
                    out.push_back(i.name);
            }
            return out;
        };
        s.addresses = [this] {
            const std::lock_guard<std::mutex> guard(lock);
            std::vector<Platform::InterfaceAddress> out;
            for (const Interface& i : interfaces) {
                if (!i.ipv4.empty())
                    out.push_back({i.name, i.ipv4});
            }
            return std::optional(out);
        };
        s.networkManager = [this](const QString&) {
            const std::lock_guard<std::mutex> guard(lock);
            return ssid;
        };
        return std::make_shared<const ConnectionResolver>(std::move(s));
    }
};

const InterfaceTraits kWiredUp{true, false, false, "up"};
const InterfaceTraits kWirelessUp{true, true, false, "up"};
const InterfaceTraits kTunnel{false, false, true, "unknown"};
const InterfaceTraits kModem{true, false, false, "unknown", true};

// A provider over the machine, a recorder over an empty history folder, and
// the tab over both.
struct NetRig {
    Machine machine;
    support::ManualClock clock;
    NetworkProvider provider{NetworkProvider::Readers{[this] {
                                                          rows = machine.counters();
                                                          return &rows;
                                                      },
                                                      [this](const std::string& name) {
                                                          const std::lock_guard<std::mutex> guard(machine.lock);
                                                          for (const auto& i : machine.interfaces) {
                                                              if (i.name == name)
                                                                  return i.traits.hasDevice;
                                                          }
                                                          return false;
                                                      },
                                                      {}, {}},
                             machine.resolver(), clock};
    std::vector<Platform::InterfaceCounters> rows;
    QTemporaryDir history;
    HistoryRecorder recorder{clock, history.path()};

    ~NetRig() { support::finishBackgroundJobs(); }

    // Resolves the connection now and waits for the result.
    void resolve()
    {
        provider.refreshConnection();
        EXPECT_TRUE(support::settle([this] { return !provider.isRefreshing(); }));
    }
    void passes(int n)
    {
        for (int i = 0; i < n; ++i) {
            clock.advance(1.0);
            provider.sample();
        }
    }
};

template <typename W = QLabel>
W* child(const QWidget& root, const QString& name)
{
    return root.findChild<W*>(name);
}

QString textOf(const QWidget& root, const QString& name)
{
    auto* label = child(root, name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

QString symbolOf(const QWidget& root, const QString& name)
{
    auto* view = child<SymbolView>(root, name);
    return view ? view->symbol() : QStringLiteral("<missing %1>").arg(name);
}

} // namespace

TEST(NetworkTabRules, ConnectionSymbolFirstMatchWins)
{
    struct Case {
        QString label;
        std::optional<QString> ssid;
        const char* symbol;
    };
    const Case cases[] = {
        {NetworkLabels::ethernet, QStringLiteral("Home"), "wifi"}, // a network name wins over the label
        {NetworkLabels::wifi, std::nullopt, "wifi"},
        {NetworkLabels::ethernet, std::nullopt, "cable.connector"},
        {NetworkLabels::cellular, std::nullopt, "antenna.radiowaves.left.and.right"},
        {NetworkLabels::notConnected, std::nullopt, "wifi.slash"},
        {NetworkLabels::detecting, std::nullopt, "wifi.slash"},
        {QStringLiteral("ethernet"), std::nullopt, "wifi.slash"}, // exact comparison
        {QStringLiteral("Detecting..."), std::nullopt, "wifi.slash"},
    };
    for (const Case& c : cases) {
        NetworkSnapshot s;
        s.interfaceName = c.label;
        s.ssid = c.ssid;
        EXPECT_EQ(ConnectionCard::connectionSymbol(s), QLatin1String(c.symbol)) << c.label.toStdString();
    }
    EXPECT_EQ(InterfacesSection::kindSymbol(QStringLiteral("Wi-Fi")), QStringLiteral("wifi"));
    EXPECT_EQ(InterfacesSection::kindSymbol(QStringLiteral("Ethernet")), QStringLiteral("cable.connector"));
    EXPECT_EQ(InterfacesSection::kindSymbol(QStringLiteral("VPN")), QStringLiteral("lock.shield"));
    EXPECT_EQ(InterfacesSection::kindSymbol(QStringLiteral("Cellular")), QStringLiteral("antenna.radiowaves.left.and.right"));
    EXPECT_EQ(InterfacesSection::kindSymbol(QStringLiteral("wifi")), QStringLiteral("lock.shield"));
}

TEST(NetworkTabRules, TimeRangesByRawValueOnly)
{
    struct Range {
        const char* raw;
        int samples;
        const char* axis;
    };
    const Range ranges[] = {{"60s", 60, "60s ago"}, {"5m", 300, "5m ago"}, {"1h", 3600, "1h ago"},
                            {"12h", 43200, "12h ago"}, {"24h", 86400, "24h ago"}};
    ASSERT_EQ(allNetTimeRanges.size(), std::size(ranges));
    for (std::size_t i = 0; i < allNetTimeRanges.size(); ++i) {
        EXPECT_EQ(rawValue(allNetTimeRanges[i]), QLatin1String(ranges[i].raw));
        EXPECT_EQ(sampleCount(allNetTimeRanges[i]), ranges[i].samples);
        EXPECT_EQ(leftAxisLabel(allNetTimeRanges[i]), QLatin1String(ranges[i].axis));
        EXPECT_EQ(netTimeRangeFromRawValue(QLatin1String(ranges[i].raw)), allNetTimeRanges[i]);
    }
    for (const char* other : {"", "10m", "60S", "60", " 5m", "24h "})
        EXPECT_FALSE(netTimeRangeFromRawValue(QLatin1String(other))) << other;
}

TEST(NetworkTabRules, ChartSeriesAreTheSharedRangeSeriesOfPlainRates)
{
    const auto ring = [](int count) {
        HistoryRing<double> r(NetworkProvider::kRateHistoryCapacity);
        for (int i = 0; i < count; ++i)
            r.append(i, 1000.0 * i);
        return r;
    };
    const auto positions = [](int kept, int first) {
        std::vector<double> out;
        for (int i = 0; i < 120; ++i)
            out.push_back(1000.0 * (first + (static_cast<std::int64_t>(i) * (kept - 1)) / 119));
        return out;
    };
    std::vector<double> newest60;
    for (int i = 40; i < 100; ++i)
        newest60.push_back(1000.0 * i);

    struct Case {
        int samples;
        NetTimeRange range;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {0, NetTimeRange::h24, {}},
        {1, NetTimeRange::s60, {}},
        {2, NetTimeRange::h1, {0.0, 1000.0}},
        {100, NetTimeRange::s60, newest60},              // never thinned
        {121, NetTimeRange::m5, positions(121, 0)},      // the oldest and the newest kept
        {300, NetTimeRange::m5, positions(300, 0)},      // 0, 2, 5, 7, 10, ...
        {500, NetTimeRange::h24, positions(500, 0)},     // spread over all there are
        {500, NetTimeRange::h1, positions(500, 0)},      // the same until an hour exists
        {400, NetTimeRange::m5, positions(300, 100)},    // only the newest 300
    };
    for (const Case& c : cases) {
        const HistoryRing<double> r = ring(c.samples);
        const std::vector<double> series = ThroughputHistoryCard::series(r, c.range);
        EXPECT_EQ(series, c.expected) << c.samples << " " << rawValue(c.range).toStdString();
        EXPECT_EQ(series, rangeSeries(r, sampleCount(c.range), 1.0));
    }
    EXPECT_EQ(positions(300, 0)[1], 2000.0);
    EXPECT_EQ(positions(300, 0)[2], 5000.0);
    EXPECT_EQ(positions(300, 0)[3], 7000.0);
}

TEST(NetworkTab, KnownConnectionsShowTheirLabelNameAddressAndInterfaces)
{
    const QString hostile = QString::fromUtf8("<b>x</b>\n\xff");
    struct Case {
        const char* what;
        std::vector<Machine::Interface> interfaces;
        std::optional<QString> ssid;
        QString label;
        const char* symbol;
        std::optional<QString> shownSSID;
        std::optional<QString> address;
        QStringList rows;
    };
    const Case cases[] = {
        {"no connection", {}, std::nullopt, NetworkLabels::notConnected, "wifi.slash", std::nullopt, std::nullopt, {}},
        {"Ethernet", {{"eth0", kWiredUp, 5000, 700, "192.168.1.20"}}, std::nullopt, NetworkLabels::ethernet,
         "cable.connector", std::nullopt, QStringLiteral("192.168.1.20"), {"eth0"}},
        {"Wi-Fi with a name", {{"wlan0", kWirelessUp, 9000, 100, "10.0.0.7"}}, QStringLiteral("Home"),
         NetworkLabels::wifi, "wifi", QStringLiteral("Home"), QStringLiteral("10.0.0.7"), {"wlan0"}},
        {"Wi-Fi whose name is hostile", {{"wlan0", kWirelessUp, 9000, 100, ""}}, hostile, NetworkLabels::wifi, "wifi",
         QString::fromUtf8("<b>x</b>\ufffd\ufffd"), std::nullopt, {"wlan0"}},
        {"Wi-Fi without a name", {{"wlan0", kWirelessUp, 9000, 100, ""}}, std::nullopt, NetworkLabels::wifi, "wifi",
         std::nullopt, std::nullopt, {"wlan0"}},
        {"Ethernet under a tunnel", {{"enp3s0", kWiredUp, 5000, 700, "192.168.1.20"}, {"wg0", kTunnel, 300, 200, ""}},
         std::nullopt, NetworkLabels::ethernet, "cable.connector", std::nullopt, QStringLiteral("192.168.1.20"),
         {"enp3s0", "wg0"}},
        {"a modem's link", {{"wwan0", kModem, 4000, 600, "10.64.1.9"}}, std::nullopt, NetworkLabels::cellular,
         "antenna.radiowaves.left.and.right", std::nullopt, QStringLiteral("10.64.1.9"), {"wwan0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NetRig rig;
        NetworkTab tab(rig.provider, rig.recorder);
        // Before the first resolution.
        EXPECT_EQ(textOf(tab, QStringLiteral("connectionLabel")), NetworkLabels::detecting);
        EXPECT_EQ(symbolOf(tab, QStringLiteral("connectionSymbol")), QStringLiteral("wifi.slash"));

        rig.machine.set(c.interfaces, c.ssid);
        rig.resolve();
        EXPECT_EQ(textOf(tab, QStringLiteral("connectionLabel")), c.label);
        EXPECT_EQ(symbolOf(tab, QStringLiteral("connectionSymbol")), QLatin1String(c.symbol));
        auto* ssid = child(tab, QStringLiteral("connectionSSID"));
        EXPECT_EQ(!ssid->isHidden(), c.shownSSID.has_value());
        EXPECT_EQ(!child(tab, QStringLiteral("connectionDot"))->isHidden(), c.shownSSID.has_value());
        if (c.shownSSID) {
            EXPECT_EQ(ssid->text(), *c.shownSSID);
        }
        EXPECT_EQ(ssid->textFormat(), Qt::PlainText);
        auto* addressLine = child<QWidget>(tab, QStringLiteral("addressLine"));
        EXPECT_EQ(!addressLine->isHidden(), c.address.has_value());
        if (c.address) {
            EXPECT_EQ(textOf(tab, QStringLiteral("connectionAddress")), *c.address);
        }
        EXPECT_TRUE(child<QWidget>(tab, QStringLiteral("locationButton"))->isHidden());

        QStringList rows;
        for (const QString& id : c.rows) {
            auto* row = child<QWidget>(tab, QStringLiteral("interfaceRow:") + id);
            ASSERT_TRUE(row) << id.toStdString();
            rows << textOf(*row, QStringLiteral("interfaceId"));
        }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(!child(tab, QStringLiteral("noInterfaces"))->isHidden(), c.rows.isEmpty());
    }
}

TEST(NetworkTab, InterfaceRowsShowKindAddressAndTotalsWithADividerEach)
{
    NetRig rig;
    rig.machine.set({{"enp3s0", kWiredUp, 5ULL << 30, 3ULL << 20, "192.168.1.20"}, {"wg0", kTunnel, 2048, 300, ""}});
    NetworkTab tab(rig.provider, rig.recorder);
    rig.resolve();

    auto* wired = child<QWidget>(tab, QStringLiteral("interfaceRow:enp3s0"));
    auto* tunnel = child<QWidget>(tab, QStringLiteral("interfaceRow:wg0"));
    ASSERT_TRUE(wired && tunnel);
    EXPECT_EQ(textOf(*wired, QStringLiteral("interfaceKind")), QStringLiteral("Ethernet"));
    EXPECT_EQ(symbolOf(*wired, QStringLiteral("kindSymbol")), QStringLiteral("cable.connector"));
    EXPECT_EQ(textOf(*wired, QStringLiteral("interfaceAddress")), QStringLiteral("192.168.1.20"));
    EXPECT_EQ(textOf(*wired, QStringLiteral("interfaceSent")), QStringLiteral("3 MB"));
    EXPECT_EQ(textOf(*wired, QStringLiteral("interfaceReceived")), QStringLiteral("5.0 GB"));
    // The whole name is the hover help of a cell too narrow for it.
    EXPECT_TRUE(child(*wired, QStringLiteral("interfaceId"))->toolTip().contains(QStringLiteral("enp3s0")));

    EXPECT_EQ(textOf(*tunnel, QStringLiteral("interfaceKind")), QStringLiteral("VPN"));
    EXPECT_EQ(symbolOf(*tunnel, QStringLiteral("kindSymbol")), QStringLiteral("lock.shield"));
    EXPECT_EQ(textOf(*tunnel, QStringLiteral("interfaceAddress")), QString::fromUtf8("\u2014"));
    EXPECT_EQ(textOf(*tunnel, QStringLiteral("interfaceSent")), QStringLiteral("0 KB"));
    EXPECT_EQ(textOf(*tunnel, QStringLiteral("interfaceReceived")), QStringLiteral("2 KB"));
    // Every row ends with its divider, the last one included.
    for (QWidget* row : {wired, tunnel}) {
        const auto dividers = row->findChildren<QWidget*>();
        EXPECT_TRUE(std::any_of(dividers.begin(), dividers.end(), [](QWidget* w) {
            return QByteArray(w->metaObject()->className()) == "Dunmorra::Divider" && !w->isHidden();
        }));
    }

    // The tunnel goes away: its row with it, the other row stays the same widget.
    rig.machine.set({{"enp3s0", kWiredUp, 5ULL << 30, 3ULL << 20, "192.168.1.20"}});
    rig.resolve();
    EXPECT_FALSE(child<QWidget>(tab, QStringLiteral("interfaceRow:wg0")));
    EXPECT_EQ(child<QWidget>(tab, QStringLiteral("interfaceRow:enp3s0")), wired);
}

TEST(NetworkTab, LocationButtonOnlyWhileTheNameNeedsLocationAccess)
{
    NetRig rig;
    rig.machine.set({{"wlan0", kWirelessUp, 9000, 100, "10.0.0.7"}});
    NetworkTab tab(rig.provider, rig.recorder);
    QSignalSpy asked(&tab, &NetworkTab::locationSettingsRequested);
    rig.provider.locationWatcher().didChangeAuthorization(LocationWatcher::denied);
    rig.resolve();

    auto* button = child<QToolButton>(tab, QStringLiteral("locationButton"));
    ASSERT_FALSE(button->isHidden());
    EXPECT_EQ(button->text(), QStringLiteral("Allow location for Wi-Fi name"));
    // Under the name and address lines.
    EXPECT_FALSE(child<QWidget>(tab, QStringLiteral("addressLine"))->isHidden());
    tab.show();
    EXPECT_GT(button->mapTo(&tab, QPoint()).y(), child<QWidget>(tab, QStringLiteral("addressLine"))->mapTo(&tab, QPoint()).y());
    button->click();
    EXPECT_EQ(asked.count(), 1);
    EXPECT_FALSE(rig.provider.isRefreshing()); // the press asks for the settings only

    rig.provider.locationWatcher().didChangeAuthorization(LocationWatcher::authorizedWhenInUse);
    rig.machine.set({{"wlan0", kWirelessUp, 9000, 100, "10.0.0.7"}}, QStringLiteral("Home"));
    rig.resolve();
    EXPECT_TRUE(button->isHidden());
}

TEST(NetworkTab, EachReloadForgetsTheStampAndStartsOneResolution)
{
    NetRig rig;
    rig.machine.set({{"eth0", kWiredUp, 5000, 700, "192.168.1.20"}});
    NetworkTab tab(rig.provider, rig.recorder);
    rig.resolve();
    ASSERT_GT(rig.provider.connectionRefreshed(), kDistantPast);
    const int before = rig.machine.resolutions;

    std::vector<double> stamps;
    QObject::connect(&rig.provider, &NetworkProvider::connectionRefreshedChanged, &tab,
                     [&] { stamps.push_back(rig.provider.connectionRefreshed()); });
    auto* reload = child<QToolButton>(tab, QStringLiteral("reloadButton"));
    EXPECT_EQ(reload->text(), QStringLiteral("Reload"));
    EXPECT_EQ(reload->toolTip(), QStringLiteral("Reload connection info"));
    reload->click();
    EXPECT_EQ(rig.provider.connectionRefreshed(), kDistantPast);
    EXPECT_TRUE(rig.provider.isRefreshing());
    EXPECT_TRUE(reload->isEnabled());
    reload->click(); // while the first one runs: a second resolution, nothing blocked
    EXPECT_TRUE(reload->isEnabled());
    ASSERT_TRUE(support::settle([&] { return !rig.provider.isRefreshing(); }));

    EXPECT_EQ(rig.machine.resolutions - before, 2);
    ASSERT_FALSE(stamps.empty());
    EXPECT_EQ(stamps.front(), kDistantPast);
    EXPECT_GT(rig.provider.connectionRefreshed(), kDistantPast);
    EXPECT_TRUE(reload->isEnabled());
}

TEST(NetworkTab, TilesShowTheRatesAndTheLastMinuteOfThem)
{
    NetRig rig;
    rig.machine.set({{"eth0", kWiredUp, 0, 0, ""}});
    NetworkTab tab(rig.provider, rig.recorder);
    // Just after start: the current rates, no trend yet.
    EXPECT_EQ(textOf(tab, QStringLiteral("uploadRate")), QStringLiteral("0 B/s"));
    for (const char* trend : {"uploadRateTrend", "downloadRateTrend"}) {
        auto* line = child<SparklineView>(tab, QLatin1String(trend));
        ASSERT_TRUE(line);
        EXPECT_TRUE(line->values().empty());
        EXPECT_TRUE(line->autoScale());
        EXPECT_EQ(line->accessibleName(), QStringLiteral("Metric trend"));
    }

    rig.provider.readCounters();
    for (int i = 0; i < 70; ++i) {
        rig.machine.carry(3ULL << 20, 1536);
        rig.passes(1);
    }
    EXPECT_EQ(textOf(tab, QStringLiteral("uploadRate")), QStringLiteral("1.5 KB/s"));
    EXPECT_EQ(textOf(tab, QStringLiteral("downloadRate")), QStringLiteral("3.0 MB/s"));
    const auto* up = child<SparklineView>(tab, QStringLiteral("uploadRateTrend"));
    const auto* down = child<SparklineView>(tab, QStringLiteral("downloadRateTrend"));
    EXPECT_EQ(up->values(), std::vector<double>(60, 1536.0));
    EXPECT_EQ(down->values(), std::vector<double>(60, 3.0 * (1 << 20)));
    EXPECT_NE(up->color(), down->color());
    EXPECT_EQ(NetworkTab::uploadTrend(rig.provider.history()), up->values());
}

TEST(NetworkTab, RangePickerRedrawsTheChartAndItsLeftCaptionOnly)
{
    NetRig rig;
    rig.machine.set({{"eth0", kWiredUp, 0, 0, ""}});
    NetworkTab tab(rig.provider, rig.recorder);
    auto* chart = child<DualSparklineView>(tab, QStringLiteral("throughputChart"));
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->accessibleName(), QStringLiteral("Dual metric trend"));
    EXPECT_TRUE(chart->primary().empty());
    EXPECT_EQ(tab.timeRange(), NetTimeRange::s60);

    rig.provider.readCounters();
    for (int i = 0; i < 500; ++i) {
        rig.machine.carry(2000, 10);
        rig.passes(1);
    }
    EXPECT_EQ(chart->primary(), std::vector<double>(60, 2000.0)); // download on top
    EXPECT_EQ(chart->secondary(), std::vector<double>(60, 10.0));
    EXPECT_EQ(textOf(tab, QStringLiteral("leftAxisLabel")), QStringLiteral("60s ago"));

    auto* picker = child<SegmentedPicker>(tab, QStringLiteral("timeRangePicker"));
    picker->segment(3)->click();
    EXPECT_EQ(tab.timeRange(), NetTimeRange::h12);
    EXPECT_EQ(textOf(tab, QStringLiteral("leftAxisLabel")), QStringLiteral("12h ago"));
    EXPECT_EQ(chart->primary().size(), 120u);
    EXPECT_EQ(chart->primary(), ThroughputHistoryCard::series(rig.provider.downloadHistory(), NetTimeRange::h12));
}

TEST(NetworkTab, TodaysNetworksFollowTheRecordersSummary)
{
    NetRig rig;
    NetworkTab tab(rig.provider, rig.recorder);
    EXPECT_FALSE(child(tab, QStringLiteral("noNetworks"))->isHidden());

    // One minute recorded on a Wi-Fi whose name holds markup and a line break.
    NetworkSnapshot network;
    network.interfaceName = NetworkLabels::wifi;
    network.ssid = QStringLiteral("<i>Caf\u00e9</i>\n");
    HistoryRecorder::Counters counters;
    counters.network.set("wlan0", {1'000'000, 1'000'000});
    rig.recorder.countFrom(counters);
    counters.network.set("wlan0", {1'012'000, 1'006'000});  // received, sent
    rig.recorder.record(CPUSnapshot{}, MemorySnapshot{}, std::nullopt, network, DiskSnapshot{}, counters);

    EXPECT_TRUE(child(tab, QStringLiteral("noNetworks"))->isHidden());
    auto* row = child<QWidget>(tab, QStringLiteral("networkRow:") + *network.ssid);
    ASSERT_TRUE(row);
    auto* name = child(*row, QStringLiteral("networkName"));
    EXPECT_EQ(name->text(), QString::fromUtf8("<i>Caf\u00e9</i>\ufffd"));
    EXPECT_EQ(name->textFormat(), Qt::PlainText);
    EXPECT_EQ(textOf(*row, QStringLiteral("networkUpload")), QStringLiteral("6 KB"));
    EXPECT_EQ(textOf(*row, QStringLiteral("networkDownload")), QStringLiteral("12 KB"));
    EXPECT_TRUE(tab.networksCard()->menu()->isHidden());
    EXPECT_EQ(tab.selectedSSID(), std::nullopt);
}
