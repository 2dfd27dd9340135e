#include "TfrxExpressionDelimiters.h"

#include "zorBrackets.h"

namespace {

// Printing reads at most this much of either delimiter.
constexpr qsizetype maxDelimiter = 255;

} // namespace

TfrxExpressionDelimiters::TfrxExpressionDelimiters(const QString &delimiters)
{
    const qsizetype comma = delimiters.indexOf(u',');
    if (comma < 0)
        return;
    FOpen = delimiters.left(comma).left(maxDelimiter);
    FClose = delimiters.mid(comma + 1).left(maxDelimiter);
}

QStringList TfrxExpressionDelimiters::Find(const QString &text) const
{
    QStringList found;
    if (!IsValid())
        return found;
    qsizetype from = 0;
    while (true) {
        qsizetype i = text.indexOf(FOpen, from);
        if (i < 0)
            break;
        qsizetype j = i;
        QString expression;
        if (!zorGetBrackedVariableW(text, FOpen, FClose, i, j, expression))
            break;
        found.append(text.mid(i, j - i + 1));
        from = j + 1;
    }
    return found;
}

QString TfrxExpressionDelimiters::Wrap(const QString &expression) const
{
    return IsValid() ? FOpen + expression + FClose : expression;
}
