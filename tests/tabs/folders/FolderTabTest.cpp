#include "tabs/folders/FolderTab.h"

#include "components/Sandbox.h"
#include "components/SandboxFeatureBanner.h"
#include "components/ThinBar.h"
#include "components/Typography.h"
#include "folders/FolderListModel.h"
#include "folders/FolderPath.h"
#include "folders/FolderProvider.h"
#include "model/DiskProvider.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "support/FixtureTree.h"
#include "support/SizingGate.h"
#include "support/ManualClock.h"
#include "tabs/folders/BreadcrumbBar.h"
#include "tabs/folders/CrumbButton.h"
#include "tabs/folders/FileTypesCard.h"
#include "tabs/folders/FolderBrowserPage.h"
#include "tabs/folders/FolderListCard.h"
#include "tabs/folders/FolderListView.h"
#include "tabs/folders/FolderRowDelegate.h"
#include "tabs/folders/SizeProgressPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QScopeGuard>
#include <QTranslator>
#include <QToolButton>
#include <gtest/gtest.h>


using namespace Dunmorra;
using Dunmorra::Test::FixtureTree;

namespace {

constexpr int kWaitMs = 20'000;
constexpr std::uint64_t GiB = 1ULL << 30;


// A home folder made by the test, a disk of fixed size and settings of our own.
class FolderTabTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.dir("docs").file("docs/a.pdf", 4096).file("docs/b.pdf", 1024);
        tree.dir("music").file("music/song.mp3", 10240).dir("music/old").file("music/old/s.ogg", 2048);
        tree.dir("empty");
        tree.file("notes.txt", 300).file("photo.JPG", 2000).file("Makefile", 50).file(".bashrc", 10);
    }
    void TearDown() override
    {
        gate.release();
        overrideSandboxedForTesting(std::nullopt);
    }

    FolderProviderOptions options(bool gated = false)
    {
        FolderProviderOptions o;
        o.homePath = QByteArray::fromStdString(tree.root());
        if (gated)
            o.sizeFolder = gate.sizer();
        return o;
    }

    std::unique_ptr<FolderTab> makeTab(FolderProvider& folders)
    {
        auto tab = std::make_unique<FolderTab>(folders, disk, settings);
        tab->resize(1000, 1200);
        tab->show();
        return tab;
    }

    static bool settled(const FolderProvider& p) { return !p.isScanning() && !p.isComputingSizes(); }

    static int rowOf(const FolderListModel& model, const QByteArray& name)
    {
        for (int row = 0; row < model.rowCount(); ++row)
            if (FolderPath::lastComponent(model.item(row).path) == name)
                return row;
        return -1;
    }

    static void clickRow(FolderListView& view, int row)
    {
        const QRect rect = view.visualRect(view.model()->index(row, 0));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rect.center());
    }

    static QString text(const QWidget& root, const char* name)
    {
        auto* label = root.findChild<QLabel*>(QLatin1String(name));
        return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }

    FixtureTree tree;
    Dunmorra::Test::SizingGate gate;
    Dunmorra::Test::ManualClock clock;
    DiskProvider disk{{[] { return std::optional(std::vector<Platform::DiskCounters>{}); },
                       [] { return std::optional(Platform::FileSystemSpace{500 * GiB, 125 * GiB}); },
                       [] { return std::optional<std::string>("root"); }},
                      clock};
    QTemporaryDir settingsDir;
    UserSettings settings{std::make_unique<QSettings>(settingsDir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat)};
};

} // namespace

