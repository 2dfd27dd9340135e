#pragma once

#include <QDialog>

class QPlainTextEdit;
class TfrxCustomDesigner;
class TfrxDataTree;

// The expression editor: an edit box and, beside it, the data tree, whose entries a double click
// or a drag inserts at the caret. The window keeps its place in the settings store, the tree its
// scroll position for the rest of the run.
class TfrxExprEditorForm : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxExprEditorForm(TfrxCustomDesigner &designer, QWidget *parent = nullptr);

    QString Expression() const;
    void SetExpression(const QString &text);

    void done(int result) override;

private:
    void InsertAtCaret(const QString &text);
    void RestorePlace();
    void SavePlace() const;

    TfrxCustomDesigner &FDesigner;
    QPlainTextEdit *FEdit;
    TfrxDataTree *FTree;
};
