#include "TOperatorDialogs.h"
#include "TfmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

namespace {

void nameProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("zelta"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZOR_LIBRARY_VERSION));
}

// zelta [FILE.vod]: a file named on the command line (a double-click in the file manager) opens
// as with "Открыть". Read before the window system starts, so that --help and --version answer
// without a display.
QStringList certificateArguments(int &argc, char **argv)
{
    const QCoreApplication commandLine(argc, argv);
    nameProgram();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Заполнение и печать свидетельства о профессии водителя."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("файл"),
                                 QStringLiteral("файл свидетельства (.vod), который открыть"),
                                 QStringLiteral("[файл]"));
    parser.process(commandLine);
    return parser.positionalArguments();
}

} // namespace

int main(int argc, char *argv[])
{
    const QStringList files = certificateArguments(argc, argv);
    QApplication application(argc, argv);
    nameProgram();
    QApplication::setApplicationDisplayName(QStringLiteral("Зелта-автошкола"));
    QApplication::setDesktopFileName(QStringLiteral("zelta"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("zelta"), QIcon(QStringLiteral(":/zelta/zelta.png"))));

    TWidgetDialogs dialogs;
    TfmMain window(dialogs);
    window.show();
    if (!files.isEmpty())
        window.openCertificate(files.first());
    return QApplication::exec();
}
