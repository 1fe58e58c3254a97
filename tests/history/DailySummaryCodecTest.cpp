#include "history/DailySummaryCodec.h"

#include "HistoryTestData.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace Dunmorra {
namespace {

using Test::fixturePath;
using Test::readText;
using Test::sampleDay;

TEST(DailySummaryCodec, ReadsTheWorkedExample)
{
    const auto decoded = decodeDailySummary(readText(fixturePath(QStringLiteral("history/2026-12-09.json"))));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, sampleDay());
}

TEST(DailySummaryCodec, IgnoresUnknownMembers)
{
    const auto decoded = decodeDailySummary(readText(fixturePath(QStringLiteral("history/extra-members.json"))));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, sampleDay());
}

TEST(DailySummaryCodec, RejectsEveryBadFileAsAWhole)
{
    for (const char* name : {"empty.json", "truncated.json", "not-json.json", "array.json", "trailing-garbage.json",
             "missing-key.json", "string-number.json", "integer-1e300.json", "negative-bytes.json",
             "fraction-count.json", "null-peak-time.json", "date-as-text.json", "process-not-object.json",
             "unsigned-too-large.json", "bucket-missing-member.json", "network-missing-member.json",
             "negative-fraction-bytes.json"}) {
        // A fixture that is not there reads as an empty text, which is
        // rejected too: the row would pass without testing anything.
        const QString path = fixturePath(QStringLiteral("history/bad/") + QLatin1String(name));
        ASSERT_TRUE(QFile::exists(path)) << name;
        const std::string text = readText(path);
        EXPECT_FALSE(decodeDailySummary(text)) << name;
    }
}

TEST(DailySummaryCodec, EveryMemberIsCheckedForItsKind)
{
    // One change to the worked example each; accepted ones must still read
    // the example's figures where they did not change them.
    struct Case {
        const char* from;
        const char* to;
        bool accepted;
    };
    const Case cases[] = {
        {"\"hour\": 9", "\"hour\": {}", false},
        {"\"hour\": 9", "\"hour\": true", false},
        {"\"hours\": [", "\"hours\": [7, ", false},
        {"\"hours\": [", "\"hours\": [[], ", false},
        {"\"cpu\": {", "\"cpu\": 5, \"x\": {", false},
        {"\"sum\": 37.5", "\"sum\": [37.5]", false},
        {"\"name\": \"Finder\"", "\"name\": 7", false},
        {"\"cpuSum\": 3.5", "\"cpuSum\": \"3.5\"", false},
        {"\"processes\": {", "\"processes\": {\"x\": [], ", false},
        {"\"networkSSIDs\": {", "\"networkSSIDs\": {\"x\": null, ", false},
        {"\"uploadBytes\": 1200000", "\"uploadBytes\": null", false},
        {"\"hour\": 9", "\"hour\": 9.5", false},
        {"\"hour\": 9", "\"hour\": 9223372036854775808", false},
        {"\"hour\": 9", "\"hour\": 9.0", true},
        // A repeated member: the last one counts, and each must be whole.
        {"\"cpu\": {", "\"cpu\": {\"sum\": 1, \"count\": 1, \"peak\": 1, \"peakTime\": 1}, \"cpu\": {", true},
        {"\"cpu\": {", "\"cpu\": {\"sum\": 1}, \"cpu\": {", false},
        {"\"diskWriteBytes\": 900000", "\"diskWriteBytes\": 900000, \"cpu\": {\"sum\": 1}", false},
        {"\"hour\": 9,", "\"hour\": 9, \"deep\": [[[[[[[[[[{\"a\": [null, true, \"t\"]}]]]]]]]]]],", true},
        {"\"Finder\": {", "\"Other\": {\"junk\": 1, \"name\": \"Other\", \"cpuSum\": 0, \"cpuCount\": 0, \"memorySum\": 0}, \"Finder\": {", true},
    };
    const std::string example = readText(fixturePath(QStringLiteral("history/2026-12-09.json")));
    for (const Case& c : cases) {
        std::string text = example;
        const auto at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        text.replace(at, std::string_view(c.from).size(), c.to);
        const auto decoded = decodeDailySummary(text);
        EXPECT_EQ(decoded.has_value(), c.accepted) << c.to;
        if (decoded) {
            EXPECT_EQ(decoded->hours.at(0).cpu, sampleDay().hours[0].cpu) << c.to;
        }
    }
}

