#include "VariableOptions.h"

#include "TfrxHyperlink.h"
#include "TfrxReport.h"
#include "TfrxVariables.h"

bool VariableOptions::Add(const QString &text)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    FValues.append({text.left(eq), text.mid(eq + 1)});
    return true;
}

bool VariableOptions::Apply(TfrxReport &report, QString &error) const
{
    TfrxVariables *variables = report.Variables();
    for (const auto &[name, value] : FValues) {
        // Names that begin with a space are category headings, not variables.
        if (name.startsWith(QLatin1Char(' ')) || variables->IndexOf(name) < 0) {
            error = QStringLiteral("The report has no variable \"%1\"").arg(name);
            return false;
        }
        // A variable's value is an expression: the text goes in as a literal of the script language.
        variables->SetVariable(name, TfrxHyperlink::QuoteForLanguage(value, report.ScriptLanguage()));
    }
    return true;
}
