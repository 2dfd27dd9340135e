#pragma once

#include "TfrxVariables.h"

#include <QString>
#include <QStringList>

// The variables editor's copy of the report's variables and the rules of their names. A category
// is kept as a variable whose name begins with a space; only the commands that make categories
// give a name its space. Typed names are trimmed, and an empty name or one that its kind already
// has (compared without regard to case) is refused.
class TfrxVariablesCopy
{
public:
    explicit TfrxVariablesCopy(const TfrxVariables &source);

    const TfrxVariables &Variables() const { return FVariables; }
    TfrxVariables &Variables() { return FVariables; }

    // Adds the category " New Category" with the smallest number from 1 that is free, at the end.
    // Returns its stored name.
    QString AddCategory();
    // Adds "New Variable" with the smallest free number and an empty text as its value, as the last
    // variable of a category (an empty name: of those before the first category). Returns its name.
    QString AddVariable(const QString &category);
    // Gives an entry a typed name; false, and nothing changed, when the name is empty or taken.
    // newName receives the stored name (with the space of a category).
    bool Rename(const QString &storedName, const QString &typed, QString &newName);
    // A category goes with its variables.
    void Delete(const QString &storedName);

    // All names as lines: a category without its space, a variable with one leading space.
    QStringList Lines() const;
    // Replaces the names by lines of that form: a line that begins with a space is a variable,
    // any other a category; names are trimmed and empty lines skipped. Variables keep the values of
    // the names they had before, new ones get an empty text. False, and nothing changed, when a
    // name comes twice.
    bool SetLines(const QStringList &lines);

    // Makes target hold the same names and values.
    static void Copy(const TfrxVariables &source, TfrxVariables &target);

private:
    qsizetype IndexOf(const QString &storedName) const;
    QString FreeName(const QString &base) const;
    void Insert(const QString &name, const QVariant &value, qsizetype at);

    TfrxVariables FVariables;
};
