#include "app/MainTab.h"

#include <QCoreApplication>

namespace Dunmorra {

namespace {

struct TabRow {
    const char* raw;
    const char* title;
    const char* symbol;
};

// Indexed by the enum's value.
constexpr std::array<TabRow, 10> rows{{
    {"overview", QT_TRANSLATE_NOOP("MainTab", "Overview"), "square.grid.2x2"},
    {"cpu", QT_TRANSLATE_NOOP("MainTab", "CPU"), "cpu"},
    {"memory", QT_TRANSLATE_NOOP("MainTab", "Memory"), "memorychip"},
    {"disk", QT_TRANSLATE_NOOP("MainTab", "Disk"), "internaldrive"},
    {"network", QT_TRANSLATE_NOOP("MainTab", "Network"), "network"},
    {"power", QT_TRANSLATE_NOOP("MainTab", "Power"), "bolt"},
    {"audio", QT_TRANSLATE_NOOP("MainTab", "Audio"), "waveform"},
    {"folders", QT_TRANSLATE_NOOP("MainTab", "Folders"), "folder"},
    {"stats", QT_TRANSLATE_NOOP("MainTab", "Stats"), "chart.bar"},
    {"settings", QT_TRANSLATE_NOOP("MainTab", "Settings"), "gearshape"},
}};

const TabRow& row(MainTab tab)
{
    return rows[static_cast<std::size_t>(tab)];
}

} // namespace

QString rawValue(MainTab tab)
{
    return QString::fromLatin1(row(tab).raw);
}

std::optional<MainTab> mainTabFromRawValue(const QString& raw)
{
    for (MainTab tab : allMainTabs) {
        if (raw == QLatin1String(row(tab).raw))
            return tab;
    }
    return std::nullopt;
}

QString title(MainTab tab)
{
    return QCoreApplication::translate("MainTab", row(tab).title);
}

QString symbol(MainTab tab)
{
    return QString::fromLatin1(row(tab).symbol);
}

} // namespace Dunmorra
