#include "platform/WifiTools.h"

#include "platform/linux/TextFile.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringDecoder>

namespace Dunmorra::Platform {

namespace {

std::optional<QString> strictUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QByteArrayView trimmedBytes(QByteArrayView s, std::string_view chars)
{
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && chars.find(s[first]) != std::string_view::npos)
        ++first;
    while (last > first && chars.find(s[last - 1]) != std::string_view::npos)
        --last;
    return s.sliced(first, last - first);
}

constexpr std::string_view kWhite = " \t\r\n\v\f";

} // namespace

WifiTools::WifiTools(QStringList directories, std::chrono::milliseconds deadline)
    : m_directories(std::move(directories))
    , m_deadline(deadline)
{
}

std::optional<QByteArray> WifiTools::run(const QString& tool, const QStringList& arguments) const
{
    QString program;
    for (const QString& dir : m_directories) {
        const QFileInfo candidate(dir + QLatin1Char('/') + tool);
        if (candidate.isFile() && candidate.isExecutable()) {
            program = candidate.filePath();
            break;
        }
    }
    if (program.isEmpty())
        return std::nullopt;

    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(static_cast<int>(m_deadline.count())))
        return std::nullopt;
    // waitForFinished keeps draining both pipes, so a chatty tool cannot block on a full pipe.
    if (!process.waitForFinished(static_cast<int>(m_deadline.count()))) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return process.readAllStandardOutput();
}

std::optional<QString> WifiTools::parseIwLink(const QByteArray& output)
{
    if (!strictUtf8(output))
        return std::nullopt;
    const QByteArrayView all(output);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf('\n', start);
        if (end < 0)
            end = all.size();
        const QByteArrayView line = trimmedBytes(all.sliced(start, end - start), " \t");
        start = end + 1;
        // "SSID:" alone is the empty value with its trailing blank trimmed away.
        // The first SSID line decides, even when it is empty; "BSSID" lines never match.
        if (line != QByteArrayView("SSID:") && !line.startsWith("SSID: "))
            continue;
        const QByteArrayView value = trimmedBytes(line.sliced(5), kWhite);
        if (value.isEmpty())
            return std::nullopt;
        // Escaped bytes are the SSID's own: any network may pick a name that is not UTF-8.
        const std::string ssid = Linux::decodeHexEscapes(std::string_view(value.data(), static_cast<std::size_t>(value.size())));
        return QString::fromUtf8(ssid.data(), static_cast<qsizetype>(ssid.size()));
    }
    return std::nullopt;
}

std::optional<QString> WifiTools::parseIwgetid(const QByteArray& output)
{
    const auto text = strictUtf8(output);
    if (!text)
        return std::nullopt;
    const QString name = text->trimmed();
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> WifiTools::ssidFromIw(const QString& interfaceName) const
{
    const auto output = run(QStringLiteral("iw"), {QStringLiteral("dev"), interfaceName, QStringLiteral("link")});
    return output ? parseIwLink(*output) : std::nullopt;
}

std::optional<QString> WifiTools::ssidFromIwgetid(const QString& interfaceName) const
{
    const auto output = run(QStringLiteral("iwgetid"), {QStringLiteral("-r"), interfaceName});
    return output ? parseIwgetid(*output) : std::nullopt;
}

} // namespace Dunmorra::Platform
