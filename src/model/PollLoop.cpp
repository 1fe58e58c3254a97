#include "model/PollLoop.h"

namespace Dunmorra {

PollLoop::PollLoop(QObject* parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &PollLoop::fire);
}

void PollLoop::start(std::chrono::milliseconds interval, std::function<void()> pass, Order order)
{
    m_timer.stop();
    ++m_generation;
    m_interval = interval;
    m_pass = std::move(pass);
    m_running = true;
    if (order == Order::PassFirst)
        m_timer.start(0);
    else
        m_timer.start(m_interval);
}

void PollLoop::stop()
{
    m_running = false;
    m_timer.stop();
}

void PollLoop::fire()
{
    if (!m_running)
        return;
    const int generation = m_generation;
    if (m_pass)
        m_pass();
    // The pass may have restarted or stopped the loop.
    if (m_running && generation == m_generation)
        m_timer.start(m_interval);
}

} // namespace Dunmorra
