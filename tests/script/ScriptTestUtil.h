#pragma once

#include <QString>

#include <functional>
#include <string>

class TfsScript;
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

// Compiles and runs a program: the text form of the variable `result` afterwards, or
// "error: message @ pos" for a compile error, or "runtime: message @ pos" for a run-time error.
// setUp registers what the program needs before it compiles.
std::string runProgram(const char *language, const char *source, const char *result = "r",
                       const std::function<void(TfsScript &)> &setUp = {});
