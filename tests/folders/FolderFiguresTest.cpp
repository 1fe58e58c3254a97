#include "folders/FolderFigures.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Dunmorra;

namespace {

FolderItem file(const QByteArray& name, quint64 size)
{
    FolderItem i;
    i.path = "/t/" + name;
    i.sizeBytes = size;
    i.childCount = 0;
    return i;
}

FolderItem folder(const QByteArray& name, std::optional<quint64> size = std::nullopt)
{
    FolderItem i;
    i.path = "/t/" + name;
    i.isDirectory = true;
    i.sizeBytes = size;
    if (size)
        i.childCount = 1;
    return i;
}

FolderItem unreadable(const QByteArray& name)
{
    FolderItem i = folder(name, 0);
    i.childCount = 0;
    i.isUnreadable = true;
    return i;
}

} // namespace

TEST(FolderFigures, TotalsCountsScaleAndPartialness)
{
    constexpr quint64 kMax = std::numeric_limits<quint64>::max();
    struct Case {
        const char* what;
        QList<FolderItem> items;
        FolderFigures expected;
    };
    const Case cases[] = {
        {"nothing listed", {}, {1, 0, 0, 0, 0, false}},
        {"only zero sizes", {file("a", 0), folder("d", 0)}, {1, 0, 1, 1, 1, false}},
        {"files and sized folders",
         {folder("d", 600), file("a", 300), file("b", 100)},
         {600, 1000, 1, 1, 2, false}},
        {"a folder not yet sized", {file("a", 300), folder("d")}, {300, 300, 1, 0, 1, true}},
        {"an unreadable folder is sized, its 0 leaves the total partial",
         {file("a", 300), unreadable("u")},
         {300, 300, 1, 1, 1, true}},
        {"the total stops at the largest value", {folder("d", kMax), file("a", 5)}, {kMax, kMax, 1, 1, 1, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FolderFigures::of(c.items), c.expected);
    }

    FolderItem incomplete = folder("i", 10);
    incomplete.isIncomplete = true;
    EXPECT_TRUE(FolderFigures::of({incomplete}).totalIsPartial);
}

TEST(FolderFigures, BarShareIsTheSizeOverTheLargest)
{
    const QList<FolderItem> items{folder("big", 900), folder("third", 300), folder("open"), file("zero", 0)};
    const FolderFigures f = FolderFigures::of(items);
    EXPECT_DOUBLE_EQ(f.fraction(items[0]), 1.0);
    EXPECT_DOUBLE_EQ(f.fraction(items[1]), 1.0 / 3);
    EXPECT_DOUBLE_EQ(f.fraction(items[2]), 0.0);
    EXPECT_DOUBLE_EQ(f.fraction(items[3]), 0.0);
}

TEST(FileTypeBreakdown, SumsDirectChildFilesPerTypeLargestFirst)
{
    using Shares = std::vector<FileTypeShare>;
    struct Case {
        const char* what;
        QList<FolderItem> items;
        Shares expected;
    };
    const Case cases[] = {
        {"only folders", {folder("a", 100), folder("b")}, {}},
        {"case of the extension does not matter",
         {file("a.jpg", 100), file("b.JPG", 50), file("c.Jpg", 10)},
         {{"JPG", 160}}},
        {"no extension, a leading dot, a trailing dot; an empty file not at all",
         {file("Makefile", 50), file(".bashrc", 10), file("notes.", 5), file("x.png", 0)},
         {{"—", 65}}},
        {"the last extension counts", {file("a.tar.gz", 70), file("b.gz", 30)}, {{"GZ", 100}}},
        {"seven types give the five largest, ties by type",
         {file("a.a", 10), file("b.b", 70), file("c.c", 30), file("d.d", 30), file("e.e", 50), file("f.f", 60),
          file("g.g", 20)},
         {{"B", 70}, {"F", 60}, {"E", 50}, {"C", 30}, {"D", 30}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(fileTypeBreakdown(c.items), c.expected);
    }
}

TEST(FileTypeBreakdown, TypeOfANameThatIsNotText)
{
    EXPECT_EQ(fileTypeOf("photo.\xff"), QStringLiteral("\uFFFD"));
    EXPECT_EQ(fileTypeOf("two.li\nnes"), QStringLiteral("LI\uFFFDNES"));
    EXPECT_EQ(fileTypeOf("."), QStringLiteral("—"));
    EXPECT_EQ(fileTypeOf(".."), QStringLiteral("—"));
}
