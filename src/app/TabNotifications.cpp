#include "app/TabNotifications.h"

namespace Dunmorra {

TabNotifications& TabNotifications::shared()
{
    static TabNotifications* instance = new TabNotifications;
    return *instance;
}

void TabNotifications::post(const QString& name, const QVariant& object)
{
    if (name == switchTabName) {
        if (object.metaType() == QMetaType::fromType<MainTab>())
            Q_EMIT switchTabPosted(object.value<MainTab>());
    } else if (name == openSettingsTabName) {
        Q_EMIT openSettingsTabPosted();
    }
}

void TabNotifications::postSwitchTab(MainTab tab)
{
    post(switchTabName, QVariant::fromValue(tab));
}

void TabNotifications::postOpenSettingsTab()
{
    post(openSettingsTabName);
}

} // namespace Dunmorra
