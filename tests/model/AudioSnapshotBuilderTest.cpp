#include "model/AudioSnapshotBuilder.h"

#include <gtest/gtest.h>

using namespace Dunmorra;
using Platform::AudioClientRecord;
using Platform::AudioDeviceRecord;
using Platform::AudioServerState;
using Platform::AudioStreamRecord;
using Kind = AudioSnapshot::Device::TransportKind;

namespace {

AudioDeviceRecord device(std::uint32_t index, std::string name, std::string description = {})
{
    AudioDeviceRecord d;
    d.index = index;
    d.name = std::move(name);
    d.description = std::move(description);
    d.channelVolumes = {Platform::kNormalAudioVolume / 2, Platform::kNormalAudioVolume / 2};
    d.sampleRate = 48000;
    d.channels = 2;
    return d;
}

AudioStreamRecord stream(std::uint32_t index, std::uint32_t client, Platform::AudioProperties props = {},
                         bool corked = false)
{
    return {index, client, corked, "speex-float-1", std::move(props)};
}

AudioNameLookup fakeNames()
{
    return {
        [](std::int32_t pid) { return pid == 4242 ? QStringLiteral("mpv") : QString(); },
        [](const QString& id) -> std::optional<QString> {
            if (id == QLatin1String("org.gnome.Rhythmbox3"))
                return QStringLiteral("Rhythmbox");
            return std::nullopt;
        },
    };
}

} // namespace

TEST(AudioTransport, KindsFromPropertiesPortsAndFlags)
{
    struct Case {
        const char* what;
        Platform::AudioProperties props;
        bool hardware;
        std::string port;
        std::string name;
        std::string driver;
        Kind expected;
    };
    const Case cases[] = {
        {"usb bus", {{"device.bus", "usb"}}, true, "analog-output", "", "", Kind::usb},
        {"bluez api", {{"device.api", "bluez5"}}, true, "", "", "", Kind::bluetooth},
        {"bluetooth bus", {{"device.bus", "bluetooth"}}, true, "headset-output", "", "", Kind::bluetooth},
        {"LE audio profile", {{"device.api", "bluez5"}, {"api.bluez5.profile", "bap-sink"}}, true, "", "", "",
         Kind::bluetoothLE},
        {"thunderbolt bus", {{"device.bus", "thunderbolt"}}, true, "", "", "", Kind::thunderbolt},
        {"hdmi port on pci", {{"device.bus", "pci"}}, true, "hdmi-output-0", "", "", Kind::hdmi},
        {"HDMI / DisplayPort reads hdmi", {{"device.bus", "pci"}}, true, "[Out] HDMI / DisplayPort 1", "", "",
         Kind::hdmi},
        {"dp port", {{"device.bus", "pci"}}, true, "dp-output-1", "", "", Kind::displayPort},
        {"DisplayPort word", {{"device.bus", "pci"}}, true, "DisplayPort 2", "", "", Kind::displayPort},
        {"headphones are not dp", {{"device.bus", "pci"}}, true, "analog-output-headphones", "", "",
         Kind::builtIn},
        {"raop sink", {}, false, "", "raop_output.Living-Room.local", "module-raop-sink.c", Kind::airPlay},
        {"null sink", {}, false, "", "speakers", "module-null-sink.c", Kind::virtual_},
        {"tunnel sink", {{"tunnel.remote.server", "host"}}, false, "", "tunnel.host", "module-tunnel-sink.c",
         Kind::virtual_},
        {"platform bus", {{"device.bus", "platform"}}, true, "", "", "", Kind::builtIn},
        {"internal form factor", {{"device.form_factor", "internal"}}, true, "", "", "", Kind::builtIn},
        {"firewire bus", {{"device.bus", "firewire"}}, true, "", "", "", Kind::unknown},
        {"hardware without hints", {}, true, "", "", "", Kind::unknown},
    };
    for (const Case& c : cases) {
        AudioDeviceRecord d = device(1, c.name.empty() ? "dev" : c.name);
        d.properties = c.props;
        d.hardware = c.hardware;
        d.activePortName = c.port;
        d.driver = c.driver;
        EXPECT_EQ(audioTransportKind(d), c.expected) << c.what;
    }
    EXPECT_EQ(transportLabel(Kind::unknown), QStringLiteral("Unknown"));
}

