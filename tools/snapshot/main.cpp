// halvorin-snapshot TAB OUT.png [PATH] [--seconds N] [--root DIR] [--day yyyy-MM-dd]
//                   [--size WxH]
//
// Builds the application's environment, lets its providers sample for a few
// seconds, and renders one tab of the main window offscreen to a PNG, at the
// size the window's default size gives its detail area. With
// APP_SANDBOX_CONTAINER_ID set it renders a sandboxed run; with --root the
// memory, battery, disk and network figures come from a fixture tree (a
// laptop's power supplies, a Wi-Fi interface), and XDG_DATA_HOME points it at
// a folder of day files; with --day the history views show that recorded
// day instead of today. With --size the window takes that size (no less
// than its minimum) and the PNG shows the whole window, sidebar included.
// For the Folders tab, PATH is the folder it opens
// (default: the home folder).
// It waits, past --seconds when need be, for the
// first process passes, so the process lists are measured ones as in the
// running window, and the Settings tab gets the environment's alerts monitor.
// The Wi-Fi name of a fixture tree is asked of a NetworkManager on the
// session bus, e.g. dbusmock's networkmanager template with
// tests/integration/network/join_wifi.py.

#include "app/AppEnvironment.h"
#include "app/MainTab.h"
#include "app/MainWindowView.h"
#include "app/TabFactory.h"
#include "app/Translations.h"
#include "components/Sandbox.h"
#include "folders/FolderProvider.h"
#include "history/AlertsMonitor.h"
#include "model/CPUProvider.h"
#include "model/MemoryProvider.h"
#include "model/UserSettings.h"
#include "model/WorkerPool.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace Dunmorra;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Halvorin"));
    QCoreApplication::setApplicationName(QStringLiteral("Halvorin"));
    // In the language the application would show (LANGUAGE=es renders Spanish
    // while no choice is stored).
    installTranslations(app, UserSettings::shared());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders one tab of the main window to a PNG."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("tab"), QStringLiteral("overview, cpu, memory, disk, network, power, audio, folders, stats or settings"));
    parser.addPositionalArgument(QStringLiteral("out"), QStringLiteral("the PNG file to write"));
    parser.addPositionalArgument(QStringLiteral("path"), QStringLiteral("folders only: the folder to open"), QStringLiteral("[path]"));
    QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("How long the providers sample first (default 5)."),
                               QStringLiteral("n"), QStringLiteral("5"));
    parser.addOption(seconds);
    QCommandLineOption root(QStringLiteral("root"), QStringLiteral("Read /proc and /sys under this folder (default /)."),
                            QStringLiteral("dir"), QStringLiteral("/"));
    parser.addOption(root);
    QCommandLineOption day(QStringLiteral("day"), QStringLiteral("Show this recorded day (yyyy-MM-dd) instead of today."),
                           QStringLiteral("yyyy-MM-dd"));
    parser.addOption(day);
    QCommandLineOption size(QStringLiteral("size"), QStringLiteral("Window size, e.g. 820x639; the PNG is then of the whole window."),
                            QStringLiteral("WxH"));
    parser.addOption(size);
    parser.process(app);
    const QStringList args = parser.positionalArguments();
    if (args.size() < 2 || args.size() > 3)
        parser.showHelp(2);
    const std::optional<MainTab> tab = mainTabFromRawValue(args[0]);
    if (!tab) {
        std::fprintf(stderr, "halvorin-snapshot: unknown tab \"%s\"\n", qPrintable(args[0]));
        return 2;
    }
    bool ok = false;
    const double wait = parser.value(seconds).toDouble(&ok);
    if (!ok || wait < 0) {
        std::fprintf(stderr, "halvorin-snapshot: --seconds wants a number of seconds\n");
        return 2;
    }

    QDate shownDay;
    if (parser.isSet(day)) {
        shownDay = QDate::fromString(parser.value(day), QStringLiteral("yyyy-MM-dd"));
        if (!shownDay.isValid()) {
            std::fprintf(stderr, "halvorin-snapshot: --day wants a date as yyyy-MM-dd\n");
            return 2;
        }
    }

    QSize windowSize(1100, 750);
    if (parser.isSet(size)) {
        const QStringList parts = parser.value(size).split(QLatin1Char('x'));
        bool wOk = false;
        bool hOk = false;
        if (parts.size() == 2)
            windowSize = QSize(parts[0].toInt(&wOk), parts[1].toInt(&hOk));
        if (!wOk || !hOk || windowSize.isEmpty()) {
            std::fprintf(stderr, "halvorin-snapshot: --size wants WxH, e.g. 820x639\n");
            return 2;
        }
    }

    int status = 0;
    {
        // Builds and starts every provider as the application does.
        AppEnvironment env(Clock::system(), parser.value(root).toStdString());
        // Today or later is live, as the day navigation has it.
        if (shownDay.isValid() && shownDay < QDate::currentDate())
            env.setSelectedDate(shownDay);

        UserSettings& settings = UserSettings::shared();
        const auto settingsServices = [&settings, &env] {
            SettingsTabServices services;
            services.settings = &settings;
            services.alerts = &env.alerts(); // the permission as the running window reads it
            return services;
        };

        // The CPU list is measured from its second process pass on, the
        // memory list from its first; until then the pictures would show
        // the placeholder rows or none.
        int cpuPasses = 0;
        int memoryPasses = 0;
        QObject::connect(&env.cpu(), &CPUProvider::isScanningChanged, &app, [&] {
            if (!env.cpu().isScanning())
                ++cpuPasses;
        });
        QObject::connect(&env.memory(), &MemoryProvider::isScanningChanged, &app, [&] {
            if (!env.memory().isScanning())
                ++memoryPasses;
        });
        MainWindowView window(applicationTabFactory(settingsServices, liveTabSources(env, settings)), isSandboxed(),
                              settings);
        window.resize(windowSize.expandedTo(window.minimumSizeHint()).expandedTo(window.minimumSize()));
        window.show();
        if (args.size() == 3) {
            // Where the Folders tab starts listing when it comes on screen.
            env.folders().setCurrentPath(QFileInfo(args[2]).absoluteFilePath());
            env.folders().rebuildBreadcrumbs();
        }
        window.selectTab(*tab);

        QElapsedTimer sinceStart;
        sinceStart.start();
        const qint64 waitMs = static_cast<qint64>(wait * 1000);
        constexpr qint64 kLongestExtraMs = 15'000; // a scan that never ends must not hang the tool
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &app, [&] {
            const qint64 now = sinceStart.elapsed();
            const bool scanned = (cpuPasses >= 2 && memoryPasses >= 1) || isSandboxed();
            if (now >= waitMs && (scanned || now >= waitMs + kLongestExtraMs))
                app.quit();
        });
        poll.start(100);
        app.exec();

        QWidget* view = window.currentTabView();
        QWidget* shown = parser.isSet(size) ? static_cast<QWidget*>(&window) : view;
        if (!view) {
            std::fprintf(stderr, "halvorin-snapshot: no view for \"%s\"\n", qPrintable(args[0]));
            status = 1;
        } else if (!shown->grab().save(args[1], "PNG")) {
            std::fprintf(stderr, "halvorin-snapshot: cannot write %s\n", qPrintable(args[1]));
            status = 1;
        } else {
            std::printf("%s: %dx%d\n", qPrintable(args[1]), shown->width(), shown->height());
        }
    }
    drainSamplingPool();
    return status;
}
