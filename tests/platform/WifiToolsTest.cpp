#include "platform/WifiTools.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Dunmorra::Platform::WifiTools;

namespace {

// A folder of stand-in tools: shell scripts, started directly like the real binaries.
class ToolDir {
public:
    void add(const QString& name, const QByteArray& body, bool executable = true)
    {
        QFile f(m_dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + body + "\n");
        f.close();
        f.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                    : QFile::ReadOwner | QFile::WriteOwner);
    }
    QStringList dirs() const { return {m_dir.filePath(QStringLiteral("missing")), m_dir.path()}; }

private:
    QTemporaryDir m_dir;
};

} // namespace

TEST(WifiTools, ParsesTheFirstSsidLineOfIw)
{
    struct Case { QByteArray output; std::optional<QString> ssid; };
    const Case cases[] = {
        {"Connected to aa:bb:cc:dd:ee:ff (on wlan0)\n\tSSID: Cafe Net  \n\tfreq: 2412\n", QStringLiteral("Cafe Net")},
        {"\tBSSID: x\n          SSID: Home\n", QStringLiteral("Home")},
        {"\tSSID: \n\tSSID: Later\n", std::nullopt},             // the first SSID line decides
        {"\tSSID: Caf\\xc3\\xa9 \\x5cHQ\n", QString::fromUtf8("Caf\xc3\xa9 \\HQ")},
        {"Not connected.\n", std::nullopt},
        {"\tSSID: Bad\xff\n", std::nullopt},                     // output that is not UTF-8
    };
    for (const auto& c : cases)
        EXPECT_EQ(WifiTools::parseIwLink(c.output), c.ssid) << c.output.constData();
    EXPECT_EQ(WifiTools::parseIwgetid(" Attic\n"), QStringLiteral("Attic"));
    EXPECT_EQ(WifiTools::parseIwgetid("\n"), std::nullopt);
}

TEST(WifiTools, LaunchesToolsWithoutAShellAndBoundsTheirWait)
{
    ToolDir tools;
    // Prints a name only for exactly the expected argv; a shell would have split "wl an0".
    tools.add(QStringLiteral("iw"),
              R"([ "$#" = 3 ] && [ "$1" = dev ] && [ "$2" = "wl an0" ] && [ "$3" = link ] && printf '\tSSID: Home\n')");
    tools.add(QStringLiteral("iwgetid"), "exec sleep 30");
    const WifiTools wifi(tools.dirs(), std::chrono::milliseconds(300));

    EXPECT_EQ(wifi.ssidFromIw(QStringLiteral("wl an0")), QStringLiteral("Home"));
    EXPECT_EQ(wifi.ssidFromIw(QStringLiteral("wlan0; touch /tmp/x")), std::nullopt);
    EXPECT_EQ(wifi.ssidFromIwgetid(QStringLiteral("wlan0")), std::nullopt); // killed at the deadline
}

TEST(WifiTools, MissingOrNonExecutableToolsGiveNoName)
{
    ToolDir tools;
    tools.add(QStringLiteral("iwgetid"), "echo Home", false);
    const WifiTools wifi(tools.dirs(), std::chrono::milliseconds(500));
    EXPECT_EQ(wifi.ssidFromIw(QStringLiteral("wlan0")), std::nullopt);
    EXPECT_EQ(wifi.ssidFromIwgetid(QStringLiteral("wlan0")), std::nullopt);
    EXPECT_EQ(wifi.run(QStringLiteral("iwgetid"), {}), std::nullopt);
}
