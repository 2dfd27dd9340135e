#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

// "Evaluate": an expression box whose Enter shows the expression's value below it; Escape closes.
// Without an evaluator it only edits an expression (the watch list's Add and Edit), and Enter
// closes it with OK.
class TfrxEvaluateForm : public QDialog
{
    Q_OBJECT

public:
    using Evaluator = std::function<QString(const QString &expression)>;

    explicit TfrxEvaluateForm(QWidget *parent, const QString &expression, Evaluator evaluate = {});

    QString Expression() const;
    QString Result() const;

private:
    void ExpressionEntered();

    Evaluator FEvaluate;
    QLineEdit *FExpression;
    QLineEdit *FResult = nullptr;
};
