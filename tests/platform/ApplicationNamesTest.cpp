#include "platform/ApplicationNames.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace Dunmorra;

namespace {

// GLib reads the data folders once per process and keeps watching what it
// found, so every entry is in place before the first lookup: the fixture
// tree as the system's folder, one entry of the user's own shadowing it.
void useFixtureEntries()
{
    static const bool ready = [] {
        const QString user = Test::isolatedRoot() + QStringLiteral("/data/applications");
        QDir().mkpath(user);
        QFile f(user + QStringLiteral("/org.example.Viewer.desktop"));
        if (f.open(QIODevice::WriteOnly))
            f.write("[Desktop Entry]\nType=Application\nExec=true\nName=My Viewer\nIcon=viewer.png\n");
        ::setenv("XDG_DATA_DIRS", Test::fixturePath(QStringLiteral("desktop-entries")).toUtf8().constData(), 1);
        return true;
    }();
    (void)ready;
}

// The desktop's language as GLib reads it from the environment.
class Language {
public:
    Language() { save("LANGUAGE"), save("LC_ALL"), save("LC_MESSAGES"), save("LANG"); }
    ~Language()
    {
        for (const auto& [name, value] : m_saved) {
            if (value)
                ::setenv(name, value->c_str(), 1);
            else
                ::unsetenv(name);
        }
    }
    void set(const char* language, const char* lcAll)
    {
        ::setenv("LANGUAGE", language, 1);
        ::setenv("LC_ALL", lcAll, 1);
        ::unsetenv("LC_MESSAGES");
        ::unsetenv("LANG");
    }

private:
    void save(const char* name)
    {
        const char* value = std::getenv(name);
        m_saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    std::vector<std::pair<const char*, std::optional<std::string>>> m_saved;
};

} // namespace

TEST(ApplicationNames, ProcessShortName)
{
    const std::string root = Dunmorra::Test::fixturePath("audio").toStdString();
    EXPECT_EQ(Platform::processShortName(4242, root), "mpv");
    EXPECT_EQ(Platform::processShortName(4243, root), "");
    EXPECT_EQ(Platform::processShortName(9999, root), "") << "process gone";
    EXPECT_EQ(Platform::processShortName(0, root), "");
}

TEST(ApplicationNames, NameFollowsTheDesktopLanguageWithItsVariants)
{
    useFixtureEntries();
    Language language;
    struct Case { const char* language; const char* lcAll; const char* expected; };
    const Case cases[] = {
        {"C", "C", "Sound \\ Vision"},                        // "\\" is one backslash
        {"es_MX", "C", "Sonido y visión"},                   // no es_MX: the language alone; "\s" a space
        {"es_ES", "C", "Reproductor de España"},
        {"es_ES@valencia", "C", "Reproductor valencià"},
        {"", "es_ES.UTF-8@valencia", "Reproductor valencià"}, // from the locale, its codeset dropped
        {"ca@valencia", "C", "Sound \\ Vision"},              // a modifier alone matches no other language
        {"fr:es", "C", "Sonido y visión"},                    // the first language that has a name
    };
    for (const Case& c : cases) {
        language.set(c.language, c.lcAll);
        EXPECT_EQ(Platform::desktopEntryName("org.example.Player"), c.expected) << c.language << " " << c.lcAll;
    }
}

TEST(ApplicationNames, EntriesAreFoundAsTheDesktopFindsThem)
{
    useFixtureEntries();
    Language language;
    language.set("C", "C");
    struct Case { const char* appId; std::optional<std::string> name; std::optional<std::string> icon; };
    const Case cases[] = {
        {"org.example.Player", "Sound \\ Vision", "org.example.Player"},
        {"kde-foo", "Foo Tool", "/opt/foo/share/foo.svg"},  // applications/kde/foo.desktop
        {"org.example.Viewer", "My Viewer", "viewer"},      // the user's entry first; an image name loses its extension
        {"org.example.Nameless", std::nullopt, std::nullopt},
        {"org.example.Removed", std::nullopt, std::nullopt}, // Hidden: deleted for the desktop
        {"org.example.Uninstalled", std::nullopt, std::nullopt}, // its program is not there
        {"org.example.Missing", std::nullopt, std::nullopt},
        {"kde/foo", std::nullopt, std::nullopt},
        {"../applications/org.example.Player", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Platform::desktopEntryName(c.appId), c.name) << c.appId;
        EXPECT_EQ(Platform::desktopEntryIcon(c.appId), c.icon) << c.appId;
    }
}
