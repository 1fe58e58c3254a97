#include "folders/FolderListing.h"
#include "folders/FolderPath.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace Dunmorra;

namespace {

FolderItem file(const char* name, quint64 size)
{
    FolderItem i;
    i.path = QByteArray("/t/") + name;
    i.sizeBytes = size;
    i.childCount = 0;
    return i;
}

FolderItem folder(const char* name)
{
    FolderItem i;
    i.path = QByteArray("/t/") + name;
    i.isDirectory = true;
    return i;
}

QList<QByteArray> names(const QList<FolderItem>& items)
{
    QList<QByteArray> out;
    for (const auto& i : items)
        out.append(FolderPath::lastComponent(i.path));
    return out;
}

// What the list looks like when every size is followed by its own stable sort.
void referenceApply(QList<FolderItem>& items, const QByteArray& path, quint64 size)
{
    for (auto& i : items) {
        if (i.path == path) {
            i.sizeBytes = size;
            i.childCount = 1;
            break;
        }
    }
    std::stable_sort(items.begin(), items.end(), [](const FolderItem& a, const FolderItem& b) {
        return a.sizeBytes.value_or(0) > b.sizeBytes.value_or(0);
    });
}

} // namespace

TEST(FolderListing, ListingOrderIsLargestFileFirstThenZerosAndFoldersAsListed)
{
    FolderListing listing({folder("a"), file("e", 300), file("z", 0), folder("b"), file("m", 50),
                           file("f", 200), folder("c")});
    EXPECT_EQ(names(listing.items()), (QList<QByteArray>{"e", "f", "m", "a", "z", "b", "c"}));
}

TEST(FolderListing, EqualSizesKeepTheOrderTheyHadWhenTheSecondArrived)
{
    struct Case {
        const char* name;
        QList<QByteArray> arrivals;
        QList<QByteArray> expected;
    };
    const Case cases[] = {
        // y arrives first and rises; x then lands behind it and behind the file
        {"later folder first", {"y", "x"}, {"f", "y", "x", "z"}},
        {"listing order", {"x", "y"}, {"f", "x", "y", "z"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FolderListing listing({folder("x"), folder("y"), file("f", 100), file("z", 0)});
        for (const auto& a : c.arrivals) {
            ASSERT_TRUE(listing.applySize("/t/" + a, {100, 1}));
            listing.sort();
        }
        EXPECT_EQ(names(listing.items()), c.expected);
    }
}

TEST(FolderListing, BatchedSizesOrderAsIfEachWasSortedOnArrival)
{
    std::mt19937 rng(7);
    const quint64 sizes[] = {0, 100, 100, 250, 4096};
    for (int round = 0; round < 200; ++round) {
        QList<FolderItem> listed;
        QList<QByteArray> folders;
        const int n = 2 + static_cast<int>(rng() % 12);
        for (int i = 0; i < n; ++i) {
            const QByteArray name = QByteArray::number(i);
            if (rng() % 2) {
                listed.append(folder(name.constData()));
                folders.append(listed.last().path);
            } else {
                listed.append(file(name.constData(), sizes[rng() % 5]));
            }
        }
        std::shuffle(folders.begin(), folders.end(), rng);

        QList<FolderItem> reference = listed;
        std::stable_sort(reference.begin(), reference.end(), [](const auto& a, const auto& b) {
            return a.sizeBytes.value_or(0) > b.sizeBytes.value_or(0);
        });
        FolderListing listing(listed);
        for (const QByteArray& path : folders) {
            const quint64 size = sizes[rng() % 5];
            referenceApply(reference, path, size);
            listing.applySize(path, {size, 1});
            if (rng() % 3 == 0)
                listing.sort(); // a batch ends here
        }
        listing.sort();
        ASSERT_EQ(names(listing.items()), names(reference)) << "round " << round;
    }
}

TEST(FolderListing, SizeForAnUnknownPathIsDropped)
{
    FolderListing listing({folder("a")});
    EXPECT_FALSE(listing.applySize("/t/b", {10, 1}));
    EXPECT_FALSE(listing.items().first().sizeBytes.has_value());
}

TEST(FolderPath, ParentsComponentsAndCleaning)
{
    struct Case {
        QByteArray path, parent, last, cleaned;
    };
    const Case cases[] = {
        {"/", "/", "/", "/"},
        {"/home", "/", "home", "/home"},
        {"/home/u", "/home", "u", "/home/u"},
        {"/home/u/", "/home", "u", "/home/u"},
        {"//home//./u/../v", "/home", "v", "/home/v"},
        {"/a/b\xff", "/a", "b\xff", "/a/b\xff"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QByteArray cleaned = FolderPath::clean(c.path);
        EXPECT_EQ(cleaned, c.cleaned);
        EXPECT_EQ(FolderPath::parent(cleaned), c.parent);
        EXPECT_EQ(FolderPath::lastComponent(cleaned), c.last);
    }
}
