#pragma once

#include <QEasingCurve>
#include <QPointer>
#include <QWidget>

#include <chrono>
#include <functional>

namespace Dunmorra {

class FrameClock;

// An eased move of one value over a fixed time, stepped by the FrameClock of
// its widget's window. The widget draws what each frame hands it, the end
// value included (reached, or jumped to).
class FrameAnimation {
public:
    using Frame = std::function<void(double value)>;

    FrameAnimation(QWidget* owner, int durationMs, const QEasingCurve& curve, Frame onFrame);
    ~FrameAnimation();
    FrameAnimation(const FrameAnimation&) = delete;
    FrameAnimation& operator=(const FrameAnimation&) = delete;

    // Moves from `from` to `to`, replacing a running move; its first frame
    // is handed over at once. Where nothing animates (the widget or its
    // window hidden, the window minimised) the end is handed over at once
    // instead.
    void start(double from, double to);
    // Stops where it is; no further frame.
    void stop();
    bool isRunning() const { return m_clock != nullptr; }
    double endValue() const { return m_to; }
    int duration() const { return m_durationMs; }

private:
    friend class FrameClock;
    // One frame at `now`; false once the move has reached its end.
    bool step(std::chrono::nanoseconds now);
    // Hands over the end and stops (called by the clock, which drops it).
    void finish();
    void detach() { m_clock = nullptr; }

    QPointer<QWidget> m_owner;
    int m_durationMs;
    QEasingCurve m_curve;
    Frame m_onFrame;
    FrameClock* m_clock = nullptr;
    std::chrono::nanoseconds m_start{0};
    double m_from = 0;
    double m_to = 0;
};

} // namespace Dunmorra
