#include "TfrxReportInheritance.h"

#include "TfrxClassRegistry.h"
#include "TfrxCollection.h"
#include "TfrxCollectionItem.h"
#include "TfrxDataSetItem.h"
#include "TfrxPage.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "TfrxReportOptions.h"
#include "TfrxStyles.h"
#include "TfrxVariables.h"
#include "TfrxXMLDocument.h"
#include "TfrxXMLItem.h"
#include "TfrxXMLSerializer.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

using Duplicates = TfrxReportInheritance::Duplicates;

const QString nameAttribute = QStringLiteral("Name");

// The element of a report object, as opposed to a collection kept inside one ("Variables", "item").
const QMetaObject *classOf(const TfrxXMLItem *element)
{
    return TfrxClassRegistry::Instance().Find(element->Name());
}

void collectElements(TfrxXMLItem *element, QList<TfrxXMLItem *> &out)
{
    for (int i = 0; i < element->Count(); ++i) {
        TfrxXMLItem *child = element->Items(i);
        if (classOf(child) == nullptr)
            continue;
        out.append(child);
        collectElements(child, out);
    }
}

// The report as a template of its own: every object with all its values, none as a difference
// from a base template.
void writeWhole(TfrxReport &report, TfrxXMLDocument &document)
{
    TfrxXMLSerializer serializer;
    serializer.SetOwner(&report);
    serializer.SetHandleNestedProperties(true);
    serializer.WriteRootComponent(&report, true, true, document.Root());
}

QSet<QString> objectNames(const TfrxReport &report)
{
    QSet<QString> names;
    for (const TfrxComponent *object : report.GetAllObjects())
        names.insert(object->Name());
    return names;
}

// The objects other than pages whose names the base uses: pages of the same name merge with the
// base's, any other object would be a second object of that name.
QList<TfrxXMLItem *> duplicateElements(TfrxXMLDocument &document, const QSet<QString> &baseNames)
{
    QList<TfrxXMLItem *> elements;
    collectElements(document.Root(), elements);
    QList<TfrxXMLItem *> duplicates;
    for (TfrxXMLItem *element : std::as_const(elements)) {
        const bool page = classOf(element)->inherits(&TfrxPage::staticMetaObject);
        if (!page && baseNames.contains(element->GetProp(nameAttribute)))
            duplicates.append(element);
    }
    return duplicates;
}

// An element goes with its children, so one whose ancestor goes too is not deleted again.
void deleteElements(const QList<TfrxXMLItem *> &elements)
{
    const QSet<TfrxXMLItem *> doomed(elements.begin(), elements.end());
    QList<TfrxXMLItem *> topmost;
    for (TfrxXMLItem *element : elements) {
        bool withAncestor = false;
        for (TfrxXMLItem *up = element->Parent(); up != nullptr && !withAncestor; up = up->Parent())
            withAncestor = doomed.contains(up);
        if (!withAncestor)
            topmost.append(element);
    }
    qDeleteAll(topmost);
}

// Gives each duplicate a free name (its name without the trailing number, then the smallest free
// number) and points every reference to its old name at the new one.
void renameDuplicates(TfrxXMLDocument &document, const QList<TfrxXMLItem *> &duplicates, QSet<QString> taken)
{
    QList<TfrxXMLItem *> elements;
    collectElements(document.Root(), elements);
    for (const TfrxXMLItem *element : std::as_const(elements))
        taken.insert(element->GetProp(nameAttribute));
    static const QRegularExpression trailingDigits(QStringLiteral("\\d+$"));
    static const QRegularExpression attribute(QStringLiteral("([^\\s=]+)=\"([^\"]*)\""));
    for (TfrxXMLItem *duplicate : duplicates) {
        const QString oldName = duplicate->GetProp(nameAttribute);
        const QString base = QString(oldName).remove(trailingDigits);
        QString newName;
        for (int n = 1; newName.isEmpty() || taken.contains(newName); ++n)
            newName = base + QString::number(n);
        taken.insert(newName);
        for (TfrxXMLItem *element : std::as_const(elements)) {
            const QString text = element->Text();
            for (const QRegularExpressionMatch &m : attribute.globalMatch(text))
                if (m.captured(2) == oldName)
                    element->SetProp(m.captured(1), newName);
        }
    }
}

