#include "platform/DefaultRoute.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Dunmorra::Platform::DefaultRoute;

namespace {

void write(const QString& path, const char* text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

constexpr const char* kHeader = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

} // namespace

TEST(DefaultRoute, ContainerFixtureRoutesThroughItsVeth)
{
    const DefaultRoute routes(std::string(HALVORIN_FIXTURES) + "/net/container");
    EXPECT_EQ(routes.interfaces(), std::vector<std::string>{"eth0"});
}

TEST(DefaultRoute, OnlyUsableDefaultRoutesOfEitherFamilyCount)
{
    struct Case {
        const char* label;
        std::string ipv4;
        const char* ipv6;
        std::vector<std::string> expected;
    };
    const std::string h = kHeader;
    const Case cases[] = {
        {"none", h + "eth0\t000011AC\t00000000\t0001\t0\t0\t0\t0000FFFF\t0\t0\t0\n", "", {}},
        {"down", h + "eth0\t00000000\t010011AC\t0002\t0\t0\t0\t00000000\t0\t0\t0\n", "", {}},
        {"reject", h + "eth0\t00000000\t00000000\t0201\t0\t0\t0\t00000000\t0\t0\t0\n", "", {}},
        {"two, one repeated",
         h + "wlan0\t00000000\t0100A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
             "eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n",
         "00000000000000000000000000000000 00 00000000000000000000000000000000 00 fe800000000000000000000000000001 "
         "00000400 00000002 00000000 00000003     eth0\n",
         {"eth0", "wlan0"}},
        {"IPv6 only; lo's unreachable default is none",
         h,
         "00000000000000000000000000000000 00 00000000000000000000000000000000 00 00000000000000000000000000000000 "
         "ffffffff 00000001 00000000 00200200       lo\n"
         "00000000000000000000000000000000 00 00000000000000000000000000000000 00 fe800000000000000000000000000001 "
         "00000400 00000002 00000000 00000003     wwan0\n"
         "20010db8000000000000000000000000 20 00000000000000000000000000000000 00 00000000000000000000000000000000 "
         "00000100 00000001 00000000 00000001     eth1\n",
         {"wwan0"}},
    };
    for (const Case& c : cases) {
        QTemporaryDir root;
        QDir(root.path()).mkpath(QStringLiteral("proc/net"));
        write(root.filePath(QStringLiteral("proc/net/route")), c.ipv4.c_str());
        write(root.filePath(QStringLiteral("proc/net/ipv6_route")), c.ipv6);
        EXPECT_EQ(DefaultRoute(root.path().toStdString()).interfaces(), c.expected) << c.label;
    }
    QTemporaryDir empty;
    EXPECT_TRUE(DefaultRoute(empty.path().toStdString()).interfaces().empty());
}
