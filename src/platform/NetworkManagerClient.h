#pragma once

#include <QString>

#include <chrono>
#include <optional>

namespace Dunmorra::Platform {

// Asks NetworkManager over D-Bus for the network a Wi-Fi interface has
// joined. Blocking, so it runs on worker threads only; the whole query is
// bounded by the deadline, and no answer in time is no name.
class NetworkManagerClient {
public:
    enum class Bus { System, Session };

    explicit NetworkManagerClient(Bus bus = Bus::System, std::chrono::milliseconds deadline = std::chrono::seconds(3));

    // The active access point's SSID; none without NetworkManager, without
    // such a device, or when no access point is active. SSIDs are raw bytes:
    // invalid UTF-8 is replaced, never rejected.
    std::optional<QString> activeSsid(const QString& interfaceName) const;

private:
    Bus m_bus;
    std::chrono::milliseconds m_deadline;
};

} // namespace Dunmorra::Platform
