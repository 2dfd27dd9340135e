#include "TfrxVariablesCopy.h"

#include "TfrxVariable.h"

namespace {

const QChar categoryMark = u' ';

bool isCategory(const QString &storedName)
{
    return storedName.startsWith(categoryMark);
}

// The value of a new variable: a text, empty.
QVariant emptyText()
{
    return QVariant(QStringLiteral(""));
}

} // namespace

TfrxVariablesCopy::TfrxVariablesCopy(const TfrxVariables &source)
{
    Copy(source, FVariables);
}

void TfrxVariablesCopy::Copy(const TfrxVariables &source, TfrxVariables &target)
{
    target.Clear();
    for (qsizetype i = 0; i < source.Count(); ++i) {
        TfrxVariable *variable = target.Add();
        variable->SetName(source.Items(i)->Name());
        variable->SetValue(source.Items(i)->Value());
    }
}

// Names are compared as the report compares them: without regard to case.
qsizetype TfrxVariablesCopy::IndexOf(const QString &storedName) const
{
    return FVariables.IndexOf(storedName);
}

// base followed by the smallest number from 1 that no entry has.
QString TfrxVariablesCopy::FreeName(const QString &base) const
{
    for (int n = 1;; ++n) {
        const QString name = base + QString::number(n);
        if (IndexOf(name) < 0)
            return name;
    }
}

void TfrxVariablesCopy::Insert(const QString &name, const QVariant &value, qsizetype at)
{
    TfrxVariable *variable = FVariables.Add();
    variable->SetName(name);
    variable->SetValue(value);
    FVariables.Move(FVariables.Count() - 1, at);
}

QString TfrxVariablesCopy::AddCategory()
{
    const QString name = FreeName(categoryMark + QStringLiteral("New Category"));
    Insert(name, QVariant(), FVariables.Count());
    return name;
}

QString TfrxVariablesCopy::AddVariable(const QString &category)
{
    // Past the category's heading (or from the start) to the next heading.
    qsizetype at = category.isEmpty() ? 0 : IndexOf(categoryMark + category) + 1;
    while (at < FVariables.Count() && !FVariables.Items(at)->IsCategory())
        ++at;
    const QString name = FreeName(QStringLiteral("New Variable"));
    Insert(name, emptyText(), at);
    return name;
}

bool TfrxVariablesCopy::Rename(const QString &storedName, const QString &typed, QString &newName)
{
    const qsizetype index = IndexOf(storedName);
    const QString name = typed.trimmed();
    if (index < 0 || name.isEmpty())
        return false;
    newName = isCategory(storedName) ? categoryMark + name : name;
    const qsizetype other = IndexOf(newName);
    if (other >= 0 && other != index)
        return false;
    FVariables.Items(index)->SetName(newName);
    return true;
}

void TfrxVariablesCopy::Delete(const QString &storedName)
{
    if (isCategory(storedName))
        FVariables.DeleteCategory(storedName.mid(1));
    else
        FVariables.DeleteVariable(storedName);
}

QStringList TfrxVariablesCopy::Lines() const
{
    QStringList lines;
    for (qsizetype i = 0; i < FVariables.Count(); ++i) {
        const QString &name = FVariables.Items(i)->Name();
        lines.append(isCategory(name) ? name.mid(1) : categoryMark + name);
    }
    return lines;
}

bool TfrxVariablesCopy::SetLines(const QStringList &lines)
{
    TfrxVariables result;
    for (const QString &line : lines) {
        const QString name = line.trimmed();
        if (name.isEmpty())
            continue;
        // The space test comes before trimming: it tells a variable from a category.
        const bool variableLine = line.startsWith(categoryMark);
        const QString storedName = variableLine ? name : categoryMark + name;
        if (result.IndexOf(storedName) >= 0)
            return false;
        TfrxVariable *variable = result.Add();
        variable->SetName(storedName);
        const qsizetype before = IndexOf(storedName);
        if (variableLine)
            variable->SetValue(before >= 0 ? FVariables.Items(before)->Value() : emptyText());
    }
    Copy(result, FVariables);
    return true;
}
