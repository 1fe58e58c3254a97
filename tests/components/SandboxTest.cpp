#include "components/Sandbox.h"

#include <gtest/gtest.h>

using namespace Dunmorra;

TEST(Sandbox, PresenceOfEitherVariableMarksASandboxedRun)
{
    struct Case {
        const char* name;
        const char* value;
        bool sandboxed;
    };
    const Case cases[] = {
        {"APP_SANDBOX_CONTAINER_ID", "", true},
        {"APP_SANDBOX_CONTAINER_ID", "com.example", true},
        {"FLATPAK_ID", "org.example.App", true},
        {"HOME", "/root", false},
    };
    for (const Case& c : cases) {
        QProcessEnvironment env(QProcessEnvironment::InheritFromParent);
        env.clear();
        env.insert(QString::fromLatin1(c.name), QString::fromLatin1(c.value));
        EXPECT_EQ(sandboxedIn(env), c.sandboxed) << c.name << "=" << c.value;
    }
    EXPECT_FALSE(sandboxedIn(QProcessEnvironment()));
}

TEST(Sandbox, FlagIsFixedAtItsFirstRead)
{
    const bool before = isSandboxed();
    qputenv("APP_SANDBOX_CONTAINER_ID", "");
    EXPECT_EQ(isSandboxed(), before);
    qunsetenv("APP_SANDBOX_CONTAINER_ID");
    EXPECT_EQ(isSandboxed(), before);

    overrideSandboxedForTesting(!before);
    EXPECT_EQ(isSandboxed(), !before);
    overrideSandboxedForTesting(std::nullopt);
    EXPECT_EQ(isSandboxed(), before);
}
