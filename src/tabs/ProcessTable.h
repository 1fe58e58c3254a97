#pragma once

#include "components/Typography.h"

#include <QString>
#include <QWidget>

#include <vector>

class QVBoxLayout;

namespace Dunmorra {

// The list of a top-processes section: its title over a card whose header
// row has "Process" across the remaining width and then the figure columns,
// each of a fixed width and aligned right, above a divider. The page puts
// its rows into rows() from kFirstRow on.
class ProcessTable : public QWidget {
    Q_OBJECT
public:
    struct Column {
        QString title;
        int width;
    };
    static constexpr int kFirstRow = 2;

    ProcessTable(const QString& title, const std::vector<Column>& columns, QWidget* parent = nullptr);

    QVBoxLayout* rows() const { return m_rows; }

    // A figure of a row, aligned right in its column's width.
    static TextLabel* column(const QString& text, const QFont& font, Tone tone, int width);

private:
    QVBoxLayout* m_rows;
};

} // namespace Dunmorra
