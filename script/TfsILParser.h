#pragma once

#include <QString>
#include <QStringList>

#include "TfsILLines.h"

#include <memory>

class QIODevice;
class TfsGrammar;
class TfsParser;
class TfsXMLDocument;
struct TfsILContext;

// Interprets a language grammar over a script's source and produces the IL document that the
// interpreter compiles. One parser serves one compilation (or one included unit).
class TfsILParser
{
public:
    // Nesting of grammar elements while matching; deeper sources are a compile error.
    static constexpr int MaxNesting = 4000;

    explicit TfsILParser(TfsILContext &program);
    ~TfsILParser();

    // Throws TfsError for an unknown language or a malformed grammar.
    void SelectLanguage(const QString &name);
    // True when the IL was produced; otherwise the program's ErrorMsg and ErrorPos say why.
    bool MakeILScript(const QString &text);
    // The IL of one expression (a bracketed expression of a report text): the language's
    // "expression" rule must match the whole text, else "Expression expected" at what is left. The
    // IL root "program" holds the expr element and the types.
    bool MakeILExpression(const QString &text);

    // MakeILScript, then the IL document written to the stream; true when no error was recorded.
    bool GetILCode(const QString &text, QIODevice &stream);
    // Loads an IL document written by GetILCode; true when it is well formed.
    bool SetILCode(QIODevice &stream);

    TfsXMLDocument &ILScript() const { return *FILScript; }
    TfsParser &Parser() const { return *FParser; }
    const QString &LangName() const { return FLangName; }
    bool NeedDeclareVars() const { return FNeedDeclareVars; }

private:
    struct Recorded;

    bool Match(int index);
    bool MatchTerminal(int index, QString &token);
    Qt::CaseSensitivity CaseSensitivity() const;
    bool MatchSwitch(int index, bool optional);
    bool MatchOptional(int index);
    bool MatchLoop(int index);
    void EmitFieldReference(const QString &field);
    void ApplyNode(int index, bool matched, int start, int mark);
    void ProcessUses(int start, int mark);
    void IncludeUnit(const QString &name, const QString &pos);
    bool ReadUnit(const QString &name, QString &text) const;
    void RecordError(const QString &message, const QString &pos, bool term = false);
    QString FirstTokenPos(int start);
    TfsILLines::Pos FirstToken(int start);
    TfsILLines::Pos Here() const;
    bool Make(const QString &text, bool expression);
    bool Run(const QString &text, bool expression);
    void CheckLeftover(int rule, bool expression, const QString &message);
    QString ErrorText(const QString &name, const QString &fallback) const;
    int SkipLanguageDirective(const QString &text);
    void ApplyParserSettings();

    TfsILContext &FProgram;
    std::shared_ptr<const TfsGrammar> FGrammar;
    std::unique_ptr<TfsParser> FParser;
    std::unique_ptr<TfsXMLDocument> FILScript;
    std::unique_ptr<TfsILLines> FLines;
    QString FLangName;
    bool FNeedDeclareVars = true;
    QString FUnitName;
    QStringList FUsesList;
    std::unique_ptr<Recorded> FError;
    int FDepth = 0;
};
