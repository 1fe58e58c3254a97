#include "components/Palette.h"
#include "tabs/overview/OverviewAudioCard.h"
#include "tabs/overview/OverviewBatteryCard.h"
#include "tabs/overview/OverviewCpuCard.h"
#include "tabs/overview/OverviewMemoryCard.h"
#include "tabs/overview/OverviewNetworkCard.h"
#include "tabs/overview/OverviewPieces.h"
#include "tabs/overview/OverviewStorageCard.h"
#include "tabs/overview/OverviewTab.h"

#include <QLocale>

#include <gtest/gtest.h>

using namespace Dunmorra;
using Kind = AudioSnapshot::Device::TransportKind;

namespace {

class OverviewRules : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

HourBucket bucket(int hour, BucketStat battery)
{
    HourBucket b = HourBucket::forHour(hour);
    b.batteryPercent = battery;
    return b;
}

} // namespace

TEST_F(OverviewRules, DayLabels)
{
    const QDate today(2026, 12, 10);
    EXPECT_EQ(OverviewTab::dayLabel(QDate(), today), QStringLiteral("Live"));
    EXPECT_EQ(OverviewTab::dayLabel(today.addDays(-1), today), QStringLiteral("Yesterday"));
    EXPECT_EQ(OverviewTab::dayLabel(today.addDays(-2), today), QStringLiteral("Dec 8, 2026"));
    EXPECT_EQ(OverviewTab::dayLabel(QDate(2026, 3, 5), today), QStringLiteral("Mar 5, 2026"));
}

TEST_F(OverviewRules, CpuMemoryAndBatteryTexts)
{
    const std::pair<int, const char*> samples[] = {{0, "Collecting…"}, {9, "Collecting…"}, {10, "Last 10 s"},
                                                   {60, "Last 60 s"}};
    for (const auto& [n, text] : samples)
        EXPECT_EQ(OverviewCpuCard::liveCaption(n), QString::fromUtf8(text)) << n;
    EXPECT_EQ(OverviewCpuCard::recordedCaption(62.9), QString::fromUtf8("Peak 62%  ·  Hourly avg, 24 h"));
    EXPECT_EQ(OverviewCpuCard::recordedCaption(1e300), QString::fromUtf8("Peak 9,223,372,036,854,776,000%  ·  Hourly avg, 24 h"));

    MemorySnapshot none;   // a total that reads 0: no division
    none.usedBytes = 5;
    EXPECT_EQ(OverviewMemoryCard::liveFigures(none).fraction, 0.0);
    EXPECT_EQ(OverviewMemoryCard::liveCaption(none), QString::fromUtf8("of 0 GB  ·  nominal"));
    MemorySnapshot half;
    half.totalBytes = 16ULL << 30;
    half.usedBytes = 8ULL << 30;
    half.pressure = MemorySnapshot::MemoryPressure::warning;
    EXPECT_EQ(OverviewMemoryCard::liveFigures(half).valueGB, 8.0);
    EXPECT_EQ(OverviewMemoryCard::liveFigures(half).fraction, 0.5);
    EXPECT_EQ(OverviewMemoryCard::liveCaption(half), QString::fromUtf8("of 16 GB  ·  warning"));
    EXPECT_EQ(OverviewMemoryCard::recordedCaption(11.44), QString::fromUtf8("Avg · Peak 11.4 GB"));

    DailySummary day;
    HourBucket b = HourBucket::forHour(9);
    b.memoryGB = {1.5, 3, 0.6, 0};
    day.hours.push_back(b);
    // Less than 1 GB of memory now: the day is measured against 1 GB.
    EXPECT_EQ(OverviewMemoryCard::recordedFigures(day, 512ULL << 20).fraction, 0.5);
    EXPECT_EQ(OverviewMemoryCard::recordedFigures(day, 4ULL << 30).fraction, 0.125);

    EXPECT_EQ(OverviewMemoryCard::pressureColor(MemorySnapshot::MemoryPressure::nominal), palettePrimary());
    EXPECT_EQ(OverviewMemoryCard::pressureColor(MemorySnapshot::MemoryPressure::warning), paletteOrange());
    EXPECT_EQ(OverviewMemoryCard::pressureColor(MemorySnapshot::MemoryPressure::critical), paletteRed());

    EXPECT_EQ(OverviewBatteryCard::levelColor(20), paletteGreen());
    EXPECT_EQ(OverviewBatteryCard::levelColor(19), paletteRed());
    EXPECT_EQ(OverviewBatteryCard::levelColor(0), paletteRed());

    // The first and last hours that hold a battery figure, truncated; an hour
    // without one (no battery then) is not a 0 % reading.
    DailySummary battery;
    EXPECT_FALSE(OverviewBatteryCard::dayLevels(battery));
    battery.hours = {bucket(8, {}), bucket(9, {285, 3, 96, 0}), bucket(10, {238.8, 3, 80, 0}), bucket(11, {})};
    const auto levels = OverviewBatteryCard::dayLevels(battery);
    ASSERT_TRUE(levels);
    EXPECT_EQ(levels->start, 95);
    EXPECT_EQ(levels->end, 79);
    EXPECT_EQ(OverviewBatteryCard::recordedCaption(*levels), QString::fromUtf8("Started 95%  ·  Ended 79%"));
    battery.hours = {bucket(8, {}), bucket(9, {500, 0, 0, 0})};   // a sum without a count
    EXPECT_FALSE(OverviewBatteryCard::dayLevels(battery));
}

