#include "platform/LxqtPalette.h"

#include <gtest/gtest.h>

using namespace Dunmorra::Platform;

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(HALVORIN_FIXTURES "/lxqt/") + QString::fromLatin1(name);
}

} // namespace

// The user's own settings first, then the system's; a file without a
// palette says nothing and the next one is asked.
TEST(LxqtPalette, ReadsTheFirstWindowColourFound)
{
    struct Case {
        const char* what;
        QStringList dirs;
        std::optional<bool> dark;
    };
    const Case cases[] = {
        {"dark palette", {fixture("dark")}, true},
        {"light palette", {fixture("light")}, false},
        {"the user's before the system's", {fixture("light"), fixture("system")}, false},
        {"no palette: the system's", {fixture("none"), fixture("system")}, true},
        {"no palette anywhere", {fixture("none")}, std::nullopt},
        {"no file", {fixture("absent")}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LxqtPalette::isDark(c.dirs), c.dark) << c.what;
}
