#include "history/AtomicFile.h"

#include <QCoreApplication>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace Dunmorra {

std::optional<QString> writeFileAtomically(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Unbuffered, so a short write (a full disk) shows here: through the
    // buffer, QSaveFile commits the truncated file and reports success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    errno = 0;
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const int code = errno;
        QString error = file.errorString();
        if (file.error() == QFileDevice::NoError || error.isEmpty())
            error = code ? QString::fromLocal8Bit(std::strerror(code))
                         : QCoreApplication::translate("Dunmorra::DayFile", "The file could not be written completely");
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace Dunmorra
