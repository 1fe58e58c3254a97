#include "app/MenuBarPopover.h"
#include "components/ElidedLabel.h"
#include "folders/FolderProvider.h"
#include "model/AudioProvider.h"
#include "model/CPUProvider.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/OneLine.h"
#include "model/UserSettings.h"
#include "support/EventLoop.h"
#include "support/FixtureTree.h"
#include "support/ManualClock.h"
#include "tabs/AudioTab.h"
#include "tabs/CPUTab.h"
#include "tabs/DiskTab.h"
#include "tabs/MemoryTab.h"
#include "tabs/folders/FolderTab.h"
#include "tabs/network/ConnectionCard.h"
#include "tabs/network/InterfacesSection.h"
#include "tabs/network/TodaysNetworksCard.h"
#include "tabs/overview/OverviewTestRig.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QToolTip>
#include <QApplication>
#include <QHelpEvent>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Dunmorra;

namespace {

// Names as the system hands them over, as bytes.
const std::string kNames[] = {"<b>bold", "<i>wg0", "R&amp;D", "two\nlines", "bad\xff\xfe name"};

QString asText(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// What Qt draws for a text that may be taken as rich text.
QString drawn(const QString& text, Qt::TextFormat format = Qt::AutoText)
{
    if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text))) {
        QTextDocument doc;
        doc.setHtml(text);
        return doc.toPlainText();
    }
    return text;
}

// What a menu or button draws: "&x" underlines x, "&&" is one "&".
QString drawnWithMnemonic(const QString& text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// One place a text reaches the screen: what the code handed to Qt and what
// Qt shows of it.
struct Spot {
    QString where;
    QString given;
    QString shown;
};

void menuSpots(const QMenu* menu, std::vector<Spot>& spots)
{
    for (const QAction* action : menu->actions()) {
        spots.push_back({QStringLiteral("menu"), action->text(), drawnWithMnemonic(action->text())});
        if (action->menu())
            menuSpots(action->menu(), spots);
    }
}

std::vector<Spot> spotsUnder(const QWidget* root)
{
    std::vector<Spot> spots;
    QList<const QWidget*> widgets{root};
    for (const QWidget* w : root->findChildren<QWidget*>())
        widgets << w;
    for (const QWidget* w : widgets) {
        const QString name = w->objectName();
        if (!w->toolTip().isEmpty())
            spots.push_back({QStringLiteral("tooltip:") + name, w->toolTip(), drawn(w->toolTip())});
        if (auto* elided = qobject_cast<const ElidedLabel*>(w))
            spots.push_back({QStringLiteral("label:") + name, elided->text(), oneLine(elided->text())});
        else if (auto* label = qobject_cast<const QLabel*>(w))
            spots.push_back({QStringLiteral("label:") + name, label->text(), drawn(label->text(), label->textFormat())});
        if (auto* button = qobject_cast<const QAbstractButton*>(w))
            spots.push_back({QStringLiteral("button:") + name, button->text(), drawnWithMnemonic(button->text())});
        if (auto* box = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < box->count(); ++i)
                spots.push_back({QStringLiteral("choice:") + name, box->itemText(i), box->itemText(i)});
        }
        if (auto* menu = qobject_cast<const QMenu*>(w))
            menuSpots(menu, spots);
        if (auto* view = qobject_cast<const QAbstractItemView*>(w); view && view->model()) {
            const QAbstractItemModel* model = view->model();
            for (int row = 0; row < model->rowCount(); ++row) {
                const QModelIndex index = model->index(row, 0);
                const QString text = index.data(Qt::DisplayRole).toString();
                const QString tip = index.data(Qt::ToolTipRole).toString();
                spots.push_back({QStringLiteral("row"), text, text});
                if (!tip.isEmpty())
                    spots.push_back({QStringLiteral("row tooltip"), tip, drawn(tip)});
            }
        }
    }
    // A tooltip on screen now, as the place's last hover left it.
    if (QToolTip::isVisible())
        spots.push_back({QStringLiteral("tooltip shown"), QToolTip::text(), drawn(QToolTip::text())});
    return spots;
}

// Shows the name in its place and returns the widget that shows it; the
// rig behind it lives until the next call.
using Place = std::function<QWidget*(const std::string& name)>;

