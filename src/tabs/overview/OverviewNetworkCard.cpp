#include "tabs/overview/OverviewNetworkCard.h"

#include "components/Card.h"
#include "components/Conversions.h"
#include "components/Divider.h"
#include "components/DualSparklineView.h"
#include "components/ElidedLabel.h"
#include "components/FittingPair.h"
#include "components/Formatters.h"
#include "components/Palette.h"
#include "components/StatusDot.h"
#include "components/Symbols.h"
#include "model/NetworkProvider.h"
#include "tabs/PagePieces.h"
#include "tabs/overview/OverviewPieces.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {

QString bytesText(double total)
{
    return QString::fromStdString(formatBytes(toUInt64Clamped(total)));
}

QString rateText(double rate)
{
    return QString::fromStdString(formatBytesPerSecond(rate));
}

// A menu item shows its text as given: "&" would otherwise mark a shortcut.
QString menuText(const QString& name)
{
    return OverviewPieces::shownName(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// The menu's label: the network symbol and a small chevron side by side.
QIcon filterIcon(qreal dpr)
{
    const QColor tone = secondaryText();
    QPixmap out(qRound(22 * dpr), qRound(11 * dpr));
    out.setDevicePixelRatio(dpr);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawPixmap(QPoint(0, 0), symbolPixmap(QStringLiteral("wifi.circle"), 11, tone, dpr));
    p.drawPixmap(QPoint(14, 2), symbolPixmap(QStringLiteral("chevron.down"), 8, tone, dpr));
    p.end();
    return QIcon(out);
}

QIcon symbolIconIn(const QString& symbol, int size, const QColor& color, qreal dpr)
{
    return QIcon(symbolPixmap(symbol, size, color, dpr));
}

} // namespace

OverviewNetworkCard::OverviewNetworkCard(NetworkProvider& network, std::function<void()> openLocationSettings,
                                         QWidget* parent)
    : QWidget(parent)
    , m_network(network)
    , m_openLocationSettings(std::move(openLocationSettings))
{
    setObjectName(QStringLiteral("networkCard"));
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 10);

    auto* header = PagePieces::row();
    header->addWidget(OverviewPieces::cardHeader(QStringLiteral("network"), tr("Network")), 0, Qt::AlignVCenter);
    header->addStretch(1);
    const qreal dpr = devicePixelRatioF();
    m_reload = new QToolButton;
    m_reload->setObjectName(QStringLiteral("reloadNetwork"));
    m_reload->setAutoRaise(true);
    m_reload->setIcon(symbolIconIn(QStringLiteral("arrow.clockwise"), 11, secondaryText(), dpr));
    m_reload->setIconSize(QSize(11, 11));
    m_reload->setToolTip(tr("Reload network info"));
    m_reload->setAccessibleName(tr("Reload network info"));
    connect(m_reload, &QToolButton::clicked, this, [this] {
        m_network.setConnectionRefreshed(kDistantPast);
        m_network.refreshConnection();
    });
    header->addWidget(m_reload, 0, Qt::AlignVCenter);
    m_filterButton = new QToolButton;
    m_filterButton->setObjectName(QStringLiteral("networkFilter"));
    m_filterButton->setAutoRaise(true);
    m_filterButton->setPopupMode(QToolButton::InstantPopup);
    m_filterButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_filterButton->setIcon(filterIcon(dpr));
    m_filterButton->setIconSize(QSize(22, 11));
    m_filterButton->setToolTip(tr("Filter by network"));
    m_filterButton->setAccessibleName(tr("Filter by network"));
    // The arrow is part of our own label.
    m_filterButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
    m_menu = new QMenu(m_filterButton);
    m_menu->setObjectName(QStringLiteral("networkFilterMenu"));
    m_filterButton->setMenu(m_menu);
    header->addWidget(m_filterButton, 0, Qt::AlignVCenter);
    stack->addLayout(header);

    stack->addWidget(buildConnectionRow());
    stack->addWidget(new Divider(1.0));
    stack->addWidget(buildTotalsRow());
    m_trend = new DualSparklineView(accentColor(), paletteOrange(), DualSparklineView::trendName());
    m_trend->setObjectName(QStringLiteral("networkTrend"));
    m_trend->setFixedHeight(24);
    stack->addWidget(m_trend);
    stack->addWidget(buildLegend());

    auto* card = new Card(content, nullptr);
    card->setObjectName(QStringLiteral("networkCardFrame"));
    PagePieces::stack(this, 0)->addWidget(card);

    const auto live = [this] {
        if (!m_day.isRecorded())
            refreshLive();
    };
    connect(&m_network, &NetworkProvider::currentChanged, this, live);
    connect(&m_network, &NetworkProvider::historyChanged, this, live);
    refresh();
}

