#pragma once

#include <QStringList>
#include <QWidget>

class QButtonGroup;
class QAbstractButton;

namespace Dunmorra {

// A row of exclusive segments sized to their labels. Built once; a refresh
// of the page never rebuilds it, so a click in progress is never lost.
class SegmentedPicker : public QWidget {
    Q_OBJECT
public:
    explicit SegmentedPicker(const QStringList& labels, QWidget* parent = nullptr);

    int currentIndex() const { return m_current; }
    void setCurrentIndex(int index);
    QAbstractButton* segment(int index) const;
    int count() const;

Q_SIGNALS:
    void currentIndexChanged(int index);

private:
    QButtonGroup* m_group;
    int m_current = 0;
};

} // namespace Dunmorra
