#pragma once

#include <QList>
#include <QMetaProperty>
#include <QString>
#include <QVariant>

class QObject;
class TfrxPersistent;

// The one generic walk over the published properties of report objects. Properties are visited
// in the order of the class's property table (base classes first); owned sub-objects (font,
// frame, fill, ...) are entered with dotted paths such as "Font.Name" or "Frame.LeftLine.Width".
// The template format, the inspector and the script bindings all go through here.
class TfrxProperties
{
public:
    // How a property is encoded; the template format dispatches on it.
    enum class Kind { Integer, Int64, Float, Boolean, Enumeration, Set, Text, Variant, StringList,
                      Reference, Nested, Other };

    struct Entry {
        QObject *Object = nullptr;   // the object that holds the property (a sub-object for paths)
        QMetaProperty Property;
        QString Path;                // "Left", "Font.Name", "Frame.LeftLine.Width"
        Kind PropertyKind = Kind::Other;
    };

    // Every published property of obj, nested sub-objects expanded in place (the sub-object's
    // own entry comes first, followed by its properties). QObject's objectName is not listed.
    static QList<Entry> List(QObject *obj);
    // The entries of one object without entering sub-objects.
    static QList<Entry> Own(QObject *obj);
    // The property at a dotted path; property names match without regard to ASCII case.
    static bool Find(QObject *obj, QStringView path, Entry &entry);
    // The value at a path; an invalid QVariant when there is no such property.
    static QVariant Read(QObject *obj, QStringView path);
    // Writes a value (converted to the property's type; enumerations also by identifier).
    // Returns false when there is no such writable property or the value does not convert. A
    // setter that refuses a value (a duplicate name, a circular child band) raises TfrxError,
    // which reaches the caller with its message.
    static bool Write(QObject *obj, QStringView path, const QVariant &value);

    static Kind KindOf(const QMetaProperty &property);
    // A property's value from its text: numbers, Booleans ("True"), enumerations by identifier
    // or number, sets by number or identifiers; an invalid QVariant when the text does not convert.
    static QVariant ValueFromText(const QMetaProperty &property, const QString &text);
    // The sub-object held by a nested property, or none.
    static QObject *NestedObject(QObject *obj, const QMetaProperty &property);
    // The default declared for a property (class info "Default.<name>"), converted to the
    // property's type; an invalid QVariant when none is declared.
    static QVariant DefaultValue(const QObject *obj, const QMetaProperty &property);
    // Whether the property is stored for the object's current state (STORED attribute and the
    // object's own condition); declared defaults are the writer's business.
    static bool IsStored(const QObject *obj, const QMetaProperty &property);
    // Copies every writable, non-reference value from source to target (same class family),
    // nested objects through their Assign; properties named in skip are left alone.
    static void CopyValues(const QObject *source, QObject *target, const QList<QByteArray> &skip = {});
};
