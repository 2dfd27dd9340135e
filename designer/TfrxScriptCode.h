#pragma once

#include <QString>
#include <QStringList>

// The report script seen as lines of a language, as the event editor needs it: the procedures
// that can handle an event, where one is, and where a new one goes. The words of each language
// and the parameter lists of the event types are kept in the string table, under the language's
// and the event type's names, as texts of attributes (proc="procedure" begin="begin" ...).
class TfrxScriptCode
{
public:
    explicit TfrxScriptCode(const QString &language);

    // The parameter list of an event type in this language, such as "(Sender: TfrxComponent);".
    QString EventParams(const QString &eventType) const;
    // The procedures whose parameter list equals params, in script order.
    QStringList HandlerNames(const QStringList &script, const QString &params) const;
    // The line (from 0) that starts the procedure name; -1 when there is none.
    int Locate(const QStringList &script, const QString &name) const;
    // Inserts an empty procedure before the main block (or at the end for a language without
    // one) and returns the line (from 0) of the empty line inside it; -1, with the script
    // unchanged, when the main block cannot be found.
    int AddHandler(QStringList &script, const QString &name, const QString &params) const;
    // The program of a new report: the main block alone.
    QStringList EmptyProgram() const;

    // The value of attribute name in an attribute text: what follows name, "=" and a double quote
    // up to the next double quote; the name matches without regard to case at the start or after
    // a space.
    static QString Attribute(const QString &text, const QString &name);

private:
    // Whether each line lies inside a comment of the language.
    QList<bool> CommentedLines(const QStringList &script) const;
    // The text after the procedure word when a line starts with it, else a null string.
    QString AfterProcWord(const QString &line) const;
    int MainBlockLine(const QStringList &script, const QList<bool> &commented) const;

    QString FLanguage;
    QString FProc;
    QString FBegin;
    QString FEnd;
    QString FLastEnd;
    QString FOpenQuote;
    QString FCloseQuote;
};
