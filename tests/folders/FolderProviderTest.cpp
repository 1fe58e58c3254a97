#include "folders/FolderPath.h"
#include "folders/FolderProvider.h"
#include "folders/FolderSizingPool.h"
#include "platform/DirectoryListing.h"
#include "support/FixtureTree.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

using namespace Dunmorra;
using Dunmorra::Test::FixtureTree;

namespace {

constexpr int kWaitMs = 20'000;

QList<QByteArray> names(const QList<FolderItem>& items)
{
    QList<QByteArray> out;
    for (const auto& i : items)
        out.append(FolderPath::lastComponent(i.path));
    return out;
}

const FolderItem* find(const FolderProvider& p, const QByteArray& name)
{
    for (const auto& i : p.items())
        if (FolderPath::lastComponent(i.path) == name)
            return &i;
    return nullptr;
}

bool settled(const FolderProvider& p)
{
    return !p.isScanning() && !p.isComputingSizes();
}

bool allFoldersSized(const FolderProvider& p)
{
    for (const auto& i : p.items())
        if (i.isDirectory && !i.sizeBytes)
            return false;
    return true;
}

// Holds every walk that starts while it is holding until it opens, then lets
// those walks report a size no real folder here has. Walks that start once
// it stopped holding size the folder for real.
struct Gate {
    static constexpr quint64 kStale = 999'999;

    std::mutex mutex;
    std::condition_variable opened;
    bool holding = true;
    bool open = false;
    std::atomic<int> held{0};
    std::atomic<int> released{0};

    void stopHolding()
    {
        std::lock_guard lock(mutex);
        holding = false;
    }

    void release()
    {
        std::lock_guard lock(mutex);
        holding = false;
        open = true;
        opened.notify_all();
    }

    std::function<Platform::DirectorySize(const std::string&, const std::atomic<bool>&)> sizer()
    {
        return [this](const std::string& path, const std::atomic<bool>& cancelled) {
            std::unique_lock lock(mutex);
            if (!holding) {
                lock.unlock();
                return Platform::directorySize(path, &cancelled);
            }
            ++held;
            opened.wait(lock, [this] { return open; });
            ++released;
            Platform::DirectorySize stale;
            stale.totalBytes = kStale;
            stale.fileCount = 1;
            return stale;
        };
    }
};

// The tree of the folder tests: see the platform walk's tests for the sizes.
class FolderTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.dir("a").file("a/f1", 1000).file("a/f2", 0).file("a/.hidden", 24).dir("a/sub").file("a/sub/g", 2048);
        tree.dir("b").file("b/h", 4096).hardlink("b/h", "b/hl").symlink("../a", "b/link").symlink(".", "b/loop");
        tree.dir("d");
        tree.dir("bad\xff").file("bad\xff/\xfe", 7);
        tree.file("e.txt", 300).file("F.TXT", 200).file("Makefile", 50).file(".bashrc", 10).file("empty", 0);
        tree.symlink("e.txt", "ln").symlink("a", "biglink");
    }

    FolderProviderOptions options()
    {
        FolderProviderOptions o;
        o.homePath = QByteArray::fromStdString(tree.root());
        return o;
    }

    FixtureTree tree;
};

} // namespace

TEST(FolderProvider, StartsAtHomeAndAsksTheProbe)
{
    FolderProvider plain;
    EXPECT_EQ(plain.currentPath(), plain.homePath());
    EXPECT_EQ(plain.breadcrumbs(), QList<QByteArray>{plain.homePath()});
    EXPECT_TRUE(plain.hasFullDiskAccess());
    EXPECT_TRUE(plain.items().isEmpty());
    EXPECT_FALSE(plain.isScanning());

    bool granted = false;
    FolderProviderOptions o;
    o.homePath = "/h/u/";
    o.fullDiskAccessProbe = [&] { return granted; };
    FolderProvider probed(o);
    EXPECT_EQ(probed.currentPath(), QByteArray("/h/u"));
    EXPECT_FALSE(probed.hasFullDiskAccess());
    QSignalSpy spy(&probed, &FolderProvider::hasFullDiskAccessChanged);
    probed.checkFullDiskAccess();
    EXPECT_EQ(spy.count(), 0);
    granted = true;
    probed.checkFullDiskAccess();
    EXPECT_TRUE(probed.hasFullDiskAccess());
    EXPECT_EQ(spy.count(), 1);
}

