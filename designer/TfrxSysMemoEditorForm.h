#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class TfrxCustomDesigner;

// The editor of system texts: a system variable, an aggregate over a data band (function, data
// field or expression, band and flags) or free text. Opened for "Insert Aggregate" it shows the
// aggregate part alone.
class TfrxSysMemoEditorForm : public QDialog
{
    Q_OBJECT

public:
    enum Mode { SystemText, AggregateOnly };

    TfrxSysMemoEditorForm(TfrxCustomDesigner &designer, Mode mode, QWidget *parent = nullptr);

    // Chooses "System variable" for an empty text or one of the variable texts, else "Text".
    void SetText(const QString &text);
    // The variable text, the aggregate between brackets, or the free text.
    QString Text() const;
    // "SUM(<Sales."Amount">,MasterData1,2)", "COUNT(MasterData1)" ...
    QString AggregateText() const;

private:
    QWidget *AggregatePart();
    void FillBands();
    void FillDataSets();
    void BandChosen();
    void DataSetChosen();
    void EditExpression();
    void UpdateControls();
    int Flags() const;

    TfrxCustomDesigner &FDesigner;
    QRadioButton *FVariableChoice;
    QRadioButton *FAggregateChoice;
    QRadioButton *FTextChoice;
    QComboBox *FVariable;
    QGroupBox *FAggregate;
    QComboBox *FBand;
    QComboBox *FDataSet;
    QComboBox *FField;
    QComboBox *FFunction;
    QLineEdit *FExpression;
    QCheckBox *FCountInvisible;
    QCheckBox *FRunningTotal;
    QLabel *FSample;
    QPlainTextEdit *FFreeText;
};
