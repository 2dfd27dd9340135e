#pragma once

#include <QDialog>

class QListWidget;
class QSpinBox;
class TfrxCustomDesigner;
class TfrxDataBand;
class TfrxExpressionEdit;

// "Select DataSet" of a data band: the report's data sets by name after "[not assigned]", the
// number of records the band runs without a data set, and its filter. Only OK changes the band;
// a double click in the list is OK.
class TfrxDataBandEditorForm : public QDialog
{
    Q_OBJECT

public:
    TfrxDataBandEditorForm(TfrxCustomDesigner &designer, TfrxDataBand &band, QWidget *parent = nullptr);

    void accept() override;

private:
    void FillDataSets();
    void DataSetChosen();

    TfrxCustomDesigner &FDesigner;
    TfrxDataBand &FBand;
    QListWidget *DataSetsLB;
    QSpinBox *RecordsE;
    TfrxExpressionEdit *FilterE;
};
