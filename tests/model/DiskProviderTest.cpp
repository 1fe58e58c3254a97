#include "model/DiskProvider.h"

#include "support/ManualClock.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Dunmorra;
namespace support = Dunmorra::Test;

namespace {

// A root whose /sys/block is the fixture tree and whose /proc/diskstats the
// test swaps between readings.
class DiskRoot {
public:
    DiskRoot()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("proc"));
        QFile::link(support::fixturePath(QStringLiteral("disk/sys")), m_dir.filePath(QStringLiteral("sys")));
    }
    std::string path() const { return m_dir.path().toStdString(); }
    void use(const char* reading)
    {
        const QString target = m_dir.filePath(QStringLiteral("proc/diskstats"));
        QFile::remove(target);
        if (reading)
            QFile::copy(support::fixturePath(QStringLiteral("disk/%1").arg(reading)), target);
    }

private:
    QTemporaryDir m_dir;
};

struct FakeVolume {
    std::optional<Platform::FileSystemSpace> space = Platform::FileSystemSpace{1000, 400};
    std::optional<std::string> name = std::string("nvme0n1p2");
};

DiskProvider::Readers readers(const DiskRoot& root, FakeVolume& volume)
{
    auto r = DiskProvider::linuxReaders(root.path());
    r.space = [&volume] { return volume.space; };
    r.volumeName = [&volume] { return volume.name; };
    return r;
}

} // namespace

TEST(DiskProvider, RatesCountOnlyWholePhysicalDisks)
{
    DiskRoot root;
    FakeVolume volume;
    support::ManualClock clock;
    DiskProvider provider(readers(root, volume), clock);
    root.use("diskstats-1");
    provider.start(std::chrono::hours(1));
    EXPECT_TRUE(provider.history().isEmpty()); // the start only records the baseline

    root.use("diskstats-2");
    clock.advance(1.0);
    provider.sample();
    // sda +50 and nvme0n1 +50 sectors; partitions, loop, dm and zram growth is ignored
    EXPECT_DOUBLE_EQ(provider.current().readBytesPerSec, 100 * 512.0);
    EXPECT_DOUBLE_EQ(provider.current().writeBytesPerSec, 4 * 512.0);
    EXPECT_EQ(provider.current().volumeName, QStringLiteral("nvme0n1p2"));
    EXPECT_EQ(provider.history().size(), 1);
    // The cumulative counters beside the rates, disk by disk.
    EXPECT_EQ(provider.counters().devices(),
        (std::map<std::string, ByteCounts>{
            {"nvme0n1", {250 * 512, 0}}, {"sda", {150 * 512, 1004 * 512}}, {"sr0", {2 * 512, 0}}}));

    // nvme0n1 unplugged: its share ends, and sda's growth still counts
    // (the sum of all disks fell, which is no reason to report nothing).
    root.use("diskstats-3");
    clock.advance(2.0);
    provider.sample();
    EXPECT_DOUBLE_EQ(provider.current().readBytesPerSec, 10 * 512.0 / 2.0);
    EXPECT_DOUBLE_EQ(provider.current().writeBytesPerSec, 8 * 512.0 / 2.0);
    EXPECT_EQ(provider.counters().devices(),
        (std::map<std::string, ByteCounts>{{"sda", {160 * 512, 1012 * 512}}, {"sr0", {2 * 512, 0}}}));

    // nvme0n1 back with its whole counter, and sda's counters reset lower:
    // neither is a burst of this second.
    root.use("diskstats-2");
    clock.advance(1.0);
    provider.sample();
    EXPECT_EQ(provider.current().readBytesPerSec, 0.0);
    EXPECT_EQ(provider.current().writeBytesPerSec, 0.0);
}

