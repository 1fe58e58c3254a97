#include "tabs/network/TodaysNetworksCard.h"

#include "components/Conversions.h"
#include "components/Divider.h"
#include "components/ElidedLabel.h"
#include "components/Formatters.h"
#include "components/KeyedRows.h"
#include "components/Palette.h"
#include "components/PlainText.h"
#include "components/Symbols.h"
#include "tabs/PagePieces.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace Dunmorra {

namespace {
constexpr int kTotalColumnWidth = 90;

TextLabel* totalColumn(const QString& text, const QFont& font, Tone tone)
{
    return PagePieces::column(new TextLabel(text, font, tone), kTotalColumnWidth, Qt::AlignRight);
}

QString byteTotal(double bytes)
{
    return QString::fromStdString(formatBytes(toUInt64Clamped(bytes)));
}
} // namespace

// The network picker. It tells when its list closes, so choices that
// changed while it was open are put in only afterwards: a list rebuilt under
// the pointer would jump or close. A name may be any length (a day file can
// hold anything): the picker grows with its names only up to a cap and ends
// a longer one with an ellipsis, so it never pushes the header off the page.
class NetworkMenu : public QComboBox {
public:
    std::function<void()> onClosed;

    bool isOpen() const { return m_open; }

    // About 24 characters of the picker's font, arrow and frame included.
    int widestWidth() const { return fontMetrics().averageCharWidth() * 24 + 40; }

    QSize sizeHint() const override
    {
        QSize size = QComboBox::sizeHint();
        size.setWidth(std::min(size.width(), widestWidth()));
        return size;
    }
    QSize minimumSizeHint() const override
    {
        QSize size = QComboBox::minimumSizeHint();
        size.setWidth(std::min(size.width(), widestWidth()));
        return size;
    }

    // The shown text ended with an ellipsis where the field is too narrow.
    QString shownText() const
    {
        QStyleOptionComboBox option;
        initStyleOption(&option);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
        return fontMetrics().elidedText(option.currentText, Qt::ElideRight, std::max(0, field.width() - 2));
    }

    void showPopup() override
    {
        m_open = true;
        QComboBox::showPopup();
    }
    void hidePopup() override
    {
        QComboBox::hidePopup();
        m_open = false;
        if (onClosed)
            onClosed();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        painter.drawComplexControl(QStyle::CC_ComboBox, option);
        option.currentText = shownText();
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    }

private:
    bool m_open = false;
};

// One network's row, and the faint divider under it unless it is the last.
class NetworkRow : public QWidget {
public:
    NetworkRow()
    {
        auto* stack = PagePieces::stack(this, 0);
        auto* line = PagePieces::row();
        line->setContentsMargins(0, 5, 0, 5);
        auto* nameCell = PagePieces::row(6);
        m_symbol = new SymbolView(QStringLiteral("wifi"), 11, secondaryText());
        m_symbol->setObjectName(QStringLiteral("networkSymbol"));
        m_name = new ElidedLabel(QString(), Fonts::value());
        m_name->setObjectName(QStringLiteral("networkName"));
        nameCell->addWidget(m_symbol, 0, Qt::AlignVCenter);
        nameCell->addWidget(m_name, 1);
        line->addLayout(nameCell, 1);
        m_upload = totalColumn(QString(), Fonts::value(), Tone::Primary);
        m_upload->setObjectName(QStringLiteral("networkUpload"));
        m_upload->setColor(withAlpha(paletteOrange(), 0.9));
        m_download = totalColumn(QString(), Fonts::value(), Tone::Primary);
        m_download->setObjectName(QStringLiteral("networkDownload"));
        line->addWidget(m_upload);
        line->addWidget(m_download);
        stack->addLayout(line);
        m_divider = new Divider(0.4);
        stack->addWidget(m_divider);
    }

    void update(const NetworkFilter::Network& network, bool last)
    {
        setObjectName(QStringLiteral("networkRow:") + network.name);
        m_symbol->setSymbol(NetworkFilter::symbolFor(network.name));
        m_name->setTextIfChanged(oneLine(network.name));
        m_upload->setTextIfChanged(byteTotal(network.stat.uploadBytes));
        m_download->setTextIfChanged(byteTotal(network.stat.downloadBytes));
        m_divider->setVisible(!last);
    }

private:
    SymbolView* m_symbol;
    ElidedLabel* m_name;
    TextLabel* m_upload;
    TextLabel* m_download;
    Divider* m_divider;
};

