#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace Dunmorra {

// Seven grey rows in the shape of list rows, shown while a folder is being
// listed. Each pulses between 0.4 and full opacity (ease in and out over
// 0.85 s and back), 0.07 s behind the row above it.
class FolderPlaceholderRows : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 7;

    explicit FolderPlaceholderRows(QWidget* parent = nullptr);

    // The width of the name block of row i.
    static int nameWidth(int row);
    // The opacity of row i, t seconds after the rows were first shown.
    static double opacityAt(int row, double t);

    int rowHeight() const;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QElapsedTimer m_clock;
    QTimer m_frame;
};

} // namespace Dunmorra
