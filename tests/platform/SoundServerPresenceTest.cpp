#include "platform/SoundServerPresence.h"

#include "support/FixtureTree.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace Dunmorra::Platform;

TEST(SoundServerPresence, OnlyNoSocketAndNoNamedServerMeansNoServer)
{
    struct Case {
        const char* what;
        const char* serverVariable;
        const char* file;      // made in the fixture tree
        const char* contents;
        bool reachable;
    };
    const Case cases[] = {
        {"nothing there", "", nullptr, nullptr, false},
        {"the variable names one", "unix:/elsewhere/sock", nullptr, nullptr, true},
        {"the user's socket", "", "runtime/pulse/native", "", true},
        {"a system-wide socket", "", "root/run/pulse/native", "", true},
        {"the user's configuration names one", "", "config/pulse/client.conf", "default-server = tcp:host\n", true},
        {"a drop-in names one", "", "root/etc/pulse/client.conf.d/50-remote.conf", "  default-server=host\n", true},
        {"a commented line names none", "", "root/etc/pulse/client.conf", "; default-server = host\n# default-server = x\n", false},
        {"other settings name none", "", "config/pulse/client.conf", "autospawn = no\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Dunmorra::Test::FixtureTree tree;
        tree.dir("runtime").dir("runtime/pulse").dir("config").dir("config/pulse").dir("root").dir("root/run")
            .dir("root/run/pulse").dir("root/etc").dir("root/etc/pulse").dir("root/etc/pulse/client.conf.d");
        if (c.file) {
            FILE* f = std::fopen(tree.path(c.file).c_str(), "w");
            ASSERT_NE(f, nullptr);
            std::fputs(c.contents, f);
            std::fclose(f);
        }
        SoundServerPlaces places;
        places.serverVariable = c.serverVariable;
        places.runtimeDir = tree.path("runtime");
        places.configHome = tree.path("config");
        places.root = tree.path("root");
        EXPECT_EQ(soundServerMayBeReachable(places), c.reachable);
    }
}
