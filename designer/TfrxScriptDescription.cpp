#include "TfrxScriptDescription.h"

#include "TfrxReport.h"
#include "TfrxReportServices.h"
#include "TfsClassVariable.h"
#include "TfsScript.h"

#include <algorithm>

namespace {

// A category of this name is never shown.
const QString hiddenCategory = QStringLiteral("hidden");
// Host functions registered without a category go with the other helpers.
const QString defaultCategory = QStringLiteral("ctOther");

// The text after the declaration's first word ("function", "procedure", "macrofunction" ...).
QString withoutKindWord(const QString &syntax)
{
    const QString trimmed = syntax.trimmed();
    const qsizetype space = trimmed.indexOf(u' ');
    return space < 0 ? trimmed : trimmed.mid(space + 1).trimmed();
}

QString parameterList(const TfsClassMember &member)
{
    QStringList params;
    for (const TfsNativeParam &p : member.params)
        params.append((p.isVar ? QStringLiteral("var ") : QString()) + p.name + QStringLiteral(": ") +
                      p.typeName);
    return params.join(QStringLiteral("; "));
}

TfrxScriptDescription::Member describe(const TfsClassMember &m)
{
    using Member = TfrxScriptDescription::Member;
    const QString typePart = m.typeName.isEmpty() ? QString() : QStringLiteral(": ") + m.typeName;
    switch (m.kind) {
    case TfsClassMember::Property:
        // Published text properties named On... hold the name of a script procedure.
        if (m.type == fvtString && m.name.startsWith(u"On"))
            return {Member::Event, QStringLiteral("event ") + m.name};
        return {Member::Property, QStringLiteral("property ") + m.name + typePart};
    case TfsClassMember::IndexProperty:
        return {Member::Property,
                QStringLiteral("property ") + m.name + u'[' + parameterList(m) + u']' + typePart};
    case TfsClassMember::Method:
        break;
    }
    const QString params = m.params.empty() ? QString() : u'(' + parameterList(m) + u')';
    if (m.construct)
        return {Member::Method, QStringLiteral("constructor ") + m.name + params};
    const QString kind = m.typeName.isEmpty() ? QStringLiteral("procedure ") : QStringLiteral("function ");
    return {Member::Method, kind + m.name + params + typePart};
}

void addFunction(TfrxScriptDescription &description, const TfsNativeFunction &f)
{
    const QString key = f.FCategory.isEmpty() ? defaultCategory : f.FCategory;
    if (key.compare(hiddenCategory, Qt::CaseInsensitive) == 0)
        return;
    auto category = std::find_if(description.Categories.begin(), description.Categories.end(),
                                 [&key](const TfrxScriptDescription::Category &c) { return c.Key == key; });
    if (category == description.Categories.end())
        category = description.Categories.insert(description.Categories.end(), {key, {}});
    category->Functions.append({f.FName, withoutKindWord(f.FSyntax), f.FDescription});
}

void addClass(TfrxScriptDescription &description, const TfsClassVariable &c)
{
    TfrxScriptDescription::Class entry{c.FName, {}};
    for (const TfsClassMember *member : c.Members())
        entry.Members.append(describe(*member));
    description.Classes.append(entry);
}

template <class T> void sortByName(QList<T> &list)
{
    std::sort(list.begin(), list.end(), [](const T &a, const T &b) {
        return QString::compare(a.Name, b.Name, Qt::CaseInsensitive) < 0;
    });
}

} // namespace

QString TfrxScriptDescription::Function::InsertionText() const
{
    const qsizetype open = Declaration.indexOf(u'(');
    if (open < 0)
        return Declaration.left(Declaration.indexOf(u':')).trimmed();
    // One parameter for the parenthesis, one more for every separator of the declaration.
    const qsizetype separators = Declaration.count(u',') + Declaration.count(u';');
    return Declaration.left(open).trimmed() + u'(' + QString(separators, u',') + u')';
}

TfrxScriptDescription TfrxScriptDescription::Of(const TfsScript &script)
{
    TfrxScriptDescription description;
    for (const auto &item : script.Items()) {
        // Of several items of one name only the newest is what a text reaches.
        if (script.Find(item->FName) != item.get())
            continue;
        if (const auto *f = dynamic_cast<const TfsNativeFunction *>(item.get()); f && f->FHasSyntax)
            addFunction(description, *f);
        else if (const auto *c = dynamic_cast<const TfsClassVariable *>(item.get()))
            addClass(description, *c);
    }
    for (Category &category : description.Categories)
        sortByName(category.Functions);
    sortByName(description.Classes);
    return description;
}

TfrxScriptDescription TfrxScriptDescription::OfReport(TfrxReport &report)
{
    TfsScript script;
    script.SetSyntaxType(report.ScriptLanguage());
    if (const auto &bind = TfrxReportServices::Instance().BindScript)
        bind(report, script);
    return Of(script);
}
