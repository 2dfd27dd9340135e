#pragma once

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

class TfsXMLDocument;
class TfsXMLItem;

// A language grammar read from its XML text and turned into a table of elements, so that matching
// does not search attribute text. Rule references are resolved once; a reference to a missing rule
// stays in the table and fails the compilation only when it is reached.
class TfsGrammar
{
public:
    enum Kind {
        Rule,
        Char,
        Keyword,
        Ident,
        Number,
        String,
        FRString,
        Eol,
        Sequence,
        Switch,
        OptionalSwitch,
        Optional,
        Loop,
        OptionalLoop,
        Reference,
        Unresolved,
    };

    struct Element
    {
        Kind kind = Sequence;
        QString text;    // terminals: required text, lower-cased; loops: separator
        QString node;    // wrap what the element produced in an IL element of this name
        QString add;     // emit a leaf of this name after a match
        QString addText; // the leaf's text; the token when hasAddText is false
        bool hasAddText = false;
        QString error;            // message recorded on failure (empty: none)
        bool term = false;        // the error marks a normal end of an enclosing loop
        bool noSkip = false;      // char: no white space before it
        bool clearsError = false; // loops: clear an error recorded inside after a full iteration
        int rule = -1;            // references: the rule's element
        std::vector<int> children;
    };

    TfsGrammar();
    ~TfsGrammar();

    // Throws TfsError("Invalid file format") for malformed XML.
    void Load(const QString &text);
    // The grammar read from this text; grammars are kept once read, as every compilation of a
    // language selects the same text again. Throws like Load.
    static std::shared_ptr<const TfsGrammar> FromText(const QString &text);

    const Element &At(int index) const { return FElements[size_t(index)]; }
    // The rule's element, or -1.
    int FindRule(const QString &name) const;
    // The <parser> section (scanner settings, keywords, errors) and the <types> aliases; both exist
    // after Load, empty when the text has none.
    const TfsXMLItem &ParserSection() const { return *FParser; }
    const TfsXMLItem &Types() const { return *FTypes; }
    // The text of the errors entry of this name ("err3"), or empty.
    QString ErrorText(const QString &name) const;

private:
    int Compile(const TfsXMLItem &item, bool isRule);

    std::unique_ptr<TfsXMLDocument> FDocument;
    std::vector<Element> FElements;
    QHash<QString, int> FRules;      // lower-cased name to element
    QHash<int, QString> FReferences; // reference element to the rule name it names
    const TfsXMLItem *FParser = nullptr;
    const TfsXMLItem *FErrors = nullptr;
    const TfsXMLItem *FTypes = nullptr;
};
