#include "model/AudioSnapshotBuilder.h"

#include "platform/ApplicationNames.h"

#include <QHash>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <string_view>

namespace Dunmorra {

namespace {

using Kind = AudioSnapshot::Device::TransportKind;
using Platform::AudioDeviceRecord;
using Platform::AudioProperties;
using Platform::AudioStreamRecord;

const std::string& property(const AudioProperties& props, const char* key)
{
    static const std::string none;
    const auto it = props.find(key);
    return it == props.end() ? none : it->second;
}

std::string lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool startsWith(const std::string& s, std::string_view prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

// "dp-output-1", "DP2": a word of its own, not the "dp" inside "headphones".
bool namesDisplayPort(const std::string& text)
{
    const std::string s = lower(text);
    if (s.find("displayport") != std::string::npos)
        return true;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && !std::isalnum(static_cast<unsigned char>(s[i])))
            ++i;
        std::size_t end = i;
        while (end < s.size() && std::isalnum(static_cast<unsigned char>(s[end])))
            ++end;
        const std::string_view word(s.data() + i, end - i);
        if (word.size() >= 2 && word.substr(0, 2) == "dp"
            && std::all_of(word.begin() + 2, word.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return true;
        i = end;
    }
    return false;
}

bool mentions(const std::string& text, std::string_view word)
{
    return lower(text).find(word) != std::string::npos;
}

// A pid as a client reports it: decimal digits only, 1 to INT32_MAX.
std::int32_t parsePid(const std::string& text)
{
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return 0;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return 0;
    if (value < 1 || value > std::numeric_limits<std::int32_t>::max())
        return 0;
    return static_cast<std::int32_t>(value);
}

// Level meters (mixer applets, settings panels) open streams that only
// watch the signal; they are nobody using audio.
bool isPeakMeter(const AudioStreamRecord& stream)
{
    return stream.resampleMethod == "peaks" || property(stream.properties, "media.name") == "Peak detect";
}

// First letter of each space-separated word upper case, the rest lower.
QString capitalizedWords(const QString& text)
{
    QString out = text.toLower();
    bool wordStart = true;
    for (QChar& c : out) {
        if (c.isSpace()) {
            wordStart = true;
        } else if (wordStart) {
            c = c.toUpper();
            wordStart = false;
        }
    }
    return out;
}

QString fromUtf8(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

AudioNameLookup AudioNameLookup::system()
{
    return {
        [](std::int32_t pid) { return fromUtf8(Platform::processShortName(pid)); },
        [](const QString& appId) -> std::optional<QString> {
            if (auto name = Platform::desktopEntryName(appId.toStdString()))
                return fromUtf8(*name);
            return std::nullopt;
        },
    };
}

Kind audioTransportKind(const AudioDeviceRecord& d)
{
    const std::string bus = lower(property(d.properties, "device.bus"));
    const std::string api = lower(property(d.properties, "device.api"));
    if (bus == "bluetooth" || startsWith(api, "bluez")) {
        const std::string profile = lower(property(d.properties, "api.bluez5.profile"));
        return startsWith(profile, "bap") ? Kind::bluetoothLE : Kind::bluetooth;
    }
    if (bus == "usb")
        return Kind::usb;
    if (bus == "thunderbolt")
        return Kind::thunderbolt;
    // Intel's "HDMI / DisplayPort" ports name both; HDMI wins, being first.
    if (mentions(d.activePortName, "hdmi") || mentions(d.activePortDescription, "hdmi"))
        return Kind::hdmi;
    if (namesDisplayPort(d.activePortName) || namesDisplayPort(d.activePortDescription))
        return Kind::displayPort;
    const bool raop = startsWith(d.name, "raop_output.") || mentions(d.driver, "raop")
        || std::any_of(d.properties.begin(), d.properties.end(),
                       [](const auto& kv) { return startsWith(kv.first, "raop."); });
    if (raop)
        return Kind::airPlay;
    if (!d.hardware && bus.empty())
        return Kind::virtual_;
    const std::string formFactor = lower(property(d.properties, "device.form_factor"));
    if (bus == "pci" || bus == "platform" || bus == "isa" || formFactor == "internal")
        return Kind::builtIn;
    return Kind::unknown;
}

std::optional<AudioSnapshot::Device> makeAudioDevice(const AudioDeviceRecord& d)
{
    const std::string& name = d.description.empty() ? d.name : d.description;
    if (name.empty())
        return std::nullopt;
    AudioSnapshot::Device out;
    out.id = d.index;
    out.name = fromUtf8(name);
    out.transport = audioTransportKind(d);
    if (!d.channelVolumes.empty()) {
        const std::uint32_t loudest = *std::max_element(d.channelVolumes.begin(), d.channelVolumes.end());
        out.volume = static_cast<float>(static_cast<double>(loudest) / Platform::kNormalAudioVolume);
    }
    out.isMuted = d.muted;
    out.sampleRate = d.sampleRate;
    out.channelCount = d.channels;
    return out;
}

QString resolveAudioProcessName(const QString& applicationName, const std::optional<QString>& bundleID,
                                std::int32_t pid, const AudioNameLookup& names)
{
    static const QString systemProcess = QStringLiteral("System Audio Process");
    if (!applicationName.isEmpty())
        return applicationName;
    if (!bundleID || bundleID->isEmpty()) {
        if (pid < 1)
            return systemProcess;
        const QString shortName = names.processName ? names.processName(pid) : QString();
        return shortName.isEmpty() ? systemProcess : shortName;
    }
    if (names.installedAppName) {
        if (auto installed = names.installedAppName(*bundleID); installed && !installed->isEmpty())
            return *installed;
    }
    const QString last = bundleID->section(QLatin1Char('.'), -1);
    if (!last.isEmpty())
        return capitalizedWords(last);
    return *bundleID;
}

QList<AudioSnapshot::AudioProcess> mergeAudioProcesses(const Platform::AudioServerState& state,
                                                       const AudioNameLookup& names)
{
    QList<AudioSnapshot::AudioProcess> table;   // insertion order: equal names keep it
    QHash<QString, qsizetype> byKey;

    QHash<std::uint32_t, const Platform::AudioClientRecord*> clients;
    for (const auto& c : state.clients)
        clients.insert(c.index, &c);

    auto visit = [&](const AudioStreamRecord& s, bool output) {
        if (s.corked || isPeakMeter(s))
            return;
        const Platform::AudioClientRecord* client = clients.value(s.client, nullptr);
        // Stream properties first; the owning client's fill the gaps.
        auto prop = [&](const char* key) -> const std::string& {
            const std::string& own = property(s.properties, key);
            if (!own.empty() || !client)
                return own;
            return property(client->properties, key);
        };
        // The server's own record of the peer's pid beats what the client
        // says; a value that does not parse counts as not given.
        std::int32_t pid = 0;
        for (const char* key : {"pipewire.sec.pid", "application.process.id"}) {
            pid = parsePid(property(s.properties, key));
            if (pid < 1 && client)
                pid = parsePid(property(client->properties, key));
            if (pid >= 1)
                break;
        }

        std::optional<QString> bundleID;
        QString applicationName;
        if (pid >= 1) {
            std::string appId = prop("application.id");
            if (appId.empty())
                appId = prop("pipewire.access.portal.app_id");
            if (!appId.empty())
                bundleID = fromUtf8(appId);
            applicationName = fromUtf8(prop("application.name"));
        }

        QString key;
        if (bundleID)
            key = *bundleID;
        else if (s.client != Platform::kNoAudioIndex)
            key = QStringLiteral("proc-") + QString::number(s.client);
        else   // module-owned: keyed by the stream, apart from every client
            key = (output ? QStringLiteral("proc-si") : QStringLiteral("proc-so")) + QString::number(s.index);

        if (const auto it = byKey.constFind(key); it != byKey.constEnd()) {
            auto& entry = table[*it];
            entry.usesOutput = entry.usesOutput || output;
            entry.usesInput = entry.usesInput || !output;
            return;
        }
        AudioSnapshot::AudioProcess entry;
        entry.id = key;
        entry.name = resolveAudioProcessName(applicationName, bundleID, pid, names);
        entry.bundleID = bundleID;
        entry.iconName = fromUtf8(prop("application.icon_name"));
        if (pid >= 1)
            entry.pid = pid;
        entry.usesOutput = output;
        entry.usesInput = !output;
        byKey.insert(key, table.size());
        table.push_back(std::move(entry));
    };
    for (const auto& s : state.playbackStreams)
        visit(s, true);
    for (const auto& s : state.recordStreams)
        visit(s, false);

    std::stable_sort(table.begin(), table.end(),
                     [](const auto& a, const auto& b) { return a.name < b.name; });
    return table;
}

AudioSnapshot buildAudioSnapshot(const Platform::AudioServerState& state, const AudioNameLookup& names)
{
    AudioSnapshot out;
    for (const auto& sink : state.sinks) {
        auto device = makeAudioDevice(sink);
        if (!device)
            continue;
        if (!state.defaultSinkName.empty() && sink.name == state.defaultSinkName)
            out.defaultOutput = device;
        out.allOutputDevices.push_back(std::move(*device));
    }
    for (const auto& source : state.sources) {
        auto device = makeAudioDevice(source);
        if (!device)
            continue;
        if (!state.defaultSourceName.empty() && source.name == state.defaultSourceName)
            out.defaultInput = device;
        // A sink's monitor is a tap on an output, not an input device; yet
        // when the user records from it, it is the input they chose.
        if (source.monitorOfSink == Platform::kNoAudioIndex)
            out.allInputDevices.push_back(std::move(*device));
    }
    out.activeProcesses = mergeAudioProcesses(state, names);
    return out;
}

} // namespace Dunmorra
