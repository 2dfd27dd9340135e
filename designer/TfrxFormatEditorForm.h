#pragma once

#include <QDialog>

class TfrxCustomMemoView;
class TfrxFormatEditor;

// The display format editor on its own, for a text object's "Display Format..." command: OK gives
// the object one format per expression of its text.
class TfrxFormatEditorForm : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxFormatEditorForm(TfrxCustomMemoView &memo, QWidget *parent = nullptr);

    void accept() override;

private:
    TfrxCustomMemoView &FMemo;
    TfrxFormatEditor *FEditor;
};
