#include "TOperatorDialogs.h"
#include "TfmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

namespace {

// zelta [FILE.vod]: a file named on the command line (a double-click in the file manager) opens
// as with "Открыть".
QStringList certificateArguments(const QApplication &application)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Заполнение и печать свидетельства о профессии водителя."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("файл"),
                                 QStringLiteral("файл свидетельства (.vod), который открыть"),
                                 QStringLiteral("[файл]"));
    parser.process(application);
    return parser.positionalArguments();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelta"));
    QApplication::setApplicationDisplayName(QStringLiteral("Зелта-автошкола"));
    QApplication::setApplicationVersion(QStringLiteral(ZOR_LIBRARY_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zelta"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("zelta"), QIcon(QStringLiteral(":/zelta/zelta.png"))));
    const QStringList files = certificateArguments(application);

    TWidgetDialogs dialogs;
    TfmMain window(dialogs);
    window.show();
    if (!files.isEmpty())
        window.openCertificate(files.first());
    return QApplication::exec();
}
