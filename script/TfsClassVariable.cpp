#include "TfsClassVariable.h"

#include "TfsMethodSyntax.h"
#include "TfsObjectRegistry.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"
#include "TfsVariant.h"

#include <QMetaEnum>
#include <QMetaObject>
#include <QMetaProperty>
#include <QObject>

#include <algorithm>

namespace {

// The script type of a property of the host's table.
TfsVarType propertyType(const QMetaProperty &p, QString &typeName)
{
    typeName = QString::fromLatin1(p.typeName());
    if (p.isEnumType()) {
        typeName = QString::fromLatin1(p.enumerator().enumName());
        return fvtEnum;
    }
    const QMetaType t = p.metaType();
    if (t.flags() & QMetaType::PointerToQObject) {
        typeName = QString::fromLatin1(t.metaObject() ? t.metaObject()->className() : "TObject");
        return fvtClass;
    }
    switch (t.id()) {
    case QMetaType::Bool:
        return fvtBool;
    case QMetaType::Double:
    case QMetaType::Float:
        return fvtFloat;
    case QMetaType::QString:
    case QMetaType::QStringList:
        return fvtString;
    case QMetaType::QChar:
        return fvtChar;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return fvtInt64;
    case QMetaType::QVariant:
        return fvtVariant;
    default:
        return fvtInt;
    }
}

// A value outside an enumeration or a set is refused, as the template reader refuses it, rather than
// stored to fail at the next load: an enumeration takes one of its values, a set only its members.
int enumeratedValue(const QMetaEnum &type, int raw)
{
    bool fits = type.valueToKey(raw) != nullptr;
    if (type.isFlag()) {
        int members = 0;
        for (int i = 0; i < type.keyCount(); ++i)
            members |= type.value(i);
        fits = (raw & ~members) == 0;
    }
    if (!fits)
        throw TfsRuntimeError(QStringLiteral("Invalid property value: %1").arg(raw),
                              QStringLiteral("EPropertyError"));
    return raw;
}

QVariant valueToProperty(const QMetaProperty &p, const TfsValue &value)
{
    const QMetaType t = p.metaType();
    if (t.flags() & QMetaType::PointerToQObject) {
        QObject *obj = value.ToInt64() == 0 ? nullptr : TfsObjectRegistry::Object(value.ToInt64());
        QVariant v = QVariant::fromValue(obj);
        if (obj && !obj->metaObject()->inherits(t.metaObject()))
            throw TfsRuntimeError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
        v.convert(t);
        return v;
    }
    if (p.isEnumType())
        return QVariant(enumeratedValue(p.enumerator(), value.ToInt()));
    switch (t.id()) {
    case QMetaType::Bool:
        return QVariant(value.ToBool());
    case QMetaType::Double:
    case QMetaType::Float:
        return QVariant(value.ToDouble());
    case QMetaType::QString:
        return QVariant(value.ToString());
    case QMetaType::QStringList:
        return QVariant(value.ToString().split(QStringLiteral("\r\n")));
    case QMetaType::QVariant:
        return fsValueToVariant(value);
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QVariant(qlonglong(value.ToInt64()));
    default:
        return QVariant(value.ToInt());
    }
}

} // namespace

TfsValue fsPropertyToValue(const QVariant &value)
{
    const QMetaType t = value.metaType();
    if (t.flags() & QMetaType::PointerToQObject)
        return TfsValue::MakeObject(TfsObjectRegistry::Handle(value.value<QObject *>()));
    if (t.flags() & QMetaType::IsEnumeration) {
        QVariant i = value;
        i.convert(QMetaType::fromType<int>());
        return TfsValue(i.toInt());
    }
    if (t.id() == QMetaType::QStringList) {
        // The text form of a line list: CR LF after every line.
        QString text;
        for (const QString &line : value.toStringList())
            text += line + QStringLiteral("\r\n");
        return TfsValue(text);
    }
    if (t.id() == QMetaType::Float)
        return TfsValue(value.toDouble());
    if (t.id() == QMetaType::UInt || t.id() == QMetaType::UShort || t.id() == QMetaType::UChar)
        return TfsValue::FromInt64(value.toLongLong());
    if (t.id() == QMetaType::QChar)
        return TfsValue(QString(value.toChar()));
    // Flags of a set (QFlags) arrive as their own type: their integer is the value.
    if (!value.isNull() && t.id() >= QMetaType::User && value.canConvert<int>())
        return TfsValue(value.toInt());
    return fsVariantToValue(value);
}

