#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <vector>

class QWidget;

namespace Dunmorra {

class Clock;
class FrameAnimation;

// One frame timer per window. Every bar and gauge of the window that eases
// steps on its ticks, all at the same reading of the clock, so one sample's
// changes reach the screen as one repaint pass and one flush a frame however
// many pieces move; each piece repaints only its own rectangle. The timer runs
// only while something moves. While the window is hidden or minimised nothing
// animates: running moves jump to their end and new ones start none.
class FrameClock : public QObject {
    Q_OBJECT
public:
    // 15 frames a second. Every frame is a repaint pass whose fixed cost
    // (a round trip to the X server before painting into shared memory the
    // server may still be reading, then the flush, each a wakeup) outweighs
    // drawing a few thin bars; on pieces a few pixels high the six steps of
    // a 0.4 s move read as one smooth motion.
    static constexpr int kFrameInterval = 67;

    // The clock of the widget's window, made on its first use.
    static FrameClock* of(QWidget* widget);
    // Gives the window a clock that reads `clock` and steps only when tick()
    // is called, in place of its own: frames can then be counted exactly.
    static FrameClock* installManual(QWidget* window, const Clock& clock);

    ~FrameClock() override;

    std::chrono::nanoseconds now() const;
    // Whether anything may move: the window is shown and not minimised.
    bool isLive() const;
    // One frame: every running move at the same reading of the clock.
    void tick();
    int runningCount() const { return static_cast<int>(m_running.size()); }
    bool isTicking() const { return m_timer.isActive(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class FrameAnimation;
    FrameClock(QWidget* window, const Clock& clock, bool selfDriven);
    void add(FrameAnimation* animation);
    void remove(FrameAnimation* animation);
    void finishAll();

    QWidget* m_window;
    const Clock& m_clock;
    bool m_selfDriven;
    QTimer m_timer;
    std::vector<FrameAnimation*> m_running;
};

} // namespace Dunmorra
