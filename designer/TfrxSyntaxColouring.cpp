#include "TfrxSyntaxColouring.h"

#include "TfsError.h"
#include "TfsGrammar.h"
#include "TfsXMLItem.h"
#include "fsLanguages.h"

#include <QHash>

namespace {

const char16_t *const kSqlKeywords[] = {
    u"active",      u"after",      u"all",         u"alter",       u"and",        u"any",        u"as",
    u"asc",         u"ascending",  u"at",          u"auto",        u"base_name",  u"before",     u"begin",
    u"between",     u"by",         u"cache",       u"call",        u"cast",       u"check",      u"column",
    u"commit",      u"committed",  u"computed",    u"conditional", u"constraint", u"containing", u"count",
    u"create",      u"current",    u"cursor",      u"database",    u"debug",      u"declare",    u"default",
    u"delete",      u"desc",       u"descending",  u"distinct",    u"do",         u"domain",     u"drop",
    u"else",        u"end",        u"entry_point", u"escape",      u"exception",  u"execute",    u"exists",
    u"exit",        u"external",   u"extract",     u"filter",      u"for",        u"foreign",    u"from",
    u"full",        u"function",   u"generator",   u"grant",       u"group",      u"having",     u"if",
    u"in",          u"inactive",   u"index",       u"inner",       u"insert",     u"into",       u"is",
    u"isolation",   u"join",       u"key",         u"left",        u"level",      u"like",       u"merge",
    u"names",       u"no",         u"not",         u"null",        u"of",         u"on",         u"only",
    u"or",          u"order",      u"outer",       u"parameter",   u"password",   u"plan",       u"position",
    u"primary",     u"privileges", u"procedure",   u"protected",   u"read",       u"retain",     u"returns",
    u"revoke",      u"right",      u"rollback",    u"schema",      u"select",     u"set",        u"shadow",
    u"shared",      u"snapshot",   u"some",        u"suspend",     u"table",      u"then",       u"to",
    u"transaction", u"trigger",    u"uncommitted", u"union",       u"unique",     u"update",     u"user",
    u"using",       u"values",     u"view",        u"wait",        u"when",       u"where",      u"while",
    u"with",        u"work",
};

using Setting = void (*)(TfsParser &, const QString &);

// The lexer settings of a language that matter for colouring, by element name in its grammar.
const QHash<QString, Setting> &colouringSettings()
{
    static const QHash<QString, Setting> settings{
        {QStringLiteral("identchars"), [](TfsParser &p, const QString &v) { p.ConstructCharset(v); }},
        {QStringLiteral("commentline1"), [](TfsParser &p, const QString &v) { p.SetCommentLine1(v); }},
        {QStringLiteral("commentline2"), [](TfsParser &p, const QString &v) { p.SetCommentLine2(v); }},
        {QStringLiteral("commentblock1"), [](TfsParser &p, const QString &v) { p.SetCommentBlock1(v); }},
        {QStringLiteral("commentblock2"), [](TfsParser &p, const QString &v) { p.SetCommentBlock2(v); }},
        {QStringLiteral("stringquotes"), [](TfsParser &p, const QString &v) { p.SetStringQuotes(v); }},
        {QStringLiteral("hexsequence"), [](TfsParser &p, const QString &v) { p.SetHexSequence(v); }},
        // Where a string ends and which words are keywords depend on these two as well.
        {QStringLiteral("specstrchar"), [](TfsParser &p, const QString &v) { p.SetSpecStrChar(v == u"1"); }},
        {QStringLiteral("casesensitive"),
         [](TfsParser &p, const QString &v) { p.SetCaseSensitive(v == u"1"); }},
    };
    return settings;
}

} // namespace

TfrxSyntaxColouring::TfrxSyntaxColouring()
{
    FParser.SetSkipSpace(false);
    FParser.SetUseY(false);
    SetSyntax(QStringLiteral("PascalScript"));
}

void TfrxSyntaxColouring::SetSyntax(const QString &name)
{
    FSyntax = name;
    FCodes.clear();
    FParser.Clear();
    FParser.SetCommentLine2({});
    FParser.SetCaseSensitive(false);
    if (name.compare(u"SQL", Qt::CaseInsensitive) == 0)
        SetUpSql();
    else
        SetUpLanguage(name);
}

void TfrxSyntaxColouring::SetUpSql()
{
    for (const char16_t *word : kSqlKeywords)
        FParser.AddKeyword(QString::fromUtf16(word));
    FParser.SetCommentLine1(QStringLiteral("--"));
    FParser.SetCommentBlock1(QStringLiteral("/*,*/"));
    // Without this, "count(*)" would open a comment of the lexer's default second kind.
    FParser.SetCommentBlock2({});
    FParser.SetStringQuotes(QStringLiteral("\""));
    FParser.SetHexSequence(QStringLiteral("0x"));
}

