#include "platform/DirectoryListing.h"
#include "platform/DirectorySize.h"
#include "platform/SharedDirectorySize.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

#include <mutex>
#include <sched.h>
#include <sys/mount.h>
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
