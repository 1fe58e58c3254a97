#pragma once

#include "folders/FolderItem.h"
#include "folders/FolderListing.h"
#include "platform/DirectoryListing.h"
#include "platform/DirectorySize.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Dunmorra {

struct FolderProviderOptions {
    // The folder browsing starts at; empty means the user's home folder.
    QByteArray homePath;
    // Answers whether the process may read protected data; empty means the
    // platform's own answer.
    std::function<bool()> fullDiskAccessProbe;
    // Sizes one folder on a pool thread. Empty: the folders are walked
    // together, the walkers sharing their directories
    // (Platform::SharedDirectorySize), with the same totals as
    // Platform::directorySize gives each. Tests hold a walk here to see what
    // happens while it runs.
    std::function<Platform::DirectorySize(const std::string& path, const std::atomic<bool>& cancelled)>
        sizeFolder;
    // Lists one folder on a pool thread; empty means Platform::listDirectory.
    // Tests hold a listing here to deliver it after a newer one.
    std::function<Platform::DirectoryListing(const std::string& path, bool includeHidden,
                                             const std::atomic<bool>& cancelled)>
        listFolder;
    // Sizes that arrive closer together than this are applied together, with
    // one re-sort and one itemsChanged, so thousands of small folders do not
    // re-sort and repaint the list thousands of times.
    std::chrono::milliseconds resortInterval{50};
};

// The model behind the Folders tab: the folder being browsed, its children
// with their sizes, the breadcrumb trail above it, the hidden-files choice
// and the Full Disk Access answer. Lives on the GUI thread and is never
// polled: it lists only when asked to (scan).
//
// A scan lists the folder on a pool thread, publishes the children sorted by
// size, then sizes every child folder, a few walkers sharing the work down
// to single directories, applying each total as it arrives. Each scan has a generation number; whatever a
// superseded scan still delivers is recognised by it and dropped, so a
// refreshed listing of the same folder never receives an old size.
class FolderProvider : public QObject {
    Q_OBJECT
    Q_PROPERTY(QByteArray currentPath READ currentPath WRITE setCurrentPath NOTIFY currentPathChanged)
    Q_PROPERTY(QList<Dunmorra::FolderItem> items READ items NOTIFY itemsChanged)
    Q_PROPERTY(bool isScanning READ isScanning NOTIFY isScanningChanged)
    Q_PROPERTY(bool isComputingSizes READ isComputingSizes NOTIFY isComputingSizesChanged)
    Q_PROPERTY(QList<QByteArray> breadcrumbs READ breadcrumbs NOTIFY breadcrumbsChanged)
    Q_PROPERTY(bool hasFullDiskAccess READ hasFullDiskAccess NOTIFY hasFullDiskAccessChanged)
    Q_PROPERTY(bool showHidden READ showHidden WRITE setShowHidden NOTIFY showHiddenChanged)
    Q_PROPERTY(bool isUnreadable READ isUnreadable NOTIFY isUnreadableChanged)

public:
    explicit FolderProvider(QObject* parent = nullptr);
    explicit FolderProvider(FolderProviderOptions options, QObject* parent = nullptr);
    ~FolderProvider() override;

    const QByteArray& homePath() const { return m_home; }

    // Raw path bytes (see FolderItem::path); FolderPath and QFile::decodeName
    // turn them into texts for display.
    const QByteArray& currentPath() const { return m_currentPath; }
    // Stores the cleaned path. Neither rebuilds the trail nor lists: the tab
    // follows it with rebuildBreadcrumbs() and scan(), or calls navigateTo().
    void setCurrentPath(const QByteArray& path);
    void setCurrentPath(const QString& path);

    const QList<FolderItem>& items() const { return m_listing.items(); }
    bool isScanning() const { return m_isScanning; }
    bool isComputingSizes() const { return m_isComputingSizes; }
    const QList<QByteArray>& breadcrumbs() const { return m_breadcrumbs; }
    bool hasFullDiskAccess() const { return m_hasFullDiskAccess; }

    bool showHidden() const { return m_showHidden; }
    // Takes effect with the next scan().
    void setShowHidden(bool show);

    // The last listing failed: the folder is missing, not a folder, or may
    // not be read. Its empty list is not an empty folder.
    bool isUnreadable() const { return m_isUnreadable; }

    // Rises with every scan(); the latest scan is the only one that counts.
    quint64 scanGeneration() const { return m_generation; }

public Q_SLOTS:
    void checkFullDiskAccess();
    // The trail from the outermost shown folder down to currentPath: up to
    // the home folder or the root, at most 8 folders.
    void rebuildBreadcrumbs();
    // To the parent folder, with a new trail and listing; nothing at the root.
    void goUp();
    // Lists currentPath afresh with the current hidden-files choice,
    // cancelling the scan before it. Returns at once.
    void scan();
    void refresh() { scan(); }
    // setCurrentPath, rebuildBreadcrumbs and scan in one.
    void navigateTo(const QByteArray& path);
    // Stops the running scan without starting another (the tab left the
    // screen): nothing more is listed or sized, folders not yet sized stay
    // unsized, and isComputingSizes goes false once the running walks stop.
    void cancelScan();

Q_SIGNALS:
    void currentPathChanged();
    void itemsChanged();
    void isScanningChanged();
    void isComputingSizesChanged();
    void breadcrumbsChanged();
    void hasFullDiskAccessChanged();
    void showHiddenChanged();
    void isUnreadableChanged();

private:
    struct Listed;
    struct SizeMailbox;
    void publishListing(quint64 generation, Listed listed);
    void startSizing();
    void drainSizes(quint64 generation, const std::shared_ptr<SizeMailbox>& mailbox);
    void applyPendingSizes();
    void setIsScanning(bool value);
    void setIsComputingSizes(bool value);
    void setBreadcrumbs(const QList<QByteArray>& value);
    void setHasFullDiskAccess(bool value);
    void setIsUnreadable(bool value);

    FolderProviderOptions m_options;
    QByteArray m_home;
    QByteArray m_currentPath;
    FolderListing m_listing;
    bool m_isScanning = false;
    bool m_isComputingSizes = false;
    QList<QByteArray> m_breadcrumbs;
    bool m_hasFullDiskAccess = false;
    bool m_showHidden = false;
    bool m_isUnreadable = false;

    quint64 m_generation = 0;
    std::shared_ptr<std::atomic<bool>> m_cancelled;
    std::shared_ptr<SizeMailbox> m_mailbox; // where this generation's walks leave their sizes
    int m_outstandingSizes = 0; // walkers of this generation still taking folders
    std::vector<std::pair<QByteArray, FolderListing::Size>> m_pendingSizes;
    QTimer m_resortTimer;
};

} // namespace Dunmorra
