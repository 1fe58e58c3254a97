#include "platform/LoginItem.h"

#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QString>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace Dunmorra::Platform {

namespace {

std::string trim(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

LoginItem::LoginItem(std::string autostartDir, std::string desktopId, std::string program)
    : m_dir(std::move(autostartDir))
    , m_desktopId(std::move(desktopId))
    , m_program(std::move(program))
{
}

LoginItem LoginItem::forCurrentUser(const std::string& desktopId)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return LoginItem(config.toStdString() + "/autostart", desktopId, currentProgramPath());
}

std::string LoginItem::entryPath() const
{
    return m_dir + "/" + m_desktopId + ".desktop";
}

bool LoginItem::isEnabled() const
{
    QFile file(QString::fromStdString(entryPath()));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bool inEntry = false;
    bool application = false;
    bool hidden = false;
    while (!file.atEnd()) {
        const std::string line = trim(file.readLine().toStdString());
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry)
            continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = trim(line.substr(0, eq));
        const std::string value = trim(line.substr(eq + 1));
        if (key == "Type")
            application = value == "Application";
        else if (key == "Hidden")
            hidden = hidden || value == "true";
        else if (key == "X-GNOME-Autostart-enabled")
            hidden = hidden || value == "false";
    }
    return application && !hidden;
}

std::string LoginItem::entryText() const
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Halvorin\n"
           "Exec=" + desktopExecArgument(m_program) + "\n"
           "Icon=" + m_desktopId + "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::optional<std::string> LoginItem::enable() const
{
    std::error_code ec;
    std::filesystem::create_directories(m_dir, ec);
    if (ec)
        return "Cannot create " + m_dir + ": " + ec.message();
    QSaveFile file(QString::fromStdString(entryPath()));
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString().toStdString();
    const std::string text = entryText();
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) || !file.commit())
        return file.errorString().toStdString();
    return std::nullopt;
}

std::optional<std::string> LoginItem::disable() const
{
    std::error_code ec;
    std::filesystem::remove(entryPath(), ec);
    if (ec)
        return "Cannot remove " + entryPath() + ": " + ec.message();
    return std::nullopt;
}

std::string currentProgramPath()
{
    if (const char* image = std::getenv("APPIMAGE"); image && *image)
        return image;
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string desktopExecArgument(const std::string& argument)
{
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    // The Exec value is a string: its own escapes apply before the quoting is read.
    std::string out;
    for (const char c : quoted) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '%': out += "%%"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace Dunmorra::Platform
