#include "TfsFileAccess.h"

#include "TfsRuntimeError.h"
#include "TfsScript.h"

#include <QDir>
#include <QFileInfo>

namespace {

[[noreturn]] void refuse(const QString &message)
{
    throw TfsRuntimeError(message, QStringLiteral("EFOpenError"));
}

} // namespace

bool fsIsUnsafeFileName(const QString &name)
{
    if (name.isEmpty() || QDir::isAbsolutePath(name) || name.startsWith(u'/') || name.startsWith(u'\\') ||
        (name.size() > 1 && name[1] == u':'))
        return true;
    const QStringList parts = QString(name).replace(u'\\', u'/').split(u'/');
    return parts.contains(QStringLiteral(".."));
}

QString fsScriptReadPath(const TfsScript &script, const QString &name)
{
    const TfsScript *root = &script;
    while (root->Parent() != nullptr && root->BaseFolder.isEmpty())
        root = root->Parent();
    if (root->BaseFolder.isEmpty())
        refuse(QStringLiteral("Scripts have no access to files"));
    if (fsIsUnsafeFileName(name))
        refuse(QStringLiteral("File name not allowed: %1").arg(name));
    // A link may point out of the folder: the file is judged by where it really is.
    const QString folder = QFileInfo(root->BaseFolder).canonicalFilePath();
    const QFileInfo file(QDir(root->BaseFolder).filePath(QString(name).replace(u'\\', u'/')));
    const QString path = file.canonicalFilePath();
    if (folder.isEmpty() || path.isEmpty() || !QFileInfo(path).isFile() ||
        !path.startsWith(folder + QDir::separator()))
        refuse(QStringLiteral("Cannot open file \"%1\"").arg(name));
    return path;
}

void fsRefuseFileWrite()
{
    refuse(QStringLiteral("Scripts cannot write files"));
}
