#include "app/ExitSave.h"
#include "app/HalvorinsApp.h"
#include "app/MainWindowController.h"
#include "app/QuitSignals.h"
#include "app/Relauncher.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "model/UserSettings.h"
#include "model/WorkerPool.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    using namespace Dunmorra;
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Halvorin"));
    QCoreApplication::setApplicationName(QStringLiteral("Halvorin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(HALVORIN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("halvorin"));
    QGuiApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("halvorin"), QIcon(QStringLiteral(":/icons/halvorin.svg"))));
    // The tray item keeps running with every window closed.
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance(QStringLiteral("halvorin"));
    if (!instance.acquire())
        return 0;

    QuitSignals quitSignals;
    QObject::connect(&quitSignals, &QuitSignals::received, &app, &QCoreApplication::quit);

    UserSettings& settings = UserSettings::shared();
    installTranslations(app, settings);

    int status = 0;
    {
        HalvorinsApp halvorin(settings);
        QObject::connect(&instance, &SingleInstance::activationRequested, &halvorin.windows(),
            &MainWindowController::showMainWindow);
        Relauncher relauncher(instance, [&halvorin] { halvorin.saveOnTerminate(); });
        halvorin.setRelaunch([&relauncher] { return relauncher.relaunch(); });
        // At application level, so the day is saved whether or not a window is open.
        QObject::connect(&app, &QCoreApplication::aboutToQuit, &halvorin, &HalvorinsApp::saveOnTerminate);
        // The session is ending: the session manager may end the process
        // without a quit, and a lost display connection makes the platform
        // call exit() from inside the event loop.
        QObject::connect(&app, &QGuiApplication::commitDataRequest, &halvorin, &HalvorinsApp::saveOnTerminate,
                         Qt::DirectConnection);
        ExitSave exitSave([&halvorin] { halvorin.saveOnTerminate(); });
        const bool fromSettings = Relauncher::takeSettingsRequest();
        halvorin.start();
        if (fromSettings)
            halvorin.windows().openSettings();
        status = app.exec();
    }
    // No background job may outlive the objects it reports to.
    drainSamplingPool();
    return status;
}
