#pragma once

#include <QWidget>

class QToolButton;

namespace Dunmorra {

class TextLabel;

// The Overview's day navigation: the previous day, the day's name, the next
// day, and while a past day is shown, the way back to live.
class OverviewDayHeader : public QWidget {
    Q_OBJECT
public:
    explicit OverviewDayHeader(QWidget* parent = nullptr);

    void showDay(const QString& label, bool historical, bool hasPreviousDay);

    QToolButton* previousButton() const { return m_previous; }
    QToolButton* nextButton() const { return m_next; }
    QToolButton* liveButton() const { return m_live; }
    TextLabel* dayLabel() const { return m_label; }

Q_SIGNALS:
    void previousDayPressed();
    void nextDayPressed();
    void livePressed();

private:
    QToolButton* m_previous = nullptr;
    TextLabel* m_label = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_live = nullptr;
    bool m_historical = true;
};

} // namespace Dunmorra
