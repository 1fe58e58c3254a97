#include "tabs/stats/StatsChartView.h"

#include "components/Palette.h"
#include "components/Typography.h"

#include <QAbstractSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QEvent>
#include <QGraphicsLayout>
#include <QSet>

namespace Dunmorra {

namespace {

QCategoryAxis* markAxis(const QFont& font)
{
    auto* axis = new QCategoryAxis;
    // Texts stand at their marks, not between them.
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setLabelsFont(font);
    axis->setTruncateLabels(false);
    axis->setLineVisible(false);
    axis->setGridLineVisible(true);
    return axis;
}

void replaceMarks(QCategoryAxis* axis, double lo, double hi, const std::vector<AxisMark>& marks)
{
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    axis->setRange(lo, hi);
    axis->setStartValue(lo);
    // The axis keys its marks by text; repeats are told apart by invisible
    // zero-width spaces so no mark is lost.
    QSet<QString> used;
    double last = lo;
    bool first = true;
    for (const AxisMark& mark : marks) {
        if (mark.value < lo || mark.value > hi || (!first && mark.value <= last))
            continue;
        QString label = mark.label;
        while (used.contains(label))
            label += QChar(0x200B);
        used.insert(label);
        axis->append(label, mark.value);
        last = mark.value;
        first = false;
    }
}

} // namespace

StatsChartView::StatsChartView(QWidget* parent)
    : QChartView(new QChart, parent)
    , m_x(markAxis(uiFont(10)))
    , m_y(markAxis(Fonts::caption()))
{
    setFixedHeight(kHeight);
    setFrameShape(QFrame::NoFrame);
    setRenderHint(QPainter::Antialiasing);
    setBackgroundBrush(Qt::NoBrush);
    setStyleSheet(QStringLiteral("background: transparent"));
    QChart* c = chart();
    c->legend()->hide();
    c->setBackgroundVisible(false);
    c->setPlotAreaBackgroundVisible(false);
    // Room above the plot for the top mark's text, which stands centred on its line.
    c->setMargins(QMargins(0, 8, 4, 0));
    c->layout()->setContentsMargins(0, 0, 0, 0);
    c->setBackgroundRoundness(0);
    c->setAnimationOptions(QChart::NoAnimation);
    c->addAxis(m_x, Qt::AlignBottom);
    c->addAxis(m_y, Qt::AlignLeft);
    applyColors();
}

void StatsChartView::setXAxis(double lo, double hi, const std::vector<AxisMark>& marks)
{
    replaceMarks(m_x, lo, hi, marks);
}

void StatsChartView::setYAxis(double lo, double hi, const std::vector<AxisMark>& marks)
{
    replaceMarks(m_y, lo, hi, marks);
}

QStringList StatsChartView::labels(QCategoryAxis* axis)
{
    QStringList texts = axis->categoriesLabels();
    for (QString& text : texts)
        text.remove(QChar(0x200B));
    return texts;
}

void StatsChartView::attach(QAbstractSeries* series)
{
    series->attachAxis(m_x);
    series->attachAxis(m_y);
}

void StatsChartView::changeEvent(QEvent* event)
{
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        applyColors();
}

void StatsChartView::applyColors()
{
    for (QCategoryAxis* axis : {m_x, m_y}) {
        axis->setLabelsColor(secondaryText());
        // A cosmetic hairline: a pen with a width goes through the stroker,
        // which costs more than the rest of the chart together.
        QPen grid(withAlpha(palettePrimary(), 0.1), 0);
        grid.setCosmetic(true);
        axis->setGridLinePen(grid);
    }
}

} // namespace Dunmorra

