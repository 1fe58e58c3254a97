#include "platform/DirectoryListing.h"
#include "platform/DirectorySize.h"
#include "platform/MountTable.h"
#include "platform/SharedDirectorySize.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

#include <mutex>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>

using namespace Dunmorra;
using Dunmorra::Test::FixtureTree;

namespace {

struct Sized {
    bool reported = false;
    Platform::DirectorySize size;
};

// Sizes the folders with `threads` threads sharing the walk.
std::vector<Sized> sizeTogether(const std::vector<std::string>& folders, int threads,
                                const std::atomic<bool>& cancelled = std::atomic<bool>{false})
{
    Platform::SharedDirectorySize shared(folders);
    std::vector<Sized> out(folders.size());
    std::mutex mutex;
    std::vector<std::thread> walkers;
    for (int i = 0; i < threads; ++i) {
        walkers.emplace_back([&] {
            shared.work(cancelled, [&](std::size_t folder, const Platform::DirectorySize& size) {
                std::lock_guard lock(mutex);
                EXPECT_FALSE(out[folder].reported) << folders[folder];
                out[folder] = {true, size};
            });
        });
    }
    for (auto& w : walkers)
        w.join();
    return out;
}

void expectSameAsOneWalk(const std::vector<std::string>& folders, const std::vector<Sized>& together)
{
    for (std::size_t i = 0; i < folders.size(); ++i) {
        SCOPED_TRACE(folders[i]);
        const auto alone = Platform::directorySize(folders[i]);
        ASSERT_TRUE(together[i].reported);
        EXPECT_EQ(together[i].size.totalBytes, alone.totalBytes);
        EXPECT_EQ(together[i].size.fileCount, alone.fileCount);
        EXPECT_EQ(together[i].size.unreadable, alone.unreadable);
        EXPECT_EQ(together[i].size.incomplete, alone.incomplete);
    }
}

std::vector<std::string> childFolders(const std::string& dir)
{
    std::vector<std::string> out;
    for (const auto& e : Platform::listDirectory(dir, true).entries)
        if (e.isDirectory)
            out.push_back(dir == "/" ? "/" + e.name : dir + "/" + e.name);
    return out;
}

} // namespace

// Hard links within one folder but in different directories of it, links
// that must not be followed, a deep chain, empty and missing folders.
TEST(SharedDirectorySize, EveryFolderGetsWhatItsOwnWalkGives)
{
    FixtureTree tree;
    tree.dir("a").file("a/f1", 1000).file("a/f2", 0).file("a/.hidden", 24).dir("a/sub").file("a/sub/g", 2048);
    tree.dir("a/sub/deeper").hardlink("a/sub/g", "a/sub/deeper/g-again").hardlink("a/f1", "a/sub/f1-again");
    tree.dir("b").file("b/h", 4096).hardlink("b/h", "b/hl").symlink("../a", "b/link").symlink(".", "b/loop");
    tree.dir("d").dir("bad\xff").file("bad\xff/\xfe", 7);
    std::string chain = "deep";
    tree.dir(chain);
    for (int i = 0; i < 30; ++i) {
        tree.file(chain + "/f", static_cast<std::size_t>(i + 1)).dir(chain + "/side");
        chain += "/n";
        tree.dir(chain);
    }
    std::vector<std::string> folders;
    for (const char* name : {"a", "b", "d", "bad\xff", "deep", "missing", ""})
        folders.push_back(tree.path(name));
    folders.push_back(tree.path("a/f1")); // not a folder

    for (int threads : {1, 3, 8}) {
        SCOPED_TRACE(threads);
        const auto together = sizeTogether(folders, threads);
        expectSameAsOneWalk(folders, together);
        EXPECT_EQ(together[0].size.totalBytes, 3072u); // each inode once
    }
}

TEST(SharedDirectorySize, ARealTreeAddsUpAsItsFolderWalksDo)
{
    const std::string root = "/usr/share";
    const auto folders = childFolders(root);
    ASSERT_FALSE(folders.empty());
    expectSameAsOneWalk(folders, sizeTogether(folders, 6));
}

TEST(SharedDirectorySize, CancelledBeforeTheStartReportsNothing)
{
    FixtureTree tree;
    tree.dir("a").file("a/f", 10);
    const std::atomic<bool> cancelled{true};
    const auto together = sizeTogether({tree.path("a"), tree.path("")}, 3, cancelled);
    EXPECT_FALSE(together[0].reported);
    EXPECT_FALSE(together[1].reported);
}

