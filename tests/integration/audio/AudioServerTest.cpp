// Runs against the private sound server that run-audio-tests.sh starts.
#include "model/AudioProvider.h"
#include "model/AudioSnapshot.h"
#include "model/WorkerPool.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <functional>
#include <optional>

using namespace Dunmorra;

namespace {

QString env(const char* name) { return qEnvironmentVariable(name); }

// Runs a program to its end; its standard output, or none when it failed.
std::optional<QString> output(const QString& program, const QStringList& args,
                              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(environment);
    p.start(program, args);
    if (!p.waitForFinished(10'000)) {
        p.kill();
        p.waitForFinished(1000);
        ADD_FAILURE() << program.toStdString() << " did not finish";
        return std::nullopt;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << args.join(' ').toStdString() << " failed: "
                      << p.readAllStandardError().toStdString();
        return std::nullopt;
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool run(const QString& program, const QStringList& args,
         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    return output(program, args, environment).has_value();
}

bool server(const char* command, const QString& dir = env("HALVORIN_PULSE_DIR"),
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    return run(env("HALVORIN_PULSE_CTL"), {command, dir}, environment);
}

// One pass, waiting for its reading to land. The reading itself is bounded,
// so this wait only fails when the provider hangs.
const AudioSnapshot& passOnce(AudioProvider& provider)
{
    provider.sample();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !provider.isReading(); }, 15'000)) << "the reading hung";
    return provider.current();
}

// Passes until the snapshot satisfies `wanted` (streams take a moment to
// show), within a bound.
bool passUntil(AudioProvider& provider, const std::function<bool(const AudioSnapshot&)>& wanted,
               int timeoutMs = 15'000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (wanted(passOnce(provider)))
            return true;
        QTest::qWait(50);
    }
    return false;
}

const AudioSnapshot::Device* findDevice(const QList<AudioSnapshot::Device>& list, const QString& name)
{
    for (const auto& d : list)
        if (d.name == name)
            return &d;
    return nullptr;
}

const AudioSnapshot::AudioProcess* findProcess(const AudioSnapshot& s, const QString& name)
{
    for (const auto& p : s.activeProcesses)
        if (p.name == name)
            return &p;
    return nullptr;
}

class AudioServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(env("PULSE_SERVER").isEmpty()) << "run through run-audio-tests.sh";
    }
    void TearDown() override { drainSamplingPool(); }
};

// A client started for the test, killed when the test ends.
struct Client {
    QProcess process;
    Client(const QString& program, const QStringList& args)
    {
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardInputFile(QProcess::nullDevice());
        process.start(program, args);
        EXPECT_TRUE(process.waitForStarted(5000)) << program.toStdString();
    }
    ~Client()
    {
        process.kill();
        process.waitForFinished(5000);
    }
};

// Variables set or removed for a scope; the process's own are restored after.
class ScopedEnvironment {
public:
    ScopedEnvironment(const QProcessEnvironment& wanted, const QStringList& names)
    {
        for (const QString& name : names) {
            const QByteArray key = name.toUtf8();
            m_saved.append({key, qEnvironmentVariableIsSet(key) ? std::optional(qgetenv(key)) : std::nullopt});
            if (wanted.contains(name))
                qputenv(key, wanted.value(name).toUtf8());
            else
                qunsetenv(key);
        }
    }
    ~ScopedEnvironment()
    {
        for (const auto& [key, value] : m_saved) {
            if (value)
                qputenv(key, *value);
            else
                qunsetenv(key);
        }
    }

private:
    QList<std::pair<QByteArray, std::optional<QByteArray>>> m_saved;
};

// A further server in a folder of its own, stopped when the test ends.
struct ExtraServer {
    QString dir;
    ~ExtraServer() { server("stop", dir); }
};

} // namespace

TEST_F(AudioServer, DevicesAndDefaults)
{
    AudioProvider provider;
    const AudioSnapshot& s = passOnce(provider);

    ASSERT_EQ(s.allOutputDevices.size(), 2);
    EXPECT_EQ(s.allOutputDevices[0].name, QStringLiteral("Speakers"));
    EXPECT_EQ(s.allOutputDevices[1].name, QStringLiteral("Headphones"));
    ASSERT_EQ(s.allInputDevices.size(), 1) << "sink monitors are not inputs";
    EXPECT_EQ(s.allInputDevices[0].name, QStringLiteral("Microphone"));

    ASSERT_TRUE(s.defaultOutput);
    EXPECT_EQ(*s.defaultOutput, s.allOutputDevices[0]);
    ASSERT_TRUE(s.defaultInput);
    EXPECT_EQ(s.defaultInput->name, QStringLiteral("Microphone"));

    for (const auto& d : s.allOutputDevices + s.allInputDevices) {
        EXPECT_EQ(d.transport, AudioSnapshot::Device::TransportKind::virtual_) << d.name.toStdString();
        EXPECT_FLOAT_EQ(d.volume, 1.0f);
        EXPECT_FALSE(d.isMuted);
        EXPECT_GT(d.sampleRate, 0);
        EXPECT_EQ(d.channelCount, 2);
    }
    EXPECT_EQ(provider.history().size(), 1);
}