TEST(FolderProvider, BreadcrumbsStopAtHomeOrRootAndHoldAtMostEight)
{
    struct Case {
        QByteArray path;
        QByteArray first;
        int count;
    };
    const Case cases[] = {
        {"/h/u", "/h/u", 1},
        {"/h/u/1/2/3/4/5/6/7", "/h/u", 8},
        {"/h/u/1/2/3/4/5/6/7/8", "/h/u/1", 8},
        {"/", "/", 1},
        {"/x/y", "/", 3},
        {"/h", "/", 2},
        {"/1/2/3/4/5/6/7/8/9", "/1/2", 8},
    };
    FolderProviderOptions o;
    o.homePath = "/h/u";
    FolderProvider p(o);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        p.setCurrentPath(c.path);
        p.rebuildBreadcrumbs();
        ASSERT_EQ(p.breadcrumbs().size(), c.count);
        EXPECT_EQ(p.breadcrumbs().first(), c.first);
        EXPECT_EQ(p.breadcrumbs().last(), c.path);
    }
}

TEST(FolderProvider, GoUpLeavesHomeForItsParentAndDoesNothingAtTheRoot)
{
    FolderProviderOptions o;
    o.homePath = "/h/u";
    FolderProvider p(o);
    p.goUp();
    EXPECT_EQ(p.currentPath(), QByteArray("/h"));
    EXPECT_EQ(p.breadcrumbs(), (QList<QByteArray>{"/", "/h"}));
    EXPECT_EQ(p.scanGeneration(), 1u);

    p.goUp();
    EXPECT_EQ(p.currentPath(), QByteArray("/"));
    const quint64 generation = p.scanGeneration();
    QSignalSpy path(&p, &FolderProvider::currentPathChanged);
    QSignalSpy crumbs(&p, &FolderProvider::breadcrumbsChanged);
    p.goUp();
    EXPECT_EQ(p.scanGeneration(), generation);
    EXPECT_EQ(path.count(), 0);
    EXPECT_EQ(crumbs.count(), 0);
    EXPECT_EQ(p.breadcrumbs(), QList<QByteArray>{"/"});
}

TEST(FolderProvider, EqualWritesNotifyNobody)
{
    FolderProviderOptions o;
    o.homePath = "/h/u";
    FolderProvider p(o);
    QSignalSpy hidden(&p, &FolderProvider::showHiddenChanged);
    QSignalSpy path(&p, &FolderProvider::currentPathChanged);
    QSignalSpy crumbs(&p, &FolderProvider::breadcrumbsChanged);
    p.setShowHidden(false);
    p.setCurrentPath(QByteArray("/h/u/"));
    p.rebuildBreadcrumbs();
    EXPECT_EQ(hidden.count() + path.count() + crumbs.count(), 0);
    p.setShowHidden(true);
    EXPECT_EQ(hidden.count(), 1);
    EXPECT_EQ(p.scanGeneration(), 0u); // assigning alone lists nothing
}

