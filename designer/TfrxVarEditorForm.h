#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class TfrxCustomDesigner;
class TfrxVariables;

// "Edit Variables": a copy of the report's variables as a tree of categories and variables, the
// selected variable's value in an expression box beside the data tree, commands to add, rename,
// delete and list the names, and the variables file (".fd3") to load and save. OK (also Ctrl+Enter)
// replaces the report's variables by the copy; Cancel and Escape leave them as they were.
class TfrxVarEditorForm : public QDialog
{
    Q_OBJECT

public:
    explicit TfrxVarEditorForm(TfrxCustomDesigner &designer, QWidget *parent = nullptr);
    ~TfrxVarEditorForm() override;

    // The editor of the "List" command: the names as lines, false when cancelled. The designer's
    // lines editor unless replaced.
    using LinesEditor = std::function<bool(QWidget *parent, QStringList &lines)>;
    void SetLinesEditor(LinesEditor editor);
    // The copy being edited.
    const TfrxVariables &Variables() const;

    void accept() override;
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