struct Case {
    const char* place;
    QStringList spots;   // where the name must be read, as it is
    Place show;
};

// --- the places ------------------------------------------------------------

struct CpuPlace {
    Dunmorra::Test::ManualClock clock;
    QList<ProcessEntry> table;
    int walks = 0;
    ProcessScanCache cache{[this] {
                               const std::uint64_t t = static_cast<std::uint64_t>(walks++) * 1'000'000'000ULL;
                               QList<ProcessEntry> out = table;
                               for (ProcessEntry& e : out)
                                   e.tickUser = t;
                               return out;
                           },
                           clock};
    std::uint64_t ticks = 0;
    CPUProvider provider{[this] {
                             ++ticks;
                             return std::optional<std::vector<Platform::CoreTicks>>({{0, ticks * 500, ticks * 500}});
                         },
                         [] {
                             Platform::ChipFacts facts;
                             facts.physicalCores = 1;
                             return facts;
                         },
                         &cache, clock};
    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat)};
    std::unique_ptr<CPUTab> tab;

    explicit CpuPlace(const QString& name)
    {
        table = {{300, name, QString(), 1 << 20, 0, 0, 1}};
        tab = std::make_unique<CPUTab>(provider, settings);
        for (int i = 0; i < 6; ++i) {
            clock.advance(1.0);
            provider.sample();
            Dunmorra::Test::finishBackgroundJobs();
        }
    }
};

struct MemoryPlace {
    Dunmorra::Test::ManualClock clock;
    QList<ProcessEntry> table;
    ProcessScanCache cache{[this] { return table; }, clock};
    Platform::VmStats stats = [] {
        Platform::VmStats v;
        v.memTotal = 16ULL << 30;
        v.memAvailable = 8ULL << 30;
        v.hasMemAvailable = true;
        return v;
    }();
    MemoryProvider provider{[this] { return std::optional(stats); }, &cache, clock};
    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat)};
    std::unique_ptr<MemoryTab> tab;

    explicit MemoryPlace(const QString& name)
    {
        table = {{11, name, QString(), 2ULL << 30, 0, 0, 1}};
        tab = std::make_unique<MemoryTab>(provider, settings);
        for (int i = 0; i < 3; ++i) {
            clock.advance(2.0);
            provider.sample();
            Dunmorra::Test::finishBackgroundJobs();
        }
    }
};

struct PopoverPlace {
    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat)};
    PopoverReadings readings;
    std::unique_ptr<MenuBarPopover> popover;

    explicit PopoverPlace(const QString& name)
    {
        CPUSnapshot::ProcessInfo p;
        p.id = 7;
        p.name = name;
        p.cpuPercent = 12;
        readings.cpu.topProcesses = {p};
        popover = std::make_unique<MenuBarPopover>([this] { return readings; }, false, settings);
        popover->showAt(QRect());
        popover->hide();
    }
};

// A recorded day whose top process and network carry the name.
struct OverviewPlace {
    Dunmorra::Test::OverviewRig rig;

    explicit OverviewPlace(const QString& name)
    {
        DailySummary day = DailySummary::emptyFor(rig.daysAgo(1));
        HourBucket b = HourBucket::forHour(10);
        b.cpu = {20, 1, 20, day.date};
        day.hours.push_back(b);
        day.processes[name] = {name, 50, 1, 1 << 20};
        day.networkSSIDs[name] = {1 << 20, 2 << 20};
        day.networkSSIDs[QStringLiteral("other")] = {1, 1};
        rig.writeDay(rig.daysAgo(1), day);
        rig.open();
        rig.days.shiftSelectedDate(-1);
        rig.settled();
    }
};

// The live cards: the joined Wi-Fi and the default output carry the name.
struct OverviewLivePlace {
    Dunmorra::Test::OverviewRig rig;

