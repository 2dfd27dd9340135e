#pragma once

#include "TfsItems.h"

#include <QHash>

#include <unordered_map>

#include <functional>
#include <span>
#include <vector>

class QObject;
struct TfsMethodSyntax;
struct QMetaObject;

// A property, method, indexed property or constructor of a host class.
struct TfsClassMember
{
    enum Kind { Property, Method, IndexProperty };
    Kind kind = Property;
    QString name;
    TfsVarType type = fvtVariant;
    QString typeName;
    // Properties: read and write (no writer: read-only).
    std::function<TfsValue(QObject *obj)> get;
    std::function<void(QObject *obj, const TfsValue &value)> set;
    // Methods: the arguments by position; var parameters are written back from args. Indexed
    // properties read through call with the index arguments.
    std::function<TfsValue(QObject *obj, std::span<TfsValue> args)> call;
    std::vector<TfsNativeParam> params;
    // Indexed properties: written with the index arguments (no writer: read-only).
    std::function<void(QObject *obj, std::span<TfsValue> args, const TfsValue &value)> setIndexed;
    // Constructors: called on the class, they make a new object that the script owns.
    std::function<QObject *(std::span<TfsValue> args)> construct;
};

// A host class registered in a script: its members and the name of its ancestor's class item, which
// is looked up when a member is searched, so the ancestor may be registered later.
class TfsClassVariable : public TfsCustomVariable
{
public:
    TfsClassVariable(const QString &name, const QString &ancestor, const QMetaObject *meta);

    // One property per property of the host class's table, read and written through the table.
    // Text properties named On... hold the name of a script procedure (events): scope checks them.
    void AddPublishedProperties(TfsScript &scope);
    void AddProperty(const QString &name, const QString &typeName, const TfsScript &scope,
                     std::function<TfsValue(QObject *)> get,
                     std::function<void(QObject *, const TfsValue &)> set = {});
    // A method by its declaration text; false when the text is not a declaration.
    bool AddMethod(const QString &syntax, std::function<TfsValue(QObject *, std::span<TfsValue>)> call,
                   const TfsScript &scope);

    // An indexed property by its name, the comma-separated types of its indexes and its type: read and
    // written with the index values (p0, p1 ...); read-only without a writer. False for bad types.
    using IndexGetter = std::function<TfsValue(QObject *, std::span<TfsValue>)>;
    using IndexSetter = std::function<void(QObject *, std::span<TfsValue>, const TfsValue &)>;
    bool AddIndexProperty(const QString &name, const QString &paramTypes, const QString &typeName,
                          const TfsScript &scope, IndexGetter get, IndexSetter set = {});
    // The same, and the class's default property becomes this one (Obj[i] means Obj.Name[i]).
    bool AddDefaultProperty(const QString &name, const QString &paramTypes, const QString &typeName,
                            const TfsScript &scope, IndexGetter get, IndexSetter set = {});
    // "constructor Create(...)": a member of the class, called on the class name, that makes an object.
    bool AddConstructor(const QString &syntax, std::function<QObject *(std::span<TfsValue>)> construct,
                        const TfsScript &scope);

    // The members this class declares itself (not its ancestors'), sorted by name.
    std::vector<const TfsClassMember *> Members() const;
    // The member of this class or, through scope, of its ancestors; null when none has it.
    const TfsClassMember *Find(const QString &name, const TfsScript &scope) const;
    // The default indexed property of this class or of its nearest ancestor that has one.
    const TfsClassMember *DefaultProperty(const TfsScript &scope) const;
    // The class item of a host object: the registered class nearest up its class chain. A host
    // class that stands for a script class of another name says so in its class info "ScriptClass".
    static const TfsClassVariable *ClassOf(const QObject *obj, const TfsScript &scope);

    QString FAncestor;
    const QMetaObject *FMeta;

private:
    // A member made from a parsed declaration (name, result type, parameters), entered by its name.
    TfsClassMember &AddDeclared(TfsClassMember::Kind kind, TfsMethodSyntax &decl, const TfsScript &scope);

    // Case-folded name to member; compiled designators keep pointers to the members.
    std::unordered_map<QString, TfsClassMember> FMembers;
    QString FDefProperty; // case-folded name of the default indexed property; empty: the ancestor's
};

// Property values between the host's property table and scripts.
TfsValue fsPropertyToValue(const QVariant &value);
