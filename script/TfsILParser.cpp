#include "TfsILParser.h"

#include "TfsError.h"
#include "TfsFileAccess.h"
#include "TfsGrammar.h"
#include "TfsILContext.h"
#include "TfsILLines.h"
#include "TfsParser.h"
#include "TfsXMLDocument.h"
#include "TfsXMLItem.h"
#include "fsLanguages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <functional>

namespace {

const QString kInvalidLanguage = QStringLiteral("Invalid language definition");
const QString kNestingTooDeep = QStringLiteral("Program nesting too deep");
const QString kStatementExpected = QStringLiteral("Statement expected");
const QString kExpressionExpected = QStringLiteral("Expression expected");

using Setting = std::function<void(TfsParser &, const QString &)>;

// The grammar's <parser> settings, by element name.
const QHash<QString, Setting> &parserSettings()
{
    static const QHash<QString, Setting> settings{
        {QStringLiteral("identchars"), [](TfsParser &p, const QString &v) { p.ConstructCharset(v); }},
        {QStringLiteral("commentline1"), [](TfsParser &p, const QString &v) { p.SetCommentLine1(v); }},
        {QStringLiteral("commentline2"), [](TfsParser &p, const QString &v) { p.SetCommentLine2(v); }},
        {QStringLiteral("commentblock1"), [](TfsParser &p, const QString &v) { p.SetCommentBlock1(v); }},
        {QStringLiteral("commentblock2"), [](TfsParser &p, const QString &v) { p.SetCommentBlock2(v); }},
        {QStringLiteral("stringquotes"), [](TfsParser &p, const QString &v) { p.SetStringQuotes(v); }},
        {QStringLiteral("hexsequence"), [](TfsParser &p, const QString &v) { p.SetHexSequence(v); }},
        {QStringLiteral("specstrchar"), [](TfsParser &p, const QString &v) { p.SetSpecStrChar(v == u"1"); }},
        {QStringLiteral("skipeol"), [](TfsParser &p, const QString &v) { p.SetSkipEOL(v != u"0"); }},
        {QStringLiteral("skipchar"), [](TfsParser &p, const QString &v) { p.SetSkipChar(v); }},
        {QStringLiteral("casesensitive"),
         [](TfsParser &p, const QString &v) { p.SetCaseSensitive(v == u"1"); }},
    };
    return settings;
}

} // namespace

// The first error recorded wins until a loop clears it.
struct TfsILParser::Recorded
{
    QString message;
    QString pos;
    bool term = false;
    int serial = 0;  // when it was recorded
    int counter = 0; // serials handed out so far
};

TfsILParser::TfsILParser(TfsILContext &program)
    : FProgram(program), FParser(std::make_unique<TfsParser>()),
      FILScript(std::make_unique<TfsXMLDocument>()), FLines(std::make_unique<TfsILLines>()),
      FError(std::make_unique<Recorded>())
{
    FILScript->SetAutoIndent(true);
}

TfsILParser::~TfsILParser() = default;

void TfsILParser::SelectLanguage(const QString &name)
{
    FParser->Clear();
    FLangName = name;
    FGrammar = TfsGrammar::FromText(fsGetLanguage(name));
    ApplyParserSettings();
}

void TfsILParser::ApplyParserSettings()
{
    // Case sensitivity and the second line comment are set from every grammar, so that a
    // "#language" line never inherits them from the language it replaces.
    FParser->SetCaseSensitive(false);
    FParser->SetCommentLine2({});
    FNeedDeclareVars = true;
    const TfsXMLItem &parser = FGrammar->ParserSection();
    for (int i = 0; i < parser.Count(); ++i) {
        const TfsXMLItem &item = *parser.Item(i);
        const QString name = item.Name().toLower();
        const QString value = item.Prop(QStringLiteral("text"));
        if (name == u"keywords") {
            for (int k = 0; k < item.Count(); ++k)
                FParser->AddKeyword(item.Item(k)->Name());
        } else if (name == u"declarevars") {
            FNeedDeclareVars = value != u"0";
        } else if (const auto setting = parserSettings().find(name); setting != parserSettings().end()) {
            (*setting)(*FParser, value);
        }
    }
    if (FProgram.ExtendedCharset)
        FParser->AddExtendedCharset();
}

