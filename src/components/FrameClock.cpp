#include "components/FrameClock.h"

#include "components/FrameAnimation.h"
#include "model/Clock.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace Dunmorra {

FrameClock::FrameClock(QWidget* window, const Clock& clock, bool selfDriven)
    : QObject(window)
    , m_window(window)
    , m_clock(clock)
    , m_selfDriven(selfDriven)
{
    m_timer.setInterval(kFrameInterval);
    connect(&m_timer, &QTimer::timeout, this, &FrameClock::tick);
    window->installEventFilter(this);
}

FrameClock::~FrameClock()
{
    // The window is going: its pieces keep what they show, no last frame.
    for (FrameAnimation* animation : m_running)
        animation->detach();
}

FrameClock* FrameClock::of(QWidget* widget)
{
    QWidget* window = widget->window();
    if (auto* clock = window->findChild<FrameClock*>(QString(), Qt::FindDirectChildrenOnly))
        return clock;
    return new FrameClock(window, Clock::system(), true);
}

FrameClock* FrameClock::installManual(QWidget* window, const Clock& clock)
{
    if (auto* old = window->findChild<FrameClock*>(QString(), Qt::FindDirectChildrenOnly)) {
        old->finishAll();
        delete old;
    }
    return new FrameClock(window, clock, false);
}

std::chrono::nanoseconds FrameClock::now() const
{
    return m_clock.monotonic();
}

bool FrameClock::isLive() const
{
    return m_window->isVisible() && !m_window->isMinimized();
}

void FrameClock::tick()
{
    if (!isLive()) {
        finishAll();
        return;
    }
    const std::chrono::nanoseconds t = now();
    // A frame only repaints, but a piece may stop or restart a move from it:
    // step a copy and skip what left the list meanwhile.
    const std::vector<FrameAnimation*> frame = m_running;
    for (FrameAnimation* animation : frame) {
        if (std::find(m_running.begin(), m_running.end(), animation) == m_running.end())
            continue;
        const QWidget* owner = animation->m_owner;
        const bool shown = owner && owner->isVisible();
        if (shown && animation->step(t))
            continue;
        remove(animation);
        animation->detach();
        if (!shown)
            animation->finish();
    }
}

void FrameClock::add(FrameAnimation* animation)
{
    if (std::find(m_running.begin(), m_running.end(), animation) == m_running.end())
        m_running.push_back(animation);
    if (m_selfDriven && !m_timer.isActive())
        m_timer.start();
}

void FrameClock::remove(FrameAnimation* animation)
{
    m_running.erase(std::remove(m_running.begin(), m_running.end(), animation), m_running.end());
    if (m_running.empty())
        m_timer.stop();
}

void FrameClock::finishAll()
{
    const std::vector<FrameAnimation*> running = std::exchange(m_running, {});
    m_timer.stop();
    for (FrameAnimation* animation : running)
        animation->detach();
    for (FrameAnimation* animation : running)
        animation->finish();
}

bool FrameClock::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && !m_running.empty()) {
        if (event->type() == QEvent::Hide || (event->type() == QEvent::WindowStateChange && m_window->isMinimized()))
            finishAll();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Dunmorra
