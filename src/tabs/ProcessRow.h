#pragma once

#include "components/Typography.h"

#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace Dunmorra {

class ElidedLabel;

// One row of a top-processes list: the name across the remaining width,
// then its figures aligned right in fixed columns, over a faint divider.
// The pages differ only in the measures they give it.
class ProcessRow : public QWidget {
    Q_OBJECT
public:
    struct Figure {
        QString objectName;  // "processCpu", "processMemory"
        Tone tone;
        int width;
    };
    struct Style {
        int verticalPadding;
        QFont nameFont;
        std::vector<Figure> figures;
        qreal dividerOpacity;
        Qt::Alignment alignment = {};
    };

    explicit ProcessRow(const Style& style, QWidget* parent = nullptr);

    // key names the row for tests and accessibility; an empty tooltip clears it.
    void update(const QString& key, const QString& name, const QString& toolTip, const QStringList& figures);

private:
    ElidedLabel* m_name;
    std::vector<TextLabel*> m_figures;
};

} // namespace Dunmorra
