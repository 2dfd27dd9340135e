#pragma once

// Writing a file so that a failure never damages what was there: the content goes to a temporary
// file in the same folder, which is renamed over the target only when every byte reached the disk.

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes the file through `write`, which fills the device and says whether it succeeded. On failure
// the old file is left as it was, no temporary file remains, and `error` (when given) says why:
// "Cannot write "NAME": REASON".
bool zorWriteFileSafely(const QString &fileName, const std::function<bool(QIODevice &)> &write,
                        QString *error = nullptr);
bool zorWriteFileSafely(const QString &fileName, const QByteArray &bytes, QString *error = nullptr);
