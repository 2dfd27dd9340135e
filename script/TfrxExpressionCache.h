#pragma once

#include "TfsValue.h"

#include <QHash>
#include <QString>

#include <memory>

class TfsScript;

// The compiled expressions of a report: each distinct text (compared exactly) is compiled once, into
// a function of a script of its own, and then only called. A text that does not compile is not kept
// and is tried again on its next use.
class TfrxExpressionCache
{
public:
    // Nested evaluations (an expression whose routine evaluates expressions) deeper than this are the
    // error "recursive expression".
    static constexpr int MaxNesting = 64;

    TfrxExpressionCache();
    ~TfrxExpressionCache();

    // Empties the cache and sets the language of the functions to come.
    void Clear(const QString &language = QStringLiteral("PascalScript"));
    // The value of the expression with names resolved through script (the report's script); on failure
    // the value is null and error holds the text ("Error in expression '...': ..." when it does not
    // compile, else the run-time message). Compiled expressions are dropped when script is another one
    // or has been compiled again since, as their names would point at items that are gone.
    TfsValue Calc(const QString &expression, TfsScript *script, QString &error);
    // Compilations made since the last Clear.
    int CompileCount() const { return FCompileCount; }

private:
    struct Entry;
    QHash<QString, std::shared_ptr<Entry>> FExpressions;
    const TfsScript *FBoundScript = nullptr;
    int FBoundGeneration = -1;
    QString FScriptLanguage = QStringLiteral("PascalScript");
    int FNextName = 0;
    int FCompileCount = 0;
    int FNesting = 0;
};