TEST(DiskProvider, PassesTooCloseTogetherRepublishAndMoveTheBaseline)
{
    DiskRoot root;
    FakeVolume volume;
    support::ManualClock clock;
    DiskProvider provider(readers(root, volume), clock);
    root.use("diskstats-1");
    provider.readIOStatistics();
    root.use("diskstats-2");
    clock.advance(1.0);
    provider.sample();
    const DiskSnapshot first = provider.current();

    root.use("diskstats-3");
    clock.advance(0.05);
    provider.sample();
    EXPECT_EQ(provider.current(), first);
    EXPECT_EQ(provider.history().size(), 2);

    // the 0.05 s reading became the baseline: no change since then gives 0
    clock.advance(1.0);
    provider.sample();
    EXPECT_EQ(provider.current().writeBytesPerSec, 0.0);
}

TEST(DiskProvider, UnreadableCountersPublishNothingAndKeepTheBaselineTime)
{
    DiskRoot root;
    FakeVolume volume;
    support::ManualClock clock;
    DiskProvider provider(readers(root, volume), clock);
    root.use("diskstats-1");
    provider.readIOStatistics();

    root.use(nullptr);
    clock.advance(1.0);
    provider.sample();
    EXPECT_TRUE(provider.history().isEmpty());
    EXPECT_EQ(provider.current(), DiskSnapshot::initial());

    root.use("diskstats-2");
    clock.advance(1.0);
    provider.sample();
    EXPECT_DOUBLE_EQ(provider.current().readBytesPerSec, 100 * 512.0 / 2.0);
}

TEST(DiskProvider, VolumeNameAndSizesFallBackIndependently)
{
    DiskRoot root;
    root.use("diskstats-1");
    FakeVolume volume;
    support::ManualClock clock;
    DiskProvider provider(readers(root, volume), clock);
    const auto pass = [&] { clock.advance(1.0); provider.sample(); };

    volume.name.reset();
    volume.space = Platform::FileSystemSpace{1000, 1500}; // more free than total
    pass();
    EXPECT_EQ(provider.current().volumeName, DiskSnapshot::initial().volumeName);
    EXPECT_EQ(provider.current().volumeTotalBytes, 1000u);
    EXPECT_EQ(provider.current().volumeFreeBytes, 1500u);
    EXPECT_EQ(provider.current().volumeUsedBytes, 0u);

    volume.name = "root";
    volume.space = Platform::FileSystemSpace{1000, 400};
    pass();
    volume.space.reset();
    pass();
    EXPECT_EQ(provider.current().volumeName, QStringLiteral("root"));
    EXPECT_EQ(provider.current().volumeTotalBytes, 1000u);
    EXPECT_EQ(provider.current().volumeUsedBytes, 600u);
    EXPECT_EQ(provider.current().volumeFreeBytes, 400u);

    // Blocks reserved for root are neither used nor free, as df reports them.
    volume.space = Platform::FileSystemSpace{1000, 400, 50};
    pass();
    EXPECT_EQ(provider.current().volumeTotalBytes, 1000u);
    EXPECT_EQ(provider.current().volumeUsedBytes, 550u);
    EXPECT_EQ(provider.current().volumeFreeBytes, 400u);
}

TEST(DiskProvider, MissingBlockDirectoryIsAFailedReading)
{
    QTemporaryDir empty;
    QDir(empty.path()).mkpath(QStringLiteral("proc"));
    QFile::copy(support::fixturePath(QStringLiteral("disk/diskstats-1")), empty.filePath(QStringLiteral("proc/diskstats")));
    EXPECT_FALSE(Platform::BlockDeviceStats(empty.path().toStdString()).read());
}

TEST(DiskProvider, SmokeOnThisMachine)
{
    support::ManualClock clock;
    DiskProvider provider(DiskProvider::linuxReaders("/"), clock);
    provider.start(std::chrono::hours(1));
    clock.advance(1.0);
    provider.sample();
    ASSERT_EQ(provider.history().size(), 1);
    const auto& s = provider.current();
    EXPECT_GE(s.readBytesPerSec, 0.0);
    EXPECT_GT(s.volumeTotalBytes, 0u);
    // The root reserve counts in neither figure.
    EXPECT_LE(s.volumeUsedBytes + s.volumeFreeBytes, s.volumeTotalBytes);
    EXPECT_FALSE(s.volumeName.isEmpty());
}
