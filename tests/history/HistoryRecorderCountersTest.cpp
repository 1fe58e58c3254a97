// The day's byte totals, counted from the kernel's counters from one recorded
// minute to the next.
#include "history/HistoryRecorder.h"

#include "ScopedTimeZone.h"
#include "history/ReferenceTime.h"
#include "model/BatteryProvider.h"
#include "model/CPUProvider.h"
#include "model/DiskProvider.h"
#include "model/MemoryProvider.h"
#include "model/NetworkProvider.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace Dunmorra {
namespace {

using Dunmorra::Test::fixturePath;

constexpr std::uint64_t kMiB = 1 << 20;

double unixAt(QDate day, int hour, int minute, int second = 30)
{
    return static_cast<double>(QDateTime(day, QTime(hour, minute, second)).toSecsSinceEpoch());
}

DeviceCounters devices(std::initializer_list<std::pair<const char*, ByteCounts>> entries)
{
    DeviceCounters c;
    for (const auto& [name, counts] : entries)
        c.set(name, counts);
    return c;
}

struct Totals {
    double read = 0, written = 0, down = 0, up = 0;
    bool operator==(const Totals&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Totals& t)
{
    return out << "read " << t.read << ", written " << t.written << ", down " << t.down << ", up " << t.up;
}

Totals totalsOf(const DailySummary& s)
{
    return {s.totalDiskReadBytes(), s.totalDiskWriteBytes(), s.totalNetworkDownBytes(), s.totalNetworkUpBytes()};
}

class HistoryRecorderCountersTest : public ::testing::Test {
protected:
    std::unique_ptr<HistoryRecorder> makeRecorder()
    {
        return std::make_unique<HistoryRecorder>(clock, dir, [] { return std::optional<std::int64_t>(0); });
    }
    void record(HistoryRecorder& recorder, const HistoryRecorder::Counters& counters)
    {
        recorder.record(CPUSnapshot{}, MemorySnapshot{}, std::nullopt, network, DiskSnapshot{}, counters);
        clock.advance(60);
    }

