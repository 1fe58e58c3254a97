#include "platform/LoginItem.h"

#include <QSaveFile>
#include <QStandardPaths>
#include <QString>

#include <glib.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

namespace Dunmorra::Platform {

namespace {

constexpr const char* kEntryGroup = G_KEY_FILE_DESKTOP_GROUP;

struct KeyFileDeleter {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};
using KeyFile = std::unique_ptr<GKeyFile, KeyFileDeleter>;

// A key of the entry's group; a missing key or a value of another type
// reads as the fallback, as the desktop's own readers take it.
bool booleanKey(GKeyFile* file, const char* key, bool fallback)
{
    GError* error = nullptr;
    const gboolean value = g_key_file_get_boolean(file, kEntryGroup, key, &error);
    if (error) {
        g_error_free(error);
        return fallback;
    }
    return value;
}

std::string stringKey(GKeyFile* file, const char* key)
{
    gchar* value = g_key_file_get_string(file, kEntryGroup, key, nullptr);
    if (!value)
        return {};
    std::string out(value);
    g_free(value);
    return out;
}

// The Exec key's own quoting: the argument inside double quotes with each
// ", `, $ and backslash escaped, and % written as %%. The key file's string
// escapes come on top of it.
std::string execQuoted(const std::string& argument)
{
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%';
        quoted += c;
    }
    quoted += '"';
    return quoted;
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
    KeyFile file(g_key_file_new());
    if (!g_key_file_load_from_file(file.get(), entryPath().c_str(), G_KEY_FILE_NONE, nullptr))
        return false;
    if (stringKey(file.get(), G_KEY_FILE_DESKTOP_KEY_TYPE) != G_KEY_FILE_DESKTOP_TYPE_APPLICATION)
        return false;
    // Hidden means deleted; the GNOME key is how its session turns one off.
    return !booleanKey(file.get(), G_KEY_FILE_DESKTOP_KEY_HIDDEN, false)
        && booleanKey(file.get(), "X-GNOME-Autostart-enabled", true);
}

std::string LoginItem::entryText() const
{
    KeyFile file(g_key_file_new());
    GKeyFile* f = file.get();
    g_key_file_set_string(f, kEntryGroup, G_KEY_FILE_DESKTOP_KEY_TYPE, G_KEY_FILE_DESKTOP_TYPE_APPLICATION);
    g_key_file_set_string(f, kEntryGroup, G_KEY_FILE_DESKTOP_KEY_NAME, "Halvorin");
    g_key_file_set_string(f, kEntryGroup, G_KEY_FILE_DESKTOP_KEY_EXEC, execQuoted(m_program).c_str());
    g_key_file_set_string(f, kEntryGroup, G_KEY_FILE_DESKTOP_KEY_ICON, m_desktopId.c_str());
    g_key_file_set_boolean(f, kEntryGroup, G_KEY_FILE_DESKTOP_KEY_TERMINAL, FALSE);
    g_key_file_set_boolean(f, kEntryGroup, "X-GNOME-Autostart-enabled", TRUE);
    gsize length = 0;
    gchar* data = g_key_file_to_data(f, &length, nullptr);
    std::string text(data, length);
    g_free(data);
    return text;
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
    // The value exactly as the entry stores it, string escapes included.
    KeyFile file(g_key_file_new());
    g_key_file_set_string(file.get(), kEntryGroup, G_KEY_FILE_DESKTOP_KEY_EXEC, execQuoted(argument).c_str());
    gchar* raw = g_key_file_get_value(file.get(), kEntryGroup, G_KEY_FILE_DESKTOP_KEY_EXEC, nullptr);
    std::string out = raw ? raw : "";
    g_free(raw);
    return out;
}

} // namespace Dunmorra::Platform
