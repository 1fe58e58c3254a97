#include "folders/FolderProvider.h"

#include "folders/FolderPath.h"
#include "folders/FolderSizingPool.h"
#include "platform/DirectoryListing.h"
#include "platform/FullDiskAccess.h"
#include "platform/SharedDirectorySize.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>

#include <algorithm>
#include <mutex>

namespace Dunmorra {

namespace {

// Listing jobs go ahead of queued sizing jobs: a new listing should not wait
// behind the walks of the scan it replaced (those return at once anyway).
constexpr int kListingPriority = 1;
constexpr int kSizingPriority = 0;

// Results go back through the application object, not the provider: posting
// to a provider that the GUI thread is deleting at that moment would race,
// while the guard is only read on the GUI thread.
template <typename F>
void onGuiThread(F&& f)
{
    if (auto* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, std::forward<F>(f), Qt::QueuedConnection);
}

} // namespace

struct FolderProvider::Listed {
    QList<FolderItem> items;
    int error = 0;
    bool cancelled = false;
};

// Sizes finished by the walks, waiting for the GUI thread. Thousands of
// small folders finish within a few milliseconds of each other: one hand-back
// per size would queue thousands of calls that the GUI thread then runs in a
// single pass, tens of milliseconds without a repaint. The walks leave their
// sizes here instead, and only the first one since the last collection asks
// the GUI thread to collect.
struct FolderProvider::SizeMailbox {
    struct Result {
        QByteArray path;
        Platform::DirectorySize size;
        bool workerDone = false; // the sender takes no more folders
    };
    std::mutex mutex;
    std::vector<Result> results;
    bool collectionAsked = false;
};

// The folders of one listing and the few walkers that size them. One pool
// job per folder would cost the GUI thread a job's set-up per folder, which
// for tens of thousands of folders holds up the window itself. The walkers
// share the folders' directories among them (one large folder is walked by
// all of them); a sizer given in the options takes whole folders instead,
// in list order.
struct SizingWork {
    QList<QByteArray> folders;
    std::unique_ptr<Platform::SharedDirectorySize> shared;
    std::atomic<qsizetype> next{0};
};

FolderProvider::FolderProvider(QObject* parent)
    : FolderProvider(FolderProviderOptions{}, parent)
{
}

FolderProvider::FolderProvider(FolderProviderOptions options, QObject* parent)
    : QObject(parent)
    , m_options(std::move(options))
    , m_cancelled(std::make_shared<std::atomic<bool>>(false))
{
    if (!m_options.listFolder) {
        m_options.listFolder = [](const std::string& path, bool includeHidden, const std::atomic<bool>& cancelled) {
            return Platform::listDirectory(path, includeHidden, &cancelled);
        };
    }
    m_home = FolderPath::clean(m_options.homePath.isEmpty() ? QFile::encodeName(QDir::homePath())
                                                            : m_options.homePath);
    m_currentPath = m_home;
    m_breadcrumbs = {m_home};

    m_resortTimer.setSingleShot(true);
    m_resortTimer.setInterval(m_options.resortInterval);
    connect(&m_resortTimer, &QTimer::timeout, this, [this] {
        if (m_pendingSizes.empty())
            return;
        applyPendingSizes();
        m_resortTimer.start();
    });

    checkFullDiskAccess();
}

FolderProvider::~FolderProvider()
{
    m_cancelled->store(true, std::memory_order_relaxed);
}

void FolderProvider::setCurrentPath(const QByteArray& path)
{
    const QByteArray cleaned = FolderPath::clean(path);
    if (cleaned == m_currentPath)
        return;
    m_currentPath = cleaned;
    Q_EMIT currentPathChanged();
}

void FolderProvider::setCurrentPath(const QString& path)
{
    setCurrentPath(QFile::encodeName(path));
}

void FolderProvider::setShowHidden(bool show)
{
    if (show == m_showHidden)
        return;
    m_showHidden = show;
    Q_EMIT showHiddenChanged();
}

void FolderProvider::checkFullDiskAccess()
{
    setHasFullDiskAccess(m_options.fullDiskAccessProbe ? m_options.fullDiskAccessProbe()
                                                       : Platform::hasFullDiskAccess());
}

void FolderProvider::rebuildBreadcrumbs()
{
    QList<QByteArray> trail;
    QByteArray folder = m_currentPath;
    for (int i = 0; i < 8; ++i) {
        trail.append(folder);
        const QByteArray up = FolderPath::parent(folder);
        if (up == folder || folder == m_home)
            break;
        folder = up;
    }
    std::reverse(trail.begin(), trail.end());
    setBreadcrumbs(trail);
}

void FolderProvider::goUp()
{
    const QByteArray up = FolderPath::parent(m_currentPath);
    if (up == m_currentPath)
        return;
    navigateTo(up);
}

void FolderProvider::navigateTo(const QByteArray& path)
{
    setCurrentPath(path);
    rebuildBreadcrumbs();
    scan();
}

void FolderProvider::scan()
{
    m_cancelled->store(true, std::memory_order_relaxed);
    m_cancelled = std::make_shared<std::atomic<bool>>(false);
    const quint64 generation = ++m_generation;
    m_outstandingSizes = 0;
    m_pendingSizes.clear();
    m_resortTimer.stop();

    setIsScanning(true);
    setIsComputingSizes(false);
    setIsUnreadable(false);
    m_listing = FolderListing();
    Q_EMIT itemsChanged();

    const QByteArray folder = m_currentPath;
    const bool includeHidden = m_showHidden;
    folderSizingPool().start(
        [guard = QPointer<FolderProvider>(this), generation, folder, includeHidden,
         cancelled = m_cancelled, listFolder = m_options.listFolder] {
            const auto listing = listFolder(folder.toStdString(), includeHidden, *cancelled);
            Listed listed;
            listed.error = listing.error;
            listed.cancelled = listing.cancelled;
            listed.items.reserve(static_cast<qsizetype>(listing.entries.size()));
            for (const auto& entry : listing.entries) {
                FolderItem item;
                item.path = FolderPath::child(folder, QByteArray::fromStdString(entry.name));
                item.isDirectory = entry.isDirectory;
                if (!entry.isDirectory) {
                    item.sizeBytes = entry.sizeBytes;
                    item.childCount = 0;
                }
                listed.items.append(std::move(item));
            }
            onGuiThread([guard, generation, listed = std::move(listed)]() mutable {
                if (guard)
                    guard->publishListing(generation, std::move(listed));
            });
        },
        kListingPriority);
}

void FolderProvider::publishListing(quint64 generation, Listed listed)
{
    if (generation != m_generation)
        return;
    if (listed.cancelled) {
        // Stopped part-way: a partial list would pass for the whole folder.
        setIsScanning(false);
        return;
    }
    if (listed.error != 0) {
        setIsUnreadable(true);
        setIsScanning(false);
        return;
    }
    m_listing = FolderListing(std::move(listed.items));
    Q_EMIT itemsChanged();
    setIsScanning(false);
    if (m_cancelled->load(std::memory_order_relaxed))
        return;
    startSizing();
}

void FolderProvider::startSizing()
{
    QList<QByteArray> folders;
    for (const FolderItem& item : m_listing.items())
        if (item.isDirectory)
            folders.append(item.path);
    if (folders.isEmpty())
        return;

    setIsComputingSizes(true);
    const quint64 generation = m_generation;
    const auto guard = QPointer<FolderProvider>(this);
    m_mailbox = std::make_shared<SizeMailbox>();
    auto work = std::make_shared<SizingWork>();
    work->folders = std::move(folders);
    if (!m_options.sizeFolder) {
        std::vector<std::string> paths;
        paths.reserve(static_cast<std::size_t>(work->folders.size()));
        for (const QByteArray& path : std::as_const(work->folders))
            paths.push_back(path.toStdString());
        work->shared = std::make_unique<Platform::SharedDirectorySize>(std::move(paths));
    }
    const auto walkers = std::min<qsizetype>(work->folders.size(), std::max(1, folderSizingPool().maxThreadCount()));
    m_outstandingSizes = static_cast<int>(walkers);
    for (qsizetype i = 0; i < walkers; ++i) {
        folderSizingPool().start(
            [guard, generation, work, cancelled = m_cancelled, mailbox = m_mailbox, sizeFolder = m_options.sizeFolder] {
                const auto deliver = [&](SizeMailbox::Result result) {
                    bool ask = false;
                    {
                        std::lock_guard lock(mailbox->mutex);
                        mailbox->results.push_back(std::move(result));
                        ask = !std::exchange(mailbox->collectionAsked, true);
                    }
                    if (ask) {
                        onGuiThread([guard, generation, mailbox] {
                            if (guard)
                                guard->drainSizes(generation, mailbox);
                        });
                    }
                };
                // A cancelled scan leaves the folders not finished unsized.
                if (work->shared) {
                    work->shared->work(*cancelled, [&](std::size_t folder, const Platform::DirectorySize& size) {
                        deliver({work->folders.at(static_cast<qsizetype>(folder)), size, false});
                    });
                }
                while (!work->shared && !cancelled->load(std::memory_order_relaxed)) {
                    const qsizetype next = work->next.fetch_add(1, std::memory_order_relaxed);
                    if (next >= work->folders.size())
                        break;
                    const QByteArray& path = work->folders.at(next);
                    deliver({path, sizeFolder(path.toStdString(), *cancelled), false});
                }
                deliver({{}, {}, true});
            },
            kSizingPriority);
    }
}

void FolderProvider::drainSizes(quint64 generation, const std::shared_ptr<SizeMailbox>& mailbox)
{
    // A superseded scan's sizes: the same folders may be listed again, so
    // only the generation tells them apart.
    if (generation != m_generation)
        return;
    std::vector<SizeMailbox::Result> results;
    {
        std::lock_guard lock(mailbox->mutex);
        results.swap(mailbox->results);
        mailbox->collectionAsked = false;
    }
    const bool cancelled = m_cancelled->load(std::memory_order_relaxed);
    for (auto& result : results) {
        if (result.workerDone)
            --m_outstandingSizes;
        else if (!result.size.cancelled && !cancelled)
            m_pendingSizes.emplace_back(std::move(result.path),
                                        FolderListing::Size{result.size.totalBytes, result.size.fileCount,
                                                            result.size.unreadable, result.size.incomplete});
    }
    if (m_outstandingSizes == 0) {
        m_resortTimer.stop();
        applyPendingSizes();
        setIsComputingSizes(false);
        return;
    }
    // The first size after a quiet spell shows at once; those that follow
    // within the interval wait for the timer and are applied together.
    if (!m_pendingSizes.empty() && !m_resortTimer.isActive()) {
        applyPendingSizes();
        m_resortTimer.start();
    }
}

void FolderProvider::applyPendingSizes()
{
    if (m_pendingSizes.empty())
        return;
    bool changed = false;
    for (const auto& [path, size] : m_pendingSizes)
        changed = m_listing.applySize(path, size) || changed;
    m_pendingSizes.clear();
    if (!changed)
        return;
    m_listing.sort();
    Q_EMIT itemsChanged();
}

void FolderProvider::cancelScan()
{
    m_cancelled->store(true, std::memory_order_relaxed);
    m_pendingSizes.clear();
    m_resortTimer.stop();
    if (m_outstandingSizes == 0)
        setIsComputingSizes(false);
}

void FolderProvider::setIsScanning(bool value)
{
    if (value == m_isScanning)
        return;
    m_isScanning = value;
    Q_EMIT isScanningChanged();
}

void FolderProvider::setIsComputingSizes(bool value)
{
    if (value == m_isComputingSizes)
        return;
    m_isComputingSizes = value;
    Q_EMIT isComputingSizesChanged();
}

void FolderProvider::setBreadcrumbs(const QList<QByteArray>& value)
{
    if (value == m_breadcrumbs)
        return;
    m_breadcrumbs = value;
    Q_EMIT breadcrumbsChanged();
}

void FolderProvider::setHasFullDiskAccess(bool value)
{
    if (value == m_hasFullDiskAccess)
        return;
    m_hasFullDiskAccess = value;
    Q_EMIT hasFullDiskAccessChanged();
}

void FolderProvider::setIsUnreadable(bool value)
{
    if (value == m_isUnreadable)
        return;
    m_isUnreadable = value;
    Q_EMIT isUnreadableChanged();
}

} // namespace Dunmorra
