#include "components/FrameAnimation.h"

#include "components/FrameClock.h"

#include <algorithm>

namespace Dunmorra {

FrameAnimation::FrameAnimation(QWidget* owner, int durationMs, const QEasingCurve& curve, Frame onFrame)
    : m_owner(owner)
    , m_durationMs(durationMs)
    , m_curve(curve)
    , m_onFrame(std::move(onFrame))
{
}

FrameAnimation::~FrameAnimation()
{
    stop();
}

void FrameAnimation::start(double from, double to)
{
    stop();
    m_from = from;
    m_to = to;
    FrameClock* clock = m_owner && m_owner->isVisible() ? FrameClock::of(m_owner) : nullptr;
    if (!clock || !clock->isLive() || m_durationMs <= 0) {
        m_onFrame(to);
        return;
    }
    // The first frame is drawn at once, in the repaint of whatever started
    // the move (a sample's new figures), rather than one frame later in a
    // pass of its own; the clock's ticks then step the rest.
    const std::chrono::nanoseconds now = clock->now();
    m_start = now - std::chrono::milliseconds(FrameClock::kFrameInterval);
    m_clock = clock;
    clock->add(this);
    if (!step(now))
        stop();
}

void FrameAnimation::stop()
{
    if (!m_clock)
        return;
    m_clock->remove(this);
    m_clock = nullptr;
}

bool FrameAnimation::step(std::chrono::nanoseconds now)
{
    const double elapsed = std::chrono::duration<double, std::milli>(now - m_start).count();
    if (elapsed >= m_durationMs) {
        m_onFrame(m_to);
        return false;
    }
    const double progress = m_curve.valueForProgress(std::max(0.0, elapsed / m_durationMs));
    m_onFrame(m_from + (m_to - m_from) * progress);
    return true;
}

void FrameAnimation::finish()
{
    m_onFrame(m_to);
}

} // namespace Dunmorra