bool TfsILParser::MakeILScript(const QString &text)
{
    return Make(text, false);
}

bool TfsILParser::MakeILExpression(const QString &text)
{
    return Make(text, true);
}

bool TfsILParser::Make(const QString &text, bool expression)
{
    if (FUnitName.isEmpty())
        FProgram.ErrorUnit.clear();
    bool ok = false;
    try {
        ok = Run(text, expression);
    } catch (const TfsError &e) {
        ok = false;
        FError->message = e.Message();
        FError->pos = e.Pos();
    }
    if (ok) {
        TfsXMLItem *root = FILScript->Root();
        root->Clear();
        root->SetName(QStringLiteral("program"));
        root->SetText({});
        FLines->BuildItems(*root);
        root->Add()->Assign(FGrammar->Types());
    }
    FProgram.ErrorMsg = ok ? QString() : FError->message;
    FProgram.ErrorPos = ok ? QString() : FError->pos;
    return ok;
}

bool TfsILParser::Run(const QString &text, bool expression)
{
    FLines->Clear();
    FLines->Reserve(int(text.size() / 4)); // about one IL line per four characters of source
    *FError = Recorded();
    FParser->SetText(text);
    const int start = expression ? 1 : SkipLanguageDirective(text);
    FParser->SetPosition(start);
    if (!FGrammar)
        throw TfsError(QStringLiteral("Language '%1' not found").arg(FLangName));
    const int rule =
        FGrammar->FindRule(expression ? QStringLiteral("expression") : QStringLiteral("program"));
    if (rule < 0)
        throw TfsError(kInvalidLanguage);
    const QString notWhole = expression ? ErrorText(QStringLiteral("err2"), kExpressionExpected)
                                        : ErrorText(QStringLiteral("err3"), kStatementExpected);
    const bool matched = Match(rule);
    if (!FParser->ErrorMessage().isEmpty())
        throw TfsError(FParser->ErrorMessage(), FParser->XYPosition(FParser->ErrorPosition()));
    if (!matched && FError->message.isEmpty())
        RecordError(notWhole, FirstTokenPos(start));
    if (matched && FError->message.isEmpty())
        CheckLeftover(rule, expression, notWhole);
    return matched && FError->message.isEmpty();
}

// A first line "#language NAME" selects the language of the rest of the text.
int TfsILParser::SkipLanguageDirective(const QString &text)
{
    if (!text.startsWith(u'#'))
        return 1;
    FParser->SetPosition(2);
    if (FParser->Ident().compare(u"language", Qt::CaseInsensitive) != 0)
        return 1;
    int lineEnd = FParser->Position();
    while (lineEnd <= text.size() && text[lineEnd - 1] != u'\r' && text[lineEnd - 1] != u'\n')
        ++lineEnd;
    const int nameStart = FParser->Position();
    SelectLanguage(text.mid(nameStart - 1, lineEnd - nameStart).trimmed());
    FParser->SetText(text);
    if (lineEnd <= text.size() && text[lineEnd - 1] == u'\r')
        ++lineEnd;
    if (lineEnd <= text.size() && text[lineEnd - 1] == u'\n')
        ++lineEnd;
    return lineEnd;
}

// Text after the program is an error, unless the program ends with an explicit mark (PascalScript's
// "end."), after which anything may follow. An expression must use up its whole text.
void TfsILParser::CheckLeftover(int rule, bool expression, const QString &message)
{
    const auto &children = FGrammar->At(rule).children;
    if (!expression && !children.empty() && FGrammar->At(children.back()).kind == TfsGrammar::Char)
        return;
    FParser->SkipSpaces();
    if (FParser->Position() > FParser->Size())
        return;
    RecordError(message, FParser->GetXYPosition());
}

