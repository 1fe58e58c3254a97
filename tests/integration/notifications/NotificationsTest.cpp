#include "history/AlertsMonitor.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "platform/DesktopNotifications.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDeadlineTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <ostream>

// Readable failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

using namespace Dunmorra;
using Platform::DesktopNotifications;
using Status = AlertsMonitor::AuthorizationStatus;

namespace {

const QString kService = QString::fromLatin1(DesktopNotifications::kService);
const QString kPath = QString::fromLatin1(DesktopNotifications::kPath);
const QString kMock = QStringLiteral("org.freedesktop.DBus.Mock");

// The deadline only keeps a broken test from hanging.
bool waitFor(const std::function<bool()>& done, int deadlineMs = 30'000)
{
    QDeadlineTimer deadline(deadlineMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

bool serverOwnsName()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(kService);
}

struct NotifyCall {
    QString appName;
    quint32 replacesId = 0;
    QString icon;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
    qint32 timeout = 0;
};

// dbusmock's notification-daemon template: answers GetCapabilities, hands out
// ids from 1 and keeps a log of the calls it received.
class MockServer {
public:
    ~MockServer() { stop(); }

    void start()
    {
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--session"),
                         QStringLiteral("--template"), QStringLiteral("notification_daemon")});
        ASSERT_TRUE(waitFor(serverOwnsName)) << "the simulated notification server did not come up: "
                                             << m_process.readAll().toStdString();
    }
    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        m_process.waitForFinished(5000);
        EXPECT_TRUE(waitFor([] { return !serverOwnsName(); }));
    }

    std::vector<NotifyCall> notifyCalls() const
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kMock, QStringLiteral("GetMethodCalls"));
        call << QStringLiteral("Notify");
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
        std::vector<NotifyCall> out;
        if (reply.type() != QDBusMessage::ReplyMessage)
            return out;
        const QDBusArgument log = reply.arguments().at(0).value<QDBusArgument>();
        log.beginArray();
        while (!log.atEnd()) {
            quint64 timestamp = 0;
            QVariantList args;
            log.beginStructure();
            log >> timestamp >> args;
            log.endStructure();
            if (args.size() != 8)
                continue;
            NotifyCall c;
            c.appName = args[0].toString();
            c.replacesId = args[1].toUInt();
            c.icon = args[2].toString();
            c.summary = args[3].toString();
            c.body = args[4].toString();
            c.actions = qdbus_cast<QStringList>(args[5]);
            c.hints = qdbus_cast<QVariantMap>(args[6].value<QDBusArgument>());
            c.timeout = args[7].toInt();
            out.push_back(c);
        }
        log.endArray();
        return out;
    }

    void closeNotification(quint32 id)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("CloseNotification"));
        call << static_cast<qint32>(id);
        QDBusConnection::sessionBus().call(call);
    }

    // The server's own expiry: NotificationClosed with reason 1.
    void expireNotification(quint32 id)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kMock, QStringLiteral("EmitSignal"));
        call << kService << QStringLiteral("NotificationClosed") << QStringLiteral("uu")
             << QVariant::fromValue(QVariantList{QVariant::fromValue(id), QVariant::fromValue(1u)});
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    // From now on every Notify answers with an error.
    void failNotify(const QString& message)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kMock, QStringLiteral("AddMethod"));
        call << kService << QStringLiteral("Notify") << QStringLiteral("susssasa{sv}i") << QStringLiteral("u")
             << QStringLiteral("raise dbus.exceptions.DBusException('%1', name='org.example.Refused')").arg(message);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

private:
    QProcess m_process;
};

class Notifications : public ::testing::Test {
protected:
    Notifications()
    {
        auto service = std::make_unique<DesktopNotifications>();
        desktop = service.get();
        monitor = std::make_unique<AlertsMonitor>(std::move(service), &settings);
    }

    Status refreshed()
    {
        bool done = false;
        monitor->refreshAuthorizationStatus([&] { done = true; });
        EXPECT_TRUE(waitFor([&] { return done; }));
        return monitor->authorizationStatus();
    }

    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat)};
    MockServer server;
    DesktopNotifications* desktop = nullptr;
    std::unique_ptr<AlertsMonitor> monitor;
};

} // namespace