TEST_F(FolderTree, ListsFilesLargestFirstThenSizesFoldersIntoPlace)
{
    FolderProvider p(options());
    QList<QByteArray> firstListing;
    QObject::connect(&p, &FolderProvider::itemsChanged, &p, [&] {
        if (firstListing.isEmpty() && !p.items().isEmpty())
            firstListing = names(p.items());
    });
    p.scan();
    EXPECT_TRUE(p.isScanning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(p) && !p.items().isEmpty(); }, kWaitMs));

    // Right after the listing: files by size, then the zero-sized files and
    // the unsized folders in the folder's own order.
    QList<QByteArray> zeros;
    for (const auto& e : Platform::listDirectory(tree.root(), false).entries)
        if (e.isDirectory || e.sizeBytes == 0)
            zeros.append(QByteArray::fromStdString(e.name));
    EXPECT_EQ(firstListing, (QList<QByteArray>{"e.txt", "F.TXT", "Makefile"} + zeros));

    struct Expected {
        QByteArray name;
        quint64 bytes;
        qint64 files;
    };
    const Expected sizes[] = {{"a", 3072, 3}, {"b", 4096, 1}, {"d", 0, 0}, {"bad\xff", 7, 1}};
    for (const auto& e : sizes) {
        SCOPED_TRACE(e.name.toStdString());
        const FolderItem* item = find(p, e.name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->sizeBytes, e.bytes);
        EXPECT_EQ(item->childCount, e.files);
        EXPECT_FALSE(item->isUnreadable);
    }
    EXPECT_EQ(names(p.items()).mid(0, 6),
              (QList<QByteArray>{"b", "a", "e.txt", "F.TXT", "Makefile", "bad\xff"}));
    EXPECT_EQ(find(p, "ln"), nullptr);
    EXPECT_EQ(find(p, "biglink"), nullptr);
    EXPECT_EQ(find(p, ".bashrc"), nullptr);
    EXPECT_EQ(find(p, "bad\xff")->path, QByteArray::fromStdString(tree.path("bad\xff")));

    p.setShowHidden(true);
    p.scan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(p) && !p.items().isEmpty(); }, kWaitMs));
    EXPECT_NE(find(p, ".bashrc"), nullptr);
}

TEST_F(FolderTree, TwoScansInARowLeaveOneListing)
{
    FolderProvider p(options());
    p.scan();
    p.scan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(p) && allFoldersSized(p) && !p.items().isEmpty(); },
                                kWaitMs));
    EXPECT_EQ(p.items().size(), static_cast<qsizetype>(Platform::listDirectory(tree.root(), false).entries.size()));
}

TEST_F(FolderTree, UnreadableFolderListsNothingAndSaysSo)
{
    FolderProvider p(options());
    QSignalSpy computing(&p, &FolderProvider::isComputingSizesChanged);
    p.navigateTo(QByteArray::fromStdString(tree.path("nowhere")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !p.isScanning(); }, kWaitMs));
    EXPECT_TRUE(p.isUnreadable());
    EXPECT_TRUE(p.items().isEmpty());
    EXPECT_EQ(computing.count(), 0);

    p.navigateTo(QByteArray::fromStdString(tree.path("a/sub"))); // files only
    EXPECT_FALSE(p.isUnreadable());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !p.isScanning(); }, kWaitMs));
    EXPECT_EQ(names(p.items()), QList<QByteArray>{"g"});
    EXPECT_EQ(computing.count(), 0); // no folders, nothing to size
}

TEST_F(FolderTree, NewScanDropsEverySizeOfTheOneItReplaced)
{
    Gate gate;
    auto o = options();
    o.sizeFolder = gate.sizer();
    FolderProvider p(o);
    p.scan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.held.load() == 4; }, kWaitMs)); // a, b, d, bad
    EXPECT_TRUE(p.isComputingSizes());

    // Toggling hidden files while the walks run.
    gate.stopHolding();
    p.setShowHidden(true);
    p.scan();
    int staleShown = 0;
    QObject::connect(&p, &FolderProvider::itemsChanged, &p, [&] {
        for (const auto& item : p.items())
            staleShown += item.sizeBytes == Gate::kStale;
    });
    EXPECT_FALSE(p.isComputingSizes());
    EXPECT_TRUE(p.isScanning());
    EXPECT_TRUE(p.items().isEmpty());

    // The new listing is sized; then the held walks finish with their stale
    // sizes. The same folders are in the new listing, so only the generation
    // tells the results apart.
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(p) && !p.items().isEmpty() && allFoldersSized(p); },
                                kWaitMs));
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.released.load() == gate.held.load(); }, kWaitMs));
    QCoreApplication::processEvents();
    EXPECT_EQ(staleShown, 0);
    EXPECT_EQ(find(p, "a")->sizeBytes, 3072u);
    EXPECT_NE(find(p, ".bashrc"), nullptr);
}