void TfrxSyntaxColouring::SetUpLanguage(const QString &name)
{
    std::shared_ptr<const TfsGrammar> grammar;
    try {
        grammar = TfsGrammar::FromText(fsGetLanguage(name));
    } catch (const TfsError &) {
        return; // not a language: the lexer's defaults and no keywords
    }
    const TfsXMLItem &parser = grammar->ParserSection();
    for (int i = 0; i < parser.Count(); ++i) {
        const TfsXMLItem &item = *parser.Item(i);
        const QString element = item.Name().toLower();
        if (element == u"keywords") {
            for (int k = 0; k < item.Count(); ++k)
                FParser.AddKeyword(item.Item(k)->Name());
        } else if (const auto setting = colouringSettings().constFind(element);
                   setting != colouringSettings().cend()) {
            (*setting)(FParser, item.Prop(QStringLiteral("text")));
        }
    }
}

void TfrxSyntaxColouring::Invalidate(int line)
{
    if (line < int(FCodes.size()))
        FCodes.resize(size_t(std::max(line, 0)));
}

const QByteArray &TfrxSyntaxColouring::Codes(const QStringList &lines, int line)
{
    if (line >= int(FCodes.size()))
        ColourUpTo(lines, line);
    return FCodes[size_t(line)];
}

const QByteArray *TfrxSyntaxColouring::KnownCodes(int line) const
{
    return line < int(FCodes.size()) ? &FCodes[size_t(line)] : nullptr;
}

TfrxSyntaxColouring::Attribute TfrxSyntaxColouring::Drawn(char code)
{
    switch (code) {
    case saSpace:
    case saKeyword:
    case saString:
    case saNumber:
        return Attribute(code);
    default:
        return saText;
    }
}

TfrxTextPos TfrxSyntaxColouring::ResumePoint(const QStringList &lines) const
{
    for (int line = int(FCodes.size()) - 1; line >= 0; --line) {
        const QByteArray &codes = FCodes[size_t(line)];
        for (int column = int(codes.size()) - 1; column >= 0; --column)
            if (codes[column] == saText && lines[line][column].unicode() >= 32)
                return {line, column + 1};
    }
    return {};
}

// Colours the lines up to `last` the way the lexer reads the whole text: white space and comments,
// then a word, a number, a string or any other single character, and again. Only block comments
// cross line ends, and they colour their lines alike whether the text goes on or not, so the lexer
// is given the lines from the resume point to `last` only.
void TfrxSyntaxColouring::ColourUpTo(const QStringList &lines, int last)
{
    const TfrxTextPos resume = ResumePoint(lines);
    QString text;
    std::vector<int> starts; // the position of each line in the lexer's text, from 1
    for (int line = resume.line; line <= last; ++line) {
        starts.push_back(int(text.size()) + 1);
        text += lines[line];
        if (line + 1 < lines.size())
            text += QStringLiteral("\r\n");
    }
    FCodes.resize(size_t(last) + 1);
    FCodes[size_t(resume.line)].resize(lines[resume.line].size());
    for (int line = resume.line + 1; line <= last; ++line)
        FCodes[size_t(line)] = QByteArray(lines[line].size(), saText);

    size_t row = 0;
    const auto mark = [&](int from, int to, Attribute attribute) {
        for (int p = from; p < to; ++p) {
            while (row + 1 < starts.size() && p >= starts[row + 1])
                ++row;
            QByteArray &codes = FCodes[resume.line + row];
            const int column = p - starts[row];
            if (column >= codes.size())
                continue; // the line break
            const char16_t c = text[p - 1].unicode();
            codes[column] = c < 32 ? char(c) : char(attribute);
        }
    };

    FParser.SetText(text);
    FParser.SetPosition(resume.column + 1);
    for (;;) {
        int from = FParser.Position();
        FParser.SkipSpaces();
        mark(from, FParser.Position(), saSpace);
        from = FParser.Position();
        if (from > FParser.Size())
            break;
        Attribute attribute = saText;
        if (const QString word = FParser.Ident(); !word.isEmpty())
            attribute = FParser.IsKeyWord(word) ? saKeyword : saText;
        else if (!FParser.GetNumber().isEmpty())
            attribute = saNumber;
        else if (!FParser.GetString().isEmpty())
            attribute = saString;
        else
            FParser.SetPosition(from + 1);
        mark(from, FParser.Position(), attribute);
    }
}