QWidget* OverviewNetworkCard::buildConnectionRow()
{
    auto* host = new QWidget;
    auto* row = PagePieces::row(8);
    m_symbol = new SymbolView(QStringLiteral("wifi"), 13, accentColor());
    m_symbol->setObjectName(QStringLiteral("connectionSymbol"));
    row->addWidget(m_symbol, 0, Qt::AlignVCenter);

    auto* texts = PagePieces::stack(2);
    m_title = new ElidedLabel(QString(), uiFont(13, QFont::DemiBold));
    m_title->setObjectName(QStringLiteral("connectionTitle"));
    texts->addWidget(m_title);

    m_wifiName = new ElidedLabel(QString(), Fonts::caption(), Tone::Secondary);
    m_wifiName->setObjectName(QStringLiteral("wifiName"));
    auto* joiner = new TextLabel(QStringLiteral(" \u00B7 "), Fonts::caption(), Tone::Tertiary);
    joiner->setObjectName(QStringLiteral("wifiJoiner"));
    m_wifiAddress = new ElidedLabel(QString(), Fonts::caption(), Tone::Tertiary);
    m_wifiAddress->setObjectName(QStringLiteral("wifiAddress"));
    m_wifiLine = new FittingPair(m_wifiName, m_wifiAddress, 0, 1, joiner);
    m_wifiLine->setObjectName(QStringLiteral("wifiLine"));
    texts->addWidget(m_wifiLine);

    m_location = new QPushButton(tr("Allow location for Wi-Fi name"));
    m_location->setObjectName(QStringLiteral("allowLocation"));
    m_location->setFlat(true);
    m_location->setFont(uiFont(10));
    m_location->setIcon(symbolIconIn(QStringLiteral("location.slash"), 10, paletteOrange(), devicePixelRatioF()));
    m_location->setIconSize(QSize(10, 10));
    QPalette orange = m_location->palette();
    orange.setColor(QPalette::ButtonText, paletteOrange());
    m_location->setPalette(orange);
    m_location->setCursor(Qt::PointingHandCursor);
    connect(m_location, &QPushButton::clicked, this, [this] {
        if (m_openLocationSettings)
            m_openLocationSettings();
    });
    texts->addWidget(m_location, 0, Qt::AlignLeft);

    m_address = new ElidedLabel(QString(), Fonts::caption(), Tone::Tertiary);
    m_address->setObjectName(QStringLiteral("connectionAddress"));
    texts->addWidget(m_address);
    row->addLayout(texts, 1);
    host->setLayout(row);
    return host;
}