TEST_F(OverviewRules, StorageColoursAndUptimeTexts)
{
    EXPECT_EQ(OverviewStorageCard::usedFraction(5, 0), 0.0);
    EXPECT_EQ(OverviewStorageCard::usedFraction(70, 100), 0.7);
    EXPECT_GT(OverviewStorageCard::usedFraction(200, 100), 1.0);
    const std::pair<double, QColor> colours[] = {{0.0, accentColor()},    {0.699, accentColor()}, {0.7, paletteOrange()},
                                                 {0.879, paletteOrange()}, {0.88, paletteRed()},   {1.5, paletteRed()}};
    for (const auto& [fraction, colour] : colours)
        EXPECT_EQ(OverviewStorageCard::usageColor(fraction), colour) << fraction;

    struct Case {
        Uptime uptime;
        const char* figure;
        const char* detail;   // null: no detail line
    };
    const Case cases[] = {
        {{0, 0, 5}, "5m", nullptr}, {{0, 2, 7}, "2h", "7m"},       {{1, 0, 0}, "1d", "0h 0m"},
        {{3, 4, 12}, "3d", "4h 12m"}, {{0, 0, 0}, "0m", nullptr}, {{-2, -1, -5}, "-5m", nullptr},
    };
    for (const Case& c : cases) {
        const auto texts = OverviewStorageCard::uptimeTexts(c.uptime);
        EXPECT_EQ(texts.figure, QLatin1String(c.figure));
        EXPECT_EQ(texts.detail.has_value(), c.detail != nullptr) << c.figure;
        if (c.detail && texts.detail) {
            EXPECT_EQ(*texts.detail, QLatin1String(c.detail));
        }
    }
}

TEST_F(OverviewRules, AudioSymbolsVolumesAndApplications)
{
    using Device = AudioSnapshot::Device;
    const auto device = [](Kind kind, float volume, bool muted) {
        Device d;
        d.name = QStringLiteral("Speakers");
        d.transport = kind;
        d.volume = volume;
        d.isMuted = muted;
        return std::optional<Device>(d);
    };
    EXPECT_EQ(OverviewAudioCard::outputSymbol(std::nullopt), QStringLiteral("speaker.slash.fill"));
    EXPECT_EQ(OverviewAudioCard::outputSymbol(device(Kind::bluetooth, 0.5f, true)), QStringLiteral("speaker.slash.fill"));
    EXPECT_EQ(OverviewAudioCard::outputSymbol(device(Kind::bluetooth, 0.5f, false)), QStringLiteral("headphones"));
    EXPECT_EQ(OverviewAudioCard::outputSymbol(device(Kind::hdmi, 0.5f, false)), QStringLiteral("display"));
    EXPECT_EQ(OverviewAudioCard::outputSymbol(device(Kind::builtIn, 0.5f, false)), QStringLiteral("hifispeaker.fill"));

    EXPECT_FALSE(OverviewAudioCard::volumeText(std::nullopt));
    EXPECT_FALSE(OverviewAudioCard::volumeText(device(Kind::usb, -1, false)));
    EXPECT_EQ(OverviewAudioCard::volumeText(device(Kind::usb, 0.505f, false)), QStringLiteral("50%"));
    EXPECT_EQ(OverviewAudioCard::volumeText(device(Kind::usb, 1.0f, false)), QStringLiteral("100%"));
    EXPECT_EQ(OverviewAudioCard::volumeText(device(Kind::usb, 0.3f, true)), QStringLiteral("Muted"));

    QList<AudioSnapshot::AudioProcess> apps;
    EXPECT_EQ(OverviewAudioCard::appsText(apps), QStringLiteral("No audio at this moment."));
    apps.append({QStringLiteral("a"), QStringLiteral("Music\nPlayer"), {}, {}, false, true, {}});
    EXPECT_EQ(OverviewAudioCard::appsText(apps), QStringLiteral("Music\uFFFDPlayer"));
    apps.append({QStringLiteral("b"), QStringLiteral("Video"), {}, {}, false, true, {}});
    EXPECT_EQ(OverviewAudioCard::appsText(apps), QString::fromUtf8("Music\uFFFDPlayer · Video"));
    for (int i = 0; i < 3; ++i)
        apps.append({QStringLiteral("c%1").arg(i), QStringLiteral("C"), {}, {}, false, true, {}});
    EXPECT_EQ(OverviewAudioCard::appsText(apps), QStringLiteral("5 apps using audio"));
}

