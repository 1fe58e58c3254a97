#include "folders/FolderPath.h"

#include <QFile>
#include <QUrl>

#include <gtest/gtest.h>

using namespace Dunmorra;

TEST(FolderPath, DisplayNameIsOneLineOfText)
{
    struct Case {
        QByteArray path;
        QString shown;
    };
    const Case cases[] = {
        {"/", "/"},
        {"/home/u/plain name", "plain name"},
        {"/t/two\nlines", "two\uFFFDlines"},
        {"/t/tab\there\r", "tab\uFFFDhere\uFFFD"},
        {"/t/<b>bold<br>&amp; co", "<b>bold<br>&amp; co"},
        {"/t/bad\xff", "bad\uFFFD"},
        {"/t/caf\xc3\xa9", "café"},
        {QByteArray("/t/sep") + "\xe2\x80\xa8" + "x", "sep\uFFFDx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(FolderPath::displayName(c.path), c.shown);
    }
}

TEST(FolderPath, FileUriNamesExactlyTheBytes)
{
    EXPECT_EQ(FolderPath::fileUri("/home/u/my file#1?.txt"), QByteArray("file:///home/u/my%20file%231%3F.txt"));
    EXPECT_EQ(FolderPath::fileUri("/t/bad\xff/n\nl"), QByteArray("file:///t/bad%FF/n%0Al"));
    // What the desktop receives decodes back to the same bytes.
    const QUrl url = QUrl::fromEncoded(FolderPath::fileUri("/t/caf\xc3\xa9 #2"), QUrl::StrictMode);
    EXPECT_EQ(QFile::encodeName(url.toLocalFile()), QByteArray("/t/caf\xc3\xa9 #2"));
}