TEST(AudioDevices, NameVolumeAndFormat)
{
    AudioDeviceRecord d = device(3, "alsa_output.pci", "Speakers");
    d.channelVolumes = {Platform::kNormalAudioVolume / 4, Platform::kNormalAudioVolume / 2};
    d.muted = true;
    d.properties = {{"device.bus", "pci"}};
    d.hardware = true;
    const auto out = makeAudioDevice(d);
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, (AudioSnapshot::Device{3, "Speakers", Kind::builtIn, 0.5f, true, 48000, 2}));

    d.description.clear();
    EXPECT_EQ(makeAudioDevice(d)->name, QStringLiteral("alsa_output.pci")) << "falls back to the server name";
    d.name.clear();
    EXPECT_FALSE(makeAudioDevice(d)) << "nameless devices are left out";

    AudioDeviceRecord loud = device(4, "x");
    loud.channelVolumes = {Platform::kNormalAudioVolume * 3 / 2, 0};
    EXPECT_FLOAT_EQ(makeAudioDevice(loud)->volume, 1.5f) << "amplification is kept, not clamped";
    loud.channelVolumes.clear();
    EXPECT_FLOAT_EQ(makeAudioDevice(loud)->volume, -1.0f);
}

TEST(AudioDevices, ListsAndDefaults)
{
    AudioServerState s;
    s.defaultSinkName = "headphones";
    s.defaultSourceName = "speakers.monitor";
    s.sinks = {device(0, "speakers", "Speakers"), device(1, "headphones", "Headphones"), device(2, "", "")};
    AudioDeviceRecord monitor = device(0, "speakers.monitor", "Monitor of Speakers");
    monitor.monitorOfSink = 0;
    s.sources = {monitor, device(2, "mic", "Microphone")};

    const AudioSnapshot snap = buildAudioSnapshot(s, fakeNames());
    ASSERT_EQ(snap.allOutputDevices.size(), 2);
    EXPECT_EQ(snap.allOutputDevices[0].name, QStringLiteral("Speakers"));
    ASSERT_TRUE(snap.defaultOutput);
    EXPECT_EQ(snap.defaultOutput->id, 1u);
    ASSERT_EQ(snap.allInputDevices.size(), 1);
    EXPECT_EQ(snap.allInputDevices[0].name, QStringLiteral("Microphone"));
    ASSERT_TRUE(snap.defaultInput) << "a monitor chosen to record from is the default input";
    EXPECT_EQ(snap.defaultInput->name, QStringLiteral("Monitor of Speakers"));
    EXPECT_EQ(snap.defaultInput->id, 0u);

    s.defaultSinkName = "gone";
    s.defaultSourceName = "mic";
    const AudioSnapshot other = buildAudioSnapshot(s, fakeNames());
    EXPECT_FALSE(other.defaultOutput) << "an unknown default name leaves the default absent";
    EXPECT_EQ(other.allOutputDevices.size(), 2);
    ASSERT_TRUE(other.defaultInput);
    EXPECT_EQ(other.defaultInput->id, 2u);
}

