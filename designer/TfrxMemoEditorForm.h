#pragma once

#include <QDialog>

class QAction;
class QPlainTextEdit;
class QTabWidget;
class TfrxCustomDesigner;
class TfrxCustomMemoView;
class TfrxFormatEditor;
class TfrxHighlightEditor;

// The text editor of a text object, on three pages: the text itself (with expressions and
// aggregates inserted between the object's delimiters, and word wrap kept in the settings store),
// its display formats and its highlights. OK stores all three; Cancel leaves the object as it was.
class TfrxMemoEditorForm : public QDialog
{
    Q_OBJECT

public:
    TfrxMemoEditorForm(TfrxCustomDesigner &designer, TfrxCustomMemoView &memo, QWidget *parent = nullptr);

    void accept() override;
    void done(int result) override;

    // What "Insert Expression" puts into a text whose delimiters are given for the expression
    // editor's result: a single data field or variable (<...>) loses its angle brackets, and the
    // whole goes between the delimiters.
    static QString ExpressionToInsert(const QString &result, const QString &delimiters);

private:
    QWidget *TextPage();
    void InsertExpression();
    void InsertAggregate();
    void SetWordWrap(bool on);

    TfrxCustomDesigner &FDesigner;
    TfrxCustomMemoView &FMemo;
    QTabWidget *FPages;
    QPlainTextEdit *FText;
    QAction *FWordWrap;
    TfrxFormatEditor *FFormat;
    TfrxHighlightEditor *FHighlight;
};