TEST(SharedDirectorySize, UnreadableDirectoriesMarkTheirFolder)
{
    FixtureTree tree;
    tree.dir("c").file("c/x", 100).chmod("c", 0);
    tree.dir("a").file("a/f", 1000).dir("a/locked").file("a/locked/y", 500).chmod("a/locked", 0);
    struct Seen {
        bool dropped;
        Sized locked, parent;
    };
    const auto seen = Dunmorra::Test::inChildProcess<Seen>([&] {
        Seen s{};
        s.dropped = Dunmorra::Test::dropPrivilegesInChild();
        const auto together = sizeTogether({tree.path("c"), tree.path("a")}, 2);
        s.locked = together[0];
        s.parent = together[1];
        return s;
    });
    ASSERT_TRUE(seen.has_value());
    ASSERT_TRUE(seen->dropped);
    EXPECT_TRUE(seen->locked.size.unreadable);
    EXPECT_FALSE(seen->locked.size.incomplete);
    EXPECT_TRUE(seen->parent.size.incomplete);
    EXPECT_EQ(seen->parent.size.totalBytes, 1000u);
}

// As for one folder's walk: a bind mount of an ancestor, a procfs and a
// sysfs below the folders are not walked.
TEST(SharedDirectorySize, BindMountCycleAndMountedProcAreNotWalked)
{
    FixtureTree tree;
    tree.dir("top").dir("top/a").file("top/a/f", 10).dir("top/a/again").dir("top/p").dir("top/s");
    const auto seen = Dunmorra::Test::inPrivateMounts<Sized>(
        [&] {
            return ::mount(tree.path("top").c_str(), tree.path("top/a/again").c_str(), nullptr, MS_BIND, nullptr) == 0
                && ::mount("proc", tree.path("top/p").c_str(), "proc", 0, nullptr) == 0
                && ::mount("sysfs", tree.path("top/s").c_str(), "sysfs", 0, nullptr) == 0;
        },
        [&] { return sizeTogether({tree.path("top")}, 4)[0]; });
    ASSERT_TRUE(seen.has_value()) << "the walk did not come back";
    ASSERT_EQ(seen->setup, Dunmorra::Test::MountSetup::ok) << Dunmorra::Test::describe(seen->setup);
    ASSERT_TRUE(seen->value.reported);
    EXPECT_EQ(seen->value.size.totalBytes, 10u);
    EXPECT_EQ(seen->value.size.fileCount, 1);
}

// The walk reads the folder top/a and queues b below it, then reads the
// folder `small`; when small is done, a is swapped for a link to a tree that
// holds a b of its own. b must still be the one read below the real a.
TEST(SharedDirectorySize, ADirectorySwappedForALinkMidWalkIsNotFollowed)
{
    FixtureTree tree;
    tree.dir("top").dir("top/a").dir("top/a/b").file("top/a/b/own", 10);
    tree.dir("elsewhere").dir("elsewhere/b").file("elsewhere/b/other", 5000);
    tree.dir("small");
    Platform::SharedDirectorySize shared({tree.path("top/a"), tree.path("small")});
    std::vector<Sized> out(2);
    bool swapped = false;
    const std::atomic<bool> cancelled{false};
    shared.work(cancelled, [&](std::size_t folder, const Platform::DirectorySize& size) {
        out[folder] = {true, size};
        if (folder == 1 && !out[0].reported) {
            swapped = ::rename(tree.path("top/a").c_str(), tree.path("top/a-moved").c_str()) == 0
                && ::symlink(tree.path("elsewhere").c_str(), tree.path("top/a").c_str()) == 0;
        }
    });
    ASSERT_TRUE(swapped) << "the folders were not walked in the order this test needs";
    ASSERT_TRUE(out[0].reported);
    EXPECT_EQ(out[0].size.totalBytes, 10u);
    EXPECT_EQ(out[0].size.fileCount, 1);
    EXPECT_FALSE(out[0].size.incomplete);
}

// Each folder keeps the directories above its queued ones open only up to a
// budget; past it they are reopened by name. Hundreds of folders sized at
// once stay within a limit of descriptors the rest of a process can live with.
TEST(SharedDirectorySize, ManyFoldersStayWithinTheDescriptorBudget)
{
    FixtureTree tree;
    std::vector<std::string> folders;
    for (int i = 0; i < 300; ++i) {
        const std::string f = "f" + std::to_string(i);
        tree.dir(f).dir(f + "/x").dir(f + "/x/y").file(f + "/x/y/z", 7).dir(f + "/w");
        folders.push_back(tree.path(f));
    }
    struct Seen {
        bool limited;
        int reported;
        int whole;
    };
    const auto seen = Dunmorra::Test::inChildProcess<Seen>([&] {
        Seen s{};
        // The budget, the threads' own descriptors and a few to spare.
        s.limited = Dunmorra::Test::leaveSpareDescriptors(128 + 24);
        for (const Sized& one : sizeTogether(folders, 4)) {
            s.reported += one.reported ? 1 : 0;
            s.whole += one.reported && !one.size.incomplete && one.size.totalBytes == 7 ? 1 : 0;
        }
        return s;
    });
    ASSERT_TRUE(seen.has_value());
    ASSERT_TRUE(seen->limited);
    EXPECT_EQ(seen->reported, 300);
    EXPECT_EQ(seen->whole, 300);
}

