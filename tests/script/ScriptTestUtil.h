#pragma once

#include <QString>

class TfsXMLItem;

// The outcome of turning one source into IL.
struct ParseResult
{
    bool ok = false;
    QString message;
    QString pos;
    QString il; // compact form of the IL tree (see Compact)
};

ParseResult parseScript(const QString &language, const QString &source);

// The IL tree as text, without positions: element(child child) and leaf:text, e.g.
// "assignstmt(dsgn(node:x) expr(number:1))". The copied types element is left out. With flatten,
// compound statements are replaced by their statements, as the interpreter runs them.
QString Compact(const TfsXMLItem &item, bool flatten = false);
