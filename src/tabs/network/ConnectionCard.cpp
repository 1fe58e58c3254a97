#include "tabs/network/ConnectionCard.h"

#include "components/Palette.h"
#include "components/PlainText.h"
#include "components/Symbols.h"
#include "components/Typography.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {

// A borderless button of a symbol and a title in one colour.
QToolButton* plainButton(const QString& symbol, const QString& text, const QFont& font, const QColor& color)
{
    auto* button = new QToolButton;
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setFont(font);
    const int glyph = font.pixelSize() > 0 ? font.pixelSize() : 11;
    button->setIcon(QIcon(symbolPixmap(symbol, glyph, color, button->devicePixelRatioF())));
    button->setIconSize(QSize(glyph, glyph));
    button->setText(text);
    button->setCursor(Qt::PointingHandCursor);
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, color);
    button->setPalette(pal);
    return button;
}

} // namespace

ConnectionCard::ConnectionCard(QWidget* parent)
    : Card(parent)
{
    setObjectName(QStringLiteral("connectionCard"));
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 12);
    stack->addWidget(PagePieces::cardTitle(QStringLiteral("network"), tr("Current Connection")));

    auto* row = PagePieces::row(20);
    m_symbol = new SymbolView(QStringLiteral("wifi.slash"), 28, accentColor(), nullptr, 40);
    m_symbol->setObjectName(QStringLiteral("connectionSymbol"));
    row->addWidget(m_symbol, 0, Qt::AlignVCenter);

    auto* details = PagePieces::stack(6);
    auto* nameLine = PagePieces::row(8);
    m_label = new TextLabel(QString(), uiFont(15, QFont::DemiBold));
    m_label->setObjectName(QStringLiteral("connectionLabel"));
    m_dot = new TextLabel(tr("\u00b7"), uiFont(15), Tone::Tertiary);
    m_dot->setObjectName(QStringLiteral("connectionDot"));
    m_ssid = new TextLabel(QString(), uiFont(14), Tone::Secondary);
    m_ssid->setObjectName(QStringLiteral("connectionSSID"));
    nameLine->addWidget(m_label, 0, Qt::AlignVCenter);
    nameLine->addWidget(m_dot, 0, Qt::AlignVCenter);
    nameLine->addWidget(m_ssid, 0, Qt::AlignVCenter);
    nameLine->addStretch(1);
    details->addLayout(nameLine);

    m_addressLine = new QWidget;
    m_addressLine->setObjectName(QStringLiteral("addressLine"));
    auto* addressRow = PagePieces::row(4);
    addressRow->addWidget(new SymbolView(QStringLiteral("number"), 10, secondaryText()), 0, Qt::AlignVCenter);
    m_address = new TextLabel(QString(), uiFont(12), Tone::Secondary);
    m_address->setObjectName(QStringLiteral("connectionAddress"));
    addressRow->addWidget(m_address, 0, Qt::AlignVCenter);
    addressRow->addStretch(1);
    m_addressLine->setLayout(addressRow);
    details->addWidget(m_addressLine);

    m_location = plainButton(QStringLiteral("location.slash"), tr("Allow location for Wi-Fi name"), uiFont(11),
                             paletteOrange());
    m_location->setObjectName(QStringLiteral("locationButton"));
    details->addWidget(m_location, 0, Qt::AlignLeft);
    row->addLayout(details, 1);

    m_reload = plainButton(QStringLiteral("arrow.clockwise"), tr("Reload"), uiFont(11, QFont::Medium), secondaryText());
    m_reload->setObjectName(QStringLiteral("reloadButton"));
    m_reload->setToolTip(tr("Reload connection info"));
    row->addWidget(m_reload, 0, Qt::AlignVCenter);
    stack->addLayout(row);
    setContent(content);

    connect(m_reload, &QToolButton::clicked, this, &ConnectionCard::reloadRequested);
    connect(m_location, &QToolButton::clicked, this, &ConnectionCard::locationSettingsRequested);
}

QString ConnectionCard::connectionSymbol(const NetworkSnapshot& snapshot)
{
    if (snapshot.ssid || snapshot.interfaceName == NetworkLabels::wifi)
        return QStringLiteral("wifi");
    if (snapshot.interfaceName == NetworkLabels::ethernet)
        return QStringLiteral("cable.connector");
    if (snapshot.interfaceName == NetworkLabels::cellular)
        return QStringLiteral("antenna.radiowaves.left.and.right");
    return QStringLiteral("wifi.slash");
}

void ConnectionCard::setSnapshot(const NetworkSnapshot& snapshot)
{
    m_symbol->setSymbol(connectionSymbol(snapshot));
    m_label->setTextIfChanged(oneLine(NetworkLabels::shown(snapshot.interfaceName)));
    m_dot->setVisible(snapshot.ssid.has_value());
    m_ssid->setVisible(snapshot.ssid.has_value());
    m_ssid->setTextIfChanged(snapshot.ssid ? oneLine(*snapshot.ssid) : QString());
    m_addressLine->setVisible(snapshot.ipAddress.has_value());
    m_address->setTextIfChanged(snapshot.ipAddress ? oneLine(*snapshot.ipAddress) : QString());
    m_location->setVisible(snapshot.needsLocation);
}

} // namespace Dunmorra