TEST_F(FolderTabTest, ListsTheHomeFolderWhenShownWithItsTotalsTrailAndFileTypes)
{
    FolderProvider folders(options());
    disk.sample();
    auto tab = makeTab(folders);
    FolderBrowserPage* page = tab->browser();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(folders.scanGeneration(), 1u);
    EXPECT_EQ(page->listCard()->state(), FolderListCard::State::Placeholder);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(folders) && !folders.items().isEmpty(); }, kWaitMs));

    EXPECT_EQ(page->listCard()->state(), FolderListCard::State::List);
    EXPECT_EQ(text(*tab, "folderTitle"), QStringLiteral("Home"));
    // 5 KB + 12 KB + 0 + 300 + 2000 + 50 bytes.
    EXPECT_EQ(text(*tab, "folderTotal"), QStringLiteral("19 KB"));
    EXPECT_EQ(text(*tab, "folderCounts"), QStringLiteral("3 folders · 3 files"));
    EXPECT_EQ(text(*tab, "volumeUsed"), QStringLiteral("375.0 GB"));
    EXPECT_EQ(text(*tab, "volumeFree"), QStringLiteral("125.0 GB"));
    EXPECT_EQ(text(*tab, "volumeTotal"), QStringLiteral("500.0 GB"));
    EXPECT_DOUBLE_EQ(tab->findChild<ThinBar*>(QStringLiteral("volumeBar"))->fraction(), 0.75);
    EXPECT_FALSE(tab->findChild<QWidget*>(QStringLiteral("partialTotal"))->isVisible());

    BreadcrumbBar* bar = page->breadcrumbBar();
    ASSERT_EQ(bar->crumbs().size(), 1);
    EXPECT_EQ(bar->crumbs()[0]->text(), QStringLiteral("Home"));
    EXPECT_EQ(bar->crumbs()[0]->symbol(), QStringLiteral("house.fill"));
    EXPECT_FALSE(bar->crumbs()[0]->isEnabled()); // the current folder
    EXPECT_FALSE(bar->upButton()->isEnabled());
    EXPECT_TRUE(bar->refreshButton()->isEnabled());

    FileTypesCard* types = page->fileTypes();
    EXPECT_TRUE(types->isVisible());
    EXPECT_EQ(types->breakdown(), (std::vector<FileTypeShare>{{"JPG", 2000}, {"TXT", 300}, {"—", 50}}));

    // Coming back to the tab shows the same listing without listing again.
    tab.reset();
    tab = makeTab(folders);
    EXPECT_EQ(folders.scanGeneration(), 1u);
    EXPECT_EQ(tab->browser()->listCard()->state(), FolderListCard::State::List);
}

TEST_F(FolderTabTest, AClickOpensAFolderAndTheTrailLeadsBack)
{
    // The plural forms come from the catalogue, as in the application.
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(HALVORIN_QM_DIR "/halvorin_en.qm")));
    QCoreApplication::installTranslator(&english);
    const auto removeEnglish = qScopeGuard([&] { QCoreApplication::removeTranslator(&english); });

    FolderProvider folders(options());
    auto tab = makeTab(folders);
    FolderBrowserPage* page = tab->browser();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(folders) && !folders.items().isEmpty(); }, kWaitMs));
    FolderListView* view = page->listCard()->listView();

    // A file row does nothing.
    clickRow(*view, rowOf(page->listModel(), "notes.txt"));
    EXPECT_EQ(folders.scanGeneration(), 1u);

    clickRow(*view, rowOf(page->listModel(), "music"));
    EXPECT_EQ(folders.currentPath(), QByteArray::fromStdString(tree.path("music")));
    EXPECT_EQ(folders.scanGeneration(), 2u);
    EXPECT_EQ(text(*tab, "folderTitle"), QStringLiteral("music"));
    BreadcrumbBar* bar = page->breadcrumbBar();
    ASSERT_EQ(bar->crumbs().size(), 2);
    EXPECT_TRUE(bar->crumbs()[0]->isEnabled());
    EXPECT_FALSE(bar->crumbs()[1]->isEnabled());
    EXPECT_EQ(bar->crumbs()[1]->symbol(), QStringLiteral("folder.fill"));
    EXPECT_TRUE(bar->upButton()->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(folders) && !folders.items().isEmpty(); }, kWaitMs));
    EXPECT_EQ(text(*tab, "folderCounts"), QStringLiteral("1 folder · 1 file"));

    bar->crumbs()[0]->click();
    EXPECT_EQ(folders.currentPath(), folders.homePath());
    EXPECT_EQ(folders.scanGeneration(), 3u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->crumbs().size() == 1; }, kWaitMs));

    // Up goes to the enclosing folder.
    folders.navigateTo(QByteArray::fromStdString(tree.path("music/old")));
    bar->upButton()->click();
    EXPECT_EQ(folders.currentPath(), QByteArray::fromStdString(tree.path("music")));
}

TEST_F(FolderTabTest, TheHiddenFilesToggleRescansAndShowsTheChoice)
{
    FolderProvider folders(options());
    auto tab = makeTab(folders);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(folders) && !folders.items().isEmpty(); }, kWaitMs));
    QToolButton* toggle = tab->browser()->breadcrumbBar()->hiddenToggle();
    EXPECT_EQ(toggle->property("symbol").toString(), QStringLiteral("eye.slash"));
    EXPECT_EQ(toggle->toolTip(), QStringLiteral("Show hidden files"));
    EXPECT_EQ(rowOf(tab->browser()->listModel(), ".bashrc"), -1);

    toggle->click();
    EXPECT_TRUE(folders.showHidden());
    EXPECT_EQ(folders.scanGeneration(), 2u);
    EXPECT_EQ(toggle->property("symbol").toString(), QStringLiteral("eye"));
    EXPECT_EQ(toggle->toolTip(), QStringLiteral("Hide hidden files"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(folders) && !folders.items().isEmpty(); }, kWaitMs));
    EXPECT_GE(rowOf(tab->browser()->listModel(), ".bashrc"), 0);

    toggle->click();
    EXPECT_FALSE(folders.showHidden());
    EXPECT_EQ(folders.scanGeneration(), 3u);
}

