#include "platform/ApplicationNames.h"

#include <QFile>
#include <QLocale>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

namespace Dunmorra::Platform {

std::string processShortName(std::int32_t pid, const std::string& root)
{
    if (pid < 1)
        return {};
    std::string path = root;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += "proc/" + std::to_string(pid) + "/comm";
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[64];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    if (n <= 0)
        return {};
    std::string name(buffer, static_cast<std::size_t>(n));
    while (!name.empty() && (name.back() == '\n' || name.back() == '\0'))
        name.pop_back();
    return name;
}

std::optional<std::map<std::string, std::string>> desktopEntryValues(const std::string& appId)
{
    if (appId.empty() || appId.find('/') != std::string::npos)
        return std::nullopt;
    const QString file = QStandardPaths::locate(QStandardPaths::ApplicationsLocation,
                                                QString::fromStdString(appId) + QStringLiteral(".desktop"));
    if (file.isEmpty())
        return std::nullopt;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    std::map<std::string, std::string> values;
    bool inEntry = false;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine().trimmed();
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry)
            continue;
        const int eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        values[line.left(eq).trimmed().toStdString()] = line.mid(eq + 1).trimmed().toStdString();
    }
    return values;
}

std::optional<std::string> desktopEntryName(const std::string& appId)
{
    const auto values = desktopEntryValues(appId);
    if (!values)
        return std::nullopt;
    const QString locale = QLocale().name(); // "es_ES"
    const QString language = locale.section(QLatin1Char('_'), 0, 0);
    for (const std::string key : {"Name[" + locale.toStdString() + "]", "Name[" + language.toStdString() + "]",
                                  std::string("Name")}) {
        const auto found = values->find(key);
        if (found != values->end() && !found->second.empty())
            return found->second;
    }
    return std::nullopt;
}

} // namespace Dunmorra::Platform
