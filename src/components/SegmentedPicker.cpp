#include "components/SegmentedPicker.h"

#include "components/Typography.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

namespace Dunmorra {

SegmentedPicker::SegmentedPicker(const QStringList& labels, QWidget* parent)
    : QWidget(parent)
    , m_group(new QButtonGroup(this))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    m_group->setExclusive(true);
    for (int i = 0; i < labels.size(); ++i) {
        auto* b = new QToolButton(this);
        b->setText(labels[i]);
        b->setObjectName(QStringLiteral("segment:") + labels[i]);
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setFont(uiFont(11, QFont::Medium));
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        m_group->addButton(b, i);
        row->addWidget(b);
    }
    if (auto* b = m_group->button(0))
        b->setChecked(true);
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == m_current)
            return;
        m_current = id;
        Q_EMIT currentIndexChanged(id);
        Q_EMIT activated(id);
    });
}

void SegmentedPicker::setCurrentIndex(int index)
{
    QAbstractButton* b = m_group->button(index);
    if (!b)
        index = -1;
    if (index == m_current)
        return;
    if (b) {
        b->setChecked(true);
    } else {
        // An exclusive group keeps its checked button; only a non-exclusive one lets go.
        m_group->setExclusive(false);
        for (QAbstractButton* button : m_group->buttons())
            button->setChecked(false);
        m_group->setExclusive(true);
    }
    m_current = index;
    Q_EMIT currentIndexChanged(index);
}

QAbstractButton* SegmentedPicker::segment(int index) const
{
    return m_group->button(index);
}

int SegmentedPicker::count() const
{
    return static_cast<int>(m_group->buttons().size());
}

} // namespace Dunmorra