// The language's message of this name, or the fallback where the language has none.
QString TfsILParser::ErrorText(const QString &name, const QString &fallback) const
{
    const QString text = FGrammar->ErrorText(name);
    return text.isEmpty() ? fallback : text;
}

bool TfsILParser::Match(int index)
{
    struct DepthGuard
    {
        int &depth;
        ~DepthGuard() { --depth; }
    } guard{++FDepth};
    if (FDepth > MaxNesting)
        throw TfsError(kNestingTooDeep, FirstTokenPos(FParser->Position()));

    const TfsGrammar::Element &e = FGrammar->At(index);
    const int start = FParser->Position();
    const int mark = FLines->Count();
    bool matched = false;
    QString token;
    switch (e.kind) {
    case TfsGrammar::Rule:
    case TfsGrammar::Sequence:
        matched = true;
        break;
    case TfsGrammar::Reference:
        matched = Match(e.rule);
        break;
    case TfsGrammar::Unresolved:
        throw TfsError(kInvalidLanguage);
    case TfsGrammar::Eol:
        matched = FParser->GetEOL();
        break;
    case TfsGrammar::Switch:
    case TfsGrammar::OptionalSwitch:
        matched = MatchSwitch(index, e.kind == TfsGrammar::OptionalSwitch);
        break;
    case TfsGrammar::Optional:
        matched = MatchOptional(index);
        break;
    case TfsGrammar::Loop:
    case TfsGrammar::OptionalLoop:
        matched = MatchLoop(index);
        break;
    default:
        matched = MatchTerminal(index, token);
    }
    if (matched && !e.add.isEmpty())
        FLines->AddLeaf(e.add, e.hasAddText ? e.addText : token, Here());
    if (matched && (e.kind == TfsGrammar::Rule || e.kind == TfsGrammar::Sequence)) {
        for (const int child : e.children) {
            if (!Match(child)) {
                matched = false;
                break;
            }
        }
    }
    if (!matched) {
        if (!e.error.isEmpty() && FError->message.isEmpty())
            RecordError(e.error, FirstTokenPos(start), e.term);
        FParser->SetPosition(start);
    }
    if (!e.node.isEmpty())
        ApplyNode(index, matched, start, mark);
    return matched;
}

bool TfsILParser::MatchTerminal(int index, QString &token)
{
    const TfsGrammar::Element &e = FGrammar->At(index);
    const bool needToken = !e.add.isEmpty() && !e.hasAddText;
    switch (e.kind) {
    case TfsGrammar::Char: {
        // Compared in place: most characters tried are not the one wanted.
        if (!e.noSkip)
            FParser->SkipSpaces();
        const char16_t c = FParser->PeekChar();
        if (c == 0 || (!e.text.isEmpty() && c != e.text[0].unicode()))
            return false;
        FParser->SetPosition(FParser->Position() + 1);
        if (needToken)
            token = QString(QChar(c));
        return true;
    }
    case TfsGrammar::Keyword: {
        const QStringView word = FParser->PeekWord();
        if (word.isEmpty() || (!e.text.isEmpty() && word.compare(e.text, CaseSensitivity()) != 0))
            return false;
        if (needToken || e.text.isEmpty())
            token = word.toString();
        FParser->SetPosition(FParser->Position() + int(word.size()));
        return true;
    }
    case TfsGrammar::Ident:
        token = FParser->GetIdent();
        break;
    case TfsGrammar::Number:
        token = FParser->GetNumber();
        break;
    case TfsGrammar::String:
        token = FParser->GetString();
        break;
    case TfsGrammar::FRString:
        token = FParser->GetFRString();
        if (!token.isEmpty())
            EmitFieldReference(token);
        return !token.isEmpty();
    default:
        return false;
    }
    return !token.isEmpty() && (e.text.isEmpty() || token.compare(e.text, CaseSensitivity()) == 0);
}