// Entries of the report's variables, styles and data-set list that the base already has are left
// to the base, so that inheriting does not list them twice.
void dropInheritedEntries(TfrxXMLDocument &document, const TfrxReport &base)
{
    struct Collection
    {
        const char *element;
        const char *key;
        const TfrxCollection *inBase;
    };
    const Collection collections[] = {
        {"Datasets", "DataSetName", base.DataSets()},
        {"Variables", "Name", base.Variables()},
        {"Styles", "Name", base.Styles()},
    };
    TfrxXMLItem *root = document.Root();
    for (const Collection &c : collections) {
        const int index = root->Find(QLatin1String(c.element));
        if (index < 0)
            continue;
        TfrxXMLItem *list = root->Items(index);
        QSet<QString> known;
        for (const TfrxCollectionItem *item : c.inBase->Items())
            known.insert(item->property(c.key).toString().toLower());
        for (int i = list->Count() - 1; i >= 0; --i)
            if (known.contains(list->Items(i)->GetProp(QLatin1String(c.key)).toLower()))
                delete list->Items(i);
    }
}

// The mark that starts a line comment in a script language.
QString lineComment(const QString &language)
{
    return language.compare(QLatin1String("BasicScript"), Qt::CaseInsensitive) == 0 ? QStringLiteral("'")
                                                                                    : QStringLiteral("//");
}

// The base's script after the report's own, every line a comment, so that nothing in it (not even
// a closing comment mark) changes what the report's script means.
QStringList withBaseScript(const QStringList &own, const TfrxReport &base, const QString &language)
{
    const QString mark = lineComment(language);
    QStringList script = own;
    script.append(mark + QStringLiteral("**********Script from parent report**********"));
    for (const QString &line : base.ScriptText())
        script.append(mark + line);
    return script;
}

QString relativeName(const TfrxReport &report, const QString &templateFile)
{
    if (report.FileName().isEmpty())
        return QFileInfo(templateFile).absoluteFilePath();
    return QFileInfo(report.FileName())
        .absoluteDir()
        .relativeFilePath(QFileInfo(templateFile).absoluteFilePath());
}

bool sameFile(const QString &a, const QString &b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// The document read back into the report: the base is loaded through ParentReport and the report's
// own elements are applied over it. The password leaves the text so the reload does not ask for it.
void reload(TfrxReport &report, TfrxXMLDocument &document, const QString &parentReport)
{
    TfrxXMLItem *root = document.Root();
    root->SetProp(QStringLiteral("ParentReport"), parentReport);
    const QString password = report.ReportOptions()->Password;
    root->DeleteProp(QStringLiteral("ReportOptions.Password"));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    document.SaveToStream(&buffer);
    buffer.seek(0);
    report.LoadFromStream(&buffer);
    report.ReportOptions()->Password = password;
}

} // namespace

bool TfrxReportInheritance::Inherit(TfrxReport &report, const QString &templateFile, Duplicates mode,
                                    const AskDuplicates &ask)
{
    if (sameFile(templateFile, report.FileName()))
        return false;
    TfrxReport base;
    if (!base.LoadFromFile(templateFile, false) || base.LoadFailed())
        return false;
    TfrxXMLDocument document;
    writeWhole(report, document);
    const QSet<QString> baseNames = objectNames(base);
    const QList<TfrxXMLItem *> duplicates = duplicateElements(document, baseNames);
    if (!duplicates.isEmpty() && mode == Duplicates::Ask) {
        QStringList names;
        for (const TfrxXMLItem *element : duplicates)
            names.append(element->GetProp(nameAttribute));
        mode = ask ? ask(names) : Duplicates::Cancel;
    }
    if (!duplicates.isEmpty() && mode == Duplicates::Cancel)
        return false;
    if (mode == Duplicates::Delete)
        deleteElements(duplicates);
    else
        renameDuplicates(document, duplicates, baseNames);
    dropInheritedEntries(document, base);
    const QStringList script = withBaseScript(report.ScriptText(), base, report.ScriptLanguage());
    reload(report, document, relativeName(report, templateFile));
    report.SetScriptText(script);
    return true;
}

void TfrxReportInheritance::Detach(TfrxReport &report)
{
    report.SetParentReport(QString());
}
