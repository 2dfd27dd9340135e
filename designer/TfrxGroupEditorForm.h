#pragma once

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QRadioButton;
class TfrxCustomDesigner;
class TfrxExpressionEdit;
class TfrxGroupHeader;
class TfrxPropertyChecks;

// "Group" of a group header: what the group breaks on, a data field (DataSet."Field") or an
// expression, and its options. Only OK changes the band.
class TfrxGroupEditorForm : public QDialog
{
    Q_OBJECT

public:
    TfrxGroupEditorForm(TfrxCustomDesigner &designer, TfrxGroupHeader &band, QWidget *parent = nullptr);
    ~TfrxGroupEditorForm() override;

    // The condition as the dialog's choices make it.
    QString Condition() const;
    void accept() override;

private:
    QWidget *BreakOnGroup();
    QWidget *OptionsGroup();
    void ReadCondition(const QString &condition);
    void FillFields();
    void ShowChoice();

    TfrxCustomDesigner &FDesigner;
    TfrxGroupHeader &FBand;
    QRadioButton *DataFieldRB = nullptr;
    QRadioButton *ExpressionRB = nullptr;
    QComboBox *DataSetCB = nullptr;
    QComboBox *DataFieldCB = nullptr;
    TfrxExpressionEdit *ExpressionE = nullptr;
    QCheckBox *OutlineCB = nullptr;
    std::unique_ptr<TfrxPropertyChecks> FChecks;
};