TfsClassVariable::TfsClassVariable(const QString &name, const QString &ancestor, const QMetaObject *meta)
    : TfsCustomVariable(ikType, name, fvtClass, name), FAncestor(ancestor), FMeta(meta)
{
    FIsReadOnly = true;
}

void TfsClassVariable::AddPublishedProperties(TfsScript &scope)
{
    if (!FMeta)
        return;
    for (int i = 0; i < FMeta->propertyCount(); ++i) {
        const QMetaProperty p = FMeta->property(i);
        if (qstrcmp(p.name(), "objectName") == 0)
            continue;
        TfsClassMember m;
        m.name = QString::fromLatin1(p.name());
        m.type = propertyType(p, m.typeName);
        m.get = [p](QObject *obj) {
            const TfsValue v = fsPropertyToValue(p.read(obj));
            return p.metaType().id() == QMetaType::Bool ? TfsValue(v.ToBool()) : v;
        };
        const bool isEvent = m.type == fvtString && m.name.startsWith(u"On");
        if (p.isWritable()) {
            TfsScript *events = isEvent ? &scope : nullptr;
            m.set = [p, events](QObject *obj, const TfsValue &value) {
                if (events) {
                    // An event names a script procedure; nil (the text 0) or nothing clears it.
                    const QString name = value.ToString();
                    if (name == u"0" || name.isEmpty()) {
                        p.write(obj, QString());
                        return;
                    }
                    const TfsCustomVariable *proc = events->Find(name);
                    if (!proc || proc->Kind() != TfsCustomVariable::ikProc)
                        throw TfsRuntimeError(QStringLiteral("Event handler must be a procedure"));
                    p.write(obj, proc->FName);
                    return;
                }
                p.write(obj, valueToProperty(p, value));
            };
        }
        FMembers.insert_or_assign(m.name.toCaseFolded(), std::move(m));
    }
}

void TfsClassVariable::AddProperty(const QString &name, const QString &typeName, const TfsScript &scope,
                                   std::function<TfsValue(QObject *)> get,
                                   std::function<void(QObject *, const TfsValue &)> set)
{
    TfsClassMember m;
    m.name = name;
    m.typeName = typeName;
    m.type = fvtVariant;
    if (!scope.ResolveType(typeName, m.type))
        m.type = fvtClass;
    m.get = std::move(get);
    // A property declared Boolean reads as a Boolean whatever the host gives (1 is true).
    if (m.type == fvtBool && m.get)
        m.get = [read = std::move(m.get)](QObject *obj) { return TfsValue(read(obj).ToBool()); };
    m.set = std::move(set);
    FMembers.insert_or_assign(name.toCaseFolded(), std::move(m));
}

bool TfsClassVariable::AddMethod(const QString &syntax,
                                 std::function<TfsValue(QObject *, std::span<TfsValue>)> call,
                                 const TfsScript &scope)
{
    TfsMethodSyntax decl;
    if (!TfsMethodSyntax::Parse(syntax, scope, decl))
        return false;
    TfsClassMember &m = AddDeclared(TfsClassMember::Method, decl, scope);
    m.call = std::move(call);
    return true;
}

TfsClassMember &TfsClassVariable::AddDeclared(TfsClassMember::Kind kind, TfsMethodSyntax &decl,
                                              const TfsScript &scope)
{
    TfsClassMember m;
    m.kind = kind;
    m.name = decl.name;
    m.typeName = decl.resultType;
    if ((decl.isFunction || kind != TfsClassMember::Method) && !scope.ResolveType(decl.resultType, m.type))
        m.type = fvtClass;
    m.params = std::move(decl.params);
    return FMembers.insert_or_assign(m.name.toCaseFolded(), std::move(m)).first->second;
}

