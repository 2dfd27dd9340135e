#include "TfrxDesignerRecovery.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

TfrxDesignerRecovery::TfrxDesignerRecovery(std::function<QByteArray()> snapshot, QObject *parent)
    : QObject(parent), FSnapshot(std::move(snapshot))
{
    FTimer.setInterval(60 * 1000);
    connect(&FTimer, &QTimer::timeout, this, &TfrxDesignerRecovery::WriteNow);
}

TfrxDesignerRecovery::~TfrxDesignerRecovery() = default;

QString TfrxDesignerRecovery::CopyFileName(const QString &templateFileName)
{
    // One copy per template, named by its full path so two templates of the same name never meet.
    const QByteArray path = QFileInfo(templateFileName).absoluteFilePath().toUtf8();
    const QString hash = QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex());
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery/") +
           QFileInfo(templateFileName).completeBaseName() + u'-' + hash.left(12) + QStringLiteral(".ze3");
}

void TfrxDesignerRecovery::SetFileName(const QString &fileName)
{
    FFileName = fileName;
}

void TfrxDesignerRecovery::SetModified(bool modified)
{
    if (modified && !FFileName.isEmpty()) {
        if (!FTimer.isActive())
            FTimer.start();
        return;
    }
    FTimer.stop();
}

QString TfrxDesignerRecovery::PendingCopy() const
{
    if (FFileName.isEmpty())
        return {};
    const QString copy = CopyFileName(FFileName);
    return QFile::exists(copy) ? copy : QString();
}

QDateTime TfrxDesignerRecovery::PendingTime() const
{
    const QString copy = PendingCopy();
    return copy.isEmpty() ? QDateTime() : QFileInfo(copy).lastModified();
}

bool TfrxDesignerRecovery::WriteNow()
{
    if (FFileName.isEmpty())
        return false;
    const QString copy = CopyFileName(FFileName);
    if (!QDir().mkpath(QFileInfo(copy).absolutePath()))
        return false;
    QSaveFile file(copy);
    const QByteArray data = FSnapshot();
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void TfrxDesignerRecovery::Discard()
{
    FTimer.stop();
    if (!FFileName.isEmpty())
        QFile::remove(CopyFileName(FFileName));
}
