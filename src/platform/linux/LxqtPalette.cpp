#include "platform/LxqtPalette.h"

#include <QFile>
#include <QSettings>

#include <algorithm>

namespace Dunmorra::Platform::LxqtPalette {

namespace {

// The HSL lightness of "#rrggbb" (0 to 255); none for anything else.
std::optional<int> lightness(const QString& colour)
{
    if (colour.size() != 7 || !colour.startsWith(QLatin1Char('#')))
        return std::nullopt;
    bool ok = false;
    const uint rgb = QStringView(colour).mid(1).toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    const int channels[] = {int(rgb >> 16 & 0xff), int(rgb >> 8 & 0xff), int(rgb & 0xff)};
    const auto [low, high] = std::minmax_element(std::begin(channels), std::end(channels));
    return (*low + *high) / 2;
}

} // namespace

std::optional<bool> isDark(const QStringList& configDirs)
{
    for (const QString& dir : configDirs) {
        const QString path = dir + QStringLiteral("/lxqt/lxqt.conf");
        if (!QFile::exists(path))
            continue;
        const QSettings conf(path, QSettings::IniFormat);
        if (const auto l = lightness(conf.value(QStringLiteral("Palette/window_color")).toString()))
            return *l < 128;
    }
    return std::nullopt;
}

} // namespace Dunmorra::Platform::LxqtPalette
