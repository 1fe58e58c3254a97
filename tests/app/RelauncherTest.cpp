#include "app/Relauncher.h"
#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QUuid>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {

QString uniqueKey()
{
    return QStringLiteral("halvorin-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

} // namespace

TEST(Relauncher, SavesAndLetsGoBeforeTheNewInstanceStarts)
{
    const QString key = uniqueKey();
    SingleInstance instance(key);
    ASSERT_TRUE(instance.acquire());
    QStringList steps;
    int quits = 0;
    Relauncher relauncher(
        instance, [&] { steps << "save"; },
        [&](const QString& program, const QStringList& arguments, QString*) {
            // Stands in for the new process: it must be able to become the one instance.
            SingleInstance next(key);
            steps << (next.acquire() ? "start with lock" : "start without lock");
            EXPECT_FALSE(program.isEmpty());
            EXPECT_TRUE(arguments.isEmpty());
            // What the new process inherits: it opens on the Settings tab.
            EXPECT_EQ(qgetenv(Relauncher::kFromSettingsVariable), "settings");
            return true;
        },
        [&] { ++quits; });
    relauncher.setQuitDelay(std::chrono::milliseconds(0));

    EXPECT_EQ(relauncher.relaunch(), std::nullopt);
    EXPECT_EQ(steps, (QStringList{"save", "start with lock"}));
    EXPECT_FALSE(qEnvironmentVariableIsSet(Relauncher::kFromSettingsVariable)); // this process keeps none
    EXPECT_EQ(quits, 0); // not yet: the quit follows a moment later
    QCoreApplication::processEvents();
    EXPECT_EQ(quits, 1);
}

TEST(Relauncher, ANewInstanceThatCannotStartLeavesThisOneRunning)
{
    const QString key = uniqueKey();
    SingleInstance instance(key);
    ASSERT_TRUE(instance.acquire());
    int quits = 0;
    Relauncher relauncher(
        instance, [] {},
        [](const QString&, const QStringList&, QString* error) {
            *error = QStringLiteral("No such file or directory");
            return false;
        },
        [&] { ++quits; });
    relauncher.setQuitDelay(std::chrono::milliseconds(0));

    EXPECT_EQ(relauncher.relaunch(), QStringLiteral("No such file or directory"));
    EXPECT_TRUE(instance.holdsLock());
    SingleInstance later(key);
    EXPECT_FALSE(later.acquire()); // still the one instance, and listening again
    QCoreApplication::processEvents(); // would deliver the quit, as it does after a start
    EXPECT_EQ(quits, 0);
}

TEST(Relauncher, OnlyTheRelaunchedProcessOpensOnSettingsAndOnlyOnce)
{
    qunsetenv(Relauncher::kFromSettingsVariable);
    EXPECT_FALSE(Relauncher::takeSettingsRequest());
    qputenv(Relauncher::kFromSettingsVariable, "settings");
    EXPECT_TRUE(Relauncher::takeSettingsRequest());
    EXPECT_FALSE(qEnvironmentVariableIsSet(Relauncher::kFromSettingsVariable));
    EXPECT_FALSE(Relauncher::takeSettingsRequest());
}
