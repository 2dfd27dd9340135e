#pragma once

#include <QHash>
#include <QString>
#include <QVarLengthArray>

class TfrxComponent;

// The names of the objects in a report's tree, without regard to ASCII case, so that naming an
// object, finding one by name and making a unique name take constant time however large the report
// (the designer inserts and pastes thousands of objects). The tree keeps it current: an object is
// listed while it bears a name and belongs to the report's tree. A name may be borne by several
// objects for a while (a template being read keeps its duplicates until it renames them).
class TfrxNameIndex
{
public:
    using Bearers = QVarLengthArray<TfrxComponent *, 1>;

    // An object (with its descendants) entering or leaving the tree, under their current names.
    void AddTree(TfrxComponent *root);
    void RemoveTree(TfrxComponent *root);
    // An object of the tree changing its name.
    void Rename(TfrxComponent *obj, const QString &from, const QString &to);

    // The objects that bear the name.
    Bearers Find(const QString &name) const;
    // Whether an object other than self bears the name.
    bool TakenByOther(const QString &name, const TfrxComponent *self) const;
    // base followed by the smallest positive number that no object but self bears.
    QString UniqueName(const QString &base, const TfrxComponent *self);

private:
    void Add(TfrxComponent *obj, const QString &name);
    void Remove(TfrxComponent *obj, const QString &name);
    void Freed(const QString &key);

    QHash<QString, Bearers> FNames; // by lower-case name
    // Per lower-case base: every number below it is taken, so the search for a free one starts there.
    QHash<QString, qint64> FFirstFree;
};
