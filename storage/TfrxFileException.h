#pragma once

#include <QString>

#include <stdexcept>

// A file of the library could not be opened, read, written or replaced. The message names the
// file and the reason the system gave.
class TfrxFileException : public std::runtime_error
{
public:
    TfrxFileException(const QString &fileName, const QString &reason)
        : std::runtime_error(QStringLiteral("%1: %2").arg(fileName, reason).toStdString()),
          FFileName(fileName)
    {
    }

    QString FileName() const { return FFileName; }

private:
    QString FFileName;
};
