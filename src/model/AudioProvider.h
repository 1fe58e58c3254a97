#pragma once

#include "model/AudioSnapshot.h"
#include "model/AudioSnapshotBuilder.h"
#include "model/Clock.h"
#include "model/HistoryRing.h"
#include "model/PollLoop.h"
#include "platform/AudioDevices.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <optional>

namespace Dunmorra {

// Sound devices and the applications using them, read from the sound server
// on a worker thread. The loop takes its pass first and sleeps after the
// reading has come back, so at most one reading is in flight and the period
// is the reading's time plus the interval.
class AudioProvider : public QObject {
    Q_OBJECT
public:
    // One reading of the sound server; absent when there is none to read.
    // Runs on a worker thread, one call at a time.
    using Reader = std::function<std::optional<Platform::AudioServerState>()>;

    // An empty reader reads the real server over one connection that lives
    // as long as the provider.
    explicit AudioProvider(Reader reader = {}, AudioNameLookup names = AudioNameLookup::system(),
                           const Clock& clock = Clock::system(), QObject* parent = nullptr);

    const AudioSnapshot& current() const { return m_current; }
    const HistoryRing<AudioSnapshot>& history() const { return m_history; }

    bool paused() const { return m_paused; }
    void setPaused(bool paused);

    void start(std::chrono::milliseconds interval);
    // One pass: starts a reading unless one is in flight; the result lands in
    // current() and history() on this object's thread.
    void sample();
    bool isReading() const { return m_reading; }

    const PollLoop& loop() const { return m_loop; }

signals:
    void currentChanged();
    void historyChanged();
    void pausedChanged();

private:
    void store(AudioSnapshot snapshot);

    Reader m_reader;
    AudioNameLookup m_names;
    const Clock& m_clock;
    AudioSnapshot m_current = AudioSnapshot::empty();
    HistoryRing<AudioSnapshot> m_history{60};
    PollLoop m_loop;
    bool m_paused = false;
    bool m_reading = false;
    int m_loopToken = -1;
};

} // namespace Dunmorra
