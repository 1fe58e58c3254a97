#include "model/CPUProvider.h"

#include "model/WorkerPool.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <memory>

namespace Dunmorra {

namespace {

// Counters are kept as signed 64-bit and differenced modulo 2^64, so no sum
// or difference can trap however long the machine has been up; a counter
// that fell gives a negative difference.
std::int64_t asSigned(std::uint64_t v)
{
    return static_cast<std::int64_t>(v);
}

std::int64_t difference(std::int64_t now, std::int64_t before)
{
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(now) - static_cast<std::uint64_t>(before));
}

std::int64_t sum(std::int64_t a, std::int64_t b)
{
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + static_cast<std::uint64_t>(b));
}

double clampedPercent(std::int64_t part, std::int64_t whole)
{
    const double percent = static_cast<double>(part) / static_cast<double>(whole) * 100.0;
    return std::clamp(percent, 0.0, 100.0);
}

} // namespace

CPUProvider::CPUProvider(TickReader ticks, ChipReader chip, ProcessScanCache* scanCache, const Clock& clock,
                         QObject* parent)
    : QObject(parent)
    , m_readTicks(std::move(ticks))
    , m_scanCache(scanCache ? scanCache : &ProcessScanCache::shared())
    , m_clock(clock)
{
    if (!m_readTicks) {
        m_readTicks = [reader = std::make_shared<Platform::CpuTicksReader>()] { return reader->read(); };
    }
    m_chipInfo = readChipInfo(chip);
}

ChipInfo CPUProvider::readChipInfo(const ChipReader& reader)
{
    const Platform::ChipFacts facts = reader ? reader() : Platform::readChipFacts();
    std::vector<CoreKind> kinds;
    kinds.reserve(facts.coreKinds.size());
    for (Platform::CoreKind kind : facts.coreKinds)
        kinds.push_back(kind == Platform::CoreKind::efficiency ? CoreKind::efficiency : CoreKind::performance);
    return ChipInfo{
        QString::fromUtf8(facts.brand.data(), static_cast<qsizetype>(facts.brand.size())),
        facts.physicalCores,
        facts.perfCores,
        facts.effCores,
        std::move(kinds),
    };
}

void CPUProvider::setPaused(bool paused)
{
    if (m_paused == paused)
        return;
    m_paused = paused;
    Q_EMIT pausedChanged();
}

void CPUProvider::start(std::chrono::milliseconds interval)
{
    m_loop.stop();
    sample();
    m_loop.start(interval, [this] {
        if (!m_paused)
            sample();
    });
}

void CPUProvider::sample()
{
    auto [total, cores] = sampleTicks();
    setCurrent(CPUSnapshot{total, std::move(cores), m_current.topProcesses});

    const double now = m_clock.wallSeconds();
    m_history.append(now, m_current);
    Q_EMIT historyChanged();
    m_usageHistory.append(now, total);
    Q_EMIT usageHistoryChanged();

    // Starting at 2, the start's own pass sets the value and every third
    // pass after it refreshes it.
    if (++m_menuBarUpdateCount >= 3) {
        m_menuBarUpdateCount = 0;
        setMenuBarUsagePercent(total, m_hasMeasured);
    }

    // While a process pass runs the count keeps rising, so the pass after it
    // returns launches the next one at once.
    if (++m_pollsSinceLastScan >= 3 && !m_isScanning) {
        m_pollsSinceLastScan = 0;
        launchProcessPass();
    }
}

