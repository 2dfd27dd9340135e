#include "zorSafeFile.h"

#include <QSaveFile>

namespace {

bool Failed(const QString &fileName, const QString &reason, QString *error)
{
    if (error != nullptr)
        *error = QStringLiteral("Cannot write \"%1\": %2").arg(fileName, reason);
    return false;
}

} // namespace

bool zorWriteFileSafely(const QString &fileName, const std::function<bool(QIODevice &)> &write,
                        QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return Failed(fileName, file.errorString(), error);
    // QSaveFile::commit can report success after a failed flush (a full disk) and then rename a
    // short file over the old one; flushing first and cancelling on failure keeps the old file.
    if (!write(file) || !file.flush()) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : QStringLiteral("write failed");
        file.cancelWriting();
        file.commit();
        return Failed(fileName, reason, error);
    }
    if (!file.commit())
        return Failed(fileName, file.errorString(), error);
    return true;
}

bool zorWriteFileSafely(const QString &fileName, const QByteArray &bytes, QString *error)
{
    return zorWriteFileSafely(
        fileName, [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); }, error);
}