TEST_F(Notifications, NotifyCarriesTheSenderHintsAndEachIdentifiersReplacement)
{
    server.start();
    ASSERT_EQ(refreshed(), Status::authorized);

    // Back to back: the second must wait for the first's id, or the server
    // would show two entries.
    monitor->deliver(QStringLiteral("cpu-high"), QStringLiteral("High CPU Usage"), QStringLiteral("first"));
    monitor->deliver(QStringLiteral("cpu-high"), QStringLiteral("High CPU Usage"), QStringLiteral("second"));
    monitor->deliver(QStringLiteral("disk-low"), QStringLiteral("Low Disk Space"), QStringLiteral("a <b> & c"));
    ASSERT_TRUE(waitFor([&] { return server.notifyCalls().size() == 3; }));
    ASSERT_TRUE(waitFor([&] { return desktop->replacementId(QStringLiteral("disk-low")) != 0; }));

    const auto calls = server.notifyCalls();
    const NotifyCall& first = calls[0];
    EXPECT_EQ(first.appName, QStringLiteral("Halvorin"));
    EXPECT_EQ(first.icon, QStringLiteral("halvorin"));
    EXPECT_EQ(first.summary, QStringLiteral("High CPU Usage"));
    EXPECT_EQ(first.body, QStringLiteral("first"));
    EXPECT_TRUE(first.actions.isEmpty());
    EXPECT_EQ(first.timeout, -1);
    EXPECT_EQ(first.hints.value(QStringLiteral("urgency")).typeId(), QMetaType::UChar);
    EXPECT_EQ(first.hints.value(QStringLiteral("urgency")).toInt(), 1);
    EXPECT_EQ(first.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("halvorin"));
    EXPECT_FALSE(first.hints.contains(QStringLiteral("suppress-sound")));

    std::map<QString, std::vector<quint32>> replaces;
    for (const NotifyCall& c : calls)
        replaces[c.summary].push_back(c.replacesId);
    EXPECT_EQ(replaces[QStringLiteral("High CPU Usage")], (std::vector<quint32>{0, 1}));
    EXPECT_EQ(replaces[QStringLiteral("Low Disk Space")], (std::vector<quint32>{0}));
    // The server renders markup, so plain text is escaped.
    const auto disk = std::find_if(calls.begin(), calls.end(),
                                   [](const NotifyCall& c) { return c.summary == QStringLiteral("Low Disk Space"); });
    EXPECT_EQ(disk->body, QStringLiteral("a &lt;b&gt; &amp; c"));

    // Closed by the server, by expiry or by a call: the next one of the same
    // identifier still replaces it, so the server's history keeps one entry.
    const quint32 cpuId = desktop->replacementId(QStringLiteral("cpu-high"));
    server.expireNotification(cpuId);
    server.closeNotification(desktop->replacementId(QStringLiteral("disk-low")));
    // A round trip after the signals shows they have been handled.
    ASSERT_EQ(refreshed(), Status::authorized);
    EXPECT_EQ(desktop->replacementId(QStringLiteral("cpu-high")), cpuId);
    monitor->deliver(QStringLiteral("cpu-high"), QStringLiteral("High CPU Usage"), QStringLiteral("third"));
    ASSERT_TRUE(waitFor([&] { return server.notifyCalls().size() == 4; }));
    EXPECT_EQ(server.notifyCalls().back().body, QStringLiteral("third"));
    EXPECT_EQ(server.notifyCalls().back().replacesId, cpuId);

    // A rule's alert reaches the server the same way.
    const DiskSnapshot lowDisk{0, 0, QStringLiteral("System Disk"), 100ull << 30, 95ull << 30, 5ull << 30};
    monitor->evaluate(CPUSnapshot{}, MemorySnapshot{}, lowDisk, {});
    ASSERT_TRUE(waitFor([&] { return server.notifyCalls().size() == 5; }));
    const NotifyCall last = server.notifyCalls().back();
    EXPECT_EQ(last.summary, QStringLiteral("Low Disk Space"));
    EXPECT_EQ(last.body, QString::fromUtf8("5% free \u2014 5.0 GB remaining"));
    EXPECT_EQ(last.replacesId, desktop->replacementId(QStringLiteral("disk-low")));
}

