#include "tabs/settings/SettingsSection.h"

#include "components/Card.h"
#include "components/Typography.h"

#include <QVBoxLayout>

namespace Dunmorra {

SettingsSection::SettingsSection(const QString& title, QWidget* parent)
    : QWidget(parent)
    , m_title(new TextLabel(title, Fonts::sectionTitle(), Tone::Primary, this))
    , m_card(new Card(this))
    , m_body(new QWidget)
    , m_rows(new QVBoxLayout(m_body))
{
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(8);
    m_title->setContentsMargins(2, 0, 0, 0);
    stack->addWidget(m_title);
    m_rows->setContentsMargins(0, 0, 0, 0);
    m_rows->setSpacing(10);
    m_card->setContent(m_body);
    m_card->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    stack->addWidget(m_card);
}

QWidget* SettingsSection::addRow(QWidget* row)
{
    m_rows->addWidget(row);
    return row;
}

} // namespace Dunmorra
