#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A print spooler of the tests' own: a cupsd with its configuration, queues and spool in a
// temporary folder, reached through a local socket that CUPS_SERVER names. Queues pass the job's
// PDF unchanged into a file. Everything goes away with the object; cupsd also ends when the test
// process dies.
class CupsSandbox
{
public:
    CupsSandbox();
    ~CupsSandbox();
    CupsSandbox(const CupsSandbox &) = delete;
    CupsSandbox &operator=(const CupsSandbox &) = delete;

    // Must be called before anything in the process asks CUPS for printers.
    bool start();
    QString error() const { return FError; }

    // Adds a queue whose jobs land in the returned file.
    QString addPdfQueue(const QString &name);
    // Adds a raw queue that sends each job's bytes, untouched, to a socket listening on the port.
    bool addRawSocketQueue(const QString &name, quint16 port);
    bool setDefault(const QString &name);
    bool removeQueue(const QString &name);
    // Waits until the queue has no job left and its output file exists.
    bool waitUntilPrinted(const QString &queue, const QString &outputFile);

    QString socketPath() const;

private:
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr);
    QString path(const QString &relative) const;

    QTemporaryDir FRoot;
    QProcess FDaemon;
    QStringList FQueues;
    QString FError;
};