TEST_F(FolderTabTest, WhileSizingTheListIsCoveredAndOnlyTheToolbarAndTrailAct)
{
    FolderProvider folders(options(true));
    auto tab = makeTab(folders);
    FolderBrowserPage* page = tab->browser();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.waiting.load() == 3; }, kWaitMs));
    ASSERT_TRUE(folders.isComputingSizes());

    SizeProgressPanel* panel = page->listCard()->progressPanel();
    EXPECT_TRUE(panel->isShown());
    EXPECT_EQ(panel->statusText(), QStringLiteral("Calculating 0 of 3 folders…"));
    EXPECT_DOUBLE_EQ(panel->progress(), 0.0);
    BreadcrumbBar* bar = page->breadcrumbBar();
    EXPECT_FALSE(bar->refreshButton()->isEnabled());
    EXPECT_TRUE(bar->hiddenToggle()->isEnabled());
    EXPECT_TRUE(tab->findChild<QWidget*>(QStringLiteral("partialTotal"))->isHidden());

    // Unsized folders read "…" with a minimal bar; files have their sizes.
    const FolderListModel& model = page->listModel();
    const QModelIndex music = model.index(rowOf(model, "music"));
    EXPECT_EQ(FolderRowDelegate::sizeText(music.data(FolderListModel::SizeBytesRole), false), QStringLiteral("…"));
    EXPECT_DOUBLE_EQ(music.data(FolderListModel::FractionRole).toDouble(), 0.0);
    const QModelIndex photo = model.index(rowOf(model, "photo.JPG"));
    EXPECT_EQ(FolderRowDelegate::sizeText(photo.data(FolderListModel::SizeBytesRole), false), QStringLiteral("2 KB"));

    // A click on a folder row is not taken.
    FolderListView* view = page->listCard()->listView();
    EXPECT_TRUE(view->isBlocked());
    clickRow(*view, rowOf(model, "music"));
    EXPECT_EQ(folders.scanGeneration(), 1u);

    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(folders); }, kWaitMs));
    EXPECT_FALSE(panel->isShown());
    EXPECT_FALSE(view->isBlocked());
    EXPECT_TRUE(bar->refreshButton()->isEnabled());
    bar->refreshButton()->click();
    EXPECT_EQ(folders.scanGeneration(), 2u);
}

TEST_F(FolderTabTest, LeavingTheTabStopsSizingAndComingBackListsNothingNew)
{
    FolderProvider folders(options(true));
    auto tab = makeTab(folders);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.waiting.load() == 3; }, kWaitMs));
    tab.reset(); // the main window discards the tab it leaves
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !folders.isComputingSizes(); }, kWaitMs));
    QCoreApplication::processEvents();
    for (const FolderItem& item : folders.items()) {
        if (item.isDirectory) {
            EXPECT_FALSE(item.sizeBytes.has_value()) << item.path.toStdString();
        }
    }

    tab = makeTab(folders);
    EXPECT_EQ(folders.scanGeneration(), 1u);
    FolderBrowserPage* page = tab->browser();
    EXPECT_EQ(page->listCard()->state(), FolderListCard::State::List);
    EXPECT_TRUE(tab->findChild<QWidget*>(QStringLiteral("partialTotal"))->isVisible());
    EXPECT_TRUE(page->breadcrumbBar()->refreshButton()->isEnabled());
}

