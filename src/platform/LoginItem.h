#pragma once

#include <optional>
#include <string>

namespace Dunmorra::Platform {

// Starting the application at login, as an XDG autostart entry
// "<autostartDir>/<desktopId>.desktop". The entry is the whole state: the
// item is on exactly when the file is there as an application entry that is
// not hidden, so removing the file from outside turns it off.
class LoginItem {
public:
    LoginItem(std::string autostartDir, std::string desktopId, std::string program);

    // $XDG_CONFIG_HOME/autostart (else ~/.config/autostart), the given
    // desktop id and the running program (currentProgramPath()).
    static LoginItem forCurrentUser(const std::string& desktopId);

    bool isEnabled() const;
    // Each returns the error text of a failed change, none on success.
    // The entry is written atomically; removing a missing entry succeeds.
    std::optional<std::string> enable() const;
    std::optional<std::string> disable() const;

    std::string entryPath() const;
    // The entry enable() writes.
    std::string entryText() const;

private:
    std::string m_dir;
    std::string m_desktopId;
    std::string m_program;
};

// The program that starts this application again: $APPIMAGE when set (the
// mounted image is gone after exit), else the running executable.
std::string currentProgramPath();

// One argument of a desktop entry's Exec key, quoted so that the launcher
// hands it over unchanged: inside double quotes with ", `, $ and \ escaped,
// then escaped once more as a string value, and % written as %%.
std::string desktopExecArgument(const std::string& argument);

} // namespace Dunmorra::Platform
