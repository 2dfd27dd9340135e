#pragma once

// The editors the report designer adds for the report classes: check boxes, frame and fill
// dialogs, pictures, data sets and fields, text lists and texts, style names, printers, paper
// names, expressions, and coordinates and paper sizes in the designer's units.

#include "TfrxPropertyEditors.h"

// Registers the standard editors and the hidden properties; the designer calls it at start (a
// second call changes nothing).
void zorRegisterPropertyEditors();

// A Boolean drawn as a check box.
class TfrxBooleanProperty : public TfrxEnumProperty
{
public:
    using TfrxEnumProperty::TfrxEnumProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    void OnDrawLBItem(QPainter &painter, const QRect &rect, int index, bool selected) override;
    void OnDrawItem(QPainter &painter, const QRect &rect) override;
    int GetExtraLBSize() const override;
};

// A fill's brush style, drawn as a sample.
class TfrxBrushProperty : public TfrxEnumProperty
{
public:
    using TfrxEnumProperty::TfrxEnumProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    void OnDrawLBItem(QPainter &painter, const QRect &rect, int index, bool selected) override;
    void OnDrawItem(QPainter &painter, const QRect &rect) override;
    int GetExtraLBSize() const override;
};

// A frame's line style, drawn as a sample line.
class TfrxFrameStyleProperty : public TfrxEnumProperty
{
public:
    using TfrxEnumProperty::TfrxEnumProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    void OnDrawLBItem(QPainter &painter, const QRect &rect, int index, bool selected) override;
    void OnDrawItem(QPainter &painter, const QRect &rect) override;
    int GetExtraLBSize() const override;
};

// A frame: its properties below it and the frame editor behind "...".
class TfrxFrameProperty : public TfrxClassProperty
{
public:
    using TfrxClassProperty::TfrxClassProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    bool Edit() override;
};

// A fill: its properties below it and the fill editor behind "...".
class TfrxFillProperty : public TfrxClassProperty
{
public:
    using TfrxClassProperty::TfrxClassProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    bool Edit() override;
};

// A text object's display format: its properties and the display format editor.
class TfrxDisplayFormatProperty : public TfrxClassProperty
{
public:
    using TfrxClassProperty::TfrxClassProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    bool Edit() override;
};

// A picture, chosen in the picture editor.
class TfrxPictureProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    bool Edit() override;
};

// A list of text lines, edited in the lines editor.
class TfrxStringsProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    bool Edit() override;
};

// The text of one text object, edited in the text editor.
class TfrxMemoProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    bool Edit() override;
};

// A data set of the report, by its user name.
class TfrxDataSetProperty : public TfrxComponentProperty
{
public:
    using TfrxComponentProperty::TfrxComponentProperty;

protected:
    QList<QObject *> Candidates() const override;
    QString NameOf(const QObject *object) const override;
};

// A text whose list is made by the editor (fields, styles, printers).
class TfrxListedStringProperty : public TfrxStringProperty
{
public:
    using TfrxStringProperty::TfrxStringProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    void GetValues() override;

protected:
    virtual QStringList List() const = 0;
};

// A field of the object's data set.
class TfrxDataFieldProperty : public TfrxListedStringProperty
{
public:
    using TfrxListedStringProperty::TfrxListedStringProperty;

protected:
    QStringList List() const override;
};

// A style of the report.
class TfrxStyleProperty : public TfrxListedStringProperty
{
public:
    using TfrxListedStringProperty::TfrxListedStringProperty;
    TfrxPropertyAttributes GetAttributes() const override;

protected:
    QStringList List() const override;
};

// An installed printer.
class TfrxPrinterProperty : public TfrxListedStringProperty
{
public:
    using TfrxListedStringProperty::TfrxListedStringProperty;

protected:
    QStringList List() const override;
};

// An expression; "..." opens the designer's expression editor on it.
class TfrxExpressionProperty : public TfrxStringProperty
{
public:
    using TfrxStringProperty::TfrxStringProperty;
    TfrxPropertyAttributes GetAttributes() const override;
    bool Edit() override;
};

// A paper of the current printer by its name; a number is taken too.
class TfrxPaperProperty : public TfrxPropertyEditor
{
public:
    using TfrxPropertyEditor::TfrxPropertyEditor;
    TfrxPropertyAttributes GetAttributes() const override;
    QString GetValue() const override;
    void GetValues() override;
    void SetValue(const QString &value) override;
};

// A coordinate or size in report pixels, shown and typed in the designer's units.
class TfrxLocSizeXProperty : public TfrxFloatProperty
{
public:
    using TfrxFloatProperty::TfrxFloatProperty;
    QString GetValue() const override;
    void SetValue(const QString &value) override;

protected:
    // Characters are measured down the page in their own height.
    virtual bool Vertical() const { return false; }
};

class TfrxLocSizeYProperty : public TfrxLocSizeXProperty
{
public:
    using TfrxLocSizeXProperty::TfrxLocSizeXProperty;

protected:
    bool Vertical() const override { return true; }
};

// A paper size or margin in millimetres, shown and typed in the designer's units.
class TfrxPaperXProperty : public TfrxFloatProperty
{
public:
    using TfrxFloatProperty::TfrxFloatProperty;
    QString GetValue() const override;
    void SetValue(const QString &value) override;

protected:
    virtual bool Vertical() const { return false; }
};

class TfrxPaperYProperty : public TfrxPaperXProperty
{
public:
    using TfrxPaperXProperty::TfrxPaperXProperty;

protected:
    bool Vertical() const override { return true; }
};
