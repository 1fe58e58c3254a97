#include "platform/DirectoryListing.h"
#include "platform/DirectorySize.h"
#include "support/FixtureTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <sched.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/vfs.h>

using namespace Dunmorra;
using Dunmorra::Test::FixtureTree;

namespace {

// T/a: 1000 + 0 + hidden 24 + sub/g 2048   -> 3072 bytes, 3 files
// T/b: h 4096, its hard link, a link to the (larger) folder a, a link loop
//                                          -> 4096 bytes, 1 file
// T/d: empty; T/e.txt 300 B, T/F.TXT 200 B, T/Makefile 50 B, T/.bashrc 10 B,
// T/empty 0 B, T/ln -> e.txt
class SizeTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.dir("a").file("a/f1", 1000).file("a/f2", 0).file("a/.hidden", 24).dir("a/sub").file("a/sub/g", 2048);
        tree.dir("b").file("b/h", 4096).hardlink("b/h", "b/hl").symlink("../a", "b/link").symlink(".", "b/loop");
        tree.dir("d");
        tree.file("e.txt", 300).file("F.TXT", 200).file("Makefile", 50).file(".bashrc", 10).file("empty", 0);
        tree.symlink("e.txt", "ln");
    }

    FixtureTree tree;
};

} // namespace

TEST_F(SizeTree, CountsNonEmptyRegularFilesOnceWithoutFollowingLinks)
{
    struct Case {
        const char* folder;
        std::uint64_t bytes;
        std::int64_t files;
    };
    const Case cases[] = {
        {"a", 3072, 3},    // the empty file is not counted, the hidden one is
        {"b", 4096, 1},    // two names of one file; links neither followed nor counted
        {"d", 0, 0},
        {"", 3072 + 4096 + 300 + 200 + 50 + 10, 3 + 1 + 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const auto size = Platform::directorySize(tree.path(c.folder));
        EXPECT_EQ(size.totalBytes, c.bytes);
        EXPECT_EQ(size.fileCount, c.files);
        EXPECT_FALSE(size.unreadable);
        EXPECT_FALSE(size.incomplete);
        EXPECT_FALSE(size.cancelled);
    }
}

TEST_F(SizeTree, MissingFolderIsUnreadableNotEmpty)
{
    const auto size = Platform::directorySize(tree.path("nowhere"));
    EXPECT_TRUE(size.unreadable);
    EXPECT_TRUE(Platform::directorySize(tree.path("e.txt")).unreadable);
}

TEST_F(SizeTree, CancelledWalkStopsBeforeItsFirstEntry)
{
    const std::atomic<bool> cancelled{true};
    const auto size = Platform::directorySize(tree.root(), &cancelled);
    EXPECT_TRUE(size.cancelled);
    EXPECT_EQ(size.fileCount, 0);
    EXPECT_EQ(size.totalBytes, 0u);
}

// Root ignores mode bits, so the refusal is seen by a child running as
// "nobody"; run as another user the child simply keeps its credentials.
TEST_F(SizeTree, UnreadableFoldersAreMarked)
{
    tree.dir("c").file("c/x", 100).chmod("c", 0);
    tree.dir("a/locked").file("a/locked/y", 500).chmod("a/locked", 0);

    struct Seen {
        bool dropped;
        Platform::DirectorySize locked, parent, whole;
        int listError;
    };
    const auto seen = Dunmorra::Test::inChildProcess<Seen>([&] {
        Seen s{};
        s.dropped = Dunmorra::Test::dropPrivilegesInChild();
        s.locked = Platform::directorySize(tree.path("c"));
        s.parent = Platform::directorySize(tree.path("a"));
        s.whole = Platform::directorySize(tree.root());
        s.listError = Platform::listDirectory(tree.path("c"), true).error;
        return s;
    });
    ASSERT_TRUE(seen.has_value());
    ASSERT_TRUE(seen->dropped);

    EXPECT_TRUE(seen->locked.unreadable);
    EXPECT_EQ(seen->locked.totalBytes, 0u);

    EXPECT_FALSE(seen->parent.unreadable);
    EXPECT_TRUE(seen->parent.incomplete);
    EXPECT_EQ(seen->parent.totalBytes, 3072u); // what could be read

    EXPECT_TRUE(seen->whole.incomplete);
    EXPECT_EQ(seen->listError, EACCES);
}

namespace {

// A chain 40 deep with a file of 3 bytes and a side folder holding one of 5
// at every level: 80 files, 320 bytes.
void makeDeepChain(FixtureTree& tree)
{
    std::string rel;
    for (int depth = 0; depth < 40; ++depth) {
        rel += rel.empty() ? "d" : "/d";
        tree.dir(rel).file(rel + "/f", 3).dir(rel + "/side").file(rel + "/side/s", 5);
    }
}

} // namespace

TEST(DirectorySize, DeepTreeWalksWholeWithinTheDescriptorBound)
{
    FixtureTree tree;
    makeDeepChain(tree);
    const auto openDescriptors = [] {
        int n = 0;
        if (DIR* d = ::opendir("/proc/self/fd")) {
            while (::readdir(d))
                ++n;
            ::closedir(d);
        }
        return n;
    };
    const int before = openDescriptors();
    for (int limit : {2, 3, 7, 64}) {
        SCOPED_TRACE(limit);
        const auto size = Platform::directorySize(tree.root(), nullptr, {limit});
        EXPECT_EQ(size.fileCount, 80);
        EXPECT_EQ(size.totalBytes, 40u * 8);
        EXPECT_FALSE(size.incomplete);
    }
    EXPECT_EQ(openDescriptors(), before);
}

TEST(DirectorySize, NamesThatAreNotUtf8AreSized)
{
    FixtureTree tree;
    tree.dir("bad\xff").file("bad\xff/\xfe\xfd.bin", 10).file("ok", 5);

    const auto size = Platform::directorySize(tree.root());
    EXPECT_EQ(size.totalBytes, 15u);
    EXPECT_EQ(size.fileCount, 2);

    const auto listing = Platform::listDirectory(tree.root(), false);
    ASSERT_EQ(listing.error, 0);
    const auto it = std::find_if(listing.entries.begin(), listing.entries.end(),
                                 [](const auto& e) { return e.name == "bad\xff"; });
    ASSERT_NE(it, listing.entries.end());
    EXPECT_TRUE(it->isDirectory);
}

TEST(DirectorySize, PseudoFileSystemsAreNotEntered)
{
    struct statfs sfs;
    ASSERT_EQ(::statfs("/proc", &sfs), 0);
    EXPECT_TRUE(Platform::isPseudoFileSystem(sfs.f_type));
    ASSERT_EQ(::statfs("/", &sfs), 0);
    EXPECT_FALSE(Platform::isPseudoFileSystem(sfs.f_type));

    // /proc/kcore alone would read as some 128 TiB.
    const auto proc = Platform::directorySize("/proc");
    EXPECT_EQ(proc.totalBytes, 0u);
    EXPECT_FALSE(proc.unreadable);
}

// Mounts inside the tree: a bind mount of the tree's own root below itself
// (symbolic links are not needed for a cycle), a procfs and a sysfs (whose
// files all claim a size). Done in a child with private namespaces, so
// nothing outlives the test.
TEST(DirectorySize, BindMountCycleAndMountedProcAreNotWalked)
{
    FixtureTree tree;
    tree.dir("a").file("a/f", 10).dir("a/again").dir("p").dir("s");

    const auto seen = Dunmorra::Test::inPrivateMounts<Platform::DirectorySize>(
        [&] {
            return ::mount(tree.root().c_str(), tree.path("a/again").c_str(), nullptr, MS_BIND, nullptr) == 0
                && ::mount("proc", tree.path("p").c_str(), "proc", 0, nullptr) == 0
                && ::mount("sysfs", tree.path("s").c_str(), "sysfs", 0, nullptr) == 0;
        },
        [&] { return Platform::directorySize(tree.root()); });
    ASSERT_TRUE(seen.has_value()) << "the walk did not come back";
    ASSERT_EQ(seen->setup, Dunmorra::Test::MountSetup::ok) << Dunmorra::Test::describe(seen->setup);
    EXPECT_EQ(seen->value.totalBytes, 10u);
    EXPECT_EQ(seen->value.fileCount, 1);
    EXPECT_FALSE(seen->value.cancelled);
}

TEST_F(SizeTree, ListingLeavesOutLinksAndHiddenEntriesUnlessAsked)
{
    const auto names = [](const Platform::DirectoryListing& l) {
        std::vector<std::string> n;
        for (const auto& e : l.entries)
            n.push_back(e.name);
        std::sort(n.begin(), n.end());
        return n;
    };
    const auto plain = Platform::listDirectory(tree.root(), false);
    ASSERT_EQ(plain.error, 0);
    EXPECT_EQ(names(plain),
              (std::vector<std::string>{"F.TXT", "Makefile", "a", "b", "d", "e.txt", "empty"}));
    const auto all = Platform::listDirectory(tree.root(), true);
    EXPECT_EQ(names(all),
              (std::vector<std::string>{".bashrc", "F.TXT", "Makefile", "a", "b", "d", "e.txt", "empty"}));
    for (const auto& e : all.entries) {
        if (e.name == "e.txt") {
            EXPECT_EQ(e.sizeBytes, 300u);
        }
        if (e.name == "a") {
            EXPECT_TRUE(e.isDirectory);
        }
    }
    EXPECT_EQ(Platform::listDirectory(tree.path("nowhere"), false).error, ENOENT);
    EXPECT_EQ(Platform::listDirectory(tree.path("e.txt"), false).error, ENOTDIR);
}


// The bound holds while the walk runs, not only once it is over. The walk
// may hold one descriptor above its bound for the moment it enters a folder,
// before it closes an ancestor.
TEST(DirectorySize, DeepTreeNeverHoldsMoreThanItsBoundOpen)
{
    FixtureTree tree;
    makeDeepChain(tree);
    for (int bound : {2, 3, 7}) {
        SCOPED_TRACE(bound);
        struct Seen {
            bool limited;
            Platform::DirectorySize size;
        };
        const auto seen = Dunmorra::Test::inChildProcess<Seen>([&] {
            Seen s{};
            s.limited = Dunmorra::Test::leaveSpareDescriptors(bound + 1);
            s.size = Platform::directorySize(tree.root(), nullptr, {bound});
            return s;
        });
        ASSERT_TRUE(seen.has_value());
        ASSERT_TRUE(seen->limited);
        EXPECT_EQ(seen->size.fileCount, 80);
        EXPECT_FALSE(seen->size.incomplete);
    }
}

TEST(DirectoryListing, FilesOfPseudoFileSystemsListAsEmpty)
{
    struct statfs sfs;
    ASSERT_EQ(::statfs("/sys/kernel", &sfs), 0) << "no sysfs at /sys";
    ASSERT_TRUE(Platform::isPseudoFileSystem(sfs.f_type)) << "/sys is not a sysfs";
    // sysfs gives its attribute files a length (4096, or the note's size)
    // that no file holds.
    const auto listing = Platform::listDirectory("/sys/kernel", true);
    ASSERT_EQ(listing.error, 0);
    int claimed = 0;
    int files = 0;
    for (const auto& e : listing.entries) {
        if (e.isDirectory)
            continue;
        ++files;
        struct stat st;
        if (::stat(("/sys/kernel/" + e.name).c_str(), &st) == 0 && st.st_size > 0)
            ++claimed;
        EXPECT_EQ(e.sizeBytes, 0u) << e.name;
    }
    EXPECT_GT(files, 0);
    EXPECT_GT(claimed, 0); // the fixture shows the fault it guards against
}
