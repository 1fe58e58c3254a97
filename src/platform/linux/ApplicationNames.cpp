#include "platform/ApplicationNames.h"

// GIO's headers name struct members "signals"; no Qt header may come before
// them in this file.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <fcntl.h>
#include <unistd.h>

#include <memory>

namespace Dunmorra::Platform {

namespace {

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GDesktopAppInfo, ObjectUnref>;

AppInfo findEntry(const std::string& appId)
{
    // An id names an entry inside the applications folders; a separator would point elsewhere.
    if (appId.empty() || appId.find('/') != std::string::npos)
        return nullptr;
    return AppInfo(g_desktop_app_info_new((appId + ".desktop").c_str()));
}

std::optional<std::string> takeText(gchar* text)
{
    if (!text)
        return std::nullopt;
    std::string out(text);
    g_free(text);
    if (out.empty())
        return std::nullopt;
    return out;
}

} // namespace

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

std::optional<std::string> desktopEntryName(const std::string& appId)
{
    const AppInfo info = findEntry(appId);
    if (!info)
        return std::nullopt;
    // Not g_app_info_get_name(): it answers "Unnamed" for an entry without a name.
    return takeText(g_desktop_app_info_get_locale_string(info.get(), G_KEY_FILE_DESKTOP_KEY_NAME));
}

std::optional<std::string> desktopEntryIcon(const std::string& appId)
{
    const AppInfo info = findEntry(appId);
    if (!info)
        return std::nullopt;
    // GLib's reading of the Icon value: an absolute path is a file, anything
    // else a theme name with an image extension dropped ("vlc.png" is "vlc").
    GIcon* icon = g_app_info_get_icon(G_APP_INFO(info.get()));
    if (G_IS_FILE_ICON(icon))
        return takeText(g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon))));
    if (G_IS_THEMED_ICON(icon)) {
        const gchar* const* names = g_themed_icon_get_names(G_THEMED_ICON(icon));
        if (names && names[0] && names[0][0] != '\0')
            return std::string(names[0]);
    }
    return std::nullopt;
}

} // namespace Dunmorra::Platform