TEST_F(AudioServer, VolumeAndMuteShowAtTheNextPass)
{
    AudioProvider provider;
    passOnce(provider);
    ASSERT_TRUE(run("pactl", {"set-sink-volume", "headphones", "50%"}));
    ASSERT_TRUE(run("pactl", {"set-sink-mute", "headphones", "1"}));
    ASSERT_TRUE(run("pactl", {"set-source-volume", "mic", "150%"}));

    const AudioSnapshot& s = passOnce(provider);
    const auto* headphones = findDevice(s.allOutputDevices, "Headphones");
    ASSERT_TRUE(headphones);
    EXPECT_FLOAT_EQ(headphones->volume, 0.5f);
    EXPECT_TRUE(headphones->isMuted);
    const auto* mic = findDevice(s.allInputDevices, "Microphone");
    ASSERT_TRUE(mic);
    EXPECT_FLOAT_EQ(mic->volume, 1.5f) << "amplified volume is kept";
    EXPECT_FALSE(s.defaultOutput->isMuted);

    ASSERT_TRUE(run("pactl", {"set-sink-volume", "headphones", "100%"}));
    ASSERT_TRUE(run("pactl", {"set-sink-mute", "headphones", "0"}));
    ASSERT_TRUE(run("pactl", {"set-source-volume", "mic", "100%"}));
}

TEST_F(AudioServer, PlayingClientIsAnOutputUserUntilItEnds)
{
    AudioProvider provider;
    const QString name = QStringLiteral("halvorin-test-player");
    {
        Client player("pacat", {"--playback", "--client-name=" + name, "--device=speakers", "--raw", "/dev/zero"});
        ASSERT_TRUE(passUntil(provider, [&](const AudioSnapshot& s) { return findProcess(s, name); }));
        const auto* p = findProcess(provider.current(), name);
        EXPECT_TRUE(p->usesOutput);
        EXPECT_FALSE(p->usesInput);
        ASSERT_TRUE(p->pid);
        EXPECT_EQ(*p->pid, player.process.processId());
        EXPECT_TRUE(p->id.startsWith(QStringLiteral("proc-"))) << p->id.toStdString();
    }
    EXPECT_TRUE(passUntil(provider, [&](const AudioSnapshot& s) { return !findProcess(s, name); }));
}

TEST_F(AudioServer, RecordingClientIsAnInputUser)
{
    AudioProvider provider;
    const QString name = QStringLiteral("halvorin-test-recorder");
    Client recorder("parec", {"--client-name=" + name, "--device=mic", "--raw"});
    ASSERT_TRUE(passUntil(provider, [&](const AudioSnapshot& s) { return findProcess(s, name); }));
    const auto* p = findProcess(provider.current(), name);
    EXPECT_TRUE(p->usesInput);
    EXPECT_FALSE(p->usesOutput);
}

// Every whole percent the mixer sets reads as the mixer shows it (the server
// stores most of them a hair low: 45 % is 29491/65536). With
// HALVORIN_VOLUME_TABLE set, the comparison is written there as a table.
TEST_F(AudioServer, EveryWholePercentReadsAsTheMixerShowsIt)
{
    AudioProvider provider;
    const QRegularExpression channel(QStringLiteral("(\\d+)\\s*/\\s*(\\d+)%"));
    QStringList table{QStringLiteral("| set | pactl raw | pactl | scalar read | ours | truncated |"),
                      QStringLiteral("|---|---|---|---|---|---|")};
    for (int percent = 0; percent <= 100; ++percent) {
        SCOPED_TRACE(percent);
        ASSERT_TRUE(run("pactl", {"set-sink-volume", "headphones", QString::number(percent) + '%'}));
        const auto shown = output("pactl", {"get-sink-volume", "headphones"});
        ASSERT_TRUE(shown);
        const QRegularExpressionMatch m = channel.match(*shown);
        ASSERT_TRUE(m.hasMatch()) << shown->toStdString();
        const auto* headphones = findDevice(passOnce(provider).allOutputDevices, "Headphones");
        ASSERT_TRUE(headphones);
        const auto ours = wholeVolumePercent(headphones->volume);
        ASSERT_TRUE(ours);
        EXPECT_EQ(*ours, m.captured(2).toLongLong()) << shown->toStdString();
        table << QStringLiteral("| %1 | %2 | %3% | %4 | %5% | %6% |")
                     .arg(percent)
                     .arg(m.captured(1))
                     .arg(m.captured(2))
                     .arg(static_cast<double>(headphones->volume), 0, 'f', 6)
                     .arg(*ours)
                     .arg(static_cast<long long>(headphones->volume * 100.0f));
    }
    ASSERT_TRUE(run("pactl", {"set-sink-volume", "headphones", "100%"}));
    if (const QString path = env("HALVORIN_VOLUME_TABLE"); !path.isEmpty()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write((table.join('\n') + '\n').toUtf8());
    }
}