TEST_F(Notifications, WithoutServerAlertsAreDeniedUntilOneStarts)
{
    ASSERT_FALSE(serverOwnsName());
    ASSERT_EQ(refreshed(), Status::denied);

    QSignalSpy failed(desktop, &Platform::NotificationService::deliveryFailed);
    testing::internal::CaptureStdout();
    monitor->sendTestNotification(AlertsMonitor::AlertKind::cpu);
    const bool answered = waitFor([&] { return failed.count() == 1; });
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(answered);
    EXPECT_EQ(out.rfind("[AlertsMonitor] failed to deliver 'test-cpu': ", 0), 0u) << out;

    // The server coming up later turns alerts on without anyone asking.
    server.start();
    ASSERT_TRUE(waitFor([&] { return monitor->authorizationStatus() == Status::authorized; }));
    server.stop();
    ASSERT_TRUE(waitFor([&] { return monitor->authorizationStatus() == Status::denied; }));
}

TEST_F(Notifications, RefusedDeliveryPrintsTheErrorOnceWithoutRetrying)
{
    server.start();
    server.failNotify(QStringLiteral("Too many notifications"));
    testing::internal::CaptureStdout();
    monitor->deliver(QStringLiteral("cpu-high"), QStringLiteral("High CPU Usage"), QStringLiteral("body"));
    // Another identifier after it shows the first reply has been handled.
    monitor->deliver(QStringLiteral("disk-low"), QStringLiteral("Low Disk Space"), QStringLiteral("body"));
    ASSERT_TRUE(waitFor([&] { return server.notifyCalls().size() == 2; }));
    // The server refused both before it answered for its log, so both
    // refusals are in and wait only for the event loop to hand them over.
    for (int turn = 0; turn < 3; ++turn)
        QCoreApplication::processEvents();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out,
              "[AlertsMonitor] failed to deliver 'cpu-high': Too many notifications\n"
              "[AlertsMonitor] failed to deliver 'disk-low': Too many notifications\n");
    EXPECT_EQ(server.notifyCalls().size(), 2u);
}

TEST_F(Notifications, ANewServerForgetsTheOldServersIds)
{
    server.start();
    monitor->deliver(QStringLiteral("cpu-high"), QStringLiteral("High CPU Usage"), QStringLiteral("body"));
    ASSERT_TRUE(waitFor([&] { return desktop->replacementId(QStringLiteral("cpu-high")) == 1; }));
    server.stop();
    server.start();
    ASSERT_TRUE(waitFor([&] { return monitor->authorizationStatus() == Status::authorized; }));
    EXPECT_EQ(desktop->replacementId(QStringLiteral("cpu-high")), 0u);
    monitor->deliver(QStringLiteral("cpu-high"), QStringLiteral("High CPU Usage"), QStringLiteral("body"));
    ASSERT_TRUE(waitFor([&] { return server.notifyCalls().size() == 1; }));
    EXPECT_EQ(server.notifyCalls().front().replacesId, 0u);
}

TEST(NotificationSettings, TheDesktopPicksItsOwnTool)
{
    struct Case {
        const char* desktop;
        QStringList installed;
        const char* program; // nullptr: nothing to open
    };
    const Case cases[] = {
        {"ubuntu:GNOME", {QStringLiteral("gnome-control-center")}, "gnome-control-center"},
        {"KDE", {QStringLiteral("kcmshell5")}, "kcmshell5"},
        {"KDE", {QStringLiteral("systemsettings"), QStringLiteral("kcmshell5")}, "systemsettings"},
        {"XFCE", {}, nullptr},
        {"sway", {QStringLiteral("gnome-control-center")}, nullptr},
        {"", {QStringLiteral("gnome-control-center")}, nullptr},
    };
    for (const Case& c : cases) {
        const auto command = DesktopNotifications::settingsCommand(
            QString::fromLatin1(c.desktop), [&](const QString& p) { return c.installed.contains(p); });
        if (!c.program) {
            EXPECT_FALSE(command.has_value()) << c.desktop;
            continue;
        }
        ASSERT_TRUE(command.has_value()) << c.desktop;
        EXPECT_EQ(command->first, QString::fromLatin1(c.program));
    }
}
