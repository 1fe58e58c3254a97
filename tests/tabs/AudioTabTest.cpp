#include "tabs/AudioTab.h"

#include "components/Divider.h"
#include "components/Palette.h"
#include "components/Symbols.h"
#include "components/ThinBar.h"
#include "model/AudioProvider.h"
#include "model/WorkerPool.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"
#include "tabs/ApplicationIcon.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QSplitter>
#include <QTranslator>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

using namespace Dunmorra;
using Kind = AudioSnapshot::Device::TransportKind;
using Platform::AudioDeviceRecord;
using Platform::AudioServerState;
using Platform::AudioStreamRecord;

namespace {

AudioDeviceRecord device(std::uint32_t index, std::string name, std::uint32_t rate, std::uint8_t channels,
                         std::vector<std::uint32_t> volumes, bool muted = false)
{
    AudioDeviceRecord d;
    d.index = index;
    d.name = name;
    d.description = name;
    d.sampleRate = rate;
    d.channels = channels;
    d.channelVolumes = std::move(volumes);
    d.muted = muted;
    return d;
}

AudioStreamRecord stream(std::uint32_t index, const char* appId, const char* name, const char* pid)
{
    return {index, Platform::kNoAudioIndex, false, "", {{"application.id", appId}, {"application.name", name},
                                                         {"application.process.id", pid}}};
}

// An icon look-up where only pid 100 runs and only "org.example.Player" has an icon.
ApplicationIconLookup fakeIcons()
{
    return {
        [](std::int32_t pid) { return pid == 100; },
        [](const QString&) { return std::optional<std::int32_t>(); },
        [](std::int32_t) { return QStringLiteral("player"); },
        [](const QString& id) { return id == QLatin1String("org.example.Player") ? QStringLiteral("player-icon") : QString(); },
        [](const QString& name) {
            if (name != QLatin1String("player-icon"))
                return QIcon();
            QPixmap pm(8, 8);
            pm.fill(Qt::green);
            return QIcon(pm);
        },
    };
}

struct AudioRig {
    Dunmorra::Test::ManualClock clock;
    std::optional<AudioServerState> state;
    AudioProvider provider{[this] { return state; }, AudioNameLookup{}, clock};
    void read()
    {
        provider.sample();
        Dunmorra::Test::finishBackgroundJobs();
    }
};

QString textOf(const QWidget& root, const char* name)
{
    auto* label = root.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

// Would be on screen once the page is.
bool shown(const QWidget* w)
{
    return w && w->isVisibleTo(w->window());
}

} // namespace

TEST(AudioTabTexts, SampleRatesChannelsVolumesAndSymbols)
{
    const std::pair<double, const char*> rates[] = {
        {0, "\u2014"}, {-1, "\u2014"}, {std::numeric_limits<double>::quiet_NaN(), "\u2014"}, {500, "500 Hz"},
        {999.6, "1000 Hz"}, {1000, "1.0 kHz"}, {44100, "44.1 kHz"}, {48000, "48.0 kHz"}, {96000, "96.0 kHz"}};
    for (const auto& [rate, text] : rates)
        EXPECT_EQ(AudioTab::formatSampleRate(rate), QString::fromUtf8(text)) << rate;

    const std::pair<std::int64_t, const char*> channels[] = {
        {0, "\u2014"}, {1, "Mono"}, {2, "Stereo"}, {6, "6 ch"}, {8, "8 ch"}, {-3, "-3 ch"}};
    for (const auto& [count, text] : channels)
        EXPECT_EQ(AudioTab::channelLabel(count), QString::fromUtf8(text)) << count;

    // Rounded to the nearest whole percent, as the mixer shows it: the server
    // keeps 45 % as 29491/65536 and 1 % as 655/65536; above 100 % as read.
    const std::pair<float, const char*> volumes[] = {
        {0.0f, "0%"}, {655.0f / 65536, "1%"}, {0.29f, "29%"}, {29491.0f / 65536, "45%"}, {0.5f, "50%"},
        {0.57f, "57%"}, {0.994f, "99%"}, {0.999f, "100%"}, {1.0f, "100%"}, {1.3f, "130%"},
        {std::numeric_limits<float>::quiet_NaN(), "0%"}};
    for (const auto& [volume, text] : volumes)
        EXPECT_EQ(AudioTab::volumePercent(volume), QLatin1String(text)) << volume;

    const std::pair<Kind, const char*> symbols[] = {
        {Kind::builtIn, "hifispeaker.fill"}, {Kind::usb, "cable.connector"}, {Kind::bluetooth, "headphones"},
        {Kind::bluetoothLE, "headphones"}, {Kind::airPlay, "airplayvideo"}, {Kind::hdmi, "display"},
        {Kind::displayPort, "display"}, {Kind::thunderbolt, "bolt"}, {Kind::virtual_, "speaker.wave.2"},
        {Kind::unknown, "speaker.wave.2"}};
    for (const auto& [kind, symbol] : symbols) {
        EXPECT_EQ(AudioTab::transportSymbol(kind), QLatin1String(symbol));
        EXPECT_FALSE(symbolIcon(QLatin1String(symbol)).isNull()) << symbol;
    }
}

TEST(AudioTabIcons, RunningApplicationsOnlyAndTheirIconInOrder)
{
    AudioSnapshot::AudioProcess p;
    p.id = QStringLiteral("org.example.Player");
    p.bundleID = QStringLiteral("org.example.Player");
    p.pid = 100;
    EXPECT_FALSE(applicationIcon(p, fakeIcons()).isNull());

    // Gone, with no other process of its app id: the fallback symbol.
    p.pid = 101;
    EXPECT_TRUE(applicationIcon(p, fakeIcons()).isNull());
    ApplicationIconLookup relaunched = fakeIcons();
    relaunched.runningProcessOf = [](const QString& id) {
        return id == QLatin1String("org.example.Player") ? std::optional<std::int32_t>(100) : std::nullopt;
    };
    EXPECT_FALSE(applicationIcon(p, relaunched).isNull());

    // The icon the stream names comes first; a path from a stream is never followed.
    AudioSnapshot::AudioProcess named;
    named.pid = 100;
    named.iconName = QStringLiteral("player-icon");
    EXPECT_FALSE(applicationIcon(named, fakeIcons()).isNull());
    named.iconName = QStringLiteral("/tmp/player-icon");
    EXPECT_TRUE(applicationIcon(named, fakeIcons()).isNull());

    AudioSnapshot::AudioProcess anonymous;
    EXPECT_TRUE(applicationIcon(anonymous, fakeIcons()).isNull());
}

TEST(AudioTab, EmptySnapshotShowsOnlyTheNoAppsCardAndAnEmptyList)
{
    AudioRig rig;
    AudioTab tab(rig.provider, fakeIcons());
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("outputCard"))));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("inputCard"))));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("usingAudioNow"))));
    EXPECT_TRUE(shown(tab.findChild<QWidget*>(QStringLiteral("noProcessesCard"))));
    EXPECT_EQ(textOf(tab, "noProcesses"), QStringLiteral("No apps are currently playing audio or using the microphone."));
    EXPECT_TRUE(shown(tab.findChild<QWidget*>(QStringLiteral("availableDevices"))));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("outputDevices"))));
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("inputDevices"))));
}