Qt::CaseSensitivity TfsILParser::CaseSensitivity() const
{
    return FParser->CaseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

// A report-field reference <T> is the host call Get('T').
void TfsILParser::EmitFieldReference(const QString &field)
{
    const TfsILLines::Pos pos = Here();
    FLines->AddOpen(QStringLiteral("dsgn"), pos);
    FLines->AddLeaf(QStringLiteral("node"), QStringLiteral("Get"), pos);
    FLines->AddOpen(QStringLiteral("expr"), pos, pos);
    FLines->AddLeaf(QStringLiteral("string"), u'\'' + field + u'\'', pos);
    FLines->AddClose(QStringLiteral("expr"));
    FLines->AddClose(QStringLiteral("dsgn"));
}

// switch -> first child that matches; optionalswitch -> the same, or nothing
bool TfsILParser::MatchSwitch(int index, bool optional)
{
    for (const int child : FGrammar->At(index).children)
        if (Match(child))
            return true;
    return optional;
}

// optional -> all children in order, or nothing
bool TfsILParser::MatchOptional(int index)
{
    const int start = FParser->Position();
    for (const int child : FGrammar->At(index).children) {
        if (!Match(child)) {
            FParser->SetPosition(start);
            break;
        }
    }
    return true;
}

// loop -> children (separator children)*; the loop ends after its last complete iteration and the
// separator that follows it
bool TfsILParser::MatchLoop(int index)
{
    const TfsGrammar::Element &e = FGrammar->At(index);
    const int start = FParser->Position();
    const int errorsBefore = FError->counter;
    int end = start;
    int complete = 0;
    for (;;) {
        const int iterationStart = FParser->Position();
        bool all = true;
        for (const int child : e.children) {
            if (!Match(child)) {
                all = false;
                break;
            }
        }
        if (!all)
            break;
        ++complete;
        end = FParser->Position();
        // An iteration may match nothing (an empty statement between two ";"): the loop goes on
        // as long as a separator follows, and ends where nothing moves any more.
        if (e.text.isEmpty()) {
            if (end == iterationStart)
                break;
            continue;
        }
        FParser->SkipSpaces();
        if (FParser->GetChar() != e.text)
            break;
        // The separator belongs to the iteration before it, so a trailing one is consumed
        // (PascalScript's "1: a; else b; end").
        end = FParser->Position();
    }
    if (complete == 0) {
        FParser->SetPosition(start);
        return e.kind == TfsGrammar::OptionalLoop;
    }
    // An error recorded inside this loop that only marked its end is forgotten.
    if (!FError->message.isEmpty() && FError->serial > errorsBefore && (e.clearsError || FError->term))
        FError->message.clear();
    FParser->SetPosition(end);
    return true;
}

void TfsILParser::ApplyNode(int index, bool matched, int start, int mark)
{
    const TfsGrammar::Element &e = FGrammar->At(index);
    if (!matched) {
        FLines->Truncate(mark);
        return;
    }
    if (e.node.compare(u"uses", Qt::CaseInsensitive) == 0) {
        ProcessUses(start, mark);
        return;
    }
    FLines->Wrap(mark, e.node, FirstToken(start), e.node == u"expr" ? Here() : TfsILLines::Pos());
}

// uses -> file leaves; each unit is included once, in the reverse order of the clause.
void TfsILParser::ProcessUses(int start, int mark)
{
    const QString pos = FirstTokenPos(start);
    for (int i = FLines->Count() - 1; i >= mark; --i) {
        const TfsILLines::Line &line = FLines->At(i);
        if (line.kind != TfsILLines::Line::Leaf || line.name != u"file")
            continue;
        QString name = line.value;
        if (name.size() >= 2)
            name = name.mid(1, name.size() - 2);
        FLines->Remove(i);
        if (!FUsesList.contains(name, Qt::CaseInsensitive))
            IncludeUnit(name, pos);
    }
}

void TfsILParser::IncludeUnit(const QString &name, const QString &pos)
{
    FUsesList.append(name);
    QString text;
    if (!ReadUnit(name, text)) {
        RecordError(QStringLiteral("Unit '%1' not found").arg(name), pos);
        return;
    }
    const QString unitAttrs = QStringLiteral(" unit=\"") + TfsXMLItem::StrToXML(name) + u'"';
    if (text.isEmpty()) {
        FLines->AddOpen(QStringLiteral("uses"), unitAttrs);
        FLines->AddClose(QStringLiteral("uses"));
        return;
    }
    TfsILParser unit(FProgram);
    unit.FUnitName = name;
    unit.FUsesList = FUsesList;
    unit.FDepth = FDepth;
    unit.SelectLanguage(FLangName);
    if (!unit.MakeILScript(text)) {
        const bool first = FError->message.isEmpty();
        RecordError(FProgram.ErrorMsg, FProgram.ErrorPos);
        if (first && FProgram.ErrorUnit.isEmpty())
            FProgram.ErrorUnit = name;
        return;
    }
    FUsesList = unit.FUsesList;
    FLines->AddOpen(QStringLiteral("uses"), unitAttrs);
    FLines->AddItem(*unit.FILScript->Root());
    FLines->AddClose(QStringLiteral("uses"));
}

bool TfsILParser::ReadUnit(const QString &name, QString &text) const
{
    if (FProgram.OnGetUnit) {
        FProgram.OnGetUnit(name, text);
        return true;
    }
    // Unit names come from scripts in templates: only plain relative names are looked up, and only
    // beside a script that has a folder (never in the process's current folder).
    if (fsIsUnsafeFileName(name) || FProgram.BaseFolder.isEmpty())
        return false;
    for (const QString &folder : FProgram.IncludePath) {
        const QDir dir(folder.isEmpty() ? FProgram.BaseFolder : QDir(FProgram.BaseFolder).filePath(folder));
        const QFileInfo info(dir.filePath(name));
        if (!info.isFile())
            continue;
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly))
            return false;
        text = QString::fromUtf8(file.readAll());
        return true;
    }
    return false;
}

