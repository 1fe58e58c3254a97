#include "platform/LoginItem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Dunmorra::Platform;

namespace {

struct Autostart {
    QTemporaryDir root;
    std::string dir = root.filePath(QStringLiteral("config/autostart")).toStdString();
    LoginItem item{dir, "halvorin", "/opt/Halvorin/bin/halvorin"};

    void write(const QByteArray& text) const
    {
        QDir().mkpath(QString::fromStdString(dir));
        QFile f(QString::fromStdString(item.entryPath()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
};

} // namespace

TEST(LoginItem, EnableWritesAnEntryThatDisableRemoves)
{
    Autostart a;
    EXPECT_FALSE(a.item.isEnabled());
    EXPECT_EQ(a.item.enable(), std::nullopt); // creates the missing folders
    EXPECT_TRUE(a.item.isEnabled());
    QFile f(QString::fromStdString(a.item.entryPath()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(text.contains("\nExec=\"/opt/Halvorin/bin/halvorin\"\n"));
    EXPECT_TRUE(text.contains("\nType=Application\n"));
    EXPECT_EQ(a.item.disable(), std::nullopt);
    EXPECT_FALSE(a.item.isEnabled());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(a.item.entryPath())));
    EXPECT_EQ(a.item.disable(), std::nullopt); // already gone
}

TEST(LoginItem, OnlyAVisibleApplicationEntryCountsAsOn)
{
    struct Case {
        const char* text;
        bool enabled;
    } cases[] = {
        {"[Desktop Entry]\nType=Application\nExec=halvorin\n", true},
        {"[Desktop Entry]\nType = Application\nHidden = false\n", true},
        {"[Desktop Entry]\nType=Application\nHidden=true\n", false},
        {"[Desktop Entry]\nType=Application\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nType=Link\n", false},
        {"[Other]\nType=Application\n", false},
        {"[Desktop Entry]\nType=Application\n[Desktop Action x]\nHidden=true\n", true},
        {"# written by hand\n[Desktop Entry]\nType=Application\nHidden=1\n", false},
        {"[Desktop Entry]\nType=Application\nX-GNOME-Autostart-enabled=0\n", false},
        {"[Desktop Entry]\nType=Application\nHidden=maybe\n", true},
        {"[Desktop Entry]\nType=Application\nType=Link\n", false},
        {"", false},
    };
    for (const Case& c : cases) {
        Autostart a;
        a.write(c.text);
        EXPECT_EQ(a.item.isEnabled(), c.enabled) << c.text;
    }
}

TEST(LoginItem, EnableOverHiddenEntryTurnsItOn)
{
    Autostart a;
    a.write("[Desktop Entry]\nType=Application\nHidden=true\n");
    EXPECT_EQ(a.item.enable(), std::nullopt);
    EXPECT_TRUE(a.item.isEnabled());
}

TEST(LoginItem, AFileInPlaceOfTheFolderGivesAnErrorText)
{
    QTemporaryDir root;
    const QString blocked = root.filePath(QStringLiteral("autostart"));
    QFile f(blocked);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    LoginItem item(blocked.toStdString(), "halvorin", "/usr/bin/halvorin");
    const auto error = item.enable();
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->empty());
    EXPECT_FALSE(item.isEnabled());
}

TEST(LoginItem, ExecArgumentIsQuotedForTheLauncher)
{
    struct Case {
        const char* program;
        const char* exec;
    } cases[] = {
        {"/usr/bin/halvorin", R"("/usr/bin/halvorin")"},
        {"/home/a b/halvorin", R"("/home/a b/halvorin")"},
        {"/opt/100%/h", R"("/opt/100%%/h")"},
        {"/opt/$HOME/`x`/\"q\"", R"("/opt/\\$HOME/\\`x\\`/\\"q\\"")"},
        {"/opt/back\\slash", R"("/opt/back\\\\slash")"},
        {"/opt/new\nline", R"("/opt/new\nline")"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(desktopExecArgument(c.program), c.exec) << c.program;
}
