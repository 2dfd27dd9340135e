#include "PrintCommands.h"

#include "ReportInput.h"
#include "TfrxCustomPrinter.h"
#include "TfrxPreviewPages.h"
#include "TfrxPrintRun.h"
#include "TfrxPrinterCalibration.h"
#include "TfrxPrinters.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "zorEngine.h"
#include "zorPrintLayout.h"
#include "zorPrinterTexts.h"
#include "zorScriptBindings.h"
#include "zorTemplateFormat.h"

#include <QApplication>
#include <QFile>
#include <QTextStream>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

const char kUsage[] =
    "Usage:\n"
    "  zorreport print TEMPLATE|PREPARED.zi3 [--printer NAME] [--copies N] [--pages RANGE]\n"
    "                  [--data ALIAS=FILE.csv]... [--var NAME=VALUE]...\n"
    "  zorreport printers\n"
    "\n"
    "print     prints a prepared report, or a template prepared first, on the printer\n"
    "          (default: the system's default printer) with its correction applied;\n"
    "          --pages takes a range such as 1,3-5 or 2-; --var sets a report\n"
    "          variable to a text.\n"
    "printers  lists the printers with their papers and corrections.\n";

struct PrintOptions
{
    ReportInput Input;
    QString Printer;
    int Copies = 1;
    QString Pages;
};

int fail(const QString &message)
{
    QTextStream(stderr) << message << Qt::endl;
    return 1;
}

// print -> input (option)* ; option -> --printer NAME | --copies N | --pages RANGE | --data A=F | --var N=V
bool parse(const QStringList &args, PrintOptions &options, QString &error)
{
    using Setter = std::function<bool(const QString &)>;
    const std::map<QString, Setter> setters = {
        {QStringLiteral("--printer"),
         [&](const QString &v) {
             options.Printer = v;
             return !v.isEmpty();
         }},
        {QStringLiteral("--copies"),
         [&](const QString &v) {
             bool ok = false;
             options.Copies = v.toInt(&ok);
             return ok && options.Copies >= 1 && options.Copies <= 1000;
         }},
        {QStringLiteral("--pages"),
         [&](const QString &v) {
             options.Pages = v;
             return true;
         }},
        {QStringLiteral("--data"), [&](const QString &v) { return options.Input.AddData(v); }},
        {QStringLiteral("--var"), [&](const QString &v) { return options.Input.AddVariable(v); }},
    };
    for (qsizetype i = 2; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (const auto setter = setters.find(arg); setter != setters.end()) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("%1 needs a value").arg(arg);
                return false;
            }
            const QString value = args.at(++i);
            if (!setter->second(value)) {
                error = QStringLiteral("Invalid value for %1: \"%2\"").arg(arg, value);
                return false;
            }
        } else if (options.Input.File.isEmpty() && !arg.startsWith(u'-')) {
            options.Input.File = arg;
        } else {
            error = QStringLiteral("Unexpected argument \"%1\"").arg(arg);
            return false;
        }
    }
    if (options.Input.File.isEmpty()) {
        error = QStringLiteral("A report to print is needed (see zorreport print --help)");
        return false;
    }
    return true;
}

// The printer the command prints on; none (with the reason) when it cannot print.
TfrxCustomPrinter *choosePrinter(const QString &name, QString &error)
{
    TfrxPrinters *printers = zorPrinters();
    if (!printers->HasPhysicalPrinters()) {
        error = zorPrinterText("clNoPrinters");
        return nullptr;
    }
    const int index = name.isEmpty() ? printers->PrinterIndex() : printers->IndexOf(name);
    if (index < 0) {
        error = QStringLiteral("Unknown printer \"%1\"; the printers are: %2")
                    .arg(name, printers->Printers().join(QStringLiteral(", ")));
        return nullptr;
    }
    printers->setPrinterIndex(index);
    return printers->Printer();
}

int print(const QStringList &args)
{
    PrintOptions options;
    QString error;
    if (!parse(args, options, error))
        return fail(error);
    TfrxCustomPrinter *printer = choosePrinter(options.Printer, error);
    if (printer == nullptr)
        return fail(error);
    TfrxReport report;
    report.EngineOptions()->NewSilentMode = zor::simSilent;
    report.setProperty("ShowProgress", false);
    if (!options.Input.Load(report, true, error))
        return fail(error);
    TfrxCustomPreviewPages &pages = *report.PreviewPages();
    QStringList pageList;
    if (!zorParsePageNumbers(options.Pages, pageList, pages.GetCount()))
        return fail(QStringLiteral("\"%1\" is not a valid page range").arg(options.Pages));
    if (pageList.isEmpty() && !options.Pages.trimmed().isEmpty())
        return fail(QStringLiteral("The range \"%1\" names no page of the report (it has %2)")
                        .arg(options.Pages)
                        .arg(pages.GetCount()));
    TfrxPrintOptions &printOptions = *report.PrintOptions();
    printOptions.Printer = printer->Name();
    printOptions.ShowDialog = false;
    printOptions.Copies = options.Copies;
    printOptions.PageNumbers = options.Pages;
    // The same run as the preview's print button; its errors reach standard error.
    QStringList printErrors;
    zorSetPrinterErrorHandler([&printErrors](const QString &message) { printErrors << message; });
    TfrxPrintRun run(report, pages);
    const bool printed = run.Print();
    zorSetPrinterErrorHandler({});
    if (!printed)
        return fail(printErrors.isEmpty() ? QStringLiteral("Nothing was printed") : printErrors.join(u'\n'));
    return 0;
}

QString number(double value)
{
    return QString::number(value, 'f', 1);
}

int listPrinters()
{
    TfrxPrinters *printers = zorPrinters();
    if (!printers->HasPhysicalPrinters())
        return fail(zorPrinterText("clNoPrinters"));
    const int current = printers->PrinterIndex();
    QTextStream out(stdout);
    for (int i = 0; i < printers->Printers().size(); ++i) {
        TfrxCustomPrinter *printer = printers->Items(i);
        printer->Init();
        const TfrxPrinterCalibration calibration = TfrxPrinterCalibration::Load(printer->Name());
        out << printer->Name() << (i == current ? " (default)" : "") << "\n";
        if (!printer->Initialized()) {
            out << "  not available\n";
            continue;
        }
        QStringList papers;
        for (const TfrxPrinterItem &paper : printer->Papers().mid(1))
            papers << paper.name;
        out << "  paper: " << number(printer->DefPaperWidth()) << " x " << number(printer->DefPaperHeight())
            << " mm; papers: " << papers.join(QStringLiteral(", ")) << "\n"
            << "  correction: offset " << number(calibration.OffsetX) << " mm right, "
            << number(calibration.OffsetY) << " mm down, scale " << number(calibration.Scale) << " %\n";
    }
    return 0;
}

} // namespace

bool zorIsPrintCommand(const char *command)
{
    return std::strcmp(command, "print") == 0 || std::strcmp(command, "printers") == 0;
}

int zorRunPrintCommand(int argc, char **argv)
{
    // Printing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        QTextStream(stdout) << kUsage;
        return 0;
    }
    zorRegisterTemplateFormat();
    zorRegisterEngine();
    zorRegisterScriptBindings();
    return args.at(1) == QLatin1String("printers") ? listPrinters() : print(args);
}