    Dunmorra::Test::ScopedTimeZone zone{"Europe/Madrid"};
    QTemporaryDir tmp;
    QString dir = tmp.filePath(QStringLiteral("history"));
    QDate day{2026, 12, 9};
    Dunmorra::Test::ManualClock clock{unixAt(day, 14, 0)};
    NetworkSnapshot network = [] {
        NetworkSnapshot n;
        n.interfaceName = NetworkLabels::wifi;
        n.ssid = QStringLiteral("Home");
        return n;
    }();
};

// Minute by minute: each device adds its own growth. One that appears or
// comes back starts from its first reading, one that goes away or whose
// counter falls adds nothing for that counter that minute, and counts on from
// its new value the next.
TEST_F(HistoryRecorderCountersTest, EachDeviceAddsItsOwnGrowth)
{
    struct Minute {
        const char* what;
        DeviceCounters disk;     // read, written
        DeviceCounters network;  // received, sent
        Totals added;
    };
    const std::uint64_t big = 9'000'000'000;
    const Minute minutes[] = {
        {"both grow", devices({{"sda", {1500, 2600}}, {"nvme0n1", {5000, 100}}}), devices({{"enp5s0", {13000, 900}}}),
         {500, 800, 3000, 400}},
        {"a disk goes, an interface comes with its counter", devices({{"sda", {1600, 2600}}}),
         devices({{"enp5s0", {14000, 1000}}, {"wlan0", {big, big}}}), {100, 0, 1000, 100}},
        {"a disk is reset, one comes back, an interface goes", devices({{"sda", {10, 20}}, {"nvme0n1", {6000, 200}}}),
         devices({{"wlan0", {big + 50, big + 70}}}), {0, 0, 50, 70}},
        {"on from the new values", devices({{"sda", {110, 70}}, {"nvme0n1", {6100, 200}}}),
         devices({{"wlan0", {big + 60, big + 70}}}), {200, 50, 10, 0}},
        {"one counter falls, the other grows", devices({{"sda", {50, 170}}, {"nvme0n1", {6100, 200}}}),
         devices({{"wlan0", {big + 10, big + 75}}}), {0, 100, 0, 5}},
    };
    auto recorder = makeRecorder();
    recorder->countFrom({devices({{"sda", {1000, 1900}}, {"nvme0n1", {5000, 0}}}), devices({{"enp5s0", {10000, 500}}})});
    Totals expected;
    for (const Minute& m : minutes) {
        SCOPED_TRACE(m.what);
        record(*recorder, {m.disk, m.network});
        expected = {expected.read + m.added.read, expected.written + m.added.written, expected.down + m.added.down,
                    expected.up + m.added.up};
        EXPECT_EQ(totalsOf(recorder->current()), expected);
        EXPECT_EQ(recorder->current().networkSSIDs.at(QStringLiteral("Home")),
                  (NetworkSSIDStat{expected.up, expected.down}));
    }
    ASSERT_EQ(recorder->current().hours.size(), 1u);  // all within 14:00–14:04
}

// The minute that crosses midnight belongs to the new day: between them the
// two days hold every byte the counters moved, and none twice.
TEST_F(HistoryRecorderCountersTest, TheMinuteAcrossMidnightGoesToTheNewDay)
{
    clock.setWall(unixAt(day, 23, 58, 45));
    auto recorder = makeRecorder();
    recorder->countFrom({devices({{"sda", {0, 0}}}), devices({{"eth0", {0, 0}}})});
    record(*recorder, {devices({{"sda", {100, 200}}}), devices({{"eth0", {1000, 2000}}})});  // 23:58:45
    record(*recorder, {devices({{"sda", {150, 260}}}), devices({{"eth0", {1500, 2600}}})});  // 23:59:45
    record(*recorder, {devices({{"sda", {400, 900}}}), devices({{"eth0", {4000, 9000}}})});  // 00:00:45

    const auto yesterday = DayFile::read(DayFile::path(day, dir));
    ASSERT_TRUE(yesterday);
    EXPECT_EQ(totalsOf(*yesterday), (Totals{150, 260, 1500, 2600}));
    EXPECT_EQ(recorder->day(), day.addDays(1));
    ASSERT_EQ(recorder->current().hours.size(), 1u);
    EXPECT_EQ(recorder->current().hours[0].hour, 0);
    EXPECT_EQ(totalsOf(recorder->current()), (Totals{250, 640, 2500, 6400}));
    EXPECT_EQ(recorder->current().networkSSIDs.at(QStringLiteral("Home")), (NetworkSSIDStat{6400, 2500}));
}

// A machine as the fixture trees have it (whole disks and partitions, loop,
// device mapper and zram; a wired link, an idle USB one, loopback, a bridge,
// a veth and tunnels) whose counters the test writes as the kernel would.
class Machine {
public:
    Machine()
    {
        QDir root(m_root.path());
        root.mkpath(QStringLiteral("proc/net"));
        root.mkpath(QStringLiteral("sys/class"));
        QFile::link(fixturePath(QStringLiteral("disk/sys/block")), m_root.filePath(QStringLiteral("sys/block")));
        QFile::link(fixturePath(QStringLiteral("net/desktop/sys/class/net")), m_root.filePath(QStringLiteral("sys/class/net")));
        for (const char* name : {"sda", "sda1", "nvme0n1", "loop0", "dm-0", "zram0"})
            sectors[name] = {1'000'000, 2'000'000};
        for (const char* name : {"enp5s0", "lo", "docker0", "veth1a2b", "tun0"})
            bytes[name] = {5'000'000'000, 700'000'000};
        write();
    }
    std::string root() const { return m_root.path().toStdString(); }

    void write(bool netReadable = true)
    {
        QByteArray disk;
        for (const auto& [name, s] : sectors)
            disk += QByteArray("   8       0 ") + name.c_str() + " 10 0 " + QByteArray::number(qulonglong(s.in))
                    + " 5 20 0 " + QByteArray::number(qulonglong(s.out)) + " 7 0 12 12 0 0 0 0\n";
        replace(QStringLiteral("proc/diskstats"), disk);
        if (!netReadable) {
            QFile::remove(m_root.filePath(QStringLiteral("proc/net/dev")));
            return;
        }
        QByteArray net = "Inter-|   Receive                                                |  Transmit\n"
                         " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets errs drop fifo colls carrier compressed\n";
        for (const auto& [name, b] : bytes)
            net += QByteArray(name.c_str()) + ": " + QByteArray::number(qulonglong(b.in)) + " 10 0 0 0 0 0 0 "
                   + QByteArray::number(qulonglong(b.out)) + " 10 0 0 0 0 0 0 0\n";
        replace(QStringLiteral("proc/net/dev"), net);
    }

    std::map<std::string, ByteCounts> sectors;  // read, written
    std::map<std::string, ByteCounts> bytes;    // received, sent

private:
    void replace(const QString& relative, const QByteArray& text)
    {
        QFile file(m_root.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }
    QTemporaryDir m_root;
};

std::shared_ptr<const ConnectionResolver> homeWifi()
{
    ConnectionResolver::Sources s;
    s.wirelessInterfaces = [] { return std::vector<std::string>{"wlan0"}; };
    s.traits = [](const std::string&) { return Platform::InterfaceTraits{true, true, false, "up"}; };
    s.networkManager = [](const QString&) { return std::optional<QString>(QStringLiteral("Home")); };
    return std::make_shared<const ConnectionResolver>(std::move(s));
}

// The providers pass every second and the recorder every minute over a fixture
// clock, while the counters move in bursts half-way between the minutes: a
// rate read at the minute sees none of them, the counted totals hold every
// byte. Bytes before the providers' start are not the day's; those between
// the start and the first pass are. Along the way an interface appears with
// its whole counter, a disk goes away, the interface list fails across a
// minute and once holds no counted interface, and the noise of partitions,
// loop, dm, zram, loopback, the bridge, the veth and the tunnel never counts.
TEST_F(HistoryRecorderCountersTest, MinutesSteppedOverFixtureTreesAddUpToTheByte)
{
    clock.setWall(unixAt(day, 9, 55, 0));
    Machine machine;
    DiskProvider disk(DiskProvider::linuxReaders(machine.root()), clock);
    NetworkProvider net(NetworkProvider::linuxReaders(machine.root()), homeWifi(), clock);
    CPUProvider cpu({}, [] { return Platform::ChipFacts{}; }, &Dunmorra::Test::emptyScanCache(), clock);
    MemoryProvider memory([] { return std::optional<Platform::VmStats>(); }, &Dunmorra::Test::emptyScanCache(), clock);
    BatteryProvider battery([] { return std::vector<Platform::BatteryReading>(); }, clock);
    disk.start(std::chrono::hours(1));
    net.start(std::chrono::hours(1));
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return !net.isRefreshing(); }));
    auto recorder = makeRecorder();
    recorder->start(&cpu, &memory, &battery, &net, &disk);

