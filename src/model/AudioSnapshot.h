#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace Dunmorra {

struct AudioSnapshot {
    struct Device {
        enum class TransportKind {
            builtIn, usb, bluetooth, bluetoothLE, airPlay, hdmi, displayPort, thunderbolt, virtual_, unknown
        };

        std::uint32_t id = 0;          // the sound server's device index
        QString name;
        TransportKind transport = TransportKind::unknown;
        float volume = -1;             // channels' maximum over normal; may exceed 1; -1 unknown
        bool isMuted = false;
        double sampleRate = 0;
        std::int64_t channelCount = 0;
        bool operator==(const Device&) const = default;
    };

    struct AudioProcess {
        QString id;                    // application id, or "proc-" + stream owner index
        QString name;
        std::optional<QString> bundleID;
        std::optional<std::int32_t> pid;
        bool usesInput = false;
        bool usesOutput = false;
        QString iconName;              // the icon the stream names for itself, "" if none
        bool operator==(const AudioProcess&) const = default;
    };

    std::optional<Device> defaultOutput;
    std::optional<Device> defaultInput;
    QList<Device> allOutputDevices;
    QList<Device> allInputDevices;
    QList<AudioProcess> activeProcesses;   // merged per application, sorted by name

    bool operator==(const AudioSnapshot&) const = default;

    static const AudioSnapshot& empty();
};

// The volume as the sound server's own tools show it: the scalar x 100
// rounded to the nearest whole percent (the server keeps 45 % as 0.449997,
// which truncation would show as 44), above 100 as read; none for an unknown
// or non-finite volume.
std::optional<std::int64_t> wholeVolumePercent(float volume);

// "Built-in", "USB", … (untranslated; views translate).
QString transportLabel(AudioSnapshot::Device::TransportKind kind);

} // namespace Dunmorra
