#include "tabs/ProcessTableRow.h"

#include "components/Divider.h"
#include "components/ElidedLabel.h"
#include "tabs/PagePieces.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {
TextLabel* fixedColumn(const QString& text, const QFont& font, Tone tone, int width)
{
    auto* label = new TextLabel(text, font, tone);
    label->setFixedWidth(width);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}
} // namespace

ProcessTableRow::ProcessTableRow(Columns columns, int verticalPadding, qreal dividerOpacity, QWidget* parent)
    : QWidget(parent)
{
    auto* stack = PagePieces::stack(this, 0);
    auto* line = PagePieces::row();
    line->setContentsMargins(0, verticalPadding, 0, verticalPadding);
    m_name = new ElidedLabel(QString(), Fonts::value(), Tone::Primary);
    m_name->setObjectName(QStringLiteral("processName"));
    m_cpu = fixedColumn(QString(), Fonts::value(), Tone::Primary, columns.cpuWidth);
    m_cpu->setObjectName(QStringLiteral("processCpu"));
    m_memory = fixedColumn(QString(), Fonts::value(), Tone::Secondary, columns.memoryWidth);
    m_memory->setObjectName(QStringLiteral("processMemory"));
    line->addWidget(m_name, 1);
    line->addWidget(m_cpu);
    line->addWidget(m_memory);
    stack->addLayout(line);
    stack->addWidget(new Divider(dividerOpacity));
}

void ProcessTableRow::setTexts(const QString& name, const QString& cpu, const QString& memory)
{
    m_name->setTextIfChanged(name);
    m_cpu->setTextIfChanged(cpu);
    m_memory->setTextIfChanged(memory);
}

QWidget* ProcessTableRow::header(Columns columns, const QString& process, const QString& cpu, const QString& memory,
                                 int bottomPadding)
{
    auto* row = PagePieces::row();
    row->setContentsMargins(0, 0, 0, bottomPadding);
    row->addWidget(new TextLabel(process, Fonts::caption(), Tone::Secondary), 1);
    row->addWidget(fixedColumn(cpu, Fonts::caption(), Tone::Secondary, columns.cpuWidth));
    row->addWidget(fixedColumn(memory, Fonts::caption(), Tone::Secondary, columns.memoryWidth));
    auto* host = new QWidget;
    host->setObjectName(QStringLiteral("processHeader"));
    host->setLayout(row);
    return host;
}

} // namespace Dunmorra