    Totals expected;
    const auto burst = [&](const std::string& name, std::uint64_t readSectors, std::uint64_t writtenSectors) {
        machine.sectors[name].in += readSectors;
        machine.sectors[name].out += writtenSectors;
        expected.read += static_cast<double>(readSectors * 512);
        expected.written += static_cast<double>(writtenSectors * 512);
    };
    const auto traffic = [&](const std::string& name, std::uint64_t received, std::uint64_t sent) {
        machine.bytes[name].in += received;
        machine.bytes[name].out += sent;
        expected.down += static_cast<double>(received);
        expected.up += static_cast<double>(sent);
    };
    const auto noise = [&] {
        for (const char* name : {"sda1", "loop0", "dm-0", "zram0"})
            machine.sectors[name].out += 999'999;
        for (const char* name : {"lo", "docker0", "veth1a2b", "tun0"})
            machine.bytes[name].in += 99'999'999;
    };

    // Between the start's reading and the first pass: the first minute's.
    burst("sda", 2048, 4096);
    traffic("enp5s0", 5 * kMiB, kMiB);
    machine.write();

    const int kMinutes = 12;  // 09:56 to 10:07
    for (int minute = 1; minute <= kMinutes; ++minute) {
        for (int second = 1; second <= 60; ++second) {
            clock.advance(1);
            bool netReadable = true;
            if (second == 30) {
                burst("sda", 0, 256 * kMiB / 512);
                if (machine.sectors.count("nvme0n1"))
                    burst("nvme0n1", minute * 1000, 8);
                traffic("enp5s0", minute * 3 * kMiB, 200'000 + minute);
                if (minute >= 5)
                    traffic("enx0011idle", 7777, 1111);
                noise();
            }
            if (minute == 4 && second == 45)
                machine.bytes["enx0011idle"] = {6'000'000'000, 2'000'000'000};  // plugged in: not this minute's
            if (minute == 8 && second == 40) {
                // Unplugged before the minute is recorded: a device that is
                // gone adds nothing for its last minute.
                machine.sectors.erase("nvme0n1");
                expected.read -= 8000.0 * 512;
                expected.written -= 8.0 * 512;
            }
            if ((minute == 6 && second >= 55) || (minute == 7 && second <= 5))
                netReadable = false;  // across the minute: the recorder counts on from before it
            if (minute == 9 && second == 10) {
                const auto all = machine.bytes;
                machine.bytes = {{"lo", all.at("lo")}};  // a list with nothing that counts
                machine.write();
                disk.sample();
                net.sample();
                machine.bytes = all;
            }
            machine.write(netReadable);
            disk.sample();
            net.sample();
        }
        // The rates at the minute saw no burst.
        EXPECT_EQ(disk.current().writeBytesPerSec, 0.0);
        recorder->loop().runPassNow();
        EXPECT_EQ(totalsOf(recorder->current()), expected) << "minute " << minute;
    }

    const DailySummary& s = recorder->current();
    ASSERT_EQ(s.recordedMinutes(), kMinutes);
    ASSERT_EQ(s.hours.size(), 2u);  // 09:56–09:59 and 10:00–10:07
    EXPECT_EQ(s.hours[0].cpu.count, 4);
    EXPECT_GT(expected.written, 12.0 * 256 * kMiB);
    EXPECT_EQ(s.networkSSIDs.at(QStringLiteral("Home")), (NetworkSSIDStat{expected.up, expected.down}));

    // And the day file read back holds the same bytes.
    ASSERT_TRUE(recorder->saveNow());
    const auto file = DayFile::read(DayFile::path(day, dir));
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, s);
    EXPECT_EQ(totalsOf(*file), expected);
    Dunmorra::Test::finishBackgroundJobs();
}

} // namespace
} // namespace Dunmorra
