#include "app/TrayIconTheme.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

namespace Dunmorra {

TrayIconTheme::TrayIconTheme(QString root)
    : m_root(std::move(root))
{
}

QString TrayIconTheme::defaultRoot()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return base + QStringLiteral("/halvorin/tray-icons");
}

QString TrayIconTheme::nameFor(const std::optional<QString>& digits, TrayInk ink)
{
    const QString tone = ink == TrayInk::light ? QStringLiteral("light") : QStringLiteral("dark");
    if (!digits || digits->isEmpty())
        return QStringLiteral("halvorin-cpu-%1-symbolic").arg(tone);
    // Icon names are ASCII: the figure's value, not the locale's digits.
    QString ascii;
    for (const QChar c : *digits) {
        if (c.digitValue() >= 0)
            ascii += QChar(u'0' + c.digitValue());
    }
    return QStringLiteral("halvorin-cpu-%1-%2-symbolic").arg(ascii, tone);
}

QString TrayIconTheme::iconName(const std::optional<QString>& digits, TrayInk ink)
{
    const QString name = nameFor(digits, ink);
    if (m_written.contains(name))
        return name;
    if (!write(name, digits, ink))
        return {};
    m_written.insert(name);
    return name;
}

bool TrayIconTheme::write(const QString& name, const std::optional<QString>& digits, TrayInk ink)
{
    const QByteArray svg = TrayIconPainter::symbolicSvg(digits, ink);
    const QString themed = m_root + QStringLiteral("/hicolor/scalable/status");
    if (!QDir().mkpath(themed))
        return false;
    for (const QString& folder : {m_root, themed}) {
        // Whole or not at all: a host may read the file while it is written.
        QSaveFile file(folder + QLatin1Char('/') + name + QStringLiteral(".svg"));
        if (!file.open(QIODevice::WriteOnly) || file.write(svg) != svg.size() || !file.commit())
            return false;
    }
    return true;
}

} // namespace Dunmorra