TodaysNetworksCard::TodaysNetworksCard(QWidget* parent)
    : Card(parent)
{
    setObjectName(QStringLiteral("todaysNetworks"));
    auto* content = new QWidget;
    auto* stack = PagePieces::stack(content, 10);

    auto* header = PagePieces::row();
    header->addWidget(PagePieces::cardTitle(QStringLiteral("wifi.circle"), tr("Today's Networks")));
    header->addStretch(1);
    m_menu = new NetworkMenu;
    m_menu->setObjectName(QStringLiteral("networkMenu"));
    m_menu->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_menu->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_menu->setFont(Fonts::caption());
    m_menu->hide();
    header->addWidget(m_menu, 0, Qt::AlignVCenter);
    stack->addLayout(header);

    m_empty = new TextLabel(tr("No network activity recorded yet today"), Fonts::caption(), Tone::Tertiary);
    m_empty->setObjectName(QStringLiteral("noNetworks"));
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setContentsMargins(0, 8, 0, 8);
    stack->addWidget(m_empty);

    m_table = new QWidget;
    m_table->setObjectName(QStringLiteral("networkTable"));
    m_rowsLayout = PagePieces::stack(m_table, 0);
    auto* columns = PagePieces::row();
    columns->setContentsMargins(0, 0, 0, 6);
    columns->addWidget(new TextLabel(tr("Network"), Fonts::caption(), Tone::Secondary), 1);
    columns->addWidget(totalColumn(tr("Upload"), Fonts::caption(), Tone::Secondary));
    columns->addWidget(totalColumn(tr("Download"), Fonts::caption(), Tone::Secondary));
    m_rowsLayout->addLayout(columns);
    m_rowsLayout->addWidget(new Divider(1.0));
    m_rows = std::make_unique<KeyedRows<QString, NetworkRow>>(m_rowsLayout, 2);
    m_table->hide();
    stack->addWidget(m_table);
    setContent(content);

    fillMenu();
    // The whole name of the choice, also when the picker shows it cut short
    // (the signal is blocked while the card sets the index itself).
    connect(m_menu, &QComboBox::currentIndexChanged, this, &TodaysNetworksCard::showMenuToolTip);
    connect(m_menu, &QComboBox::activated, this, [this](int index) {
        if (index <= 0)
            m_filter.setSelection(std::nullopt);
        else
            m_filter.setSelection(m_menu->itemData(index).toString());
        showRows();
    });
    // Queued: the list closes before it reports the choice, which must still
    // find the entries it was made from.
    QPointer<TodaysNetworksCard> self(this);
    m_menu->onClosed = [self] {
        QMetaObject::invokeMethod(
            self.data(),
            [self] {
                if (self && self->m_menuStale && !self->m_menu->isOpen())
                    self->fillMenu();
            },
            Qt::QueuedConnection);
    };
}

// A card destroyed with its list open closes that list while the base
// destructor hides the children, when the object is no longer a card: the
// callback must not reach it then.
TodaysNetworksCard::~TodaysNetworksCard()
{
    m_menu->onClosed = nullptr;
}

QWidget* TodaysNetworksCard::menu() const
{
    return m_menu;
}

void TodaysNetworksCard::setNetworks(std::vector<DailySummary::NamedNetwork> networks)
{
    if (m_filter.setNetworks(std::move(networks))) {
        if (m_menu->isOpen())
            m_menuStale = true;
        else
            fillMenu();
    }
    m_menu->setVisible(m_filter.networks().size() >= 2);
    showRows();
}

void TodaysNetworksCard::setSelectedSSID(std::optional<QString> name)
{
    m_filter.setSelection(std::move(name));
    if (!m_menuStale) {
        const QSignalBlocker block(m_menu);
        m_menu->setCurrentIndex(m_filter.menuIndex());
        showMenuToolTip();
    }
    showRows();
}

void TodaysNetworksCard::fillMenu()
{
    m_menuStale = false;
    const QSignalBlocker block(m_menu);
    m_menu->clear();
    m_menu->addItem(tr("All"));
    for (const QString& name : m_filter.names()) {
        m_menu->addItem(oneLine(name), name);
        m_menu->setItemData(m_menu->count() - 1, plainToolTip(name), Qt::ToolTipRole);
    }
    m_menu->setCurrentIndex(m_filter.menuIndex());
    showMenuToolTip();
}

void TodaysNetworksCard::showMenuToolTip()
{
    m_menu->setToolTip(plainToolTip(m_menu->currentData().toString()));
}

QString TodaysNetworksCard::menuShownText() const
{
    return m_menu->shownText();
}

void TodaysNetworksCard::showRows()
{
    const std::vector<NetworkFilter::Network> shown = m_filter.shown();
    m_empty->setVisible(shown.empty());
    m_table->setVisible(!shown.empty());
    const int last = static_cast<int>(shown.size()) - 1;
    m_rows->sync(
        shown, [](const NetworkFilter::Network& n) { return n.name; },
        [](const NetworkFilter::Network&) { return new NetworkRow; },
        [last](NetworkRow& row, const NetworkFilter::Network& n, int index) { row.update(n, index == last); });
}

QStringList TodaysNetworksCard::rowNames() const
{
    QStringList out;
    for (int i = 2; i < m_rowsLayout->count(); ++i) {
        if (QWidget* row = m_rowsLayout->itemAt(i)->widget())
            out << row->objectName().mid(static_cast<int>(qstrlen("networkRow:")));
    }
    return out;
}

} // namespace Dunmorra