    explicit OverviewLivePlace(const std::string& name)
    {
        rig.wifiName = asText(name);
        Platform::AudioDeviceRecord sink;
        sink.index = 1;
        sink.name = "sink";
        sink.description = name;
        sink.channels = 2;
        sink.channelVolumes = {32768, 32768};
        Platform::AudioServerState s;
        s.defaultSinkName = "sink";
        s.sinks = {sink};
        rig.audioState = s;
        rig.network.start(std::chrono::hours(1));   // resolves the connection once
        Dunmorra::Test::settle([this] { return !rig.network.isRefreshing(); });
        rig.audio.sample();
        Dunmorra::Test::finishBackgroundJobs();
        rig.open();
    }
};

struct AudioPlace {
    Dunmorra::Test::ManualClock clock;
    std::optional<Platform::AudioServerState> state;
    AudioProvider provider{[this] { return state; }, AudioNameLookup{}, clock};
    std::unique_ptr<AudioTab> tab;

    explicit AudioPlace(const std::string& name)
    {
        Platform::AudioDeviceRecord sink;
        sink.index = 1;
        sink.name = "sink";
        sink.description = name;
        sink.sampleRate = 48000;
        sink.channels = 2;
        sink.channelVolumes = {32768, 32768};
        Platform::AudioServerState s;
        s.defaultSinkName = "sink";
        s.sinks = {sink};
        s.playbackStreams = {{5, 1, false, "", {{"application.name", name}, {"application.process.id", "100"}}}};
        state = s;
        tab = std::make_unique<AudioTab>(provider);
        provider.sample();
        Dunmorra::Test::finishBackgroundJobs();
    }
};

struct DiskPlace {
    Dunmorra::Test::ManualClock clock;
    std::string volume;
    DiskProvider provider{{[] { return std::optional(std::vector<Platform::DiskCounters>{}); },
                           [] { return std::optional<Platform::FileSystemSpace>(Platform::FileSystemSpace{1ULL << 40, 1ULL << 39}); },
                           [this] { return std::optional<std::string>(volume); }},
                          clock};
    std::unique_ptr<DiskTab> tab;

    explicit DiskPlace(const std::string& name)
        : volume(name)
    {
        tab = std::make_unique<DiskTab>(provider);
        clock.advance(1.0);
        provider.sample();
    }
};

// A home folder holding one folder of the name, opened in the browser.
struct FolderPlace {
    Dunmorra::Test::FixtureTree tree;
    std::unique_ptr<FolderProvider> folders;
    Dunmorra::Test::ManualClock clock;
    DiskProvider disk{{[] { return std::optional(std::vector<Platform::DiskCounters>{}); },
                       [] { return std::optional<Platform::FileSystemSpace>(Platform::FileSystemSpace{1ULL << 40, 1ULL << 39}); },
                       [] { return std::optional<std::string>("disk"); }},
                      clock};
    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat)};
    std::unique_ptr<FolderTab> tab;

    // The name is made long enough for its row to shorten it, which gives
    // the row its tooltip; the test hovers it.
    explicit FolderPlace(const std::string& name)
    {
        const std::string longName = name + std::string(60, 'x');
        tree.dir(longName).file(longName + "/f", 100);
        FolderProviderOptions o;
        o.homePath = QByteArray::fromStdString(tree.root());
        folders = std::make_unique<FolderProvider>(o);
        tab = std::make_unique<FolderTab>(*folders, disk, settings);
        tab->show();
        Dunmorra::Test::settle(
            [this] { return !folders->isScanning() && !folders->isComputingSizes() && !folders->items().isEmpty(); },
            20'000);
        auto* view = tab->findChild<QAbstractItemView*>();
        if (!view || view->model()->rowCount() == 0)
            return;
        const QRect row = view->visualRect(view->model()->index(0, 0));
        const QPoint at(row.left() + 60, row.center().y());
        QHelpEvent hover(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &hover);
    }
    ~FolderPlace() { QToolTip::hideText(); }
};

struct NetworkPlace {
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();

    explicit NetworkPlace(const QString& name)
    {
        auto* interfaces = new InterfacesSection(host.get());
        InterfaceInfo info;
        info.id = name;
        info.kind = QStringLiteral("Ethernet");
        interfaces->setInterfaces({info});
        auto* connection = new ConnectionCard(host.get());
        NetworkSnapshot now;
        now.interfaceName = name;
        now.ssid = name;
        connection->setSnapshot(now);
        auto* networks = new TodaysNetworksCard(host.get());
        DailySummary today;
        today.networkSSIDs[name] = {1 << 20, 2 << 20};
        today.networkSSIDs[QStringLiteral("other")] = {1, 1};   // the menu shows from two on
        networks->setNetworks(today.sortedNetworks());
    }
};