QWidget* OverviewNetworkCard::buildTotalsRow()
{
    auto* host = new QWidget;
    auto* row = PagePieces::row(0);
    const auto column = [](const char* arrow, TextLabel*& value, TextLabel*& label, const char* valueName,
                           const char* labelName, bool trailing) {
        auto* widget = new QWidget;
        auto* stack = PagePieces::stack(widget, 2);
        stack->addStrut(75);
        auto* line = PagePieces::row(4);
        value = new TextLabel(QString(), figureFont(14, QFont::Medium));
        value->setObjectName(QLatin1String(valueName));
        auto* symbol = new SymbolView(QLatin1String(arrow), 10, secondaryText());
        if (trailing) {
            line->addStretch(1);
            line->addWidget(value, 0, Qt::AlignVCenter);
            line->addWidget(symbol, 0, Qt::AlignVCenter);
        } else {
            line->addWidget(symbol, 0, Qt::AlignVCenter);
            line->addWidget(value, 0, Qt::AlignVCenter);
            line->addStretch(1);
        }
        stack->addLayout(line);
        label = new TextLabel(QString(), Fonts::caption(), Tone::Tertiary);
        label->setObjectName(QLatin1String(labelName));
        stack->addWidget(label, 0, trailing ? Qt::AlignRight : Qt::AlignLeft);
        return widget;
    };
    row->addWidget(column("arrow.up", m_upValue, m_upLabel, "uploadValue", "uploadLabel", false));
    row->addStretch(1);
    row->addWidget(column("arrow.down", m_downValue, m_downLabel, "downloadValue", "downloadLabel", true));
    host->setLayout(row);
    return host;
}

QWidget* OverviewNetworkCard::buildLegend()
{
    m_legend = new QWidget;
    m_legend->setObjectName(QStringLiteral("networkLegend"));
    auto* row = PagePieces::row(10);
    // The chart's legend in the card's small type.
    for (const auto& [color, text] : {std::pair{withAlpha(paletteOrange(), 0.75), tr("Up")},
                                      std::pair{accentColor(), tr("Down")}}) {
        auto* item = PagePieces::row(3);
        item->addWidget(new StatusDot(color, 7), 0, Qt::AlignVCenter);
        item->addWidget(new TextLabel(text, uiFont(9), Tone::Secondary), 0, Qt::AlignVCenter);
        row->addLayout(item);
    }
    row->addStretch(1);
    m_legend->setLayout(row);
    return m_legend;
}

void OverviewNetworkCard::showDay(const OverviewDay& day)
{
    m_day = day;
    refresh();
}

void OverviewNetworkCard::choose(const std::optional<QString>& name)
{
    if (m_filter.selection() == name)
        return;
    m_filter.setSelection(name);
    refresh();
    Q_EMIT filterChanged();
}

QString OverviewNetworkCard::recordedTitle(const NetworkFilter& filter)
{
    const std::vector<NetworkFilter::Network>& networks = filter.networks();
    if (const NetworkFilter::Network* chosen = filter.selectedEntry())
        return chosen->name;
    if (networks.size() == 1)
        return networks.front().name;
    if (networks.empty())
        return tr("No networks recorded");
    return QStringLiteral("Multiple Networks");
}

QString OverviewNetworkCard::recordedSymbol(const NetworkFilter& filter)
{
    const std::vector<NetworkFilter::Network>& networks = filter.networks();
    if (const NetworkFilter::Network* chosen = filter.selectedEntry())
        return NetworkFilter::symbolFor(chosen->name);
    if (networks.size() == 1)
        return NetworkFilter::symbolFor(networks.front().name);
    return QStringLiteral("network");
}

QString OverviewNetworkCard::liveSymbol(const NetworkSnapshot& now)
{
    if (now.ssid || now.interfaceName == NetworkLabels::wifi)
        return QStringLiteral("wifi");
    if (now.interfaceName == NetworkLabels::ethernet)
        return QStringLiteral("cable.connector");
    if (now.interfaceName == NetworkLabels::cellular)
        return QStringLiteral("antenna.radiowaves.left.and.right");
    return QStringLiteral("wifi.slash");
}

void OverviewNetworkCard::refresh()
{
    const bool recorded = m_day.isRecorded();
    m_reload->setVisible(!recorded);
    m_trend->setVisible(!recorded);
    m_legend->setVisible(!recorded);
    if (const DailySummary* day = m_day.recorded())
        refreshRecorded(*day);
    else
        refreshLive();
}

