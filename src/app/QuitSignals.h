#pragma once

#include <QObject>

class QSocketNotifier;

namespace Dunmorra {

// Turns SIGTERM, SIGINT and SIGHUP into a signal on the GUI thread, so a
// logout or a kill ends the event loop normally and the day still gets saved.
// The handler only writes the signal number to a pipe; everything else
// happens on the event loop. One instance per process.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

    bool isInstalled() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void received(int signalNumber);

private:
    void drain();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace Dunmorra
