#include "tabs/folders/FolderItemActions.h"

#include "folders/FolderListModel.h"
#include "folders/FolderPath.h"
#include "folders/FolderProvider.h"
#include "model/DiskProvider.h"
#include "model/UserSettings.h"
#include "support/FixtureTree.h"
#include "support/SizingGate.h"
#include "support/ManualClock.h"
#include "tabs/folders/FolderBrowserPage.h"
#include "tabs/folders/FolderListCard.h"
#include "tabs/folders/FolderRowDelegate.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Dunmorra;
using Dunmorra::Test::FixtureTree;

namespace {

constexpr int kWaitMs = 20'000;

// The URLs the desktop would be asked to open.
struct OpenedUrls {
    QList<QUrl> urls;
    FolderItemActions::Opener opener()
    {
        return [this](const QUrl& url) { urls.append(url); };
    }
};

QStringList actionNames(const QMenu& menu)
{
    QStringList out;
    for (QAction* a : menu.actions())
        out << (a->isSeparator() ? QStringLiteral("|") : a->text());
    return out;
}

QAction* action(const QMenu& menu, const char* name)
{
    return menu.findChild<QAction*>(QLatin1String(name));
}

FolderItem item(const QByteArray& path, bool isDirectory)
{
    FolderItem i;
    i.path = path;
    i.isDirectory = isDirectory;
    return i;
}

// A Unix socket bound in the tree, closed again: the name stays behind.
bool makeSocket(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) {
        ::close(fd);
        return false;
    }
    std::copy(path.begin(), path.end(), addr.sun_path);
    const bool ok = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

} // namespace

TEST(FolderItemActions, MenusOpenFoldersAndShowOtherItems)
{
    FolderItemActions actions;
    QWidget parent;
    std::unique_ptr<QMenu> folderMenu(actions.menuFor(item("/t/dir", true), &parent));
    EXPECT_EQ(actionNames(*folderMenu), (QStringList{"Open in File Manager", "|", "Copy Path"}));
    std::unique_ptr<QMenu> fileMenu(actions.menuFor(item("/t/file", false), &parent));
    EXPECT_EQ(actionNames(*fileMenu), (QStringList{"Show in File Manager", "|", "Copy Path"}));
}

TEST(FolderItemActions, OpenAndCopyNameTheExactPath)
{
    OpenedUrls opened;
    FolderItemActions actions(Platform::FileManager(), opened.opener());
    QWidget parent;
    const QByteArray odd = "/t/my dir #1?/bad\xff";
    std::unique_ptr<QMenu> menu(actions.menuFor(item(odd, true), &parent));
    action(*menu, "openItem")->trigger();
    ASSERT_EQ(opened.urls.size(), 1);
    EXPECT_EQ(opened.urls[0].toEncoded(), QByteArray("file:///t/my%20dir%20%231%3F/bad%FF"));

    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    action(*menu, "copyPath")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(QStringLiteral("text/plain")), odd); // a plain path, not a URL
    EXPECT_FALSE(data->hasUrls());

    FolderItemActions::copyPath("/home/u/with spaces.txt");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("/home/u/with spaces.txt"));
}

TEST(FolderItemActions, WithoutAFileManagerShowOpensTheEnclosingFolder)
{
    OpenedUrls opened;
    FolderItemActions actions{Platform::FileManager(QDBusConnection(QStringLiteral("no bus here"))), opened.opener()};
    actions.showInFileManager("/t/sub/report 1.pdf");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !opened.urls.isEmpty(); }, kWaitMs));
    EXPECT_EQ(opened.urls, QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/t/sub"))});
}

// Names a program would trip on, and entries that must never be opened.
TEST(FolderBrowser, OddNamesAndSpecialFilesListWithoutHarm)
{
    FixtureTree tree;
    tree.dir("two\nlines").file("two\nlines/f", 10).dir("<b>bold<i>").file("<b>bold<i>/f", 20);
    tree.dir("bad\xff").file("bad\xff/f", 30).dir("loop").symlink(".", "loop/self").symlink("loop", "loop/../up");
    tree.dir("doomed").file("doomed/f", 40);
    ASSERT_EQ(::mkfifo(tree.path("fifo").c_str(), 0644), 0);
    const bool socket = makeSocket(tree.path("sock"));
    const bool device = ::mknod(tree.path("null").c_str(), S_IFCHR | 0644, makedev(1, 3)) == 0;

    Dunmorra::Test::SizingGate gate;
    FolderProviderOptions o;
    o.homePath = QByteArray::fromStdString(tree.root());
    o.sizeFolder = gate.sizer();
    FolderProvider folders(o);
    Dunmorra::Test::ManualClock clock;
    DiskProvider disk{{[] { return std::optional(std::vector<Platform::DiskCounters>{}); },
                       [] { return std::optional(Platform::FileSystemSpace{}); },
                       [] { return std::optional<std::string>("root"); }},
                      clock};
    FolderBrowserPage page(folders, disk);
    page.resize(900, 900);
    page.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !folders.isScanning() && folders.isComputingSizes(); }, kWaitMs));

    // A folder deleted while it waits to be sized.
    ::unlink(tree.path("doomed/f").c_str());
    ::rmdir(tree.path("doomed").c_str());
    gate.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !folders.isComputingSizes(); }, kWaitMs));
    page.grab(); // paints every visible row

    const FolderListModel& model = page.listModel();
    QMap<QByteArray, QModelIndex> rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows.insert(FolderPath::lastComponent(model.item(row).path), model.index(row));
    EXPECT_EQ(rows.value("two\nlines").data(Qt::DisplayRole).toString(), QStringLiteral("two\uFFFDlines"));
    EXPECT_EQ(rows.value("<b>bold<i>").data(Qt::DisplayRole).toString(), QStringLiteral("<b>bold<i>"));
    EXPECT_EQ(rows.value("bad\xff").data(FolderListModel::SizeBytesRole).toULongLong(), 30u);
    EXPECT_EQ(rows.value("loop").data(FolderListModel::SizeBytesRole).toULongLong(), 0u);
    EXPECT_FALSE(rows.contains("up")); // a link
    const QModelIndex doomed = rows.value("doomed");
    EXPECT_TRUE(doomed.data(FolderListModel::IsUnreadableRole).toBool());
    EXPECT_EQ(FolderRowDelegate::sizeText(doomed.data(FolderListModel::SizeBytesRole), true), QStringLiteral("Unreadable"));

    std::vector<QByteArray> special{"fifo"};
    if (socket)
        special.push_back("sock");
    if (device)
        special.push_back("null");
    for (const QByteArray& name : special) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(rows.contains(name));
        EXPECT_FALSE(rows.value(name).data(FolderListModel::IsDirectoryRole).toBool());
        EXPECT_EQ(rows.value(name).data(FolderListModel::SizeBytesRole).toULongLong(), 0u);
    }

    // The copied path is the name's own bytes.
    FolderItemActions::copyPath(rows.value("two\nlines").data(FolderListModel::PathRole).toByteArray());
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/plain")),
              QByteArray::fromStdString(tree.path("two\nlines")));
}
