#include "ScriptRun.h"

#include "TfsRuntimeError.h"
#include "TfsScript.h"
#include "fsLanguages.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>

namespace {

constexpr int kRunFailed = 1;
constexpr int kNotRun = 2;

struct RunOptions
{
    QString File;
    QString Language;
    QStringList Print;
};

int Report(int status, const QString &message)
{
    QTextStream(stderr) << message << Qt::endl;
    return status;
}

// The language named by the option, else by the file's extension.
QString LanguageOf(const RunOptions &options)
{
    QStringList known;
    fsGetLanguageList(known);
    if (!options.Language.isEmpty()) {
        for (const QString &name : std::as_const(known))
            if (name.compare(options.Language, Qt::CaseInsensitive) == 0)
                return name;
        return {};
    }
    static const QHash<QString, QString> byExtension = {
        {QStringLiteral("pas"), QStringLiteral("PascalScript")},
        {QStringLiteral("cpp"), QStringLiteral("C++Script")},
        {QStringLiteral("vb"), QStringLiteral("BasicScript")},
        {QStringLiteral("js"), QStringLiteral("JScript")},
    };
    return byExtension.value(QFileInfo(options.File).suffix().toLower());
}

// run-args -> FILE {--language NAME | --print VARIABLE}
bool ParseRunArguments(const QStringList &args, RunOptions &options, QString &error)
{
    for (int i = 2; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--language") || arg == QLatin1String("--print")) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("%1 needs a value").arg(arg);
                return false;
            }
            if (arg == QLatin1String("--print"))
                options.Print.append(args.at(++i));
            else
                options.Language = args.at(++i);
        } else if (options.File.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            options.File = arg;
        } else {
            error = QStringLiteral("Unexpected argument \"%1\"").arg(arg);
            return false;
        }
    }
    if (options.File.isEmpty())
        error = QStringLiteral("A script file is needed (see zorreport --help)");
    return !options.File.isEmpty();
}

} // namespace

int zorRunScript(const QStringList &args)
{
    RunOptions options;
    QString error;
    if (!ParseRunArguments(args, options, error))
        return Report(kNotRun, error);
    QFile file(options.File);
    if (!file.open(QIODevice::ReadOnly))
        return Report(kNotRun,
                      QStringLiteral("Cannot open file \"%1\": %2").arg(options.File, file.errorString()));
    const QString language = LanguageOf(options);
    if (language.isEmpty())
        return Report(
            kNotRun,
            options.Language.isEmpty()
                ? QStringLiteral("Cannot tell the language of \"%1\": use --language").arg(options.File)
                : QStringLiteral("Unknown language \"%1\"").arg(options.Language));

    TfsScript script;
    script.SetSyntaxType(language);
    script.SetLines(QString::fromUtf8(file.readAll()));
    script.BaseFolder = QFileInfo(options.File).absolutePath();
    if (!script.Compile())
        return Report(kNotRun,
                      QStringLiteral("%1:%2: %3").arg(options.File, script.ErrorPos(), script.ErrorMsg()));
    for (const QString &name : std::as_const(options.Print)) {
        const TfsCustomVariable *item = script.Find(name);
        if (item == nullptr || !item->IsVariable())
            return Report(kNotRun,
                          QStringLiteral("No global variable \"%1\" in \"%2\"").arg(name, options.File));
    }
    try {
        script.Execute();
    } catch (const TfsRuntimeError &e) {
        return Report(kRunFailed, QStringLiteral("%1:%2: %3").arg(options.File, e.Pos(), e.Message()));
    } catch (const std::bad_alloc &) {
        // Scripts turn a failed allocation into their own error; this one happened outside statements.
        return Report(kRunFailed,
                      QStringLiteral("%1: %2").arg(options.File, TfsRuntimeError::OutOfMemory().Message()));
    }
    QTextStream out(stdout);
    for (const QString &name : std::as_const(options.Print))
        out << script.Variable(name).ToString() << Qt::endl;
    return 0;
}
