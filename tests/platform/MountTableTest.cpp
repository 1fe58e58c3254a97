#include "platform/MountTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/sysmacros.h>

using namespace Dunmorra;

namespace {

std::string fixtureText(const char* name)
{
    std::ifstream in(std::string(HALVORIN_FIXTURES) + "/mounts/" + name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

// devtmpfs and tmpfs report the same statfs magic; the table tells /dev
// (devtmpfs, not entered) from /dev/shm and /run/user (tmpfs, real files).
TEST(MountTable, TellsDevtmpfsFromTmpfsByTheTablesType)
{
    const auto table = Platform::MountTable::parse(fixtureText("mountinfo"));
    struct Case {
        unsigned major;
        unsigned minor;
        const char* type;
        bool pseudo;
    };
    const Case cases[] = {
        {0, 5, "devtmpfs", true},  // /dev
        {0, 24, "tmpfs", false},   // /dev/shm
        {0, 45, "tmpfs", false},   // /run/user/1000, after two optional fields
        {0, 25, "devpts", true},
        {0, 21, "proc", true},
        {0, 33, "cgroup2", true},
        {259, 2, "ext4", false},   // mounted twice, a bind mount with a space in its path
        {0, 50, "", false},        // a line without the separator is left out
        {8, 1, "", false},         // not mounted
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.major) + ":" + std::to_string(c.minor));
        EXPECT_EQ(table.typeOf(makedev(c.major, c.minor)), c.type);
        EXPECT_EQ(table.isPseudo(makedev(c.major, c.minor)), c.pseudo);
    }
}

TEST(MountTable, AMissingTableKnowsNoDevice)
{
    const auto table = Platform::MountTable::read("/nonexistent-root");
    EXPECT_EQ(table.typeOf(makedev(0, 5)), "");
    EXPECT_FALSE(table.isPseudo(makedev(0, 5)));
    EXPECT_FALSE(Platform::MountTable::parse("").isPseudo(0));
}
