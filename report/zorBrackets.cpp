#include "zorBrackets.h"

bool zorGetBrackedVariableW(const QString &text, const QString &open, const QString &close, qsizetype &i,
                            qsizetype &j, QString &expression)
{
    expression.clear();
    if (open.isEmpty() || close.isEmpty())
        return false;
    const QStringView view(text);
    int depth = 0;
    bool inSingle = false, inDouble = false;
    for (j = i; j < text.size(); ++j) {
        if (!inSingle && !inDouble) {
            // With equal delimiters the second occurrence closes.
            if (view.mid(j).startsWith(open) && !(depth > 0 && open == close)) {
                if (depth++ == 0)
                    i = j;
                j += open.size() - 1;
                continue;
            }
            if (depth > 0 && view.mid(j).startsWith(close)) {
                if (--depth == 0) {
                    expression = text.mid(i + open.size(), j - i - open.size());
                    j += close.size() - 1;
                    return true;
                }
                j += close.size() - 1;
                continue;
            }
        }
        const QChar c = text.at(j);
        if (!inSingle && c == QLatin1Char('"'))
            inDouble = !inDouble;
        else if (!inDouble && c == QLatin1Char('\''))
            inSingle = !inSingle;
    }
    return false;
}
