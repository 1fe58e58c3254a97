#include "platform/FileManager.h"
#include "tabs/folders/FolderItemActions.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QMenu>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <optional>

using namespace Dunmorra;

// What a file manager does on the bus, as far as we use it: it takes
// ShowItems and answers, refuses, or keeps the caller waiting.
class StandInFileManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    enum class Answer { Show, Refuse, Never };

    explicit StandInFileManager(Answer answer)
        : m_answer(answer)
        , m_bus(QDBusConnection::connectToBus(QString::fromLocal8Bit(qgetenv("DBUS_SESSION_BUS_ADDRESS")),
                                              QStringLiteral("stand-in")))
    {
        registered = m_bus.isConnected()
                     && m_bus.registerObject(QString::fromLatin1(Platform::FileManager::kPath), this,
                                             QDBusConnection::ExportAllSlots)
                     && m_bus.registerService(QString::fromLatin1(Platform::FileManager::kService));
    }
    ~StandInFileManager() override
    {
        m_bus.unregisterService(QString::fromLatin1(Platform::FileManager::kService));
        m_bus.unregisterObject(QString::fromLatin1(Platform::FileManager::kPath));
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
    }

    bool registered = false;
    QList<QStringList> shown;
    QStringList startupIds;

public Q_SLOTS:
    void ShowItems(const QStringList& uris, const QString& startupId)
    {
        shown.append(uris);
        startupIds.append(startupId);
        if (m_answer == Answer::Refuse)
            sendErrorReply(QDBusError::Failed, QStringLiteral("cannot show that"));
        else if (m_answer == Answer::Never)
            setDelayedReply(true); // and never sent
    }

private:
    Answer m_answer;
    QDBusConnection m_bus;
};

namespace {

constexpr int kWaitMs = 30'000;

std::optional<bool> askToShow(const Platform::FileManager& manager, const QStringList& uris)
{
    std::optional<bool> answer;
    QObject context;
    manager.showItems(uris, QStringLiteral("halvorin-test"), &context, [&](bool shown) { answer = shown; });
    (void)QTest::qWaitFor([&] { return answer.has_value(); }, kWaitMs);
    return answer;
}

} // namespace

TEST(FileManager, TheFileManagerOnTheBusTakesTheFilesToShow)
{
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "no private session bus";
    StandInFileManager manager(StandInFileManager::Answer::Show);
    ASSERT_TRUE(manager.registered);
    const QStringList uris{QStringLiteral("file:///t/a%20b.txt"), QStringLiteral("file:///t/c")};
    EXPECT_EQ(askToShow(Platform::FileManager(), uris), std::optional(true));
    ASSERT_EQ(manager.shown.size(), 1);
    EXPECT_EQ(manager.shown[0], uris);
    EXPECT_EQ(manager.startupIds[0], QStringLiteral("halvorin-test"));
}

TEST(FileManager, NoFileManagerARefusalOrNoAnswerInTimeMeanNotShown)
{
    ASSERT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QString::fromLatin1(Platform::FileManager::kService)));
    EXPECT_EQ(askToShow(Platform::FileManager(), {QStringLiteral("file:///t/x")}), std::optional(false));
    {
        StandInFileManager refusing(StandInFileManager::Answer::Refuse);
        ASSERT_TRUE(refusing.registered);
        EXPECT_EQ(askToShow(Platform::FileManager(), {QStringLiteral("file:///t/x")}), std::optional(false));
        EXPECT_EQ(refusing.shown.size(), 1);
    }
    StandInFileManager silent(StandInFileManager::Answer::Never);
    ASSERT_TRUE(silent.registered);
    const Platform::FileManager impatient(QDBusConnection::sessionBus(), std::chrono::milliseconds(300));
    EXPECT_EQ(askToShow(impatient, {QStringLiteral("file:///t/x")}), std::optional(false));
}

TEST(FileManager, ShowInFileManagerFromARowsMenu)
{
    QList<QUrl> opened;
    FolderItemActions actions(Platform::FileManager(), [&](const QUrl& url) { opened.append(url); });
    FolderItem file;
    file.path = "/t/sub/my report #1.pdf";
    QWidget parent;
    {
        StandInFileManager manager(StandInFileManager::Answer::Show);
        ASSERT_TRUE(manager.registered);
        std::unique_ptr<QMenu> menu(actions.menuFor(file, &parent));
        menu->findChild<QAction*>(QStringLiteral("showItem"))->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !manager.shown.isEmpty(); }, kWaitMs));
        EXPECT_EQ(manager.shown[0], QStringList{QStringLiteral("file:///t/sub/my%20report%20%231.pdf")});
        // A round trip to the file manager after it answered: its answer has
        // arrived by then, and opened nothing besides.
        const QDBusPendingCall ping = QDBusConnection::sessionBus().asyncCall(
            QDBusMessage::createMethodCall(QString::fromLatin1(Platform::FileManager::kService),
                                           QString::fromLatin1(Platform::FileManager::kPath),
                                           QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")),
            kWaitMs);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ping.isFinished(); }, kWaitMs));
        QCoreApplication::processEvents();
        EXPECT_TRUE(opened.isEmpty());
    }

    // With the file manager gone, its folder is opened instead.
    actions.showInFileManager(file.path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, kWaitMs));
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/t/sub"))});
}

#include "FileManagerTest.moc"