bool TfsClassVariable::AddIndexProperty(const QString &name, const QString &paramTypes,
                                        const QString &typeName, const TfsScript &scope, IndexGetter get,
                                        IndexSetter set)
{
    // The declaration of an indexed property: "function Name(p0: T0; p1: T1): Type".
    QStringList params;
    const QStringList types = paramTypes.split(u',', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < types.size(); ++i)
        params.append(QStringLiteral("p%1: %2").arg(i).arg(types[i].trimmed()));
    TfsMethodSyntax decl;
    if (params.isEmpty() ||
        !TfsMethodSyntax::Parse(QStringLiteral("function %1(%2): %3").arg(name, params.join(u"; "), typeName),
                                scope, decl))
        return false;
    TfsClassMember &m = AddDeclared(TfsClassMember::IndexProperty, decl, scope);
    m.call = std::move(get);
    m.setIndexed = std::move(set);
    return true;
}

bool TfsClassVariable::AddDefaultProperty(const QString &name, const QString &paramTypes,
                                          const QString &typeName, const TfsScript &scope, IndexGetter get,
                                          IndexSetter set)
{
    if (!AddIndexProperty(name, paramTypes, typeName, scope, std::move(get), std::move(set)))
        return false;
    FDefProperty = name.toCaseFolded();
    return true;
}

bool TfsClassVariable::AddConstructor(const QString &syntax,
                                      std::function<QObject *(std::span<TfsValue>)> construct,
                                      const TfsScript &scope)
{
    // A constructor is a function whose result is the constructor type.
    QString text = syntax.trimmed();
    if (!text.startsWith(u"constructor ", Qt::CaseInsensitive))
        return false;
    text = QStringLiteral("function") + text.mid(qsizetype(sizeof("constructor")) - 1) +
           QStringLiteral(": Constructor");
    TfsMethodSyntax decl;
    if (!TfsMethodSyntax::Parse(text, scope, decl))
        return false;
    TfsClassMember m;
    m.kind = TfsClassMember::Method;
    m.name = decl.name;
    m.type = fvtClass;
    m.typeName = FName;
    m.params = std::move(decl.params);
    m.construct = std::move(construct);
    m.call = [](QObject *, std::span<TfsValue>) -> TfsValue {
        // Called on an object instead of its class: nothing to construct.
        throw TfsRuntimeError(QStringLiteral("A constructor is called on its class"));
    };
    FMembers.insert_or_assign(m.name.toCaseFolded(), std::move(m));
    return true;
}

const TfsClassMember *TfsClassVariable::DefaultProperty(const TfsScript &scope) const
{
    const TfsClassVariable *c = this;
    for (int depth = 0; c && depth < 64; ++depth) {
        if (!c->FDefProperty.isEmpty())
            if (const auto it = c->FMembers.find(c->FDefProperty); it != c->FMembers.end())
                return &it->second;
        c = c->FAncestor.isEmpty() ? nullptr
                                   : dynamic_cast<const TfsClassVariable *>(scope.Find(c->FAncestor));
    }
    return nullptr;
}

std::vector<const TfsClassMember *> TfsClassVariable::Members() const
{
    std::vector<const TfsClassMember *> members;
    members.reserve(FMembers.size());
    for (const auto &entry : FMembers)
        members.push_back(&entry.second);
    std::sort(members.begin(), members.end(), [](const TfsClassMember *a, const TfsClassMember *b) {
        return QString::compare(a->name, b->name, Qt::CaseInsensitive) < 0;
    });
    return members;
}

const TfsClassMember *TfsClassVariable::Find(const QString &name, const TfsScript &scope) const
{
    const QString key = name.toCaseFolded();
    // A chain of ancestors that loops back is cut at a fixed depth.
    const TfsClassVariable *c = this;
    for (int depth = 0; c && depth < 64; ++depth) {
        if (const auto it = c->FMembers.find(key); it != c->FMembers.end())
            return &it->second;
        c = c->FAncestor.isEmpty() ? nullptr
                                   : dynamic_cast<const TfsClassVariable *>(scope.Find(c->FAncestor));
    }
    return nullptr;
}

const TfsClassVariable *TfsClassVariable::ClassOf(const QObject *obj, const TfsScript &scope)
{
    for (const QMetaObject *m = obj->metaObject(); m; m = m->superClass()) {
        const int info = m->indexOfClassInfo("ScriptClass");
        const char *name = info >= m->classInfoOffset() ? m->classInfo(info).value() : m->className();
        if (const auto *c = dynamic_cast<const TfsClassVariable *>(scope.Find(QString::fromLatin1(name))))
            return c;
    }
    return nullptr;
}
