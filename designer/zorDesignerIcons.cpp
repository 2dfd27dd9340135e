#include "zorDesignerIcons.h"

#include <QFile>
#include <QString>

QIcon zorDesignerIcon(const char *name)
{
    // The pictures live in a static library's resources, which the linker keeps only when asked.
    static const bool registered = [] {
        Q_INIT_RESOURCE(designer_icons);
        return true;
    }();
    Q_UNUSED(registered);
    const QString path = QStringLiteral(":/designer/icons/%1.png").arg(QLatin1String(name));
    return QFile::exists(path) ? QIcon(path) : QIcon();
}
