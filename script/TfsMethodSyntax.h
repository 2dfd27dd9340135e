#pragma once

#include "TfsItems.h"

#include <QString>

#include <vector>

class TfsScript;

// The declaration text of a host routine ("function Copy(s: String; from, count: Integer): String"),
// split into kind, name, parameters and result type.
struct TfsMethodSyntax
{
    bool isFunction = false;
    bool isMacro = false;
    QString name;
    QString resultType; // empty for a procedure
    std::vector<TfsNativeParam> params;

    // Reads text; type names and named default values resolve in scope. False for text that is not
    // a declaration.
    static bool Parse(const QString &text, const TfsScript &scope, TfsMethodSyntax &out);
};