TEST(AudioProcesses, NameResolution)
{
    struct Case {
        const char* what;
        QString appName;
        std::optional<QString> bundle;
        std::int32_t pid;
        QString expected;
    };
    const Case cases[] = {
        {"own name wins", "Firefox", QStringLiteral("org.mozilla.firefox"), 10, "Firefox"},
        {"no id, no pid", "", std::nullopt, 0, "System Audio Process"},
        {"no id, process name", "", std::nullopt, 4242, "mpv"},
        {"no id, process gone", "", std::nullopt, 77, "System Audio Process"},
        {"empty id counts as none", "", QString(), 4242, "mpv"},
        {"installed application", "", QStringLiteral("org.gnome.Rhythmbox3"), 5, "Rhythmbox"},
        {"last piece capitalised", "", QStringLiteral("com.example.webhelper"), 5, "Webhelper"},
        {"mixed case piece", "", QStringLiteral("org.PulseAudio.pavuCONTROL"), 5, "Pavucontrol"},
        {"trailing dot keeps the id", "", QStringLiteral("com.example."), 5, "com.example."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(resolveAudioProcessName(c.appName, c.bundle, c.pid, fakeNames()), c.expected) << c.what;
}

TEST(AudioProcesses, MergeAndSort)
{
    AudioServerState s;
    s.clients = {
        {7, "Zoom", {{"application.name", "Zoom"}, {"application.process.id", "300"}}},
        {8, "firefox", {{"application.name", "firefox"}, {"application.process.id", "400"}, {"application.icon_name", "firefox"}}},
        {9, "meter", {{"application.name", "Volume Control"}, {"application.process.id", "500"}}},
    };
    const Platform::AudioProperties appA = {{"application.id", "org.example.App"},
                                            {"application.name", "Example"},
                                            {"application.process.id", "100"}};
    const Platform::AudioProperties appA2 = {{"application.id", "org.example.App"},
                                             {"application.name", "Example Two"},
                                             {"application.process.id", "101"}};
    s.playbackStreams = {
        stream(1, 1, appA),
        stream(2, Platform::kNoAudioIndex, {}),                      // loopback: no client, no pid
        stream(3, 8, {}),                                      // properties from its client
        stream(4, 7, {}, /*corked*/ true),                     // paused player
        stream(5, 7, {{"application.process.id", "12x"}}),     // junk pid, falls back to client's
    };
    AudioStreamRecord meter = stream(6, 9, {{"media.name", "Peak detect"}});
    AudioStreamRecord peaks = stream(7, 9, {});
    peaks.resampleMethod = "peaks";
    s.recordStreams = {stream(1, 2, appA2), meter, peaks, stream(2, Platform::kNoAudioIndex, {})};

    const auto list = mergeAudioProcesses(s, fakeNames());
    struct Row {
        QString id, name;
        std::optional<QString> bundle;
        std::optional<std::int32_t> pid;
        bool in, out;
        QString icon = {};
    };
    const std::vector<Row> expected = {
        {"org.example.App", "Example", QStringLiteral("org.example.App"), 100, true, true},
        {"proc-si2", "System Audio Process", std::nullopt, std::nullopt, false, true},
        {"proc-so2", "System Audio Process", std::nullopt, std::nullopt, true, false},
        {"proc-7", "Zoom", std::nullopt, 300, false, true},
        {"proc-8", "firefox", std::nullopt, 400, false, true, "firefox"},
    };
    ASSERT_EQ(list.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& got = list[static_cast<qsizetype>(i)];
        const Row& want = expected[i];
        EXPECT_EQ(got.id, want.id) << i;
        EXPECT_EQ(got.name, want.name) << i;
        EXPECT_EQ(got.bundleID, want.bundle) << i;
        EXPECT_EQ(got.pid, want.pid) << i;
        EXPECT_EQ(got.usesInput, want.in) << i;
        EXPECT_EQ(got.usesOutput, want.out) << i;
        EXPECT_EQ(got.iconName, want.icon) << i;
    }
}

TEST(AudioProcesses, PidRulesDecideTheKey)
{
    struct Case {
        const char* what;
        Platform::AudioProperties props;
        QString key;
        std::optional<std::int32_t> pid;
    };
    const Case cases[] = {
        {"id without pid is not trusted as a bundle", {{"application.id", "org.x.Y"}}, "proc-3", std::nullopt},
        {"zero pid", {{"application.id", "org.x.Y"}, {"application.process.id", "0"}}, "proc-3", std::nullopt},
        {"negative pid", {{"application.process.id", "-5"}}, "proc-3", std::nullopt},
        {"overflowing pid", {{"application.process.id", "99999999999"}}, "proc-3", std::nullopt},
        {"server pid preferred", {{"application.process.id", "2"}, {"pipewire.sec.pid", "77"}}, "proc-3", 77},
        {"portal app id", {{"pipewire.access.portal.app_id", "org.x.Z"}, {"application.process.id", "9"}},
         "org.x.Z", 9},
    };
    for (const Case& c : cases) {
        AudioServerState s;
        s.playbackStreams = {stream(1, 3, c.props)};
        const auto list = mergeAudioProcesses(s, fakeNames());
        ASSERT_EQ(list.size(), 1) << c.what;
        EXPECT_EQ(list[0].id, c.key) << c.what;
        EXPECT_EQ(list[0].pid, c.pid) << c.what;
    }
}
