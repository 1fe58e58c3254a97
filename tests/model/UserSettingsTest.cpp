#include "model/SettingKeys.h"
#include "model/UserSettings.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {

struct Store {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("settings.conf"));
    std::unique_ptr<UserSettings> open()
    {
        return std::make_unique<UserSettings>(std::make_unique<QSettings>(path, QSettings::IniFormat));
    }
};

} // namespace

TEST(UserSettings, UnwrittenKeysReadAsTheirDefaults)
{
    Store store;
    auto s = store.open();
    for (const auto& e : SettingKeys::table()) {
        const QString key = QString::fromLatin1(e.key);
        switch (e.type) {
        case SettingKeys::Type::Bool: EXPECT_EQ(s->boolValue(key, e.defaultValue.toBool()), e.defaultValue.toBool()); break;
        case SettingKeys::Type::Double: EXPECT_EQ(s->doubleValue(key, e.defaultValue.toDouble()), e.defaultValue.toDouble()); break;
        case SettingKeys::Type::Int: EXPECT_EQ(s->intValue(key, e.defaultValue.toInt()), e.defaultValue.toInt()); break;
        case SettingKeys::Type::String: EXPECT_EQ(s->stringValue(key, e.defaultValue.toString()), e.defaultValue.toString()); break;
        }
        EXPECT_FALSE(s->contains(key)) << e.key;
    }
    EXPECT_FALSE(s->stringList(QString::fromLatin1(SettingKeys::languages)).has_value());
}

TEST(UserSettings, ValuesOfAnotherTypeReadAsTheDefault)
{
    Store store;
    {
        QSettings raw(store.path, QSettings::IniFormat);
        raw.setValue("flag.text", "abc");
        raw.setValue("flag.true", "true");
        raw.setValue("number.nan", "nan");
        raw.setValue("number.inf", "inf");
        raw.setValue("number.text", "12.5");
        raw.setValue("number.comma", "12,5");
        raw.setValue("int.fraction", "10.5");
        raw.setValue("int.text", "25");
        raw.setValue("int.huge", "99999999999");
        raw.setValue("AppleLanguages", "es");
    }
    auto s = store.open(); // reopened: the INI store hands back text
    EXPECT_TRUE(s->boolValue("flag.text", true));
    EXPECT_FALSE(s->boolValue("flag.text", false));
    EXPECT_TRUE(s->boolValue("flag.true", false));
    EXPECT_EQ(s->doubleValue("number.nan", 80), 80);
    EXPECT_EQ(s->doubleValue("number.inf", 80), 80);
    EXPECT_EQ(s->doubleValue("number.text", 80), 12.5);
    EXPECT_EQ(s->doubleValue("number.comma", 80), 80);
    EXPECT_EQ(s->intValue("int.fraction", 10), 10);
    EXPECT_EQ(s->intValue("int.text", 10), 25);
    EXPECT_EQ(s->intValue("int.huge", 10), 10);
    EXPECT_EQ(s->stringList("AppleLanguages"), QStringList{"es"});
}

TEST(UserSettings, WritesAreAnnouncedAndSurviveAReopen)
{
    Store store;
    {
        auto s = store.open();
        QSignalSpy spy(s.get(), &UserSettings::valueChanged);
        s->setValue(SettingKeys::cpuThreshold, 65.5);
        s->setValue(SettingKeys::diskAlerts, false);
        s->setValue(SettingKeys::languages, QStringList{"es"});
        ASSERT_EQ(spy.count(), 3);
        EXPECT_EQ(spy.at(0).at(0).toString(), QString(SettingKeys::cpuThreshold));
        s->sync();
    }
    auto s = store.open();
    EXPECT_EQ(s->doubleValue(SettingKeys::cpuThreshold, 80), 65.5);
    EXPECT_FALSE(s->boolValue(SettingKeys::diskAlerts, true));
    EXPECT_EQ(s->stringList(SettingKeys::languages), QStringList{"es"});
}

TEST(UserSettings, ResetWritesExactlyTheEighteenRestoredKeys)
{
    Store store;
    auto s = store.open();
    s->setValue(SettingKeys::showSandboxHints, false);
    s->setValue(SettingKeys::languages, QStringList{"es"});
    s->setValue(SettingKeys::cpuThreshold, 50);
    s->resetToDefaults();
    int written = 0;
    for (const auto& e : SettingKeys::table())
        written += e.resetWrites ? 1 : 0;
    EXPECT_EQ(written, 18);
    EXPECT_EQ(s->store().allKeys().size(), 20); // the eighteen, plus the two kept
    EXPECT_FALSE(s->boolValue(SettingKeys::showSandboxHints, true));
    EXPECT_EQ(s->stringList(SettingKeys::languages), QStringList{"es"});
    EXPECT_EQ(s->doubleValue(SettingKeys::cpuThreshold, 0), 80);
    EXPECT_EQ(s->stringValue(SettingKeys::memoryThreshold, ""), "warning");
}

TEST(UserSettings, ResetWritesInTheResetOrder)
{
    Store store;
    auto s = store.open();
    QSignalSpy spy(s.get(), &UserSettings::valueChanged);
    s->resetToDefaults();
    QStringList order;
    for (const auto& args : spy)
        order << args.at(0).toString();
    const QStringList expected{
        SettingKeys::cpuInMenuBar, SettingKeys::memoryInMenuBar, SettingKeys::diskInMenuBar,
        SettingKeys::networkInMenuBar, SettingKeys::processesInMenuBar, SettingKeys::ipInMenuBar,
        SettingKeys::audioInMenuBar, SettingKeys::alertsEnabled, SettingKeys::cpuAlerts, SettingKeys::cpuThreshold,
        SettingKeys::memoryAlerts, SettingKeys::memoryThreshold, SettingKeys::diskAlerts, SettingKeys::diskFreePercent,
        SettingKeys::networkAlerts, SettingKeys::networkDailyGB, SettingKeys::retentionDays, SettingKeys::showFolderTab};
    EXPECT_EQ(order, expected);
}
