#pragma once

#include "history/StatsHistory.h"
#include "history/StatsRange.h"
#include "model/Clock.h"

#include <QObject>

#include <cstdint>

namespace Dunmorra {

class HistoryRecorder;

// Loads a range of days for the Stats tab on a worker thread, so reading and
// decoding up to 89 day files never holds up the window. Each load takes a
// copy of the recorder's summary of today on the calling thread; the worker
// reads only files. Only the newest load's result is handed back: a result
// of a range the user has since left is dropped, whichever finishes first.
class StatsHistoryLoader : public QObject {
    Q_OBJECT
public:
    // The recorder must outlive the loader; its folder is the one read.
    explicit StatsHistoryLoader(const HistoryRecorder& recorder, const Clock& clock = Clock::system(),
                                QObject* parent = nullptr);

    // Starts loading the range; a load still running is superseded.
    void load(StatsRange range);

    // From load() until the newest load's result has been handed back.
    bool isLoading() const { return m_loading; }

Q_SIGNALS:
    void loadingChanged(bool loading);
    // The newest load's result, on the loader's thread; loadingChanged(false)
    // follows it.
    void loaded(const Dunmorra::StatsHistory& history);

private:
    void finish(std::uint64_t generation, StatsHistory history);
    void setLoading(bool loading);

    const HistoryRecorder& m_recorder;
    const Clock& m_clock;
    std::uint64_t m_generation = 0;
    bool m_loading = false;
};

} // namespace Dunmorra
