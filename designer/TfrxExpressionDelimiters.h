#pragma once

#include <QString>
#include <QStringList>

// The two delimiters around the expressions of a text object, split from its ExpressionDelimiters
// at the first comma ("[,]" gives "[" and "]"). A text whose delimiters lack the comma or a side
// has no expressions, as at printing.
class TfrxExpressionDelimiters
{
public:
    explicit TfrxExpressionDelimiters(const QString &delimiters);

    bool IsValid() const { return !FOpen.isEmpty() && !FClose.isEmpty(); }
    QString Open() const { return FOpen; }
    QString Close() const { return FClose; }

    // The expressions of a text in the order printing meets them, each with its delimiters; an
    // opening delimiter without its closing one ends the search.
    QStringList Find(const QString &text) const;
    // An expression put between the delimiters; as it is when there are none.
    QString Wrap(const QString &expression) const;

private:
    QString FOpen;
    QString FClose;
};
