#include "app/SingleInstance.h"

#include "support/FixtureTree.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QUuid>

#include <gtest/gtest.h>

using namespace Dunmorra;

// An instance that died without cleaning up leaves its lock file (naming a
// process that is gone) and its socket file behind. The next start takes
// over both: it must be the one a later launch reaches.
TEST(SingleInstanceRecovery, ACrashedInstancesFilesAreTakenOver)
{
    const QString key = QStringLiteral("halvorin-test-") + QUuid::createUuid().toString(QUuid::Id128);
    const auto crashed = Dunmorra::Test::inChildProcess<bool>([&] {
        // Never destroyed: the child ends as a crash would, cleaning nothing up.
        auto* instance = new SingleInstance(key);
        return instance->acquire();
    });
    ASSERT_EQ(crashed, std::optional<bool>(true));
    SingleInstance probe(key);
    ASSERT_TRUE(QFileInfo::exists(probe.lockPath()));
    ASSERT_TRUE(QFileInfo(probe.serverName()).exists()) << "the crashed instance left no socket file";

    SingleInstance next(key);
    ASSERT_TRUE(next.acquire());
    QSignalSpy shown(&next, &SingleInstance::activationRequested);
    SingleInstance later(key);
    EXPECT_FALSE(later.acquire());
    EXPECT_TRUE(shown.wait(5000)) << "the later launch did not reach the new instance";
}
