#pragma once

#include "TfrxEditorText.h"
#include "TfsParser.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The colouring of the script editor: one attribute code per character of each line, found with
// the script engine's lexer set up for a language. Lines are coloured lazily, only as far as
// someone asks, and a change drops the codes from its line on.
class TfrxSyntaxColouring
{
public:
    // The attribute codes; a control character keeps its own code, which is drawn as text.
    enum Attribute : char {
        saText = 1,
        saSpace = 3, // white space and comments
        saKeyword = 4,
        saString = 5,
        saNumber = 6,
    };

    TfrxSyntaxColouring();

    // "PascalScript", "C++Script", "BasicScript", "JScript" (or any registered language), or "SQL"
    // in any case. An unknown name colours no keywords. Drops all codes.
    void SetSyntax(const QString &name);
    const QString &Syntax() const { return FSyntax; }

    // The text changed on this line (from 0): its codes and those of the lines below are dropped.
    void Invalidate(int line);
    // The codes of a line, coloured (with every line above it) when they are not known.
    const QByteArray &Codes(const QStringList &lines, int line);
    // The codes of a line when they are known, else null; nothing is coloured.
    const QByteArray *KnownCodes(int line) const;
    // The kind a code is drawn as: codes that are not an attribute draw as text.
    static Attribute Drawn(char code);

private:
    void SetUpSql();
    void SetUpLanguage(const QString &name);
    void ColourUpTo(const QStringList &lines, int last);
    // Where colouring can start again: just behind the last plain-text character already coloured,
    // which lies outside any comment or string, or the start of the text.
    TfrxTextPos ResumePoint(const QStringList &lines) const;

    TfsParser FParser;
    QString FSyntax;
    std::vector<QByteArray> FCodes; // of the lines 0 .. size() - 1
};
