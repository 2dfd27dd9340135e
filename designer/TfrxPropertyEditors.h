#pragma once

// The editors of the plain kinds of properties: numbers, characters, texts, enumerations, sets,
// sub-objects, references to other report objects, names and dates.

#include "TfrxPropertyEditor.h"

// A decimal integer that fits the property's type.
class TfrxIntegerProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    QString GetValue() const override;
    void SetValue(const QString &value) override;
};

// A float in the form the template format writes; "." or "," is read as the decimal separator and
// only finite numbers are taken.
class TfrxFloatProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    QString GetValue() const override;
    void SetValue(const QString &value) override;
    // The number of a text typed in either decimal form; raises "Invalid property value".
    static double ParseFloat(const QString &value);
};

// One character: itself when printable, else "#" and its code.
class TfrxCharProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    QString GetValue() const override;
    void SetValue(const QString &value) override;
};

class TfrxStringProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    QString GetValue() const override;
    void SetValue(const QString &value) override;
};

// An enumeration (or a Boolean) by its identifiers.
class TfrxEnumProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &value) override;

protected:
    bool IsBoolean() const;
};

// A set, shown as "[member,member]" and changed through one sub-property per member.
class TfrxSetProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    std::unique_ptr<TfrxPropertyList> CreateSubProperties() override;
};

// One member of a set: "True" when the set holds it. Changing it changes only that member of
// each object's set.
class TfrxSetElementProperty : public TfrxPropertyEditor
{
public:
    TfrxSetElementProperty(TfrxCustomDesigner &designer, int element);
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetName() const override;
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &value) override;

private:
    int FElement;
};

// A sub-object (frame, hyperlink, ...), edited through its own properties.
class TfrxClassProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    std::unique_ptr<TfrxPropertyList> CreateSubProperties() override;

protected:
    // The sub-objects of every edited object.
    QList<QObject *> NestedObjects() const;
};

// A reference to another report object: the objects of the same page (or the report) whose class
// fits the property are offered, and only such a name (or nothing) is taken.
class TfrxComponentProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &value) override;

protected:
    // The objects the property may refer to.
    virtual QList<QObject *> Candidates() const;
    virtual QString NameOf(const QObject *object) const;
};

// An object's name: one object at a time, never empty.
class TfrxNameProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    void SetValue(const QString &value) override;
};

// A date, a time or both in the user's short formats.
class TfrxDateTimeProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    QString GetValue() const override;
    void SetValue(const QString &value) override;
};
