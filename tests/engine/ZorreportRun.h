#pragma once

// Runs the command-line tool for the tests that drive it end to end.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

struct ZorreportResult
{
    int ExitCode; // -1 when the tool crashed or did not finish
    QString Out;
    QString Err;
};

inline ZorreportResult RunZorreport(const QStringList &args, int timeoutMs = 120000)
{
    QProcess process;
    process.start(QStringLiteral(ZOR_REPORT_TOOL), args);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, QStringLiteral("(did not finish)")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The first line of the tool's own message, past what Qt and the sanitizers may say about the
// environment.
inline QString FirstLine(const QString &err)
{
    for (const QString &line : err.split(u'\n'))
        if (!line.startsWith(QLatin1String("QStandardPaths:")) && !line.startsWith(QLatin1String("==")))
            return line;
    return {};
}

inline QString WriteTestFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

inline QByteArray ReadTestFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
