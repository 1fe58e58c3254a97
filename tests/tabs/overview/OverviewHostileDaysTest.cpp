#include "tabs/overview/OverviewTab.h"

#include "OverviewTestRig.h"
#include "history/DailySummaryCodec.h"
#include "tabs/overview/OverviewNetworkCard.h"
#include "tabs/overview/OverviewTopProcesses.h"

#include <QMenu>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace Dunmorra;
using Dunmorra::Test::OverviewRig;

namespace {

std::string stat(const char* sum, const char* count, const char* peak)
{
    return std::string(R"({"sum":)") + sum + R"(,"count":)" + count + R"(,"peak":)" + peak + R"(,"peakTime":0})";
}

std::string hour(const char* h, const std::string& cpu, const std::string& memory, const std::string& battery,
                 const char* bytes = "0")
{
    return std::string(R"({"hour":)") + h + R"(,"cpu":)" + cpu + R"(,"memoryGB":)" + memory + R"(,"batteryPercent":)"
        + battery + R"(,"networkUpBytes":)" + bytes + R"(,"networkDownBytes":)" + bytes + R"(,"diskReadBytes":)"
        + bytes + R"(,"diskWriteBytes":)" + bytes + "}";
}

std::string process(const std::string& name, const char* sum, const char* count, const char* memory)
{
    return "\"" + name + R"(":{"name":")" + name + R"(","cpuSum":)" + sum + R"(,"cpuCount":)" + count
        + R"(,"memorySum":)" + memory + "}";
}

std::string day(const std::string& hours, const std::string& processes = "",
                const std::string& networks = R"("Home":{"uploadBytes":1,"downloadBytes":2})",
                const char* disk = "100", const char* uptime = "1")
{
    return std::string(R"({"date":0,"hours":[)") + hours + R"(],"processes":{)" + processes + R"(},"networkSSIDs":{)"
        + networks + R"(},"diskTotalBytes":)" + disk + R"(,"diskUsedBytes":)" + disk + R"(,"diskFreeBytes":0,)"
        + R"("uptimeDays":)" + uptime + R"(,"uptimeHours":)" + uptime + R"(,"uptimeMinutes":)" + uptime
        + R"(,"batteryHealthPercent":0})";
}

const std::string plain = stat("10", "1", "10");

std::string manyProcesses(int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += (i ? "," : "") + process("proc-" + std::to_string(i), "1.5", "1", "1048576");
    return out;
}

struct Hostile {
    const char* what;
    std::string json;
};

// Day files a hand or a fault may leave that the strict decoder still
// accepts: each must render as a day, whatever it shows.
std::vector<Hostile> hostileDays()
{
    const std::string huge = stat("1e308", "1", "1e308");
    const std::string negative = stat("-50", "1", "-5");
    return {
        {"hours out of order and repeated",
         day(hour("14", plain, plain, plain) + "," + hour("3", plain, plain, plain) + "," + hour("14", plain, plain, plain))},
        {"hours above 23 and below 0", day(hour("99", plain, plain, plain) + "," + hour("-1", plain, plain, plain))},
        {"a count of 0 or below with a sum",
         day(hour("1", stat("500", "0", "0"), stat("7", "-3", "1"), stat("90", "0", "90")),
             process("idle", "99", "0", "123456789"))},
        {"enormous values", day(hour("1", huge, huge, huge, "1e308") + "," + hour("2", huge, huge, huge, "1e308"),
                                process("big", "1e308", "1", "18446744073709551615"),
                                R"("Home":{"uploadBytes":1e308,"downloadBytes":1e308},"Cafe":{"uploadBytes":1e308,"downloadBytes":1})",
                                "18446744073709551615", "9223372036854775807")},
        {"negative values", day(hour("1", negative, negative, negative, "-1e20"), process("neg", "-5", "2", "0"),
                                R"("Home":{"uploadBytes":-1,"downloadBytes":-1e300})", "0", "-9223372036854775808")},
        {"thousands of processes", day(hour("1", plain, plain, plain), manyProcesses(5000))},
        {"a name of 10,000 characters and markup",
         day(hour("1", plain, plain, plain),
             process(std::string(10'000, 'x'), "50", "1", "1") + "," + process("<b>bold</b>\\nline\\t&amp;", "40", "1", "1"),
             "\"" + std::string(10'000, 'n') + R"(":{"uploadBytes":1,"downloadBytes":2},"A&B <i>x</i>":{"uploadBytes":3,"downloadBytes":4})")},
        {"no networks and no processes", day(hour("1", plain, plain, plain), "", "")},
    };
}

} // namespace

TEST(OverviewHostileDays, EveryAcceptedDayRendersWithoutANumberThatIsNone)
{
    const QRegularExpression notANumber(QStringLiteral("\\b-?(nan|inf)\\b"), QRegularExpression::CaseInsensitiveOption);
    for (const Hostile& h : hostileDays()) {
        SCOPED_TRACE(h.what);
        ASSERT_TRUE(decodeDailySummary(h.json)) << "the decoder rejects it: not a case for the view";
        OverviewRig rig;
        rig.writeText(rig.daysAgo(1), QByteArray::fromStdString(h.json));
        OverviewTab& tab = rig.open();
        tab.show();
        rig.days.shiftSelectedDate(-1);
        ASSERT_TRUE(rig.settled());
        ASSERT_EQ(tab.body(), OverviewTab::Body::Cards);
        ASSERT_FALSE(tab.grab().isNull());   // lays out and paints every card

        for (const QLabel* label : tab.findChildren<QLabel*>()) {
            if (!label->isVisibleTo(&tab))
                continue;
            EXPECT_FALSE(notANumber.match(label->text()).hasMatch()) << label->objectName().toStdString() << ": "
                                                                     << label->text().left(80).toStdString();
            // Names are data: plain text on one line.
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
            if (label->objectName() == QLatin1String("processName")
                || label->objectName() == QLatin1String("connectionTitle")) {
                EXPECT_FALSE(label->text().contains(QLatin1Char('\n')));
            }
        }
        EXPECT_LE(tab.findChild<OverviewTopProcesses*>()->rowCount(), 5);
        for (QAction* action : tab.networkCard()->filterMenu()->actions())
            EXPECT_FALSE(action->text().contains(QRegularExpression(QStringLiteral("(^|[^&])&[^&]"))))
                << "an unescaped & in " << action->text().left(40).toStdString();
    }
}
