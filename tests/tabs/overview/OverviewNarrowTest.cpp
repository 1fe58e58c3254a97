#include "tabs/overview/OverviewTab.h"

#include "OverviewTestRig.h"
#include "components/Card.h"
#include "components/WrappingLabel.h"
#include "support/LayoutSettle.h"

#include <QScrollBar>
#include <QSplitter>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace Dunmorra;
using Dunmorra::Test::OverviewRig;

namespace {

// What the window leaves the page at its smallest: its 820 less the
// sidebar's least width (160) and the splitter's handle.
int narrowestPage()
{
    return 820 - 160 - QSplitter().handleWidth();
}

// A day whose captions are the longest the cards show.
DailySummary longCaptionsDay(QDate day)
{
    DailySummary s = DailySummary::emptyFor(day);
    for (int hour = 0; hour < 24; ++hour) {
        HourBucket b = HourBucket::forHour(hour);
        b.cpu = {35.0 * 60, 60, hour == 14 ? 90.0 : 40.0, 0};
        b.memoryGB = {9.5 * 60, 60, 12.4, 0};
        const double level = 95 - hour * 16 / 23.0;
        b.batteryPercent = {level * 60, 60, level, 0};
        s.hours.push_back(b);
    }
    s.diskTotalBytes = 994662584320;
    s.diskUsedBytes = 512000000000;
    s.diskFreeBytes = 482662584320;
    s.uptimeDays = 2;
    s.uptimeHours = 5;
    s.uptimeMinutes = 17;
    return s;
}

} // namespace

// At the window's smallest, in either language, the page fits beside the
// sidebar without scrolling sideways, every card lies inside it, and a
// caption wider than its card goes on over a second line with its end kept.
TEST(OverviewNarrow, EveryLanguageFitsTheNarrowestWindowAndCaptionsWrapWhole)
{
    struct Case {
        const char* language;
        bool recordedDay;
    };
    for (const Case c : {Case{"en_US", false}, Case{"en_US", true}, Case{"es_ES", false}, Case{"es_ES", true}}) {
        SCOPED_TRACE(std::string(c.language) + (c.recordedDay ? " recorded" : " live"));
        OverviewRig rig;
        QTranslator spanish;
        const bool inSpanish = QLatin1String(c.language).startsWith(QLatin1String("es"));
        if (inSpanish) {
            ASSERT_TRUE(spanish.load(QStringLiteral(HALVORIN_QM_DIR "/halvorin_es.qm")));
            QCoreApplication::installTranslator(&spanish);
        }
        QLocale::setDefault(QLocale(QLatin1String(c.language)));
        rig.batteryReading = OverviewRig::batteryAt(61, "Discharging");
        rig.battery.refresh();
        rig.uptime = {0, 0, 22};
        if (c.recordedDay) {
            rig.writeDay(rig.daysAgo(1), longCaptionsDay(rig.daysAgo(1)));
            rig.days.shiftSelectedDate(-1);
        }
        OverviewTab& tab = rig.open();
        tab.show();
        // The day is read, the cards laid out.
        ASSERT_TRUE(Dunmorra::Test::settleLayout(tab, [&] { return tab.body() != OverviewTab::Body::Reading; }));
        const int least = tab.minimumSizeHint().width();
        EXPECT_LE(least, narrowestPage());
        tab.resize(least, 640);
        ASSERT_TRUE(Dunmorra::Test::settleLayout(tab));

        EXPECT_EQ(tab.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        const int page = tab.viewport()->width();
        for (const Card* card : tab.findChildren<Card*>()) {
            if (card->isVisible()) {
                EXPECT_LE(card->mapTo(tab.viewport(), QPoint(card->width(), 0)).x(), page) << card->objectName().toStdString();
            }
        }
        for (const char* name : {"cpuCaption", "memoryCaption", "batteryCaption"}) {
            const auto* caption = tab.findChild<WrappingLabel*>(QLatin1String(name));
            ASSERT_TRUE(caption) << name;
            if (!caption->isVisible())
                continue;
            // As high as its lines need at the width it has: nothing is cut.
            EXPECT_GE(caption->height(), caption->lineCount() * caption->fontMetrics().height()) << name;
        }
        if (inSpanish && c.recordedDay) {
            const auto* battery = tab.findChild<WrappingLabel*>(QStringLiteral("batteryCaption"));
            EXPECT_EQ(battery->text(), QString::fromUtf8("Empezó 95\u00a0%  ·  Terminó 79\u00a0%"));
            EXPECT_EQ(battery->lineCount(), 2);
            // One percent form throughout: the locale's, as the big figures have it.
            EXPECT_EQ(tab.findChild<WrappingLabel*>(QStringLiteral("cpuCaption"))->text(),
                      QString::fromUtf8("Pico 90\u00a0%  ·  Media por hora, 24 h"));
        }
        if (inSpanish)
            QCoreApplication::removeTranslator(&spanish);
    }
}