TEST(DailySummaryCodec, DeepNestingIsRejectedWithoutCrashing)
{
    // 50 MB of brackets inside an otherwise valid file.
    std::string text = readText(fixturePath(QStringLiteral("history/2026-12-09.json")));
    const std::size_t depth = 25'000'000;
    std::string nested(depth, '[');
    nested.append(depth, ']');
    text.insert(text.find('{') + 1, "\"junk\":" + nested + ",");
    EXPECT_FALSE(decodeDailySummary(text));
}

TEST(DailySummaryCodec, IntegerFieldsAcceptIntegralNumbersInAnyForm)
{
    std::string text = readText(fixturePath(QStringLiteral("history/2026-12-09.json")));
    text.replace(text.find("\"uptimeDays\": 2"), 15, "\"uptimeDays\": 2.0");
    text.replace(text.find("\"uptimeMinutes\": 17"), 19, "\"uptimeMinutes\": 1.7e1");
    const auto decoded = decodeDailySummary(text);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->uptimeDays, 2);
    EXPECT_EQ(decoded->uptimeMinutes, 17);
}

TEST(DailySummaryCodec, RoundTripKeepsNamesLargeNumbersAndDistantPast)
{
    DailySummary s = sampleDay();
    s.processes.clear();
    s.networkSSIDs.clear();
    const QString process = QString::fromUtf8("a\"b/c \xC3\xA9 \\ \xE2\x9C\x93");
    const QString network = QString::fromUtf8("Caf\xC3\xA9 \"5G\"");
    s.processes[process] = {process, 0.1 + 0.2, 3, 18446744073709551615ull};
    s.networkSSIDs[network] = {1e-300, 1.7976931348623157e308};
    HourBucket quiet = HourBucket::forHour(10);
    quiet.cpu.add(0, 818506000);           // never above 0: peak stays at the distant past
    quiet.memoryGB.add(2.5, 818506000);
    quiet.batteryPercent.add(-3, 818506000);
    s.hours.push_back(quiet);
    s.uptimeDays = -9223372036854775807ll - 1;

    const std::string text = encodeDailySummary(s);
    const auto decoded = decodeDailySummary(text);
    ASSERT_TRUE(decoded) << text;
    EXPECT_EQ(*decoded, s);
    EXPECT_EQ(decoded->hours[1].cpu.peakTime, -63114076800.0);
}

TEST(DailySummaryCodec, WritesCompactObjectsWithTheFieldNamesAsKeys)
{
    const std::string text = encodeDailySummary(sampleDay());
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.find(": "), std::string::npos);

    const auto json = nlohmann::json::parse(text);
    EXPECT_EQ(json["hours"][0]["cpu"],
        nlohmann::json::parse(R"({"sum":37.5,"count":2,"peak":21.25,"peakTime":818502072})"));
    EXPECT_EQ(json.size(), 11u);
    EXPECT_EQ(json["hours"][0].size(), 8u);
    EXPECT_TRUE(json["diskTotalBytes"].is_number_unsigned());
    EXPECT_TRUE(json["uptimeDays"].is_number_integer());
    EXPECT_TRUE(json["hours"][0]["cpu"]["count"].is_number_integer());
}

TEST(DailySummaryCodec, NonFiniteValuesAreWrittenAsZeroSoTheDayStaysReadable)
{
    DailySummary s = sampleDay();
    s.hours[0].networkUpBytes = std::numeric_limits<double>::infinity();
    s.hours[0].cpu.sum = std::numeric_limits<double>::quiet_NaN();
    const auto decoded = decodeDailySummary(encodeDailySummary(s));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->hours[0].networkUpBytes, 0.0);
    EXPECT_EQ(decoded->hours[0].cpu.sum, 0.0);
}

} // namespace
} // namespace Dunmorra
