#include "app/AboutPanel.h"
#include "app/QuitSignals.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"

#include <QApplication>
#include <QPalette>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTextDocument>
#include <QUuid>

#include <gtest/gtest.h>

#include <csignal>

using namespace Dunmorra;

TEST(QuitSignals, TurnTerminationSignalsIntoAnEvent)
{
    QuitSignals watcher;
    ASSERT_TRUE(watcher.isInstalled());
    QSignalSpy spy(&watcher, &QuitSignals::received);
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_EQ(::raise(number), 0);
        ASSERT_TRUE(spy.wait(2000)) << number;
        EXPECT_EQ(spy.takeFirst().at(0).toInt(), number);
    }
}

TEST(SingleInstance, SecondClaimAsksTheFirstToShowItself)
{
    const QString key = QStringLiteral("halvorin-test-") + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(key);
    ASSERT_TRUE(first.acquire());
    QSignalSpy shown(&first, &SingleInstance::activationRequested);

    SingleInstance second(key);
    EXPECT_FALSE(second.acquire());
    EXPECT_TRUE(shown.wait(2000));
}

TEST(SingleInstance, ALeftoverSocketDoesNotBlockTheNextStart)
{
    const QString key = QStringLiteral("halvorin-test-") + QUuid::createUuid().toString(QUuid::Id128);
    {
        SingleInstance crashed(key);
        ASSERT_TRUE(crashed.acquire());
    }
    SingleInstance next(key);
    EXPECT_TRUE(next.acquire());
}

TEST(Translations, LanguageFromTheFirstStoredEntry)
{
    struct Case {
        std::optional<QStringList> stored;
        const char* expected;
    };
    const Case cases[] = {
        {std::nullopt, "en"},
        {QStringList{}, "en"},
        {QStringList{QStringLiteral("es")}, "es"},
        {QStringList{QStringLiteral("es-MX"), QStringLiteral("en")}, "es"},
        {QStringList{QStringLiteral("en"), QStringLiteral("es")}, "en"},
        {QStringList{QStringLiteral("fr")}, "en"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(languageCode(c.stored), QString::fromLatin1(c.expected));
}

TEST(AboutPanel, VersionAndCredits)
{
    EXPECT_EQ(appVersionString(), QStringLiteral(HALVORIN_VERSION " (" HALVORIN_BUILD_NUMBER ")"));
    EXPECT_EQ(aboutCredits(), QString::fromUtf8(
        "Real-time system monitor for Linux.\n\nTrack CPU, memory, disk, network, battery, and audio \u2014 all in one place."));

    // The credits are small and in the secondary tone, not the body's.
    QTextDocument doc;
    doc.setHtml(aboutPanelText());
    const QTextCursor credits = doc.find(QStringLiteral("Real-time system monitor"));
    ASSERT_FALSE(credits.isNull());
    const QTextCharFormat format = credits.charFormat();
    EXPECT_LT(format.fontPointSize(), QApplication::font().pointSizeF());
    const QColor tone = format.foreground().color();
    const QColor text = QApplication::palette().color(QPalette::WindowText);
    const QColor window = QApplication::palette().color(QPalette::Window);
    // Between the text colour and the background: secondary.
    EXPECT_GT(std::abs(tone.lightness() - text.lightness()), 40);
    EXPECT_GT(std::abs(tone.lightness() - window.lightness()), 40);
}
