#include "zorDesignerIcons.h"

#include <QFile>
#include <QString>

QIcon zorDesignerIcon(const char *name)
{
    const QString path = QStringLiteral(":/designer/icons/%1.png").arg(QLatin1String(name));
    return QFile::exists(path) ? QIcon(path) : QIcon();
}
