#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace Dunmorra {

struct InterfaceInfo {
    QString id;                         // interface name, e.g. "wlp2s0"
    QString kind;                       // "Wi-Fi", "Ethernet", "Cellular" or "VPN"
    std::optional<QString> ipAddress;   // IPv4, dotted
    std::uint64_t totalSent = 0;
    std::uint64_t totalRecv = 0;
    bool operator==(const InterfaceInfo&) const = default;
};

struct NetworkSnapshot {
    double uploadBytesPerSec = 0;
    double downloadBytesPerSec = 0;
    std::optional<QString> ssid;
    QString interfaceName;              // connection label, see NetworkLabels
    bool needsLocation = false;
    std::optional<QString> ipAddress;
    QList<InterfaceInfo> interfaces;    // with traffic, sorted by id

    bool operator==(const NetworkSnapshot&) const = default;

    static const NetworkSnapshot& initial();
};

// One vocabulary for the provider, the recorder and the views. These are
// stored in day files as network keys, so they are never translated here;
// views translate them for display.
namespace NetworkLabels {
inline const QString wifi = QStringLiteral("Wi-Fi");
inline const QString ethernet = QStringLiteral("Ethernet");
inline const QString cellular = QStringLiteral("Cellular");
inline const QString notConnected = QStringLiteral("Not connected");
inline const QString detecting = QString::fromUtf8("Detecting\u2026");
inline const QString kindWifi = QStringLiteral("Wi-Fi");
inline const QString kindEthernet = QStringLiteral("Ethernet");
inline const QString kindCellular = QStringLiteral("Cellular");
inline const QString kindVPN = QStringLiteral("VPN");

// A label or kind as the views show it, in the user's language.
QString shown(const QString& label);
} // namespace NetworkLabels

} // namespace Dunmorra
