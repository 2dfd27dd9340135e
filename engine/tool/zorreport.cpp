// zorreport: prepares report templates, renders prepared pages and runs scripts from the command line.
#include "PrintCommands.h"
#include "ReportInput.h"
#include "ScriptRun.h"
#include "TfrxPreviewPages.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxResources.h"
#include "zorEngine.h"
#include "zorPdfExport.h"
#include "zorSafeFile.h"
#include "zorScriptBindings.h"
#include "zorTemplateFormat.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

const char kHelp[] =
    "Usage:\n"
    "  zorreport prepare TEMPLATE [--data ALIAS=FILE.csv]... [--var NAME=VALUE]... -o OUT.zi3\n"
    "  zorreport render TEMPLATE|PREPARED.zi3 [--data ALIAS=FILE.csv]... [--var NAME=VALUE]... [--page N] "
    "[--dpi D]\n"
    "                   -o OUT.png\n"
    "  zorreport pdf TEMPLATE|PREPARED.zi3 [--data ALIAS=FILE.csv]... [--var NAME=VALUE]... -o OUT.pdf\n"
    "  zorreport run SCRIPT [--language NAME] [--print VARIABLE]...\n"
    "  zorreport --help | --version\n"
    "\n"
    "--language NAME  with prepare, render and pdf: the library's texts from the language file\n"
    "                 NAME.frc (e.g. Russian) instead of English.\n"
    "\n"
    "prepare  prepares a report template (.ze3) and writes the prepared report (.zi3).\n"
    "render   draws one page of a prepared report, or of a template prepared first, as a PNG\n"
    "         picture; --page counts from 1 (default 1), --dpi is the resolution (default 96).\n"
    "pdf      writes every page of a prepared report, or of a template prepared first, to a\n"
    "         vector PDF with selectable text, each page on its own paper size.\n"
    "--data   makes a CSV file (first line the field names) a data set under ALIAS.\n"
    "--var    gives a variable of the template a text value (templates only).\n"
    "run      compiles and runs a script (the language from --language, else from the extension:\n"
    "         .pas PascalScript, .cpp C++Script, .vb BasicScript, .js JScript) and prints the\n"
    "         value of each --print variable on its own line. Exits 2 when the script does not\n"
    "         compile (the message says line:column), 1 when it fails while running.\n";

struct Options {
    QString Command;
    ReportInput Input;
    QString Output;
    int Page = 1;
    double Dpi = 96;
};

int Fail(const QString &message)
{
    QTextStream(stderr) << message << Qt::endl;
    return 1;
}

// command line -> command input (option)* ; option -> --data A=F | --var N=V | --page N | --dpi D | -o FILE
bool ParseArguments(const QStringList &args, Options &options, QString &error)
{
    if (args.size() < 2) {
        error = QStringLiteral("A command is missing (see zorreport --help)");
        return false;
    }
    options.Command = args.at(1);
    static const QStringList commands = {QStringLiteral("prepare"), QStringLiteral("render"), QStringLiteral("pdf")};
    if (!commands.contains(options.Command)) {
        error = QStringLiteral("Unknown command \"%1\" (see zorreport --help)").arg(options.Command);
        return false;
    }
    for (int i = 2; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("-o") || arg == QLatin1String("--data") || arg == QLatin1String("--page") ||
            arg == QLatin1String("--dpi") || arg == QLatin1String("--var")) {
            if (!hasValue) {
                error = QStringLiteral("%1 needs a value").arg(arg);
                return false;
            }
            const QString value = args.at(++i);
            bool ok = true;
            if (arg == QLatin1String("-o")) {
                options.Output = value;
            } else if (arg == QLatin1String("--page")) {
                options.Page = value.toInt(&ok);
                ok = ok && options.Page >= 1;
            } else if (arg == QLatin1String("--var")) {
                ok = options.Input.AddVariable(value);
            } else if (arg == QLatin1String("--dpi")) {
                options.Dpi = value.toDouble(&ok);
                ok = ok && options.Dpi >= 1 && options.Dpi <= 2400;
            } else {
                ok = options.Input.AddData(value);
            }
            if (!ok) {
                error = QStringLiteral("Invalid value for %1: \"%2\"").arg(arg, value);
                return false;
            }
        } else if (options.Input.File.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            options.Input.File = arg;
        } else {
            error = QStringLiteral("Unexpected argument \"%1\"").arg(arg);
            return false;
        }
    }
    if (options.Input.File.isEmpty() || options.Output.isEmpty()) {
        error = QStringLiteral("An input file and -o OUTPUT are needed (see zorreport --help)");
        return false;
    }
    return true;
}

