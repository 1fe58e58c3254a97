#include "platform/ProcessTable.h"

#include "support/FixtureTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

using namespace Dunmorra::Platform;

namespace {

std::map<int, ProcessRecord> readFixture(const char* which)
{
    const ProcessTable table(std::string(HALVORIN_FIXTURES "/processes/") + which, 100, 4096);
    std::map<int, ProcessRecord> byPid;
    for (auto& r : table.read())
        byPid.emplace(r.pid, r);
    return byPid;
}

} // namespace

TEST(ProcessTable, ListsLiveNamedProcessesOnly)
{
    const auto table = readFixture("first");
    std::vector<int> pids;
    for (const auto& [pid, r] : table)
        pids.push_back(pid);
    // Left out: 0, "abc", "self", the zombie 99, the vanished 140 and the
    // nameless 150.
    EXPECT_EQ(pids, (std::vector<int>{1, 42, 77, 88, 120, 130, 131, 132, 160}));
}

TEST(ProcessTable, ParsesNamesFromTheLastParenthesis)
{
    const auto table = readFixture("first");
    struct Case {
        int pid;
        const char* name;
        const char* path;
    };
    const Case cases[] = {
        {42, "Web Content", "/usr/lib/firefox/firefox"},
        {77, "(a b) c", "/usr/bin/odd"},
        {88, "line\nbreak", "/usr/bin/nl"},
        {120, "kworker/0:1-events", ""},                                         // no readable exe: kept
        {130, "gnome-shell-calendar-server", "/usr/libexec/gnome-shell-calendar-server"}, // cut name, full exe
        {131, "python-long-name-script", "/usr/bin/python3.11"},                   // cut name, full argv[0]
        {132, "tool", "/opt/app/bin/tool"},                                      // replaced executable
        {160, "ssh-agent", "/usr/bin/ssh-agent"}, // another user's: no readable exe, argv[0] a full path
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pid);
        ASSERT_TRUE(table.count(c.pid));
        EXPECT_EQ(table.at(c.pid).name, c.name);
        EXPECT_EQ(table.at(c.pid).executablePath, c.path);
    }
}

TEST(ProcessTable, ConvertsTimesAndResidentPages)
{
    const auto table = readFixture("first");
    const ProcessRecord& systemd = table.at(1);
    EXPECT_EQ(systemd.userNanos, 1'500'000'000u);   // 150 ticks at 100 Hz
    EXPECT_EQ(systemd.systemNanos, 500'000'000u);
    EXPECT_EQ(systemd.residentBytes, 3000u * 4096u);
    EXPECT_EQ(systemd.startTime, 10u);
    EXPECT_EQ(table.at(42).startTime, 5000u);
}

TEST(ProcessTable, TimesOfLongLivedProcessesDoNotOverflow)
{
    // 2 × 10^10 ticks: multiplied by 10^9 before dividing, it would wrap.
    const auto records = ProcessTable(HALVORIN_FIXTURES "/processes/long-lived", 100, 4096).read();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].userNanos, 200'000'000'000'000'000u);
    EXPECT_EQ(records[0].systemNanos, 10'000'000u);
}

TEST(ProcessTable, MissingRootIsAnEmptyTable)
{
    EXPECT_TRUE(ProcessTable(HALVORIN_FIXTURES "/no-such-root").read().empty());
}

TEST(ProcessTable, ResolvesAProcessOnceForItsLifetime)
{
    // What a later walk may not read again is the executable link and the
    // argument list: the test changes them behind the table's back and checks
    // when the table notices.
    Dunmorra::Test::FixtureTree tree;
    tree.dir("proc").dir("proc/500");
    const auto writeStat = [&](const char* comm, int startTime) {
        const std::string text = "500 (" + std::string(comm) + ") S 1 500 500 0 -1 0 0 0 0 0 7 3 0 0 20 0 1 0 "
                                 + std::to_string(startTime) + " 1000 12 0\n";
        FILE* f = std::fopen(tree.path("proc/500/stat").c_str(), "w");
        std::fputs(text.c_str(), f);
        std::fclose(f);
    };
    const auto relink = [&](const char* target) {
        std::remove(tree.path("proc/500/exe").c_str());
        if (target)
            tree.symlink(target, "proc/500/exe");
    };
    const ProcessTable table(tree.root(), 100, 4096);
    const auto pathNow = [&] {
        const auto records = table.read();
        return records.size() == 1 ? records[0].executablePath : std::string("<missing>");
    };

    struct Step {
        const char* what;
        const char* comm;
        int startTime;
        const char* link; // nullptr: no readable link
        const char* expected;
    };
    const Step steps[] = {
        {"first sight, link unreadable", "app", 100, nullptr, ""},
        {"the failed read is not retried", "app", 100, "/usr/bin/app", ""},
        {"nor is a changed link read", "app", 100, "/usr/bin/elsewhere", ""},
        {"an exec renames it: read afresh", "tool", 100, "/usr/bin/tool", "/usr/bin/tool"},
        {"same identity keeps the path", "tool", 100, "/usr/bin/changed", "/usr/bin/tool"},
        {"a reused pid starts afresh", "tool", 200, "/usr/bin/changed", "/usr/bin/changed"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        writeStat(step.comm, step.startTime);
        relink(step.link);
        EXPECT_EQ(pathNow(), step.expected);
    }

    // A process that left is forgotten: its pid and start time seen again
    // later are read as new.
    std::rename(tree.path("proc/500").c_str(), tree.path("proc/gone").c_str());
    EXPECT_EQ(pathNow(), "<missing>");
    std::rename(tree.path("proc/gone").c_str(), tree.path("proc/500").c_str());
    relink("/usr/bin/back");
    EXPECT_EQ(pathNow(), "/usr/bin/back");
}
