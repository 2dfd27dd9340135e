#include "CupsSandbox.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <sys/prctl.h>

#include <csignal>

namespace {

bool writeText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

const QString pdfModel = QStringLiteral("lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd");

} // namespace

CupsSandbox::CupsSandbox()
{
    FDaemon.setProcessChannelMode(QProcess::MergedChannels);
}

CupsSandbox::~CupsSandbox()
{
    for (const QString &queue : FQueues)
        run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue});
    if (FDaemon.state() != QProcess::NotRunning) {
        FDaemon.terminate();
        if (!FDaemon.waitForFinished(5000))
            FDaemon.kill();
        FDaemon.waitForFinished(2000);
    }
}

QString CupsSandbox::path(const QString &relative) const
{
    return FRoot.filePath(relative);
}

QString CupsSandbox::socketPath() const
{
    return path(QStringLiteral("cups.sock"));
}

bool CupsSandbox::start()
{
    if (!FRoot.isValid()) {
        FError = QStringLiteral("no temporary folder");
        return false;
    }
    QFile::setPermissions(FRoot.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::ExeOther);
    for (const char *dir : {"conf", "spool", "cache", "state", "log", "tmp", "out"})
        QDir(FRoot.path()).mkdir(QString::fromLatin1(dir));
    const QString access =
        QStringLiteral("<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                       "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n");
    const bool written =
        writeText(path(QStringLiteral("conf/cupsd.conf")),
                  QStringLiteral("Listen %1\nLogLevel warn\nBrowsing No\n").arg(socketPath()) + access) &&
        writeText(path(QStringLiteral("conf/cups-files.conf")),
                  QStringLiteral("FileDevice Yes\nServerRoot %1\nStateDir %2\nCacheDir %3\nRequestRoot %4\n"
                                 "TempDir %5\nErrorLog %6\nAccessLog %7\nPageLog %7\n")
                      .arg(path(QStringLiteral("conf")), path(QStringLiteral("state")),
                           path(QStringLiteral("cache")), path(QStringLiteral("spool")),
                           path(QStringLiteral("tmp")), path(QStringLiteral("log/error_log")),
                           path(QStringLiteral("log/access_log"))));
    // Raw jobs (dot-matrix output) need the raw type and its conversion in the spooler's own folder.
    for (const char *name : {"raw.types", "raw.convs"})
        QFile::copy(QStringLiteral("/etc/cups/") + QLatin1String(name),
                    path(QStringLiteral("conf/")) + QLatin1String(name));
    if (!written) {
        FError = QStringLiteral("cannot write the spooler's configuration");
        return false;
    }
    qputenv("CUPS_SERVER", socketPath().toLocal8Bit());
    // The spooler must not outlive a test process that dies.
    FDaemon.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    FDaemon.start(QStringLiteral("cupsd"),
                  {QStringLiteral("-f"), QStringLiteral("-c"), path(QStringLiteral("conf/cupsd.conf")),
                   QStringLiteral("-s"), path(QStringLiteral("conf/cups-files.conf"))});
    if (!FDaemon.waitForStarted(5000)) {
        FError = QStringLiteral("cupsd does not start: ") + FDaemon.errorString();
        return false;
    }
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (QFileInfo::exists(socketPath()) && run(QStringLiteral("lpstat"), {QStringLiteral("-r")}))
            return true;
        if (FDaemon.state() == QProcess::NotRunning)
            break;
        QThread::msleep(20);
    }
    FError = QStringLiteral("cupsd does not answer: ") + QString::fromLocal8Bit(FDaemon.readAll());
    return false;
}

QString CupsSandbox::addPdfQueue(const QString &name)
{
    const QString output = path(QStringLiteral("out/%1.pdf").arg(name));
    if (!run(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
              QStringLiteral("file://") + output, QStringLiteral("-m"), pdfModel}))
        return {};
    FQueues << name;
    return output;
}

bool CupsSandbox::addRawSocketQueue(const QString &name, quint16 port)
{
    if (!run(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
              QStringLiteral("socket://127.0.0.1:%1").arg(port), QStringLiteral("-m"),
              QStringLiteral("raw")}))
        return false;
    FQueues << name;
    return true;
}

bool CupsSandbox::setDefault(const QString &name)
{
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
}

bool CupsSandbox::removeQueue(const QString &name)
{
    FQueues.removeAll(name);
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), name});
}

bool CupsSandbox::waitUntilPrinted(const QString &queue, const QString &outputFile)
{
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        QString jobs;
        if (run(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}, &jobs) && jobs.trimmed().isEmpty() &&
            QFileInfo(outputFile).size() > 0)
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool CupsSandbox::run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(20000))
        return false;
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
