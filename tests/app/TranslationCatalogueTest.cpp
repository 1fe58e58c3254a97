#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    bool finished = false;
};

std::vector<Message> readCatalogue(const QString& path)
{
    std::vector<Message> out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = Message{context, {}, {}, false};
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText();
            message.finished = type.isEmpty();
            if (type != QLatin1String("vanished") && type != QLatin1String("obsolete"))
                out.push_back(message);
        }
    }
    return out;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral("%L?\\d+"));
    QSet<QString> out;
    for (const auto& m : marker.globalMatch(text))
        out << m.captured().remove(QLatin1Char('L'));
    return out;
}

} // namespace

// The catalogue is brought up to date with the code first, so a text added
// to the code without a translation fails here, not only a stale entry.
TEST(TranslationCatalogue, EveryTextInTheCodeHasASpanishTranslation)
{
    QTemporaryDir dir;
    const QString catalogue = dir.filePath(QStringLiteral("halvorin_es.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(HALVORIN_SOURCE_DIR "/resources/translations/halvorin_es.ts"), catalogue));
    QFile::setPermissions(catalogue, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.start(QStringLiteral(HALVORIN_LUPDATE),
        {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete"),
            QStringLiteral(HALVORIN_SOURCE_DIR "/src"), QStringLiteral("-ts"), catalogue});
    ASSERT_TRUE(lupdate.waitForFinished(120'000)) << lupdate.errorString().toStdString();
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const std::vector<Message> messages = readCatalogue(catalogue);
    ASSERT_FALSE(messages.empty());
    QStringList faults;
    for (const Message& m : messages) {
        const QString where = m.context + QStringLiteral(": \"") + m.source + QLatin1Char('"');
        if (!m.finished || m.translation.isEmpty())
            faults << where + QStringLiteral(" has no translation");
        else if (placeholders(m.source) != placeholders(m.translation))
            faults << where + QStringLiteral(" has other placeholders in Spanish");
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}