// --language NAME puts a language file's texts over the library's English ones; the option is
// taken out before the command's own arguments are read. A language that is missing or cannot be
// read is a warning: the texts stay English and the command still runs.
QStringList ChooseLanguage(QStringList args)
{
    const qsizetype at = args.indexOf(QStringLiteral("--language"));
    if (at < 2 || at + 1 >= args.size())
        return args;
    const QString language = args.at(at + 1);
    args.remove(at, 2);
    QString error;
    if (zorResources().LoadLanguage(language, &error))
        return args;
    if (error.isEmpty())
        error = QStringLiteral("there is no language \"%1\" (known: %2)")
                    .arg(language, zorResources().Languages().join(QStringLiteral(", ")));
    QTextStream(stderr) << "zorreport: warning: " << error << "; the texts stay English" << Qt::endl;
    return args;
}

int Render(TfrxReport &report, const Options &options)
{
    auto *pages = static_cast<TfrxPreviewPages *>(report.PreviewPages());
    if (options.Page > pages->GetCount())
        return Fail(QStringLiteral("Page %1 does not exist: the report has %2 page(s)")
                        .arg(options.Page)
                        .arg(pages->GetCount()));
    const double scale = options.Dpi / 96;
    const QSize size = pages->GetPageSize(options.Page - 1);
    QImage image(qMax(1, qRound(size.width() * scale)), qMax(1, qRound(size.height() * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(qRound(options.Dpi / 0.0254));
    image.setDotsPerMeterY(qRound(options.Dpi / 0.0254));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        pages->DrawPage(options.Page - 1, &painter, scale, scale, 0, 0);
    }
    // Encoded in memory first: the PNG encoder loses memory when the disk fails under it.
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG"))
        return Fail(QStringLiteral("Cannot encode the page as PNG"));
    QString error;
    if (!zorWriteFileSafely(options.Output, png.data(), &error))
        return Fail(error);
    return 0;
}

// Writes the prepared pages as a PDF file.
int WritePdf(TfrxReport &report, const Options &options)
{
    QString error;
    if (!zorExportPdf(report, options.Output, error))
        return Fail(error);
    return 0;
}

// Draws a page or writes the PDF of the pages the report holds.
int Output(TfrxReport &report, const Options &options)
{
    return options.Command == QLatin1String("pdf") ? WritePdf(report, options) : Render(report, options);
}

// Standard error carries only zorreport's own messages: Qt's notices (such as the one about a
// missing XDG_RUNTIME_DIR) are dropped, its critical errors kept.
void KeepOwnMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        QTextStream(stderr) << message << Qt::endl;
}

}  // namespace

int main(int argc, char **argv)
{
    qInstallMessageHandler(KeepOwnMessages);
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("zorreport " ZOR_LIBRARY_VERSION);
        return 0;
    }
    if (argc >= 2 && zorIsPrintCommand(argv[1]))
        return zorRunPrintCommand(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "run") == 0) {
        QCoreApplication app(argc, argv); // scripts need no windowing system
        return zorRunScript(QCoreApplication::arguments());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = ChooseLanguage(QCoreApplication::arguments());
    if (args.size() == 2 && (args.at(1) == QLatin1String("--help") || args.at(1) == QLatin1String("-h"))) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    Options options;
    QString error;
    if (!ParseArguments(args, options, error))
        return Fail(error);
    zorRegisterTemplateFormat();
    zorRegisterEngine();
    zorRegisterScriptBindings();
    TfrxReport report;
    report.EngineOptions()->NewSilentMode = zor::simSilent;
    const bool preparing = options.Command == QLatin1String("prepare");
    if (!options.Input.Load(report, !preparing, error))
        return Fail(error);
    if (!preparing)
        return Output(report, options);
    if (!report.PreviewPages()->SaveToFile(options.Output))
        return Fail(QStringLiteral("Cannot write \"%1\"").arg(options.Output));
    return 0;
}
