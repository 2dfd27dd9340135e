#pragma once

#include "TfrxExpressionDelimiters.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QListWidget;
class TfrxCollection;
class TfrxCustomMemoView;
class TfrxFormat;

// The display formats of a text object, one per expression of its text: a box chooses the
// expression, the category and a list of samples or a typed format string set its format. It
// works on a copy of the object's formats, which Store hands to the object.
class TfrxFormatEditor : public QWidget
{
    Q_OBJECT

public:
    explicit TfrxFormatEditor(const TfrxCustomMemoView &memo, QWidget *parent = nullptr);
    ~TfrxFormatEditor() override;

    // Matches the copy to the expressions of text: existing formats are kept in order, missing
    // ones added, surplus ones dropped; a text without expressions has exactly one format.
    void SetText(const QString &text);
    // The copy, with what the controls show, becomes the object's formats.
    void Store(TfrxCustomMemoView &memo);

private:
    TfrxFormat *Format(int index) const;
    void LoadFormat(int index);
    void SaveFormat(int index) const;
    void ShowCategory(int kind);
    void UpdateEnabled();

    TfrxExpressionDelimiters FDelimiters;
    TfrxCollection *FFormats;
    int FCurrent = -1;
    QComboBox *FExpression;
    QListWidget *FCategory;
    QListWidget *FSamples;
    QLineEdit *FFormatString;
    QLineEdit *FSeparator;
};