void OverviewNetworkCard::refreshLive()
{
    m_filterButton->hide();
    const NetworkSnapshot& now = m_network.current();
    m_symbol->setSymbol(liveSymbol(now));
    m_title->setTextIfChanged(OverviewPieces::shownName(NetworkLabels::shown(now.interfaceName)));

    const bool wifi = now.ssid.has_value();
    const bool location = !wifi && now.needsLocation;
    const bool address = !wifi && !location && now.ipAddress.has_value();
    if (wifi) {
        m_wifiName->setTextIfChanged(OverviewPieces::shownName(*now.ssid));
        m_wifiAddress->setVisible(now.ipAddress.has_value());
        if (now.ipAddress)
            m_wifiAddress->setTextIfChanged(OverviewPieces::shownName(*now.ipAddress));
    }
    m_wifiLine->setVisible(wifi);
    m_wifiLine->refit();
    m_location->setVisible(location);
    m_address->setVisible(address);
    if (address)
        m_address->setTextIfChanged(OverviewPieces::shownName(*now.ipAddress));

    m_upValue->setTextIfChanged(rateText(now.uploadBytesPerSec));
    m_downValue->setTextIfChanged(rateText(now.downloadBytesPerSec));
    m_upLabel->setTextIfChanged(tr("Upload"));
    m_downLabel->setTextIfChanged(tr("Download"));

    std::vector<double> down, up;
    down.reserve(static_cast<std::size_t>(m_network.history().size()));
    up.reserve(down.capacity());
    m_network.history().forEachOrdered([&](const Sample<NetworkSnapshot>& s) {
        down.push_back(s.value.downloadBytesPerSec);
        up.push_back(s.value.uploadBytesPerSec);
    });
    m_trend->setValues(std::move(down), std::move(up));
}

void OverviewNetworkCard::refreshRecorded(const DailySummary& day)
{
    m_filter.setNetworks(day.sortedNetworks());
    rebuildMenu();
    m_filterButton->setVisible(!m_filter.networks().empty());

    m_symbol->setSymbol(recordedSymbol(m_filter));
    m_title->setTextIfChanged(OverviewPieces::shownName(recordedTitle(m_filter)));
    m_wifiLine->hide();
    m_location->hide();
    m_address->hide();

    const NetworkFilter::Network* chosen = m_filter.selectedEntry();
    m_upValue->setTextIfChanged(bytesText(chosen ? chosen->stat.uploadBytes : day.totalNetworkUpBytes()));
    m_downValue->setTextIfChanged(bytesText(chosen ? chosen->stat.downloadBytes : day.totalNetworkDownBytes()));
    m_upLabel->setTextIfChanged(tr("Sent"));
    m_downLabel->setTextIfChanged(tr("Received"));
}

void OverviewNetworkCard::rebuildMenu()
{
    const std::vector<NetworkFilter::Network>& networks = m_filter.networks();
    const bool everything = !m_filter.selection();
    m_menu->clear();
    const qreal dpr = devicePixelRatioF();
    const QColor tone = palettePrimary();
    QAction* all = m_menu->addAction(symbolIconIn(everything ? QStringLiteral("checkmark") : QStringLiteral("network"),
                                                  14, tone, dpr),
                                     tr("All Networks"));
    all->setObjectName(QStringLiteral("allNetworks"));
    all->setCheckable(false);
    // Queued: choosing rebuilds this menu, which deletes the action.
    connect(all, &QAction::triggered, this, [this] { choose(std::nullopt); }, Qt::QueuedConnection);
    if (networks.size() >= 2)
        m_menu->addSeparator();
    for (const NetworkFilter::Network& network : networks) {
        const QString symbol = m_filter.selection() == network.name ? QStringLiteral("checkmark")
                                                                  : NetworkFilter::symbolFor(network.name);
        QAction* item = m_menu->addAction(symbolIconIn(symbol, 14, tone, dpr), menuText(network.name));
        item->setData(network.name);
        item->setProperty("symbol", symbol);
        connect(item, &QAction::triggered, this, [this, name = network.name] { choose(name); }, Qt::QueuedConnection);
    }
    all->setProperty("symbol", everything ? QStringLiteral("checkmark") : QStringLiteral("network"));
}

} // namespace Dunmorra
