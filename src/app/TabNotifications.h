#pragma once

#include "app/MainTab.h"

#include <QObject>
#include <QVariant>

namespace Dunmorra {

// The application-wide tab notifications. The "Go" menu and the popover post
// here; the main window observes them while it exists, so a notification
// posted while it is closed is not seen by anyone.
class TabNotifications : public QObject {
    Q_OBJECT
public:
    static inline const QString switchTabName = QStringLiteral("Halvorin.switchTab");
    static inline const QString openSettingsTabName = QStringLiteral("Halvorin.openSettingsTab");

    static TabNotifications& shared();

    // Posts by name, as any poster may: "Halvorin.switchTab" reaches the
    // observers only when its object holds a MainTab itself. A text naming a
    // tab is not a tab (QVariant would happily convert "stats" to one), and an
    // unknown name reaches nobody.
    void post(const QString& name, const QVariant& object = {});

    void postSwitchTab(MainTab tab);
    void postOpenSettingsTab();

Q_SIGNALS:
    void switchTabPosted(Dunmorra::MainTab tab);
    void openSettingsTabPosted();
};

} // namespace Dunmorra