TEST_F(FolderTabTest, EmptyAndUnreadableFoldersSayWhichTheyAre)
{
    FolderProvider folders(options());
    auto tab = makeTab(folders);
    FolderListCard* list = tab->browser()->listCard();
    FileTypesCard* types = tab->browser()->fileTypes();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(folders) && !folders.items().isEmpty(); }, kWaitMs));
    ASSERT_TRUE(types->isVisible());

    folders.navigateTo(QByteArray::fromStdString(tree.path("empty")));
    EXPECT_EQ(list->state(), FolderListCard::State::Placeholder);
    EXPECT_FALSE(types->isVisible()); // hidden while listing, whatever came before
    ASSERT_TRUE(QTest::qWaitFor([&] { return !folders.isScanning(); }, kWaitMs));
    EXPECT_EQ(list->state(), FolderListCard::State::Empty);
    EXPECT_EQ(list->emptyText()->text(), QStringLiteral("This folder is empty"));
    EXPECT_FALSE(tab->findChild<QWidget*>(QStringLiteral("columnHeader"))->isVisible());

    folders.navigateTo(QByteArray::fromStdString(tree.path("gone")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !folders.isScanning(); }, kWaitMs));
    EXPECT_EQ(list->state(), FolderListCard::State::Empty);
    EXPECT_EQ(list->emptyText()->text(), QStringLiteral("This folder can't be read"));
    // The header says so too, and marks it, rather than claim an empty folder.
    QWidget* mark = tab->findChild<QWidget*>(QStringLiteral("partialTotal"));
    EXPECT_EQ(text(*tab, "folderTotal"), QStringLiteral("Unreadable"));
    EXPECT_EQ(text(*tab, "folderCounts"), QStringLiteral("This folder can't be read"));
    EXPECT_TRUE(mark->isVisible());
    EXPECT_EQ(mark->toolTip(), QStringLiteral("This folder can't be read"));

    // Back in a readable folder, the figures return.
    folders.navigateTo(QByteArray::fromStdString(tree.path("empty")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled(folders); }, kWaitMs));
    EXPECT_EQ(text(*tab, "folderTotal"), QStringLiteral("0 KB"));
    EXPECT_EQ(text(*tab, "folderCounts"), QStringLiteral("0 folders · 0 files"));
    EXPECT_FALSE(mark->isVisible());
}

TEST_F(FolderTabTest, ASandboxedRunOffersTheHintThenAWayToHideTheTab)
{
    overrideSandboxedForTesting(true);
    FolderProvider folders(options());
    auto tab = makeTab(folders);
    EXPECT_EQ(tab->browser(), nullptr);
    EXPECT_EQ(folders.scanGeneration(), 0u);
    auto* banner = tab->findChild<SandboxFeatureBanner*>();
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(text(*banner, "bannerTitle"), QStringLiteral("Folder browser unavailable"));
    EXPECT_EQ(text(*banner, "bannerDescription"), QStringLiteral("The sandbox restricts filesystem access."));

    banner->dismissButton()->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(text(*tab, "unavailableNote"), QStringLiteral("Folder browser is not available\nin the sandboxed version."));
    auto* hide = tab->findChild<QPushButton*>(QStringLiteral("hideTab"));
    ASSERT_NE(hide, nullptr);
    hide->click();
    EXPECT_FALSE(settings.boolValue(QLatin1String(SettingKeys::showFolderTab), true));
}

TEST(FolderRows, BarWidthColourAndSizeText)
{
    struct Bar {
        double fraction;
        double width;
        QColor color;
    };
    const QColor red = FolderRowDelegate::barColor(0.65);
    const QColor orange = FolderRowDelegate::barColor(0.35);
    const QColor accent = FolderRowDelegate::barColor(0.0);
    EXPECT_NE(red, orange);
    EXPECT_NE(orange, accent);
    const Bar bars[] = {
        {1.0, 300, red}, {1.0 / 3, 100, accent}, {0.0, 4, accent}, {0.5, 150, orange},
        {0.649, 194.7, orange}, {0.01, 4, accent}, {std::nan(""), 300, accent},
    };
    for (const Bar& b : bars) {
        SCOPED_TRACE(b.fraction);
        EXPECT_NEAR(FolderRowDelegate::barFillWidth(b.fraction, 300), b.width, 1e-9);
        if (!std::isnan(b.fraction)) {
            EXPECT_EQ(FolderRowDelegate::barColor(b.fraction), b.color);
        }
    }
    EXPECT_EQ(FolderRowDelegate::sizeText(QVariant::fromValue<quint64>(3072), false), QStringLiteral("3 KB"));
    EXPECT_EQ(FolderRowDelegate::sizeText(QVariant(), false), QStringLiteral("…"));
    EXPECT_EQ(FolderRowDelegate::sizeText(QVariant::fromValue<quint64>(0), true), QStringLiteral("Unreadable"));

    EXPECT_EQ(SizeProgressPanel::statusText(3, 10), QStringLiteral("Calculating 3 of 10 folders…"));
    EXPECT_EQ(SizeProgressPanel::statusText(0, 0), QStringLiteral("Calculating…"));
    SizeProgressPanel panel;
    panel.setProgress(3, 10);
    EXPECT_DOUBLE_EQ(panel.progress(), 0.3);
    panel.setProgress(0, 0);
    EXPECT_DOUBLE_EQ(panel.progress(), 0.0);
    EXPECT_DOUBLE_EQ(FileTypesCard::barShare({{"A", 200}, {"B", 100}}, 0), 1.0);
    EXPECT_DOUBLE_EQ(FileTypesCard::barShare({{"A", 200}, {"B", 100}}, 1), 0.5);
}
