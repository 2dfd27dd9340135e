#pragma once

#include <QFlags>
#include <QList>
#include <QMetaProperty>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class QObject;
class QPainter;
class QRect;
class TfrxCustomDesigner;
class TfrxPropertyList;

// What an editor offers in the inspector's grid; the values are bits.
enum TfrxPropertyAttribute {
    paValueList = 1,      // a drop-down list of values
    paSortList = 2,       // the list is sorted
    paDialog = 4,         // a "..." button that opens an editor
    paMultiSelect = 8,    // shown when several objects are selected
    paSubProperties = 16, // can be expanded
    paReadOnly = 32,      // the text cannot be typed
    paOwnerDraw = 64      // draws its own value and list items
};
Q_DECLARE_FLAGS(TfrxPropertyAttributes, TfrxPropertyAttribute)
Q_DECLARE_OPERATORS_FOR_FLAGS(TfrxPropertyAttributes)

// One edited property of one object: the object that holds it (a report object or one of its
// sub-objects, such as a font) and the property's record in that object's class.
struct TfrxPropertyTarget
{
    QObject *Object = nullptr;
    QMetaProperty Property;
};

// The base of the inspector's property editors. An editor edits one property of every selected
// object at once: it shows the first object's value and writes a value into every object whose
// property can be written. Values that the editor cannot take raise TfrxError with the string
// table's "Invalid property value".
class TfrxPropertyEditor
{
public:
    explicit TfrxPropertyEditor(TfrxCustomDesigner &designer);
    virtual ~TfrxPropertyEditor();
    TfrxPropertyEditor(const TfrxPropertyEditor &) = delete;
    TfrxPropertyEditor &operator=(const TfrxPropertyEditor &) = delete;

    virtual TfrxPropertyAttributes GetAttributes() const;
    virtual QString GetName() const;
    virtual QString GetValue() const;
    // Fills Values with the entries of the drop-down list.
    virtual void GetValues();
    virtual void SetValue(const QString &value);
    // What a double click or the "..." button does; true when it changed something the editor
    // did not write through its own helpers. The base steps to the next entry of the value list.
    virtual bool Edit();
    // Owner drawing of a list entry and of the value in the grid (paOwnerDraw).
    virtual void OnDrawLBItem(QPainter &painter, const QRect &rect, int index, bool selected);
    virtual void OnDrawItem(QPainter &painter, const QRect &rect);
    // Extra width of the drop-down list, for the editor's drawing beside the text.
    virtual int GetExtraLBSize() const;
    // The properties shown under an expandable editor (paSubProperties); none by default.
    virtual std::unique_ptr<TfrxPropertyList> CreateSubProperties();

    TfrxCustomDesigner &Designer() const { return FDesigner; }
    void AddTarget(QObject *object, const QMetaProperty &property);
    const QList<TfrxPropertyTarget> &Targets() const { return FTargets; }
    // The object whose value is shown (the first one) and its property.
    QObject *Component() const;
    QMetaProperty Property() const;

    // Whether a value was written into at least one object since ResetWritten, also when a later
    // object refused it: a partial change is still a change to record.
    bool Written() const { return FWritten; }
    void ResetWritten() { FWritten = false; }

    // The entries of the drop-down list, filled by GetValues.
    QStringList Values;
    // The height of a row of the grid and of the list, for owner drawing.
    int ItemHeight = 16;

    // Raises the string table's "Invalid property value".
    [[noreturn]] static void RaiseInvalid();

protected:
    QVariant GetVariantValue() const;
    // Integers, characters, enumerations and sets as their number.
    int GetOrdValue() const;
    double GetFloatValue() const;
    QString GetStrValue() const;
    QObject *GetObjectValue() const;
    // Writes one value into every object whose property has a setter. The value is converted
    // before the first object is written, so a value that does not convert changes nothing.
    void SetVariantValue(const QVariant &value);
    void SetOrdValue(int value);
    void SetFloatValue(double value);
    void SetStrValue(const QString &value);
    // Writes into every object a value made from that object's own current one (a member of a
    // set switched on in each object's set).
    void SetEachValue(const std::function<QVariant(const QVariant &current)> &change);

private:
    TfrxCustomDesigner &FDesigner;
    QList<TfrxPropertyTarget> FTargets;
    bool FWritten = false;
};

// The value of an enumeration or set property's variant as its number.
int zorOrdinalOf(const QVariant &value);
