#pragma once

#include <QStringList>

#include <optional>

namespace Dunmorra::Platform {

// The palette LXQt's settings give its Qt applications ([Palette] in
// lxqt/lxqt.conf), which its own panel themes are chosen to match. An
// application built on another Qt than the desktop's gets none of it, so it
// is read here: the one sign of an LXQt desktop's tone.
namespace LxqtPalette {

// Whether the window colour is dark, from the first lxqt/lxqt.conf under
// configDirs (most important first) that names one; none when none does.
std::optional<bool> isDark(const QStringList& configDirs);

} // namespace LxqtPalette

} // namespace Dunmorra::Platform