// devtmpfs reports tmpfs's magic: only the mount table tells them apart.
// Two tmpfs mounts stand in for /dev and /dev/shm, the table naming the
// first devtmpfs; both walks leave it out and count the other.
TEST(SharedDirectorySize, ADevtmpfsByTheMountTableIsNotEnteredATmpfsIs)
{
    FixtureTree tree;
    tree.dir("top").file("top/f", 10).dir("top/dev").dir("top/shm");
    struct Seen {
        Platform::DirectorySize alone;
        Sized shared;
        bool tableReadsDevtmpfs;
    };
    const auto seen = Dunmorra::Test::inPrivateMounts<Seen>(
        [&] {
            return ::mount("tmpfs", tree.path("top/dev").c_str(), "tmpfs", 0, "size=1m") == 0
                && ::mount("tmpfs", tree.path("top/shm").c_str(), "tmpfs", 0, "size=1m") == 0;
        },
        [&] {
            tree.file("top/dev/node", 100).file("top/shm/segment", 1000);
            struct stat dev {}, shm {};
            ::stat(tree.path("top/dev").c_str(), &dev);
            ::stat(tree.path("top/shm").c_str(), &shm);
            const auto line = [](const struct stat& st, const char* at, const char* type) {
                return "30 1 " + std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev)) + " / "
                    + at + " rw,relatime shared:8 - " + type + " " + type + " rw\n";
            };
            const auto table
                = Platform::MountTable::parse(line(dev, "/dev", "devtmpfs") + line(shm, "/dev/shm", "tmpfs"));
            Seen s{};
            s.tableReadsDevtmpfs = table.isPseudo(dev.st_dev) && !table.isPseudo(shm.st_dev);
            s.alone = Platform::directorySize(tree.path("top"), nullptr, {}, &table);
            Platform::SharedDirectorySize shared({tree.path("top")}, &table);
            const std::atomic<bool> cancelled{false};
            shared.work(cancelled, [&](std::size_t, const Platform::DirectorySize& size) { s.shared = {true, size}; });
            return s;
        });
    ASSERT_TRUE(seen.has_value()) << "the walk did not come back";
    ASSERT_EQ(seen->setup, Dunmorra::Test::MountSetup::ok) << Dunmorra::Test::describe(seen->setup);
    EXPECT_TRUE(seen->value.tableReadsDevtmpfs);
    EXPECT_EQ(seen->value.alone.totalBytes, 1010u);
    EXPECT_EQ(seen->value.alone.fileCount, 2);
    ASSERT_TRUE(seen->value.shared.reported);
    EXPECT_EQ(seen->value.shared.size.totalBytes, 1010u);
    EXPECT_EQ(seen->value.shared.size.fileCount, 2);
}

// As above, but the directory swapped is one listed below a folder and not
// yet read: opened by its name, the link in its place must not be followed
// into the tree it points to.
TEST(SharedDirectorySize, AQueuedDirectorySwappedForALinkIsNotFollowed)
{
    FixtureTree tree;
    tree.dir("top").dir("top/a").dir("top/a/b").file("top/a/b/own", 10);
    tree.dir("elsewhere").file("elsewhere/other", 5000);
    tree.dir("small");
    Platform::SharedDirectorySize shared({tree.path("top/a"), tree.path("small")});
    std::vector<Sized> out(2);
    bool swapped = false;
    const std::atomic<bool> cancelled{false};
    shared.work(cancelled, [&](std::size_t folder, const Platform::DirectorySize& size) {
        out[folder] = {true, size};
        if (folder == 1 && !out[0].reported) {
            swapped = ::rename(tree.path("top/a/b").c_str(), tree.path("top/b-moved").c_str()) == 0
                && ::symlink(tree.path("elsewhere").c_str(), tree.path("top/a/b").c_str()) == 0;
        }
    });
    ASSERT_TRUE(swapped) << "the folders were not walked in the order this test needs";
    ASSERT_TRUE(out[0].reported);
    EXPECT_EQ(out[0].size.totalBytes, 0u);
    EXPECT_EQ(out[0].size.fileCount, 0);
}
