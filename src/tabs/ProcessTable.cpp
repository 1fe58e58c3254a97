#include "tabs/ProcessTable.h"

#include "components/Card.h"
#include "components/Divider.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

ProcessTable::ProcessTable(const QString& title, const std::vector<Column>& columns, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("topProcesses"));
    auto* stack = PagePieces::stack(this, 8);
    stack->addWidget(PagePieces::sectionTitle(title));

    auto* content = new QWidget;
    m_rows = PagePieces::stack(content, 0);
    auto* headerHost = new QWidget;
    headerHost->setObjectName(QStringLiteral("processHeader"));
    auto* header = PagePieces::row();
    header->setContentsMargins(0, 0, 0, 6);
    headerHost->setLayout(header);
    header->addWidget(new TextLabel(tr("Process"), Fonts::caption(), Tone::Secondary), 1);
    for (const Column& c : columns)
        header->addWidget(column(c.title, Fonts::caption(), Tone::Secondary, c.width));
    m_rows->addWidget(headerHost);
    m_rows->addWidget(new Divider(1.0));
    stack->addWidget(new Card(content, nullptr));
}

TextLabel* ProcessTable::column(const QString& text, const QFont& font, Tone tone, int width)
{
    auto* label = new TextLabel(text, font, tone);
    label->setFixedWidth(width);
    label->holdSizeFor({QStringLiteral("0")});
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace Dunmorra
