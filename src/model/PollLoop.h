#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace Dunmorra {

// The periodic job every provider owns: sleep the interval, run one pass,
// repeat. A single-shot precise timer re-armed after each pass, so a slow pass
// never queues up catch-up passes. start() replaces a running loop.
class PollLoop : public QObject {
    Q_OBJECT
public:
    enum class Order { SleepFirst, PassFirst };

    explicit PollLoop(QObject* parent = nullptr);

    void start(std::chrono::milliseconds interval, std::function<void()> pass, Order order = Order::SleepFirst);
    void stop();
    bool isRunning() const { return m_running; }
    std::chrono::milliseconds interval() const { return m_interval; }
    // How many times start() has replaced the loop; a loop identity for tests.
    int generation() const { return m_generation; }

private:
    void fire();

    QTimer m_timer;
    std::function<void()> m_pass;
    std::chrono::milliseconds m_interval{0};
    bool m_running = false;
    int m_generation = 0;
};

} // namespace Dunmorra
