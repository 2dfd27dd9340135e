#pragma once

#include "TfrxCollection.h"

#include <QStringList>
#include <QVariant>

class TfrxVariable;

// The report's variables, in categories: a variable whose name begins with a space is a category
// heading, and the variables after it, up to the next heading, belong to that category. Names are
// compared without regard to case.
class TfrxVariables : public TfrxCollection
{
    Q_OBJECT

public:
    explicit TfrxVariables(QObject *parent = nullptr);

    TfrxVariable *Items(qsizetype index) const;
    TfrxVariable *Add();
    // -1 when no variable has the name.
    qsizetype IndexOf(const QString &name) const;
    // Null when absent.
    QVariant Variable(const QString &name) const;
    // Added at the end when absent.
    void SetVariable(const QString &name, const QVariant &value);
    // Replaces the value of a variable of that name, else adds it as the last one of the category;
    // nothing happens when the category does not exist.
    void AddVariable(const QString &category, const QString &name, const QVariant &value);
    void DeleteVariable(const QString &name);
    // The heading and its variables.
    void DeleteCategory(const QString &category);
    QStringList GetCategoriesList() const;
    // The variables of a category; an empty name gives those before the first heading.
    QStringList GetVariablesList(const QString &category) const;

private:
    // The index of the category's heading, or -1; for the empty name, the position before the list.
    qsizetype CategoryIndex(const QString &category) const;
    // One past the last variable of the category that starts after heading.
    qsizetype CategoryEnd(qsizetype heading) const;
};