std::shared_ptr<void> current;

template <typename T, typename Arg>
QWidget* keep(Arg&& arg, QWidget* (*root)(T&))
{
    auto place = std::make_shared<T>(std::forward<Arg>(arg));
    current = place;
    return root(*place);
}

const Case kCases[] = {
    {"CPU tab's top processes", {"label:processName", "tooltip:processName"},
     [](const std::string& n) { return keep<CpuPlace>(asText(n), [](CpuPlace& p) -> QWidget* { return p.tab.get(); }); }},
    {"Memory tab's top processes", {"label:processName"},
     [](const std::string& n) { return keep<MemoryPlace>(asText(n), [](MemoryPlace& p) -> QWidget* { return p.tab.get(); }); }},
    {"popover's top processes", {"label:processName"},
     [](const std::string& n) {
         return keep<PopoverPlace>(asText(n), [](PopoverPlace& p) -> QWidget* { return p.popover.get(); });
     }},
    {"Overview's recorded processes and networks", {"label:processName", "menu"},
     [](const std::string& n) {
         return keep<OverviewPlace>(asText(n), [](OverviewPlace& p) -> QWidget* { return p.rig.tab.get(); });
     }},
    {"Overview's live network and audio cards", {"label:wifiName", "label:outputName"},
     [](const std::string& n) {
         return keep<OverviewLivePlace>(n, [](OverviewLivePlace& p) -> QWidget* { return p.rig.tab.get(); });
     }},
    {"Network tab's interfaces, connection and networks",
     {"label:interfaceId", "tooltip:interfaceId", "label:connectionLabel", "label:connectionSSID",
      "label:networkName", "choice:networkMenu"},
     [](const std::string& n) { return keep<NetworkPlace>(asText(n), [](NetworkPlace& p) { return p.host.get(); }); }},
    {"Audio tab's devices and apps", {"label:deviceName", "label:processName"},
     [](const std::string& n) { return keep<AudioPlace>(n, [](AudioPlace& p) -> QWidget* { return p.tab.get(); }); }},
    {"Disk tab's volume", {"label:volumeName"},
     [](const std::string& n) { return keep<DiskPlace>(n, [](DiskPlace& p) -> QWidget* { return p.tab.get(); }); }},
    {"Folders tab's rows", {"row", "tooltip shown"},
     [](const std::string& n) { return keep<FolderPlace>(n, [](FolderPlace& p) -> QWidget* { return p.tab.get(); }); }},
};

} // namespace

// Names come from the system and from day files: whatever they hold is shown
// as written (a line break as the one-line mark), never obeyed as markup or
// as a menu's mnemonic, in a label, a tooltip, a list or a menu.
TEST(NamesArePlainText, EveryPlaceShowsTheNameAsWritten)
{
    for (const Case& c : kCases) {
        for (const std::string& bytes : kNames) {
            const QString name = asText(bytes);
            const QString expected = oneLine(name);
            SCOPED_TRACE(std::string(c.place) + " showing \"" + expected.toStdString() + "\"");
            const QWidget* root = c.show(bytes);
            ASSERT_TRUE(root);
            const std::vector<Spot> spots = spotsUnder(root);
            const auto shows = [&](const Spot& s) { return oneLine(s.shown).contains(expected); };
            for (const QString& where : c.spots) {
                const bool found = std::any_of(spots.begin(), spots.end(),
                                               [&](const Spot& s) { return s.where == where && shows(s); });
                EXPECT_TRUE(found) << "not shown as written at " << where.toStdString();
            }
            // Anywhere else the name was handed over, it must come out whole.
            for (const Spot& s : spots) {
                if (s.given.contains(name) && !shows(s))
                    ADD_FAILURE() << s.where.toStdString() << " shows \"" << s.shown.toStdString() << "\"";
            }
        }
    }
    current.reset();
    Dunmorra::Test::finishBackgroundJobs();
}
