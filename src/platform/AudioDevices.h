#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace Dunmorra::Platform {

// Property lists as the sound server hands them over: key to UTF-8 text.
// Values are set by arbitrary clients; treat them as untrusted text.
using AudioProperties = std::map<std::string, std::string>;

inline constexpr std::uint32_t kNoAudioIndex = 0xFFFFFFFFu;

// One sink (output) or source (input) of the sound server.
struct AudioDeviceRecord {
    std::uint32_t index = 0;
    std::string name;                       // the server's identifier ("alsa_output.pci-…")
    std::string description;                // the human name
    std::string driver;                     // owning module, "module-null-sink.c"
    std::string activePortName;
    std::string activePortDescription;
    bool hardware = false;                  // the server's hardware flag
    std::uint32_t monitorOfSink = kNoAudioIndex; // sources only: set on a sink's monitor
    std::vector<std::uint32_t> channelVolumes;   // raw, kNormalAudioVolume is 100 %
    bool muted = false;
    std::uint32_t sampleRate = 0;
    std::uint8_t channels = 0;
    AudioProperties properties;
};

inline constexpr std::uint32_t kNormalAudioVolume = 0x10000u;

// One playback (sink input) or recording (source output) stream.
struct AudioStreamRecord {
    std::uint32_t index = 0;
    std::uint32_t client = kNoAudioIndex;   // kNoAudioIndex for module-owned streams
    bool corked = false;
    std::string resampleMethod;
    AudioProperties properties;
};

struct AudioClientRecord {
    std::uint32_t index = 0;
    std::string name;
    AudioProperties properties;
};

// Everything one reading of the sound server gives, in the server's order.
struct AudioServerState {
    std::string defaultSinkName;
    std::string defaultSourceName;
    std::vector<AudioDeviceRecord> sinks;
    std::vector<AudioDeviceRecord> sources;
    std::vector<AudioStreamRecord> playbackStreams;
    std::vector<AudioStreamRecord> recordStreams;
    std::vector<AudioClientRecord> clients;
};

// A client connection to the sound server that lives as long as this object.
// read() connects on demand, reconnects after the server went away, and
// gives up at the deadline: an absent result means no reading this time
// (no server, server stalled or gone mid-reading). read() may be called from
// any thread, one call at a time (serialised inside).
class AudioServerConnection {
public:
    explicit AudioServerConnection(std::string clientName = "Halvorin",
                                   std::chrono::milliseconds deadline = std::chrono::seconds(3));
    ~AudioServerConnection();
    AudioServerConnection(const AudioServerConnection&) = delete;
    AudioServerConnection& operator=(const AudioServerConnection&) = delete;

    std::optional<AudioServerState> read();

    struct Impl;

private:
    std::mutex m_mutex;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Dunmorra::Platform
