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
    m_deferred = false;
    m_inPass = true;
    if (m_pass)
        m_pass();
    m_inPass = false;
    // The pass may have restarted or stopped the loop.
    if (m_running && generation == m_generation && !m_deferred)
        m_timer.start(m_interval);
}

int PollLoop::deferPass()
{
    if (!m_inPass)
        return -1;
    m_deferred = true;
    return m_generation;
}

void PollLoop::finishPass(int token)
{
    if (token < 0 || !m_running || token != m_generation || m_timer.isActive())
        return;
    m_timer.start(m_interval);
}

void PollLoop::runPassNow()
{
    if (!m_running || !m_timer.isActive())
        return;
    m_timer.stop();
    fire();
}

} // namespace Dunmorra
