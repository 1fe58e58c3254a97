#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>
#include <string_view>

namespace Dunmorra::Platform {

// The Wi-Fi name from the wireless tools, for systems without NetworkManager.
// Tools are looked up in fixed directories (on Debian they are not on an
// ordinary user's PATH), started without a shell with the interface name as
// its own argument, and killed at the deadline. Blocking: worker threads only.
class WifiTools {
public:
    explicit WifiTools(QStringList directories = {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")},
                       std::chrono::milliseconds deadline = std::chrono::seconds(3));

    // `iw dev <if> link`: the first "SSID: " line.
    std::optional<QString> ssidFromIw(const QString& interfaceName) const;
    // `iwgetid -r <if>`: the raw name.
    std::optional<QString> ssidFromIwgetid(const QString& interfaceName) const;

    // Standard output of a tool that ran to its end; none when it is missing,
    // cannot start, or outlives the deadline.
    std::optional<QByteArray> run(const QString& tool, const QStringList& arguments) const;

    // The parsing rules, on raw output: none for output that is not UTF-8.
    static std::optional<QString> parseIwLink(const QByteArray& output);
    static std::optional<QString> parseIwgetid(const QByteArray& output);

private:
    QStringList m_directories;
    std::chrono::milliseconds m_deadline;
};

} // namespace Dunmorra::Platform
