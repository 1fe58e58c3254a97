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

    // For a pass whose work finishes later (a reading on a worker thread):
    // called from inside the pass, it keeps the loop from sleeping until
    // finishPass() is called with the returned token, so the sleep follows
    // the work and no second pass starts meanwhile. Outside a pass it does
    // nothing and returns -1.
    int deferPass();
    // Starts the sleep after a deferred pass. A token of a replaced or
    // stopped loop is ignored.
    void finishPass(int token);

    // Ends the current sleep at once: the pass runs now and the loop sleeps
    // its interval after it, as when the timer fires. How a test lets one
    // interval of a minute-long loop pass. Does nothing while the loop is
    // stopped or a deferred pass is still working.
    void runPassNow();

private:
    void fire();

    QTimer m_timer;
    std::function<void()> m_pass;
    std::chrono::milliseconds m_interval{0};
    bool m_running = false;
    bool m_inPass = false;
    bool m_deferred = false;
    int m_generation = 0;
};

} // namespace Dunmorra
