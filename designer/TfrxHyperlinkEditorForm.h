#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QWidget;
class TfrxCustomDesigner;
class TfrxHyperlink;

// The hyperlink of a view: its kind (URL, page number, anchor, detail report, detail page,
// custom) and the value it leads to, typed as it is or as an expression calculated when the
// report runs; a detail report or page also names the report or page and the variable that
// receives the value.
class TfrxHyperlinkEditorForm : public QDialog
{
    Q_OBJECT

public:
    TfrxHyperlinkEditorForm(TfrxCustomDesigner &designer, const TfrxHyperlink &hyperlink,
                            QWidget *parent = nullptr);

    // Kind, value or expression, and the fields of the kind; fields of other kinds are emptied.
    void Store(TfrxHyperlink &hyperlink) const;

private:
    QWidget *PropertiesPart();
    void KindChosen();
    void EditExpression();

    TfrxCustomDesigner &FDesigner;
    QListWidget *FKinds;
    QLabel *FHeader;
    QLabel *FReportLabel;
    QLineEdit *FReport;
    QLabel *FPageLabel;
    QComboBox *FPage;
    QLabel *FVariableLabel;
    QLineEdit *FVariable;
    QLabel *FValuePrompt;
    QRadioButton *FValueChoice;
    QLineEdit *FValue;
    QRadioButton *FExpressionChoice;
    QLineEdit *FExpression;
    QWidget *FExpressionButton;
};
