#pragma once

#include "app/TrayIconPainter.h"

#include <QSet>
#include <QString>

#include <optional>

namespace Dunmorra {

// The tray figure as named symbolic icons in a folder of our own, which the
// StatusNotifierItem names as its IconThemePath: hosts that load icons by
// name (GTK and Plasma panels) draw them in the panel's foreground colour,
// the one thing an item cannot learn. Each figure's file is written the
// first time it is shown, flat in the folder (GTK reads that) and under
// hicolor/scalable/status (Plasma reads that).
class TrayIconTheme {
public:
    explicit TrayIconTheme(QString root = defaultRoot());

    // Under the runtime folder: the icons live as long as the session.
    static QString defaultRoot();
    const QString& root() const { return m_root; }

    // "halvorin-cpu-37-dark-symbolic", or "halvorin-cpu-dark-symbolic" for
    // the glyph before the first reading; empty when the file cannot be
    // written. The ink is in the name: a host that keeps what it loaded by
    // name must load the file again when the ink changes.
    QString iconName(const std::optional<QString>& digits, TrayInk ink);
    // The name alone, whatever digits the locale writes.
    static QString nameFor(const std::optional<QString>& digits, TrayInk ink);

private:
    bool write(const QString& name, const std::optional<QString>& digits, TrayInk ink);

    QString m_root;
    QSet<QString> m_written;
};

} // namespace Dunmorra
