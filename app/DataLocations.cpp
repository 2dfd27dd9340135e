#include "DataLocations.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

const QString DataLocations::templateFileName = QStringLiteral("shablon.ze3");

namespace {

QString nativePath(const QString &folder, const QString &name)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).filePath(name)));
}

// A file the designer may replace: the write goes through a temporary file in the same folder.
bool writableInPlace(const QString &path)
{
    const QFileInfo file(path);
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

} // namespace

DataLocations::DataLocations(const QString &programFolder) : FProgramFolder(programFolder) {}

QList<DataLocations::Location> DataLocations::templateCandidates() const
{
    QList<Location> candidates;
    const QString user = userTemplatePath();
    if (!user.isEmpty())
        candidates.append({Place::UserData, user});
    candidates.append({Place::BesideProgram, nativePath(FProgramFolder, templateFileName)});
    candidates.append(
        {Place::Shipped, nativePath(FProgramFolder, QStringLiteral("../share/zelta/") + templateFileName)});
    return candidates;
}

std::optional<DataLocations::Location> DataLocations::findTemplate() const
{
    for (const Location &candidate : templateCandidates()) {
        const QFileInfo file(candidate.path);
        if (file.isFile() && file.isReadable())
            return candidate;
    }
    return std::nullopt;
}

QString DataLocations::designTarget(const Location &found) const
{
    const bool ownFile = found.place == Place::UserData ||
                         (found.place == Place::BesideProgram && writableInPlace(found.path));
    return ownFile || userTemplatePath().isEmpty() ? found.path : userTemplatePath();
}

QString DataLocations::notFoundMessage() const
{
    QStringList lines{QStringLiteral("Шаблон печати «%1» не найден. Он искался в:").arg(templateFileName)};
    for (const Location &candidate : templateCandidates())
        lines << candidate.path;
    return lines.join(QLatin1Char('\n'));
}

QString DataLocations::userTemplatePath()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? QString() : nativePath(folder, templateFileName);
}

QString DataLocations::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}
