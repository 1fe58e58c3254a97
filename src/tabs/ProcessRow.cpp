#include "tabs/ProcessRow.h"

#include "components/Divider.h"
#include "components/ElidedLabel.h"
#include "tabs/PagePieces.h"
#include "tabs/ProcessTable.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace Dunmorra {

ProcessRow::ProcessRow(const Style& style, QWidget* parent)
    : QWidget(parent)
{
    auto* stack = PagePieces::stack(this, 0);
    auto* line = PagePieces::row();
    line->setContentsMargins(0, style.verticalPadding, 0, style.verticalPadding);
    m_name = new ElidedLabel(QString(), style.nameFont, Tone::Primary);
    m_name->setObjectName(QStringLiteral("processName"));
    line->addWidget(m_name, 1, style.alignment);
    for (const Figure& f : style.figures) {
        TextLabel* label = ProcessTable::column(QString(), Fonts::value(), f.tone, f.width);
        label->setObjectName(f.objectName);
        line->addWidget(label, 0, style.alignment);
        m_figures.push_back(label);
    }
    stack->addLayout(line);
    stack->addWidget(new Divider(style.dividerOpacity));
}

void ProcessRow::update(const QString& key, const QString& name, const QString& toolTip, const QStringList& figures)
{
    setObjectName(QStringLiteral("processRow:") + key);
    m_name->setTextIfChanged(name);
    if (m_name->toolTip() != toolTip)
        m_name->setToolTip(toolTip);
    for (std::size_t i = 0; i < m_figures.size() && i < static_cast<std::size_t>(figures.size()); ++i)
        m_figures[i]->setTextIfChanged(figures[static_cast<qsizetype>(i)]);
}

} // namespace Dunmorra