TEST_F(AudioServer, MonitorChosenToRecordFromIsTheDefaultInput)
{
    ASSERT_TRUE(run("pactl", {"set-default-source", "speakers.monitor"}));
    struct Restore {
        ~Restore() { run("pactl", {"set-default-source", "mic"}); }
    } restore;
    AudioProvider provider;
    const AudioSnapshot& s = passOnce(provider);
    ASSERT_TRUE(s.defaultInput);
    EXPECT_EQ(s.defaultInput->name, QStringLiteral("Monitor of Speakers"));
    ASSERT_EQ(s.allInputDevices.size(), 1) << "monitors stay out of the inputs";
    EXPECT_EQ(s.allInputDevices[0].name, QStringLiteral("Microphone"));
}

// The server is found where the library's own clients find it, with no
// PULSE_SERVER: in PULSE_RUNTIME_PATH, or without XDG_RUNTIME_DIR in the
// fallback under the home folder.
TEST_F(AudioServer, FoundWhereItsOwnClientsFindIt)
{
    const QStringList names{"PULSE_SERVER", "PULSE_RUNTIME_PATH", "XDG_RUNTIME_DIR", "HOME", "XDG_CONFIG_HOME",
                            "PULSE_CONFIG_PATH", "PULSE_STATE_PATH", "PULSE_CLIENTCONFIG"};
    struct Case {
        const char* folder;
        bool runtimePath;
    };
    for (const Case& c : {Case{"runtime-path", true}, Case{"no-xdg-runtime", false}}) {
        SCOPED_TRACE(c.folder);
        const QString dir = env("HALVORIN_PULSE_DIR") + '/' + c.folder;
        ASSERT_TRUE(QDir().mkpath(dir + "/home/.config"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& name : names)
            environment.remove(name);
        environment.insert("HOME", dir + "/home");
        if (c.runtimePath)
            environment.insert("PULSE_RUNTIME_PATH", dir + "/runtime");
        ExtraServer extra{dir};
        ASSERT_TRUE(server("start-runtime", dir, environment));

        ScopedEnvironment scoped(environment, names);
        AudioProvider provider;
        const AudioSnapshot& s = passOnce(provider);
        EXPECT_EQ(s.allOutputDevices.size(), 2);
        EXPECT_TRUE(s.defaultOutput);
    }
}

// Last: these stop and restart the server under the provider's connection.
TEST_F(AudioServer, StalledServerGivesAnEmptyReadingAndRecovers)
{
    AudioProvider provider;
    ASSERT_FALSE(passOnce(provider).allOutputDevices.isEmpty());
    ASSERT_TRUE(server("pause"));
    EXPECT_EQ(passOnce(provider), AudioSnapshot::empty()) << "the deadline ends a reading nobody answers";
    ASSERT_TRUE(server("resume"));
    EXPECT_TRUE(passUntil(provider, [](const AudioSnapshot& s) { return s.allOutputDevices.size() == 2; }));
}

TEST_F(AudioServer, ServerGoneGivesAnEmptySnapshotAndComingBackRestoresIt)
{
    AudioProvider provider;
    ASSERT_EQ(passOnce(provider).allOutputDevices.size(), 2);
    ASSERT_TRUE(server("kill"));
    EXPECT_EQ(passOnce(provider), AudioSnapshot::empty());
    EXPECT_EQ(passOnce(provider), AudioSnapshot::empty()) << "keeps trying without a server";
    ASSERT_TRUE(server("start"));
    EXPECT_TRUE(passUntil(provider, [](const AudioSnapshot& s) {
        return s.allOutputDevices.size() == 2 && s.defaultOutput;
    }));
}