TEST(AudioTab, DeviceCardsAndListFollowTheSnapshot)
{
    AudioRig rig;
    AudioServerState s;
    s.defaultSourceName = "Desk Mic";   // no default output
    s.sinks = {device(1, "Speakers", 48000, 2, {Platform::kNormalAudioVolume / 2}),
               device(2, "Headphones", 44100, 1, {Platform::kNormalAudioVolume})};
    s.sources = {device(7, "Desk Mic", 96000, 8, {}, /*muted*/ true)};
    rig.state = s;
    AudioTab tab(rig.provider, fakeIcons());
    rig.read();

    // Only the input card, and no "Volume" row for an unreadable volume.
    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("outputCard"))));
    auto* input = tab.findChild<QWidget*>(QStringLiteral("inputCard"));
    ASSERT_TRUE(shown(input));
    EXPECT_EQ(textOf(*input, "deviceCardTitle"), QStringLiteral("INPUT"));
    EXPECT_EQ(textOf(*input, "deviceName"), QStringLiteral("Desk Mic"));
    EXPECT_EQ(textOf(*input, "sampleRate"), QStringLiteral("96.0 kHz"));
    EXPECT_EQ(textOf(*input, "channels"), QStringLiteral("8 ch"));
    EXPECT_EQ(textOf(*input, "connection"), transportLabel(Kind::virtual_));
    EXPECT_EQ(input->findChild<SymbolView*>(QStringLiteral("transportSymbol"))->symbol(), QStringLiteral("speaker.wave.2"));
    EXPECT_TRUE(shown(input->findChild<QWidget*>(QStringLiteral("mutedSymbol"))));
    EXPECT_FALSE(shown(input->findChild<QWidget*>(QStringLiteral("volumeText"))));

    // No default output: no row carries the badge and every output symbol is secondary.
    auto* outputs = tab.findChild<QWidget*>(QStringLiteral("outputDevices"));
    ASSERT_TRUE(shown(outputs));
    for (const char* row : {"device:1", "device:2"}) {
        auto* w = outputs->findChild<QWidget*>(QLatin1String(row));
        ASSERT_TRUE(w) << row;
        EXPECT_FALSE(shown(w->findChild<QWidget*>(QStringLiteral("defaultBadge")))) << row;
        EXPECT_EQ(w->findChild<SymbolView*>(QStringLiteral("transportSymbol"))->color(), secondaryText());
    }
    auto* mic = tab.findChild<QWidget*>(QStringLiteral("inputDevices"))->findChild<QWidget*>(QStringLiteral("device:7"));
    EXPECT_TRUE(shown(mic->findChild<QWidget*>(QStringLiteral("defaultBadge"))));
    EXPECT_EQ(mic->findChild<SymbolView*>(QStringLiteral("transportSymbol"))->color(), platformAccentColor());

    // The default output arrives, muted at half volume: its card joins the row.
    s.defaultSinkName = "Speakers";
    s.sinks[0].muted = true;
    rig.state = s;
    QWidget* speakersRow = outputs->findChild<QWidget*>(QStringLiteral("device:1"));
    rig.read();
    auto* output = tab.findChild<QWidget*>(QStringLiteral("outputCard"));
    ASSERT_TRUE(shown(output));
    EXPECT_EQ(textOf(*output, "volumeText"), QStringLiteral("Muted"));
    EXPECT_EQ(output->findChild<ThinBar*>(QStringLiteral("volumeBar"))->color(), paletteRed());
    EXPECT_EQ(outputs->findChild<QWidget*>(QStringLiteral("device:1")), speakersRow);   // kept by device id
    EXPECT_TRUE(shown(speakersRow->findChild<QWidget*>(QStringLiteral("defaultBadge"))));

    s.sinks[0].muted = false;
    rig.state = s;
    rig.read();
    EXPECT_EQ(textOf(*output, "volumeText"), QStringLiteral("50%"));
    EXPECT_EQ(output->findChild<ThinBar*>(QStringLiteral("volumeBar"))->color(), accentColor());

    // A boosted channel: the figure as read, the bar full.
    s.sinks[0].channelVolumes = {Platform::kNormalAudioVolume * 13 / 10, Platform::kNormalAudioVolume};
    rig.state = s;
    rig.read();
    EXPECT_EQ(textOf(*output, "volumeText"), QStringLiteral("130%"));
    EXPECT_EQ(output->findChild<ThinBar*>(QStringLiteral("volumeBar"))->fraction(), 1.0);
}

