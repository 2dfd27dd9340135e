#include "TfrxVariables.h"

#include "TfrxVariable.h"

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

TfrxVariables::TfrxVariables(QObject *parent)
    : TfrxCollection([](TfrxCollection *owner) { return new TfrxVariable(owner); }, parent)
{
}

TfrxVariable *TfrxVariables::Items(qsizetype index) const
{
    return static_cast<TfrxVariable *>(Item(index));
}

TfrxVariable *TfrxVariables::Add()
{
    return static_cast<TfrxVariable *>(TfrxCollection::Add());
}

qsizetype TfrxVariables::IndexOf(const QString &name) const
{
    for (qsizetype i = 0; i < Count(); ++i)
        if (sameName(Items(i)->Name(), name))
            return i;
    return -1;
}

QVariant TfrxVariables::Variable(const QString &name) const
{
    const qsizetype i = IndexOf(name);
    return i < 0 ? QVariant() : Items(i)->Value();
}

void TfrxVariables::SetVariable(const QString &name, const QVariant &value)
{
    const qsizetype i = IndexOf(name);
    TfrxVariable *variable = i >= 0 ? Items(i) : Add();
    if (i < 0)
        variable->SetName(name);
    variable->SetValue(value);
}

qsizetype TfrxVariables::CategoryIndex(const QString &category) const
{
    if (category.isEmpty())
        return -1;
    return IndexOf(u' ' + category);
}

qsizetype TfrxVariables::CategoryEnd(qsizetype heading) const
{
    qsizetype end = heading + 1;
    while (end < Count() && !Items(end)->IsCategory())
        ++end;
    return end;
}

void TfrxVariables::AddVariable(const QString &category, const QString &name, const QVariant &value)
{
    if (const qsizetype i = IndexOf(name); i >= 0) {
        Items(i)->SetValue(value);
        return;
    }
    const qsizetype heading = CategoryIndex(category);
    if (heading < 0)
        return;
    const qsizetype at = CategoryEnd(heading);
    TfrxVariable *variable = Add();
    variable->SetName(name);
    variable->SetValue(value);
    Move(Count() - 1, at);
}

void TfrxVariables::DeleteVariable(const QString &name)
{
    if (const qsizetype i = IndexOf(name); i >= 0)
        Delete(i);
}

void TfrxVariables::DeleteCategory(const QString &category)
{
    const qsizetype heading = CategoryIndex(category);
    if (heading < 0)
        return;
    for (qsizetype i = CategoryEnd(heading) - 1; i >= heading; --i)
        Delete(i);
}

QStringList TfrxVariables::GetCategoriesList() const
{
    QStringList out;
    for (qsizetype i = 0; i < Count(); ++i)
        if (Items(i)->IsCategory())
            out.append(Items(i)->Name().mid(1));
    return out;
}

QStringList TfrxVariables::GetVariablesList(const QString &category) const
{
    const qsizetype heading = CategoryIndex(category);
    if (heading < 0 && !category.isEmpty())
        return {};
    QStringList out;
    for (qsizetype i = heading + 1; i < CategoryEnd(heading); ++i)
        out.append(Items(i)->Name());
    return out;
}
