#include "platform/RunningApplications.h"

#include <gtest/gtest.h>

using namespace Dunmorra::Platform;

namespace {
const std::string kRoot = HALVORIN_FIXTURES "/apps";
}

TEST(RunningApplications, ProcessOfAnAppIdFromItsAppUnit)
{
    struct Case {
        const char* appId;
        std::optional<std::int32_t> pid;
    };
    const Case cases[] = {
        {"org.gnome.Rhythmbox3", 100},
        {"org.mozilla.firefox", 200},
        {"org.gnome.Rhythmbox", std::nullopt},   // a prefix of the id is another app
        {"firefox", std::nullopt},               // so is a tail of it
        {"sshd", std::nullopt},                  // services are no apps
        {"", std::nullopt},
        {"../100", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runningProcessOfApplication(c.appId, kRoot), c.pid) << c.appId;
}

TEST(RunningApplications, LivenessByProcessDirectory)
{
    EXPECT_TRUE(processIsRunning(100, kRoot));
    EXPECT_FALSE(processIsRunning(101, kRoot));
    EXPECT_FALSE(processIsRunning(0, kRoot));
    EXPECT_FALSE(processIsRunning(-5, kRoot));
}
