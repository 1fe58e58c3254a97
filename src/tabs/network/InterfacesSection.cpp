#include "tabs/network/InterfacesSection.h"

#include "components/Card.h"
#include "components/Divider.h"
#include "components/ElidedLabel.h"
#include "components/Formatters.h"
#include "components/KeyedRows.h"
#include "components/Palette.h"
#include "components/PlainText.h"
#include "components/Symbols.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {
using PagePieces::column;

constexpr int kInterfaceWidth = 60;
constexpr int kTypeWidth = 72;
constexpr int kTotalWidth = 80;

// The column headers, one caption per column at the rows' widths.
QHBoxLayout* headerRow()
{
    auto* row = PagePieces::row();
    row->setContentsMargins(0, 0, 0, 6);
    const auto caption = [](const QString& text) { return new TextLabel(text, Fonts::caption(), Tone::Secondary); };
    row->addWidget(column(caption(InterfacesSection::tr("Interface")), kInterfaceWidth, Qt::AlignLeft));
    row->addWidget(column(caption(InterfacesSection::tr("Type")), kTypeWidth, Qt::AlignLeft));
    row->addWidget(caption(InterfacesSection::tr("IP Address")), 1);
    row->addWidget(column(caption(InterfacesSection::tr("Sent")), kTotalWidth, Qt::AlignRight));
    row->addWidget(column(caption(InterfacesSection::tr("Received")), kTotalWidth, Qt::AlignRight));
    return row;
}
} // namespace

// One interface's row with the faint divider that ends every row.
class InterfaceRow : public QWidget {
public:
    InterfaceRow()
    {
        auto* stack = PagePieces::stack(this, 0);
        auto* line = PagePieces::row();
        line->setContentsMargins(0, 5, 0, 5);
        // Linux names (enp0s31f6, tailscale0) are wider than the column: the
        // cell ends them with an ellipsis and the tooltip has the whole name.
        m_id = column(new ElidedLabel(QString(), Fonts::value()), kInterfaceWidth, Qt::AlignLeft);
        m_id->setObjectName(QStringLiteral("interfaceId"));
        line->addWidget(m_id);

        auto* kind = new QWidget;
        kind->setFixedWidth(kTypeWidth);
        auto* kindRow = PagePieces::row(4);
        m_kindSymbol = new SymbolView(QStringLiteral("lock.shield"), 10, secondaryText());
        m_kindSymbol->setObjectName(QStringLiteral("kindSymbol"));
        m_kind = new ElidedLabel(QString(), Fonts::caption(), Tone::Secondary);
        m_kind->setObjectName(QStringLiteral("interfaceKind"));
        kindRow->addWidget(m_kindSymbol, 0, Qt::AlignVCenter);
        kindRow->addWidget(m_kind, 1);
        kind->setLayout(kindRow);
        line->addWidget(kind);

        m_address = new ElidedLabel(QString(), Fonts::caption(), Tone::Secondary);
        m_address->setObjectName(QStringLiteral("interfaceAddress"));
        line->addWidget(m_address, 1);
        m_sent = column(new TextLabel(QString(), Fonts::value()), kTotalWidth, Qt::AlignRight);
        m_sent->setObjectName(QStringLiteral("interfaceSent"));
        m_received = column(new TextLabel(QString(), Fonts::value(), Tone::Secondary), kTotalWidth, Qt::AlignRight);
        m_received->setObjectName(QStringLiteral("interfaceReceived"));
        line->addWidget(m_sent);
        line->addWidget(m_received);
        stack->addLayout(line);
        stack->addWidget(new Divider(0.4));
    }

    void update(const InterfaceInfo& info)
    {
        setObjectName(QStringLiteral("interfaceRow:") + info.id);
        m_id->setTextIfChanged(oneLine(info.id));
        const QString help = plainToolTip(info.id);
        if (m_id->toolTip() != help)
            m_id->setToolTip(help);
        m_kindSymbol->setSymbol(InterfacesSection::kindSymbol(info.kind));
        m_kind->setTextIfChanged(oneLine(NetworkLabels::shown(info.kind)));
        m_address->setTextIfChanged(info.ipAddress ? oneLine(*info.ipAddress) : QStringLiteral("\u2014"));
        m_sent->setTextIfChanged(QString::fromStdString(formatBytes(info.totalSent)));
        m_received->setTextIfChanged(QString::fromStdString(formatBytes(info.totalRecv)));
    }

private:
    ElidedLabel* m_id;
    SymbolView* m_kindSymbol;
    ElidedLabel* m_kind;
    ElidedLabel* m_address;
    TextLabel* m_sent;
    TextLabel* m_received;
};

InterfacesSection::InterfacesSection(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("interfaces"));
    auto* outer = PagePieces::stack(this, 10);
    outer->addWidget(PagePieces::sectionTitle(tr("Interfaces")));

    auto* content = new QWidget;
    m_rowsLayout = PagePieces::stack(content, 0);
    m_rowsLayout->addLayout(headerRow());
    m_rowsLayout->addWidget(new Divider(1.0));
    m_empty = new TextLabel(tr("No active interfaces"), Fonts::caption(), Tone::Tertiary);
    m_empty->setObjectName(QStringLiteral("noInterfaces"));
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setContentsMargins(0, 12, 0, 12);
    m_rowsLayout->addWidget(m_empty);
    m_rows = std::make_unique<KeyedRows<QString, InterfaceRow>>(m_rowsLayout, 3);
    outer->addWidget(new Card(content, nullptr));
}

InterfacesSection::~InterfacesSection() = default;

QString InterfacesSection::kindSymbol(const QString& kind)
{
    if (kind == NetworkLabels::kindWifi)
        return QStringLiteral("wifi");
    if (kind == NetworkLabels::kindEthernet)
        return QStringLiteral("cable.connector");
    if (kind == NetworkLabels::kindCellular)
        return QStringLiteral("antenna.radiowaves.left.and.right");
    return QStringLiteral("lock.shield");
}

void InterfacesSection::setInterfaces(const QList<InterfaceInfo>& interfaces)
{
    m_empty->setVisible(interfaces.isEmpty());
    m_rows->sync(
        interfaces, [](const InterfaceInfo& i) { return i.id; }, [](const InterfaceInfo&) { return new InterfaceRow; },
        [](InterfaceRow& row, const InterfaceInfo& i, int) { row.update(i); });
}

} // namespace Dunmorra
