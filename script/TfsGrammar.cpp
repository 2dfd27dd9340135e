#include "TfsGrammar.h"

#include "TfsXMLDocument.h"
#include "TfsXMLItem.h"

#include <QMutex>

namespace {

const QHash<QString, TfsGrammar::Kind> &kindsByName()
{
    static const QHash<QString, TfsGrammar::Kind> kinds{
        {QStringLiteral("char"), TfsGrammar::Char},
        {QStringLiteral("keyword"), TfsGrammar::Keyword},
        {QStringLiteral("ident"), TfsGrammar::Ident},
        {QStringLiteral("number"), TfsGrammar::Number},
        {QStringLiteral("string"), TfsGrammar::String},
        {QStringLiteral("frstring"), TfsGrammar::FRString},
        {QStringLiteral("eol"), TfsGrammar::Eol},
        {QStringLiteral("sequence"), TfsGrammar::Sequence},
        {QStringLiteral("switch"), TfsGrammar::Switch},
        {QStringLiteral("optionalswitch"), TfsGrammar::OptionalSwitch},
        {QStringLiteral("optional"), TfsGrammar::Optional},
        {QStringLiteral("loop"), TfsGrammar::Loop},
        {QStringLiteral("optionalloop"), TfsGrammar::OptionalLoop},
    };
    return kinds;
}

bool isTerminal(TfsGrammar::Kind kind)
{
    return kind >= TfsGrammar::Char && kind <= TfsGrammar::FRString;
}

bool isLoop(TfsGrammar::Kind kind)
{
    return kind == TfsGrammar::Loop || kind == TfsGrammar::OptionalLoop;
}

} // namespace

TfsGrammar::TfsGrammar() : FDocument(std::make_unique<TfsXMLDocument>()) {}

TfsGrammar::~TfsGrammar() = default;

std::shared_ptr<const TfsGrammar> TfsGrammar::FromText(const QString &text)
{
    static QHash<QString, std::shared_ptr<const TfsGrammar>> cache;
    static QMutex lock;
    QMutexLocker locker(&lock);
    auto &grammar = cache[text];
    if (!grammar) {
        auto loaded = std::make_shared<TfsGrammar>();
        loaded->Load(text);
        grammar = std::move(loaded);
    }
    return grammar;
}

QString TfsGrammar::ErrorText(const QString &name) const
{
    const int at = FErrors->Find(name);
    return at >= 0 ? FErrors->Item(at)->Prop(QStringLiteral("text")) : QString();
}

int TfsGrammar::FindRule(const QString &name) const
{
    return FRules.value(name.toLower(), -1);
}

// grammar -> language (parser | types | rule)*
void TfsGrammar::Load(const QString &text)
{
    FDocument->LoadFromBytes(text.toUtf8());
    FElements.clear();
    FRules.clear();
    FReferences.clear();
    TfsXMLItem *root = FDocument->Root();
    TfsXMLItem *parser = root->FindItem(QStringLiteral("parser"));
    FParser = parser;
    FErrors = parser->FindItem(QStringLiteral("errors"));
    FTypes = root->FindItem(QStringLiteral("types"));
    for (int i = 0; i < root->Count(); ++i) {
        const TfsXMLItem &item = *root->Item(i);
        const QString name = item.Name().toLower();
        if (name == u"parser" || name == u"types" || FRules.contains(name))
            continue;
        FRules.insert(name, Compile(item, true));
    }
    for (auto it = FReferences.cbegin(); it != FReferences.cend(); ++it) {
        Element &element = FElements[size_t(it.key())];
        element.rule = FindRule(it.value());
        if (element.rule < 0)
            element.kind = Unresolved;
    }
}

int TfsGrammar::Compile(const TfsXMLItem &item, bool isRule)
{
    Element element;
    element.kind = isRule ? Rule : kindsByName().value(item.Name().toLower(), Reference);
    const QString text = item.Prop(QStringLiteral("text"));
    element.text = isTerminal(element.kind) ? text.toLower() : text;
    element.node = item.Prop(QStringLiteral("node"));
    element.add = item.Prop(QStringLiteral("add"));
    element.hasAddText = item.Text().contains(QStringLiteral(" addtext=\""), Qt::CaseInsensitive);
    element.addText = item.Prop(QStringLiteral("addtext"));
    const QString err = item.Prop(QStringLiteral("err"));
    if (!err.isEmpty())
        element.error = ErrorText(err);
    element.term = item.Prop(QStringLiteral("term")) == u"1";
    const QString skip = item.Prop(QStringLiteral("skip"));
    element.noSkip = element.kind == Char && skip == u"0";
    element.clearsError = isLoop(element.kind) && skip == u"1";

    const int index = int(FElements.size());
    FElements.push_back(element);
    if (element.kind == Reference)
        FReferences.insert(index, item.Name());
    std::vector<int> children;
    for (int i = 0; i < item.Count(); ++i)
        children.push_back(Compile(*item.Item(i), false));
    FElements[size_t(index)].children = std::move(children);
    return index;
}
