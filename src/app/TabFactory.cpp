#include "app/TabFactory.h"

#include <QLabel>
#include <QVBoxLayout>

namespace Dunmorra {

QWidget* placeholderTab(MainTab tab, QWidget* parent)
{
    auto* page = new QWidget(parent);
    page->setObjectName(QStringLiteral("tab.") + rawValue(tab));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 20, 20, 20);
    auto* heading = new QLabel(title(tab), page);
    heading->setObjectName(QStringLiteral("placeholderTitle"));
    QFont font = heading->font();
    font.setPointSizeF(22);
    font.setWeight(QFont::DemiBold);
    heading->setFont(font);
    layout->addWidget(heading);
    layout->addStretch(1);
    return page;
}

TabFactory placeholderTabFactory()
{
    return [](MainTab tab, QWidget* parent) { return placeholderTab(tab, parent); };
}

TabFactory applicationTabFactory(std::function<SettingsTabServices()> settingsServices)
{
    return [settingsServices](MainTab tab, QWidget* parent) -> QWidget* {
        switch (tab) {
        case MainTab::settings: {
            auto* view = new SettingsTab(settingsServices(), parent);
            return view;
        }
        default:
            return placeholderTab(tab, parent);
        }
    };
}

} // namespace Dunmorra