TEST(AudioTab, ProcessRowsWithMarksDividersAndIcons)
{
    AudioRig rig;
    AudioServerState s;
    s.playbackStreams = {stream(1, "org.example.Player", "Player", "100"), stream(2, "org.example.Call", "Call", "200")};
    s.recordStreams = {stream(3, "org.example.Call", "Call", "200"), stream(4, "org.example.Tape", "Tape", "300")};
    rig.state = s;
    AudioTab tab(rig.provider, fakeIcons());
    rig.read();

    EXPECT_FALSE(shown(tab.findChild<QWidget*>(QStringLiteral("noProcessesCard"))));
    auto* section = tab.findChild<QWidget*>(QStringLiteral("usingAudioNow"));
    ASSERT_TRUE(shown(section));
    // Sorted by name: Call, Player, Tape; a divider above all rows but the first.
    const char* ids[] = {"org.example.Call", "org.example.Player", "org.example.Tape"};
    int dividers = 0;
    for (const char* id : ids) {
        auto* row = section->findChild<QWidget*>(QStringLiteral("audioProcess:") + QLatin1String(id));
        ASSERT_TRUE(row) << id;
        dividers += shown(row->findChild<Divider*>());
    }
    EXPECT_EQ(dividers, 2);
    auto* call = section->findChild<QWidget*>(QStringLiteral("audioProcess:org.example.Call"));
    EXPECT_FALSE(shown(call->findChild<Divider*>()));
    auto* mic = call->findChild<QWidget*>(QStringLiteral("micMark"));
    auto* speaker = call->findChild<QWidget*>(QStringLiteral("playbackMark"));
    ASSERT_TRUE(shown(mic) && shown(speaker));
    EXPECT_LT(mic->x(), speaker->x() + 1);   // laid out in that order
    EXPECT_EQ(mic->accessibleName(), QStringLiteral("Mic"));
    EXPECT_EQ(speaker->accessibleName(), QStringLiteral("Playback"));

    // Only the running player has an icon; the others show the dashed symbol.
    auto iconSymbol = [&](const char* id) {
        return section->findChild<QWidget*>(QStringLiteral("audioProcess:") + QLatin1String(id))
            ->findChild<QWidget*>(QStringLiteral("processIcon"))->property("symbol").toString();
    };
    EXPECT_EQ(iconSymbol("org.example.Player"), QString());
    EXPECT_EQ(iconSymbol("org.example.Call"), QStringLiteral("app.dashed"));

    // One process left: no divider at all.
    s.playbackStreams.clear();
    s.recordStreams = {stream(4, "org.example.Tape", "Tape", "300")};
    rig.state = s;
    rig.read();
    auto* tape = section->findChild<QWidget*>(QStringLiteral("audioProcess:org.example.Tape"));
    ASSERT_TRUE(tape);
    EXPECT_FALSE(shown(tape->findChild<Divider*>()));
    EXPECT_FALSE(section->findChild<QWidget*>(QStringLiteral("audioProcess:org.example.Call")));
}

