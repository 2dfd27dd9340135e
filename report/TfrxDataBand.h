#pragma once

#include "TfrxBands.h"

class TfrxDataSet;
class TfrxUserDataSet;

// A band repeated once per record of its data set, or RowCount times through its own virtual
// data set when it has none.
class TfrxDataBand : public TfrxBand
{
    Q_OBJECT
    Q_PROPERTY(bool AllowSplit READ AllowSplit WRITE SetAllowSplit)
    Q_PROPERTY(TfrxChild *Child READ Child WRITE SetChild)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(double ColumnWidth READ ColumnWidth WRITE SetColumnWidth)
    Q_PROPERTY(double ColumnGap READ ColumnGap WRITE SetColumnGap)
    Q_PROPERTY(TfrxDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataSetName READ DataSetName WRITE SetDataSetName)
    Q_PROPERTY(bool FooterAfterEach READ FooterAfterEach WRITE SetFooterAfterEach)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(bool KeepChild READ KeepChild WRITE SetKeepChild)
    Q_PROPERTY(bool KeepFooter READ KeepFooter WRITE SetKeepFooter)
    Q_PROPERTY(bool KeepHeader READ KeepHeader WRITE SetKeepHeader)
    Q_PROPERTY(bool KeepTogether READ KeepTogether WRITE SetKeepTogether)
    Q_PROPERTY(QString OutlineText READ OutlineText WRITE SetOutlineText)
    Q_PROPERTY(bool PrintChildIfInvisible READ PrintChildIfInvisible WRITE SetPrintChildIfInvisible)
    Q_PROPERTY(bool PrintIfDetailEmpty READ PrintIfDetailEmpty WRITE SetPrintIfDetailEmpty)
    Q_PROPERTY(int RowCount READ RowCount WRITE SetRowCount)
    Q_PROPERTY(bool StartNewPage READ StartNewPage WRITE SetStartNewPage)
    Q_PROPERTY(bool Stretched READ Stretched WRITE SetStretched)
    Q_PROPERTY(QString OnMasterDetail READ OnMasterDetail WRITE SetOnMasterDetail)
    Q_CLASSINFO("Default.Columns", "0")
    Q_CLASSINFO("Default.FooterAfterEach", "False")
    Q_CLASSINFO("Default.KeepFooter", "False")
    Q_CLASSINFO("Default.KeepHeader", "False")
    Q_CLASSINFO("Default.PrintIfDetailEmpty", "False")
    Q_MOC_INCLUDE("TfrxDataSet.h")

public:
    explicit TfrxDataBand(QObject *owner = nullptr);
    QString GetDescription() const override;

    int Columns() const { return FColumns; }
    void SetColumns(int value) { FColumns = value; }
    double ColumnWidth() const { return FColumnWidth; }
    void SetColumnWidth(double value) { FColumnWidth = value; }
    double ColumnGap() const { return FColumnGap; }
    void SetColumnGap(double value) { FColumnGap = value; }
    TfrxDataSet *DataSet() const;
    void SetDataSet(TfrxDataSet *value);
    QString DataSetName() const;
    void SetDataSetName(const QString &value);
    bool FooterAfterEach() const { return FFooterAfterEach; }
    void SetFooterAfterEach(bool value) { FFooterAfterEach = value; }
    QString Filter() const { return FFilter; }
    void SetFilter(const QString &value) { FFilter = value; }
    bool KeepFooter() const { return FKeepFooter; }
    void SetKeepFooter(bool value) { FKeepFooter = value; }
    bool KeepHeader() const { return FKeepHeader; }
    void SetKeepHeader(bool value) { FKeepHeader = value; }
    bool PrintIfDetailEmpty() const { return FPrintIfDetailEmpty; }
    void SetPrintIfDetailEmpty(bool value) { FPrintIfDetailEmpty = value; }
    int RowCount() const;
    void SetRowCount(int value);
    QString OnMasterDetail() const { return FOnMasterDetail; }
    void SetOnMasterDetail(const QString &value) { FOnMasterDetail = value; }

    // The data set that runs the band: the bound one, else the virtual one.
    TfrxDataSet *EffectiveDataSet() const;
    TfrxUserDataSet *VirtualDataSet() const { return FVirtualDataSet; }
    // Column output: a column past Columns wraps to 1, which resets MaxY.
    int CurColumn() const { return FCurColumn; }
    void SetCurColumn(int value);
    double MaxY = 0;

private:
    int FColumns = 0;
    double FColumnWidth = 0;
    double FColumnGap = 0;
    QPointer<TfrxDataSet> FDataSet;
    QString FDataSetName;
    bool FFooterAfterEach = false;
    QString FFilter;
    bool FKeepFooter = false;
    bool FKeepHeader = false;
    bool FPrintIfDetailEmpty = false;
    QString FOnMasterDetail;
    TfrxUserDataSet *FVirtualDataSet;
    int FCurColumn = 1;
};

class TfrxMasterData : public TfrxDataBand
{
    Q_OBJECT
public:
    explicit TfrxMasterData(QObject *owner = nullptr);
};

class TfrxDetailData : public TfrxDataBand
{
    Q_OBJECT
public:
    explicit TfrxDetailData(QObject *owner = nullptr);
};

class TfrxSubdetailData : public TfrxDataBand
{
    Q_OBJECT
public:
    explicit TfrxSubdetailData(QObject *owner = nullptr);
};

class TfrxDataBand4 : public TfrxDataBand
{
    Q_OBJECT
public:
    explicit TfrxDataBand4(QObject *owner = nullptr);
};

class TfrxDataBand5 : public TfrxDataBand
{
    Q_OBJECT
public:
    explicit TfrxDataBand5(QObject *owner = nullptr);
};

class TfrxDataBand6 : public TfrxDataBand
{
    Q_OBJECT
public:
    explicit TfrxDataBand6(QObject *owner = nullptr);
};