std::pair<double, std::vector<double>> CPUProvider::sampleTicks()
{
    const auto reading = m_readTicks();
    if (!reading || reading->empty())
        return {m_current.usagePercent, m_current.coreUsages};
    const auto& cores = *reading;
    const std::size_t n = cores.size();

    std::vector<std::int64_t> coreBusy(n), coreTotal(n);
    std::vector<int> ids(n);
    std::int64_t busy = 0, total = 0;
    for (std::size_t i = 0; i < n; ++i) {
        coreBusy[i] = asSigned(cores[i].busy);
        coreTotal[i] = asSigned(cores[i].busy + cores[i].idle);
        ids[i] = cores[i].cpu;
        busy = sum(busy, coreBusy[i]);
        total = sum(total, coreTotal[i]);
    }

    if (!m_prevReady) {
        m_prevBusy = busy;
        m_prevTotal = total;
        m_prevCoreBusy = std::move(coreBusy);
        m_prevCoreTotal = std::move(coreTotal);
        m_prevCoreIds = std::move(ids);
        m_prevReady = true;
        return {m_current.usagePercent, m_current.coreUsages};
    }

    // Cores are matched by their cpuN, not their position: a CPU taken
    // offline or brought online shifts the positions, and a core seen for
    // the first time only stores its baseline (it reads 0 for this pass).
    const bool sameCores = ids == m_prevCoreIds;
    std::int64_t dBusy = 0, dTotal = 0;
    if (sameCores) {
        dBusy = difference(busy, m_prevBusy);
        dTotal = difference(total, m_prevTotal);
    }
    std::vector<double> usages(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        std::size_t j = i;
        if (!sameCores) {
            const auto it = std::find(m_prevCoreIds.begin(), m_prevCoreIds.end(), ids[i]);
            if (it == m_prevCoreIds.end())
                continue;
            j = static_cast<std::size_t>(it - m_prevCoreIds.begin());
        }
        const std::int64_t db = difference(coreBusy[i], m_prevCoreBusy[j]);
        const std::int64_t dt = difference(coreTotal[i], m_prevCoreTotal[j]);
        if (!sameCores) {
            // The total over the cores both readings share.
            dBusy = sum(dBusy, db);
            dTotal = sum(dTotal, dt);
        }
        usages[i] = dt < 1 ? 0.0 : clampedPercent(db, dt);
    }

    m_prevBusy = busy;
    m_prevTotal = total;
    m_prevCoreBusy = std::move(coreBusy);
    m_prevCoreTotal = std::move(coreTotal);
    m_prevCoreIds = std::move(ids);

    if (dTotal < 1)
        return {m_current.usagePercent, std::move(usages)};
    m_hasMeasured = true;
    return {clampedPercent(dBusy, dTotal), std::move(usages)};
}

void CPUProvider::setCurrent(CPUSnapshot snapshot)
{
    m_current = std::move(snapshot);
    Q_EMIT currentChanged();
}

void CPUProvider::setMenuBarUsagePercent(double value, bool measured)
{
    if (m_menuBarUsagePercent == value && m_menuBarMeasured == measured)
        return;
    m_menuBarUsagePercent = value;
    m_menuBarMeasured = measured;
    Q_EMIT menuBarUsagePercentChanged();
}

void CPUProvider::setIsScanning(bool scanning)
{
    if (m_isScanning == scanning)
        return;
    m_isScanning = scanning;
    Q_EMIT isScanningChanged();
}

void CPUProvider::launchProcessPass()
{
    setIsScanning(true);
    // The job gets copies and a weak reference; it never touches the provider.
    QPointer<CPUProvider> self(this);
    samplingPool().start([cache = m_scanCache, self, previous = m_prevProcTicks] {
        const ProcessScanCache::Scan scan = cache->entries();
        ProcessTicks ticks;
        QList<CPUSnapshot::ProcessInfo> rows = topProcesses(scan, previous, ticks);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, ticks = std::move(ticks), rows = std::move(rows)]() mutable {
                if (self)
                    self->applyProcessPass(std::move(ticks), std::move(rows));
            },
            Qt::QueuedConnection);
    });
}

void CPUProvider::applyProcessPass(ProcessTicks ticks, QList<CPUSnapshot::ProcessInfo> rows)
{
    m_prevProcTicks = std::move(ticks);
    setIsScanning(false);
    // The current loads, not those of the pass that launched the scan: a
    // newer sample may have come in meanwhile.
    setCurrent(CPUSnapshot{m_current.usagePercent, m_current.coreUsages, std::move(rows)});
}

QList<CPUSnapshot::ProcessInfo> CPUProvider::topProcesses(const ProcessScanCache::Scan& scan,
                                                          const ProcessTicks& previous, ProcessTicks& newTicks)
{
    newTicks.clear();
    newTicks.reserve(scan.entries.size());
    QList<CPUSnapshot::ProcessInfo> rows;
    for (const ProcessEntry& e : scan.entries) {
        // Stamped with the scan's own time, not the time of this request:
        // a scan the memory provider started earlier may be served here.
        newTicks.insert(e.pid, ProcessTick{e.tickUser, e.tickSys, scan.time, e.startTime});
        const auto it = previous.constFind(e.pid);
        // A reused id is another process: no earlier tick.
        if (it == previous.constEnd() || it->startTime != e.startTime)
            continue;
        const double elapsed = scan.time - it->time;
        if (!(elapsed > 0.1))
            continue;
        const std::uint64_t du = e.tickUser >= it->user ? e.tickUser - it->user : 0;
        const std::uint64_t ds = e.tickSys >= it->sys ? e.tickSys - it->sys : 0;
        const double percent = (static_cast<double>(du) + static_cast<double>(ds)) / (elapsed * 1e9) * 100.0;
        if (!(percent > kMinProcessPercent))
            continue;
        rows.push_back({e.pid, e.name, e.executablePath, std::min(percent, kMaxProcessPercent), e.memoryBytes});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a.cpuPercent > b.cpuPercent; });
    if (rows.size() > kTopProcessCount)
        rows.resize(kTopProcessCount);
    return rows;
}

} // namespace Dunmorra
