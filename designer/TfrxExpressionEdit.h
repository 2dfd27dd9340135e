#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;
class TfrxCustomDesigner;

// A one-line expression with a "..." button beside it that opens the designer's expression editor
// on the text; a result that is not empty replaces the text.
class TfrxExpressionEdit : public QWidget
{
    Q_OBJECT

public:
    TfrxExpressionEdit(TfrxCustomDesigner &designer, QWidget *parent = nullptr);

    QString Text() const;
    void SetText(const QString &text);
    QLineEdit *Edit() const { return FEdit; }
    QToolButton *Button() const { return FButton; }

private:
    void EditExpression();

    TfrxCustomDesigner &FDesigner;
    QLineEdit *FEdit;
    QToolButton *FButton;
};
