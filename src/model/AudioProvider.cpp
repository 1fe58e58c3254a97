#include "model/AudioProvider.h"

#include "model/WorkerPool.h"

#include <QCoreApplication>
#include <QPointer>

#include <memory>

namespace Dunmorra {

AudioProvider::AudioProvider(Reader reader, AudioNameLookup names, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_reader(std::move(reader))
    , m_names(std::move(names))
    , m_clock(clock)
    , m_loop(this)
{
    if (!m_reader) {
        auto connection = std::make_shared<Platform::AudioServerConnection>();
        m_reader = [connection] { return connection->read(); };
    }
}

void AudioProvider::setPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    emit pausedChanged();
}

void AudioProvider::start(std::chrono::milliseconds interval)
{
    m_loop.start(interval, [this] {
        if (!m_paused)
            sample();
    }, PollLoop::Order::PassFirst);
}

void AudioProvider::sample()
{
    // A pass of the loop sleeps only once its reading is back; a pass that
    // finds a reading in flight (after a restart) waits for that one.
    if (const int token = m_loop.deferPass(); token >= 0)
        m_loopToken = token;
    if (m_reading)
        return;
    m_reading = true;

    QPointer<AudioProvider> self(this);
    // Copies: the job never touches the provider, which may be gone before
    // the reading ends (the reader keeps its connection alive meanwhile).
    samplingPool().start([self, reader = m_reader, names = m_names] {
        std::optional<Platform::AudioServerState> state = reader();
        AudioSnapshot snapshot = state ? buildAudioSnapshot(*state, names) : AudioSnapshot{};
        // The application object outlives every provider, so the call is
        // always delivered; a provider gone meanwhile drops the result.
        QMetaObject::invokeMethod(QCoreApplication::instance(), [self, snapshot = std::move(snapshot)]() mutable {
            if (self)
                self->store(std::move(snapshot));
        }, Qt::QueuedConnection);
    });
}

void AudioProvider::store(AudioSnapshot snapshot)
{
    m_reading = false;
    m_current = std::move(snapshot);
    m_history.append(m_clock.wallSeconds(), m_current);
    emit currentChanged();
    emit historyChanged();
    const int token = m_loopToken;
    m_loopToken = -1;
    m_loop.finishPass(token);
}

} // namespace Dunmorra
