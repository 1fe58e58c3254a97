#include "tabs/overview/OverviewDayHeader.h"

#include "components/Palette.h"
#include "components/Symbols.h"
#include "components/Typography.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>

#include <algorithm>
#include <QToolButton>

namespace Dunmorra {

namespace {

// A chevron in the header's tone at the given strength, enabled and disabled.
QIcon chevron(const QString& symbol, qreal strength, qreal disabledStrength, qreal dpr)
{
    QIcon icon;
    icon.addPixmap(symbolPixmap(symbol, 11, withAlpha(secondaryText(), strength), dpr), QIcon::Normal);
    icon.addPixmap(symbolPixmap(symbol, 11, withAlpha(secondaryText(), disabledStrength), dpr), QIcon::Disabled);
    return icon;
}

// The platform's dimming of a disabled button that has no colour of its own.
constexpr qreal kDisabledDimming = 0.45;

QToolButton* plainButton(const char* name, const QString& accessibleName)
{
    auto* button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setAccessibleName(accessibleName);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setIconSize(QSize(11, 11));
    return button;
}

} // namespace

OverviewDayHeader::OverviewDayHeader(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("dayHeader"));
    auto* row = PagePieces::row(10);
    row->setContentsMargins(2, 0, 2, 2);

    m_previous = plainButton("previousDay", tr("Previous day"));
    m_previous->setIcon(chevron(QStringLiteral("chevron.left"), 1.0, kDisabledDimming, devicePixelRatioF()));
    connect(m_previous, &QToolButton::clicked, this, &OverviewDayHeader::previousDayPressed);
    row->addWidget(m_previous, 0, Qt::AlignVCenter);

    m_label = new TextLabel(QString(), figureFont(12, QFont::Medium), Tone::Secondary);
    m_label->setObjectName(QStringLiteral("dayLabel"));
    m_label->setMinimumWidth(80);
    m_label->setAlignment(Qt::AlignCenter);
    row->addWidget(m_label, 0, Qt::AlignVCenter);

    m_next = plainButton("nextDay", tr("Next day"));
    connect(m_next, &QToolButton::clicked, this, &OverviewDayHeader::nextDayPressed);
    row->addWidget(m_next, 0, Qt::AlignVCenter);
    row->addStretch(1);

    m_live = new QToolButton;
    m_live->setObjectName(QStringLiteral("liveButton"));
    m_live->setAutoRaise(true);
    m_live->setText(tr("Live"));
    m_live->setFont(uiFont(11, QFont::DemiBold));
    QPalette green = m_live->palette();
    green.setColor(QPalette::ButtonText, paletteGreen());
    m_live->setPalette(green);
    connect(m_live, &QToolButton::clicked, this, &OverviewDayHeader::livePressed);
    row->addWidget(m_live, 0, Qt::AlignVCenter);
    setLayout(row);
    // As tall with the "Live" button as without it: the cards never jump.
    setMinimumHeight(std::max(m_live->sizeHint().height(), m_previous->sizeHint().height()) + 2);
    showDay(QString(), false, false);
}

void OverviewDayHeader::showDay(const QString& label, bool historical, bool hasPreviousDay)
{
    m_label->setTextIfChanged(label);
    m_previous->setEnabled(hasPreviousDay);
    if (historical != m_historical) {
        m_historical = historical;
        // Live, the next day is disabled and drawn at 0.3 of the secondary
        // colour: that opacity is its whole dimming, not dimmed once more.
        const qreal strength = historical ? 1.0 : 0.3;
        m_next->setIcon(chevron(QStringLiteral("chevron.right"), strength, historical ? kDisabledDimming : strength,
                                devicePixelRatioF()));
    }
    m_next->setEnabled(historical);
    m_live->setVisible(historical);
}

} // namespace Dunmorra
