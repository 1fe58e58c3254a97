#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace Dunmorra::Test {

namespace {
std::string g_root;
}

void isolateUserFolders()
{
    if (!g_root.empty())
        return;
    char tmpl[] = "/tmp/halvorin-test-XXXXXX";
    const char* made = ::mkdtemp(tmpl);
    g_root = made ? made : "/tmp";
    const auto sub = [](const char* name) {
        std::string p = g_root + "/" + name;
        QDir().mkpath(QString::fromStdString(p));
        return p;
    };
    ::setenv("XDG_DATA_HOME", sub("data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", sub("config").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", sub("cache").c_str(), 1);
    const std::string runtime = sub("runtime");
    ::chmod(runtime.c_str(), 0700);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    QStandardPaths::setTestModeEnabled(false);
    QCoreApplication::setOrganizationName(QStringLiteral("Halvorin"));
    QCoreApplication::setApplicationName(QStringLiteral("HalvorinTests"));
}

QString isolatedRoot()
{
    return QString::fromStdString(g_root);
}

QString fixturePath(const QString& relative)
{
    return QStringLiteral(HALVORIN_FIXTURES "/") + relative;
}

} // namespace Dunmorra::Test
