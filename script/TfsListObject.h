#pragma once

#include <QList>
#include <QObject>

#include <functional>

class TfsClassVariable;
class TfsScript;

// A read-only list of host objects as scripts see it (TList): the objects are asked for each time,
// so the list follows its owner.
class TfsListObject : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("ScriptClass", "TList")

public:
    using Reader = std::function<QList<QObject *>()>;
    explicit TfsListObject(Reader read, QObject *parent = nullptr);

    QList<QObject *> Items() const { return FRead(); }

    // Count and the default indexed property Items.
    static void AddMembers(TfsClassVariable &cls, const TfsScript &scope);

private:
    Reader FRead;
};