void TfsILParser::RecordError(const QString &message, const QString &pos, bool term)
{
    if (!FError->message.isEmpty() || message.isEmpty())
        return;
    FError->message = message;
    FError->pos = pos;
    FError->term = term;
    FError->serial = ++FError->counter;
}

TfsILLines::Pos TfsILParser::Here() const
{
    TfsILLines::Pos pos;
    FParser->LineColumn(FParser->Position(), pos.line, pos.column);
    return pos;
}

TfsILLines::Pos TfsILParser::FirstToken(int start)
{
    const int saved = FParser->Position();
    FParser->SetPosition(start);
    FParser->SkipSpaces();
    const TfsILLines::Pos pos = Here();
    FParser->SetPosition(saved);
    return pos;
}

QString TfsILParser::FirstTokenPos(int start)
{
    const TfsILLines::Pos pos = FirstToken(start);
    return QString::number(pos.line) + u':' + QString::number(pos.column);
}

bool TfsILParser::GetILCode(const QString &text, QIODevice &stream)
{
    if (!MakeILScript(text))
        return false;
    FILScript->SaveToStream(stream);
    return FProgram.ErrorMsg.isEmpty();
}

bool TfsILParser::SetILCode(QIODevice &stream)
{
    FProgram.ErrorMsg.clear();
    FProgram.ErrorPos.clear();
    try {
        FILScript->LoadFromStream(stream);
        if (FILScript->Root()->Name() != u"program")
            throw TfsError(QStringLiteral("Invalid file format"));
    } catch (const TfsError &e) {
        FILScript->Root()->Clear();
        FProgram.ErrorMsg = e.Message();
        return false;
    }
    return true;
}
