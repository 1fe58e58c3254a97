#include "components/SandboxFeatureBanner.h"

#include "components/Palette.h"
#include "components/Symbols.h"
#include "components/Typography.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {
const QString& hintsKey()
{
    static const QString key = QString::fromLatin1(SettingKeys::showSandboxHints);
    return key;
}
} // namespace

SandboxFeatureBanner::SandboxFeatureBanner(const QString& title, const QString& description, QWidget* parent)
    : SandboxFeatureBanner(title, description, UserSettings::shared(), parent)
{
}

SandboxFeatureBanner::SandboxFeatureBanner(const QString& title, const QString& description, UserSettings& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("sandboxBanner"));

    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(14);

    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(new SymbolView(QStringLiteral("lock.shield.fill"), 24, paletteOrange(), this), 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    auto* titleLabel = new TextLabel(title, uiFont(13, QFont::DemiBold), Tone::Primary, this);
    titleLabel->setObjectName(QStringLiteral("bannerTitle"));
    auto* descriptionLabel = new TextLabel(description, Fonts::caption(), Tone::Secondary, this);
    descriptionLabel->setObjectName(QStringLiteral("bannerDescription"));
    descriptionLabel->setWordWrap(true);
    texts->addWidget(titleLabel);
    texts->addWidget(descriptionLabel);
    top->addLayout(texts, 1);
    stack->addLayout(top);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    m_dismiss = new QPushButton(tr("Dismiss"), this);
    m_dismiss->setObjectName(QStringLiteral("dismissButton"));
    m_dismiss->setFlat(true);
    m_dismiss->setCursor(Qt::PointingHandCursor);
    m_dismiss->setFont(Fonts::caption());
    QPalette pal = m_dismiss->palette();
    pal.setColor(QPalette::ButtonText, tertiaryText());
    m_dismiss->setPalette(pal);
    bottom->addWidget(m_dismiss);
    stack->addLayout(bottom);

    connect(m_dismiss, &QPushButton::clicked, this, [this] { m_settings.setValue(hintsKey(), false); });
    connect(&m_settings, &UserSettings::valueChanged, this, [this](const QString& key) {
        if (key == hintsKey())
            syncVisibility();
    });
    syncVisibility();
}

bool SandboxFeatureBanner::hintsShown() const
{
    return m_settings.boolValue(hintsKey(), SettingKeys::showSandboxHintsDefault);
}

void SandboxFeatureBanner::syncVisibility()
{
    // Only undo our own hiding: showing a banner that is not yet in a layout
    // would open it as a window of its own.
    if (!hintsShown()) {
        m_hiddenByHint = true;
        hide();
    } else if (m_hiddenByHint) {
        m_hiddenByHint = false;
        show();
    }
}

} // namespace Dunmorra
