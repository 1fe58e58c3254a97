#include "folders/FolderListModel.h"
#include "folders/FolderPath.h"
#include "folders/FolderProvider.h"
#include "support/FixtureTree.h"
#include "support/SizingGate.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>


using namespace Dunmorra;
using Dunmorra::Test::FixtureTree;

namespace {

constexpr int kWaitMs = 30'000;

QList<QByteArray> rowNames(const FolderListModel& model)
{
    QList<QByteArray> out;
    for (int row = 0; row < model.rowCount(); ++row)
        out.append(FolderPath::lastComponent(model.index(row).data(FolderListModel::PathRole).toByteArray()));
    return out;
}

bool settled(const FolderProvider& p)
{
    return !p.isScanning() && !p.isComputingSizes();
}


} // namespace

TEST(FolderListModel, RowsFollowTheListingAndTheSizesAsTheyArrive)
{
    FixtureTree tree;
    tree.dir("small").file("small/f", 10).dir("large").file("large/f", 5000).dir("medium").file("medium/f", 700);
    tree.file("note.txt", 300).file("zero", 0);

    Dunmorra::Test::SizingGate gate;
    FolderProviderOptions o;
    o.homePath = QByteArray::fromStdString(tree.root());
    o.sizeFolder = gate.sizer();
    FolderProvider p(o);
    FolderListModel model(p);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    QSignalSpy moves(&model, &QAbstractItemModel::layoutChanged);

    p.scan();
    EXPECT_EQ(model.rowCount(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.rowCount() == 5 && gate.waiting.load() == 3; }, kWaitMs));
    // Listed: the file by size, then the empty file and the unsized
    // folders in the folder's own order.
    EXPECT_EQ(rowNames(model).first(), QByteArray("note.txt"));
    EXPECT_FALSE(model.index(1).data(FolderListModel::SizeBytesRole).isValid()
                 && model.index(1).data(FolderListModel::IsDirectoryRole).toBool());
    const int largeRow = static_cast<int>(rowNames(model).indexOf("large"));
    ASSERT_GE(largeRow, 0);
    const QPersistentModelIndex large = model.index(largeRow);
    EXPECT_DOUBLE_EQ(large.data(FolderListModel::FractionRole).toDouble(), 0.0);
    const int resetsAfterListing = static_cast<int>(resets.count());

    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(p); }, kWaitMs));
    EXPECT_EQ(rowNames(model), (QList<QByteArray>{"large", "medium", "note.txt", "small", "zero"}));
    EXPECT_GT(moves.count(), 0);
    EXPECT_EQ(resets.count(), resetsAfterListing); // sizes move rows, they do not reset them
    // A view's index stays with its item through the moves.
    ASSERT_TRUE(large.isValid());
    EXPECT_EQ(large.row(), 0);
    EXPECT_EQ(large.data(FolderListModel::SizeBytesRole).toULongLong(), 5000u);
    EXPECT_EQ(large.data(FolderListModel::ChildCountRole).toLongLong(), 1);
    EXPECT_DOUBLE_EQ(large.data(FolderListModel::FractionRole).toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(model.index(1).data(FolderListModel::FractionRole).toDouble(), 700.0 / 5000);
    EXPECT_EQ(model.figures().totalSize, 6010u);
    EXPECT_EQ(model.figures().sizedFolderCount, 3);

    // A new scan empties the rows at once.
    p.scan();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.figures(), FolderFigures{});
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(p) && model.rowCount() == 5; }, kWaitMs));
}

TEST(FolderListModel, TwentyThousandFoldersListAndEndInSizeOrder)
{
    FixtureTree tree;
    constexpr int kFolders = 20'000;
    for (int i = 0; i < kFolders; ++i) {
        const std::string name = "d" + std::to_string(i);
        tree.dir(name).file(name + "/f", static_cast<std::size_t>(i % 251 + 1));
    }
    FolderProviderOptions o;
    o.homePath = QByteArray::fromStdString(tree.root());
    FolderProvider p(o);
    FolderListModel model(p);
    p.scan();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(p) && model.rowCount() == kFolders; }, kWaitMs));
    EXPECT_EQ(model.figures().sizedFolderCount, kFolders);
    quint64 previous = std::numeric_limits<quint64>::max();
    for (int row = 0; row < model.rowCount(); ++row) {
        const quint64 size = model.index(row).data(FolderListModel::SizeBytesRole).toULongLong();
        ASSERT_LE(size, previous) << row;
        previous = size;
    }
    EXPECT_EQ(model.figures().maxItemSize, 251u);
}
