#include "tabs/folders/FolderTab.h"

#include "components/Palette.h"
#include "components/Sandbox.h"
#include "components/SandboxFeatureBanner.h"
#include "components/Symbols.h"
#include "components/TabPage.h"
#include "components/Typography.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "tabs/folders/FolderBrowserPage.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace Dunmorra {

FolderTab::FolderTab(FolderProvider& folders, DiskProvider& disk, UserSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_folders(folders)
    , m_disk(disk)
    , m_settings(settings)
    , m_layout(new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("tab.folders"));
    m_layout->setContentsMargins(0, 0, 0, 0);
    if (!isSandboxed()) {
        m_browser = new FolderBrowserPage(m_folders, m_disk, this);
        m_view = m_browser;
        m_layout->addWidget(m_view);
        return;
    }
    showSandboxView();
    connect(&m_settings, &UserSettings::valueChanged, this, [this](const QString& key) {
        if (key == QLatin1String(SettingKeys::showSandboxHints))
            showSandboxView();
    });
}

void FolderTab::showSandboxView()
{
    const bool hints = m_settings.boolValue(QLatin1String(SettingKeys::showSandboxHints),
                                            SettingKeys::showSandboxHintsDefault);
    const char* wanted = hints ? "sandboxHint" : "unavailable";
    if (m_view && m_view->objectName() == QLatin1String(wanted))
        return;
    if (m_view) {
        m_layout->removeWidget(m_view);
        m_view->hide();
        m_view->deleteLater(); // the banner's own Dismiss may have led here
    }
    if (hints) {
        auto* page = new TabPage(this);
        page->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        page->stack()->addWidget(new SandboxFeatureBanner(tr("Folder browser unavailable"),
                                                          tr("The sandbox restricts filesystem access."), m_settings));
        m_view = page;
    } else {
        m_view = buildUnavailableView();
    }
    m_view->setObjectName(QLatin1String(wanted));
    m_layout->addWidget(m_view);
    m_view->show();
}

QWidget* FolderTab::buildUnavailableView()
{
    auto* view = new QWidget(this);
    auto* stack = new QVBoxLayout(view);
    stack->setSpacing(16);
    stack->addStretch(1);
    auto* symbol = new SymbolView(QStringLiteral("folder.badge.questionmark"), 44, tertiaryText(), view);
    stack->addWidget(symbol, 0, Qt::AlignHCenter);
    auto* note = new TextLabel(tr("Folder browser is not available\nin the sandboxed version."), Fonts::caption(),
                               Tone::Secondary, view);
    note->setObjectName(QStringLiteral("unavailableNote"));
    note->setAlignment(Qt::AlignHCenter);
    stack->addWidget(note, 0, Qt::AlignHCenter);
    auto* hide = new QPushButton(tr("Hide this tab"), view);
    hide->setObjectName(QStringLiteral("hideTab"));
    hide->setFont(uiFont(11));
    stack->addWidget(hide, 0, Qt::AlignHCenter);
    stack->addStretch(1);
    connect(hide, &QPushButton::clicked, this, [this] {
        m_settings.setValue(QLatin1String(SettingKeys::showFolderTab), false);
    });
    return view;
}

} // namespace Dunmorra
