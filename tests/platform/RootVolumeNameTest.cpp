#include "platform/RootVolumeName.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using Dunmorra::Platform::RootVolumeName;

TEST(RootVolumeName, PrefersTheLabelThenTheDeviceName)
{
    struct Case { const char* root; const char* expected; };
    const Case cases[] = {
        {"udev", "My Disk"},            // udev's encoded label
        {"bylabel", "Work Space"},      // by-label link to the last "/" mount's device
        {"mapper", "crypt-root"},       // a mapper name resolved to its dm node
        {"nolabel", "nvme0n1p2"},       // no label anywhere: the device
    };
    for (const auto& c : cases) {
        const auto root = Dunmorra::Test::fixturePath(QStringLiteral("volume/%1").arg(c.root)).toStdString();
        EXPECT_EQ(RootVolumeName(root).read(), std::optional<std::string>(c.expected)) << c.root;
    }
    EXPECT_FALSE(RootVolumeName("/nonexistent").read());
}

TEST(RootVolumeName, DecodesMountTableAndUdevEscapes)
{
    EXPECT_EQ(RootVolumeName::decodeOctalEscapes("/mnt/my\\040stick"), "/mnt/my stick");
    EXPECT_EQ(RootVolumeName::decodeOctalEscapes("trail\\04"), "trail\\04");
    EXPECT_EQ(RootVolumeName::decodeHexEscapes("a\\x2fb\\x"), "a/b\\x");
}