TEST_F(OverviewRules, NetworkTitlesAndSymbols)
{
    struct Case {
        std::vector<const char*> names;   // equal totals: listed by name
        std::optional<QString> chosen;
        const char* title;
        const char* symbol;
    };
    const Case cases[] = {
        {{"Ethernet"}, std::nullopt, "Ethernet", "cable.connector"},
        {{"Home"}, std::nullopt, "Home", "wifi"},
        {{"Home", "Cafe", "Ethernet"}, std::nullopt, "Multiple Networks", "network"},
        {{"Home", "Cafe", "Ethernet"}, QStringLiteral("Cafe"), "Cafe", "wifi"},
        {{"Home", "Cafe", "Ethernet"}, QStringLiteral("Ethernet"), "Ethernet", "cable.connector"},
        {{"Home", "Office"}, QStringLiteral("Cafe"), "Multiple Networks", "network"},   // not that day's network
        {{}, std::nullopt, "No networks recorded", "network"},
    };
    for (const Case& c : cases) {
        DailySummary day;
        for (const char* name : c.names)
            day.networkSSIDs[QLatin1String(name)] = {1000, 1000};
        NetworkFilter filter;
        filter.setNetworks(day.sortedNetworks());
        filter.setSelection(c.chosen);
        EXPECT_EQ(OverviewNetworkCard::recordedTitle(filter), QLatin1String(c.title)) << c.title;
        EXPECT_EQ(OverviewNetworkCard::recordedSymbol(filter), QLatin1String(c.symbol)) << c.title;
    }

    NetworkSnapshot now;
    now.interfaceName = NetworkLabels::notConnected;
    EXPECT_EQ(OverviewNetworkCard::liveSymbol(now), QStringLiteral("wifi.slash"));
    now.interfaceName = NetworkLabels::ethernet;
    EXPECT_EQ(OverviewNetworkCard::liveSymbol(now), QStringLiteral("cable.connector"));
    now.interfaceName = NetworkLabels::cellular;
    EXPECT_EQ(OverviewNetworkCard::liveSymbol(now), QStringLiteral("antenna.radiowaves.left.and.right"));
    now.interfaceName = NetworkLabels::wifi;
    EXPECT_EQ(OverviewNetworkCard::liveSymbol(now), QStringLiteral("wifi"));
    now.interfaceName = NetworkLabels::notConnected;
    now.ssid = QStringLiteral("Home");
    EXPECT_EQ(OverviewNetworkCard::liveSymbol(now), QStringLiteral("wifi"));
}

TEST_F(OverviewRules, NamesBecomeOneLineOfBoundedLength)
{
    EXPECT_EQ(OverviewPieces::shownName(QStringLiteral("a\nb")), QStringLiteral("a\uFFFDb"));
    EXPECT_EQ(OverviewPieces::shownName(QStringLiteral("<b>bold</b> & more")), QStringLiteral("<b>bold</b> & more"));
    EXPECT_EQ(OverviewPieces::shownName(QString(10'000, QLatin1Char('x'))).size(), 512);
}
