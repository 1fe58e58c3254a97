#include "platform/RootVolumeName.h"

#include <gtest/gtest.h>

using Dunmorra::Platform::RootVolumeName;

TEST(RootVolumeName, TheLabelElseTheDeviceName)
{
    struct Case { RootVolumeName::Volume volume; std::optional<std::string> expected; };
    const Case cases[] = {
        {{"/dev/nvme0n1p2", "My Disk"}, "My Disk"},
        {{"/dev/nvme0n1p2", ""}, "nvme0n1p2"},              // no label is no failure
        {{"/dev/mapper/crypt-root", ""}, "crypt-root"},
        {{"rpool/ROOT/debian", ""}, "rpool/ROOT/debian"},   // a dataset is no path
        {{"", ""}, std::nullopt},
    };
    for (const Case& c : cases) {
        const RootVolumeName reader([&c] { return std::optional(c.volume); });
        EXPECT_EQ(reader.read(), c.expected) << c.volume.device << " [" << c.volume.label << "]";
    }
    EXPECT_FALSE(RootVolumeName([] { return std::optional<RootVolumeName::Volume>(); }).read());
}

TEST(RootVolumeName, ReadsThisMachinesSystemDisk)
{
    const auto name = RootVolumeName("/").read();
    ASSERT_TRUE(name);
    EXPECT_FALSE(name->empty());
    EXPECT_FALSE(RootVolumeName("/nonexistent").read());
}
