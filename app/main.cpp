#include "ReportLibrary.h"
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
// as with "Открыть".
void describeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Заполнение и печать свидетельства о профессии водителя."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("файл"),
                                 QStringLiteral("файл свидетельства (.vod), который открыть"),
                                 QStringLiteral("[файл]"));
}

// --help and --version answer before the window system starts, so they need no display.
void answerWithoutWindow(int &argc, char **argv)
{
    static const QByteArrayList questions{"-h", "--help", "-?", "--help-all", "-v", "--version"};
    for (int i = 1; i < argc; ++i) {
        if (questions.contains(QByteArray(argv[i]))) {
            const QCoreApplication commandLine(argc, argv);
            nameProgram();
            QCommandLineParser parser;
            describeCommandLine(parser);
            parser.process(commandLine); // prints the answer and ends the program
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    answerWithoutWindow(argc, argv);
    QApplication application(argc, argv);
    nameProgram();
    QApplication::setApplicationDisplayName(QStringLiteral("Зелта-автошкола"));
    QApplication::setDesktopFileName(QStringLiteral("zelta"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("zelta"), QIcon(QStringLiteral(":/zelta/zelta.png"))));
    // The toolkit's own options (-platform, -style) are gone from the arguments by now.
    QCommandLineParser parser;
    describeCommandLine(parser);
    parser.process(application);
    const QStringList files = parser.positionalArguments();

    TWidgetDialogs dialogs;
    loadRussianTexts(dialogs);
    TfmMain window(dialogs);
    window.show();
    if (!files.isEmpty())
        window.openCertificate(files.first());
    return QApplication::exec();
}
