#pragma once

#include "model/AudioSnapshot.h"
#include "platform/AudioDevices.h"

#include <QString>

#include <functional>
#include <optional>

namespace Dunmorra {

// The look-ups behind a stream's display name; injected so the rules can be
// tested without a process table or installed applications.
struct AudioNameLookup {
    std::function<QString(std::int32_t pid)> processName;               // short kernel name, "" if none
    std::function<std::optional<QString>(const QString& appId)> installedAppName;

    static AudioNameLookup system();
};

// How a device is connected, from its properties, ports and flags.
AudioSnapshot::Device::TransportKind audioTransportKind(const Platform::AudioDeviceRecord& device);

// A device record as shown; absent when it has no usable name.
std::optional<AudioSnapshot::Device> makeAudioDevice(const Platform::AudioDeviceRecord& device);

// The name shown for a stream's application, first match wins: the name the
// application gives itself, the process name (no application id), the
// installed application's name, the id's last piece capitalised, the id.
QString resolveAudioProcessName(const QString& applicationName, const std::optional<QString>& bundleID,
                                std::int32_t pid, const AudioNameLookup& names);

// Playing and recording streams merged per application, sorted by name.
QList<AudioSnapshot::AudioProcess> mergeAudioProcesses(const Platform::AudioServerState& state,
                                                       const AudioNameLookup& names);

AudioSnapshot buildAudioSnapshot(const Platform::AudioServerState& state, const AudioNameLookup& names);

} // namespace Dunmorra
