#pragma once

#include "TfrxPropertyEditor.h"

#include <span>

// A number that has names: a charset, a cursor, a dialog's modal result, a colour.
struct TfrxIdent
{
    const char *Name;
    int Value;
};

// An integer shown by its name when it has one, else as a number; a name (any case) or a number
// is taken. The list offers every name.
class TfrxIdentProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &value) override;

protected:
    virtual std::span<const TfrxIdent> Idents() const = 0;
    // A value without name: decimal here; colours show theirs in hexadecimal.
    virtual QString NumberText(int value) const;
};

class TfrxFontCharsetProperty : public TfrxIdentProperty
{
public:
    using TfrxIdentProperty::TfrxIdentProperty;

protected:
    std::span<const TfrxIdent> Idents() const override;
};

class TfrxCursorProperty : public TfrxIdentProperty
{
public:
    using TfrxIdentProperty::TfrxIdentProperty;

protected:
    std::span<const TfrxIdent> Idents() const override;
};

class TfrxModalResultProperty : public TfrxIdentProperty
{
public:
    using TfrxIdentProperty::TfrxIdentProperty;

protected:
    std::span<const TfrxIdent> Idents() const override;
};

// A keyboard shortcut as Qt names it ("Ctrl+S"), "(None)" for none.
class TfrxShortCutProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &value) override;
};
