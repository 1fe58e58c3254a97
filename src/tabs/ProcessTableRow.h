#pragma once

#include "components/Typography.h"

#include <QString>
#include <QWidget>

namespace Dunmorra {

class ElidedLabel;

// One row of a busiest-processes table: the name taking the width that is
// left, then the CPU share and the memory in fixed columns, over a faint
// divider. The header row lines its titles up with the same columns.
class ProcessTableRow : public QWidget {
    Q_OBJECT
public:
    struct Columns {
        int cpuWidth;
        int memoryWidth;
    };

    ProcessTableRow(Columns columns, int verticalPadding, qreal dividerOpacity, QWidget* parent = nullptr);

    // Texts as shown: the name is plain text, cut short where it does not fit.
    void setTexts(const QString& name, const QString& cpu, const QString& memory);
    ElidedLabel* nameLabel() const { return m_name; }

    // "Process", "CPU" and "Memory" (as the caller translates them) over the
    // same columns, in the caption style.
    static QWidget* header(Columns columns, const QString& process, const QString& cpu, const QString& memory,
                           int bottomPadding);

private:
    ElidedLabel* m_name;
    TextLabel* m_cpu;
    TextLabel* m_memory;
};

} // namespace Dunmorra
