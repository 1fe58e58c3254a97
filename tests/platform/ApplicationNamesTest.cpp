#include "platform/ApplicationNames.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

using namespace Dunmorra;

TEST(ApplicationNames, ProcessShortName)
{
    const std::string root = Dunmorra::Test::fixturePath("audio").toStdString();
    EXPECT_EQ(Platform::processShortName(4242, root), "mpv");
    EXPECT_EQ(Platform::processShortName(4243, root), "");
    EXPECT_EQ(Platform::processShortName(9999, root), "") << "process gone";
    EXPECT_EQ(Platform::processShortName(0, root), "");
}

TEST(ApplicationNames, DesktopEntryNamePrefersTheLocaleAndTheEntrySection)
{
    const QString folder = Dunmorra::Test::isolatedRoot() + QStringLiteral("/data/applications");
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto write = [&](const char* file, const char* text) {
        QFile f(folder + QLatin1Char('/') + QLatin1String(file));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write("org.example.Player.desktop",
          "[Desktop Entry]\nType=Application\nName=Music Player\nName[es]=Reproductor\n"
          "[Desktop Action New]\nName=New Window\n");
    write("org.example.Nameless.desktop", "[Desktop Entry]\nType=Application\n");

    const QLocale saved;
    QLocale::setDefault(QLocale(QStringLiteral("en_US")));
    EXPECT_EQ(Platform::desktopEntryName("org.example.Player"), "Music Player");
    QLocale::setDefault(QLocale(QStringLiteral("es_ES")));
    EXPECT_EQ(Platform::desktopEntryName("org.example.Player"), "Reproductor");
    QLocale::setDefault(saved);

    EXPECT_EQ(Platform::desktopEntryName("org.example.Nameless"), std::nullopt);
    EXPECT_EQ(Platform::desktopEntryName("org.example.Missing"), std::nullopt);
    EXPECT_EQ(Platform::desktopEntryName("../applications/org.example.Player"), std::nullopt);
}