// Looking an application up may walk the whole process table: a row does it
// when its stream first shows or names another process, not on every reading.
TEST(AudioTab, IconLookupRunsOncePerStreamIdentity)
{
    AudioRig rig;
    AudioServerState s;
    s.playbackStreams = {stream(1, "org.example.Call", "Call", "200")};
    rig.state = s;
    auto walks = std::make_shared<int>(0);
    ApplicationIconLookup icons = fakeIcons();
    icons.runningProcessOf = [walks](const QString&) {
        ++*walks;
        return std::optional<std::int32_t>();
    };
    AudioTab tab(rig.provider, icons);
    rig.read();
    const int first = *walks;
    EXPECT_GE(first, 1);
    rig.read();
    rig.read();
    EXPECT_EQ(*walks, first);

    s.playbackStreams = {stream(1, "org.example.Call", "Call", "201")};
    rig.state = s;
    rig.read();
    EXPECT_GT(*walks, first);
}

// In Spanish "Muted" is "Silenciado" and the percent takes a space: at the
// smallest window and at a roomy one, every caption and figure of the device
// cards shows whole, within its card, and the volume text clear of its bar.
TEST(AudioTab, SpanishFiguresShowWholeAtEveryWindowSize)
{
    QTranslator spanish;
    ASSERT_TRUE(spanish.load(QStringLiteral(HALVORIN_QM_DIR "/halvorin_es.qm")));
    QCoreApplication::installTranslator(&spanish);
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    {
        AudioRig rig;
        AudioServerState s;
        s.defaultSinkName = "Speakers";
        s.defaultSourceName = "Desk Mic";
        s.sinks = {device(1, "Speakers", 48000, 2, {Platform::kNormalAudioVolume / 2}, /*muted*/ true)};
        s.sources = {device(7, "Desk Mic", 44100, 2, {Platform::kNormalAudioVolume})};
        rig.state = s;
        AudioTab tab(rig.provider, fakeIcons());
        rig.read();
        auto* output = tab.findChild<QWidget*>(QStringLiteral("outputCard"));
        auto* input = tab.findChild<QWidget*>(QStringLiteral("inputCard"));
        ASSERT_EQ(textOf(*output, "volumeText"), QStringLiteral("Silenciado"));
        ASSERT_EQ(textOf(*input, "volumeText"), QString::fromUtf8("100\u00a0%"));

        // The page beside the sidebar at its least and at its ideal width, in
        // the smallest window (820 x 639), then in the default one (1100 x 750).
        const int handle = QSplitter().handleWidth();
        for (const QSize page : {QSize(820 - 160 - handle, 610), QSize(820 - 180 - handle, 610),
                                 QSize(1100 - 180 - handle, 720)}) {
            SCOPED_TRACE(page.width());
            tab.resize(page);
            tab.show();
            Dunmorra::Test::settle([] { return false; }, 50);
            for (QWidget* card : {output, input}) {
                ASSERT_TRUE(shown(card));
                for (const QLabel* label : card->findChildren<QLabel*>()) {
                    if (!label->isVisible() || label->objectName() == QLatin1String("deviceName"))
                        continue; // a device name is elided on purpose
                    const QString text = label->text();
                    EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->contentsRect().width())
                        << text.toStdString();
                    const QRect inCard(label->mapTo(card, QPoint(0, 0)), label->size());
                    EXPECT_TRUE(card->rect().contains(inCard)) << text.toStdString();
                }
                const auto* bar = card->findChild<QWidget*>(QStringLiteral("volumeBar"));
                const auto* volume = card->findChild<QWidget*>(QStringLiteral("volumeText"));
                const QRect barRect(bar->mapTo(card, QPoint(0, 0)), bar->size());
                const QRect volumeRect(volume->mapTo(card, QPoint(0, 0)), volume->size());
                EXPECT_FALSE(barRect.intersects(volumeRect));
            }
        }
        // With room for both, the two cards share the row.
        EXPECT_EQ(output->y(), input->y());
    }
    QLocale::setDefault(previous);
    QCoreApplication::removeTranslator(&spanish);
}
