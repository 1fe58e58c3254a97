#include "app/Relauncher.h"

#include "app/SingleInstance.h"
#include "platform/LoginItem.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTimer>

namespace Dunmorra {

Relauncher::Relauncher(SingleInstance& instance, std::function<void()> saveDay, StartProcess start,
    std::function<void()> quit, QObject* parent)
    : QObject(parent)
    , m_instance(instance)
    , m_saveDay(std::move(saveDay))
    , m_start(std::move(start))
    , m_quit(quit ? std::move(quit) : [] { QCoreApplication::quit(); })
{
}

bool Relauncher::startDetached(const QString& program, const QStringList& arguments, QString* error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString();
    return false;
}

bool Relauncher::takeSettingsRequest()
{
    const bool fromSettings = qgetenv(kFromSettingsVariable) == "settings";
    qunsetenv(kFromSettingsVariable);
    return fromSettings;
}

std::optional<QString> Relauncher::relaunch()
{
    if (m_saveDay)
        m_saveDay();
    m_instance.release();
    const QString program = QString::fromStdString(Platform::currentProgramPath());
    QString error;
    // Inherited by the new process only.
    qputenv(kFromSettingsVariable, "settings");
    const bool started = !program.isEmpty() && m_start(program, {}, &error);
    qunsetenv(kFromSettingsVariable);
    if (!started) {
        m_instance.reclaim();
        if (error.isEmpty())
            error = tr("Cannot start %1").arg(program);
        return error;
    }
    QTimer::singleShot(m_quitDelay, this, [this] { m_quit(); });
    return std::nullopt;
}

} // namespace Dunmorra
