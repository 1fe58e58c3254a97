#include "tabs/InfoRow.h"

#include "components/Typography.h"

#include <QHBoxLayout>

namespace Dunmorra {

InfoRow::InfoRow(const QString& label, const QString& valueName, QWidget* parent)
    : QWidget(parent)
    , m_label(new TextLabel(label, Fonts::caption(), Tone::Secondary))
    , m_value(new TextLabel(QString(), Fonts::value()))
{
    m_value->setObjectName(valueName);
    m_value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label, 0, Qt::AlignVCenter);
    layout->addStretch(1);
    layout->addWidget(m_value, 0, Qt::AlignVCenter);
}

void InfoRow::setLabel(const QString& text)
{
    m_label->setTextIfChanged(text);
}

void InfoRow::setValue(const QString& text)
{
    m_value->setTextIfChanged(text);
}

} // namespace Dunmorra