TEST_F(FolderTree, LeavingTheScreenStopsSizingAndKeepsFoldersUnsized)
{
    Gate gate;
    auto o = options();
    o.sizeFolder = gate.sizer();
    FolderProvider p(o);
    p.scan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.held.load() > 0; }, kWaitMs));

    const quint64 generation = p.scanGeneration();
    p.cancelScan();
    EXPECT_TRUE(p.isComputingSizes()); // until the running walks have stopped
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !p.isComputingSizes(); }, kWaitMs));
    QCoreApplication::processEvents();
    EXPECT_EQ(p.scanGeneration(), generation);
    EXPECT_FALSE(p.items().isEmpty());
    for (const auto& item : p.items()) {
        if (item.isDirectory) {
            EXPECT_FALSE(item.sizeBytes.has_value()) << item.path.toStdString();
        }
    }
}

// The user opens "a" and, before it is listed, goes on to "b": the listing of
// "a" arrives last and must not replace the folder now shown.
TEST_F(FolderTree, ListingOfAFolderAlreadyLeftIsDropped)
{
    const std::string left = tree.path("a");
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
    std::atomic<int> heldListings{0};
    std::atomic<int> finishedListings{0};
    auto o = options();
    o.listFolder = [&](const std::string& path, bool includeHidden, const std::atomic<bool>&) {
        if (path == left) {
            ++heldListings;
            std::unique_lock lock(mutex);
            opened.wait(lock, [&] { return open; });
        }
        // Listed whole, as if the walk had finished just before the new scan
        // cancelled it.
        auto listing = Platform::listDirectory(path, includeHidden);
        ++finishedListings;
        return listing;
    };
    FolderProvider p(o);
    p.navigateTo(QByteArray::fromStdString(left));
    ASSERT_TRUE(QTest::qWaitFor([&] { return heldListings.load() == 1; }, kWaitMs));

    p.navigateTo(QByteArray::fromStdString(tree.path("b")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(p) && !p.items().isEmpty(); }, kWaitMs));
    const QList<QByteArray> shown = names(p.items());
    ASSERT_EQ(shown.size(), 2); // h and its hard link hl; the links are left out
    {
        std::lock_guard lock(mutex);
        open = true;
    }
    opened.notify_all();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finishedListings.load() == 2; }, kWaitMs));
    folderSizingPool().waitForDone();
    QCoreApplication::processEvents(); // delivers the old listing's hand-back

    EXPECT_EQ(p.currentPath(), QByteArray::fromStdString(tree.path("b")));
    EXPECT_EQ(names(p.items()), shown);
    EXPECT_EQ(find(p, "f1"), nullptr);
    EXPECT_FALSE(p.isScanning());
    EXPECT_FALSE(p.isComputingSizes());
}

// A walk's verdict travels with its size: a 0 that is "could not read" and a
// total that is only a lower bound are told apart from real figures.
TEST_F(FolderTree, SizedFoldersKeepTheirUnreadableAndIncompleteMarks)
{
    auto o = options();
    o.sizeFolder = [this](const std::string& path, const std::atomic<bool>& cancelled) {
        Platform::DirectorySize size = Platform::directorySize(path, &cancelled);
        if (path == tree.path("d"))
            size.unreadable = true;
        if (path == tree.path("a"))
            size.incomplete = true;
        return size;
    };
    FolderProvider p(o);
    p.scan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(p) && !p.items().isEmpty() && allFoldersSized(p); }, kWaitMs));
    struct Expected {
        QByteArray name;
        bool unreadable;
        bool incomplete;
    };
    for (const Expected& e : {Expected{"d", true, false}, Expected{"a", false, true}, Expected{"b", false, false}}) {
        SCOPED_TRACE(e.name.toStdString());
        const FolderItem* item = find(p, e.name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->isUnreadable, e.unreadable);
        EXPECT_EQ(item->isIncomplete, e.incomplete);
    }
}
