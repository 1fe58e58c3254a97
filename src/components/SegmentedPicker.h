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

    // -1 while no segment is selected (a bound value outside the options).
    int currentIndex() const { return m_current; }
    // Any index outside the segments clears the selection.
    void setCurrentIndex(int index);
    QAbstractButton* segment(int index) const;
    int count() const;

Q_SIGNALS:
    void currentIndexChanged(int index);
    // The user picked another segment; never sent for setCurrentIndex, so a
    // refresh from the bound value cannot act as a choice.
    void activated(int index);

private:
    QButtonGroup* m_group;
    int m_current = 0;
};

} // namespace Dunmorra
