#pragma once

// Totals over the records of data bands: SUM, AVG, MIN, MAX and COUNT written in text objects.
//
// The engine finds every total in the template before a run (TfrxAggregateList::AddItems), adds
// each record of the fed data band (AddValue), resets a total after the band that shows it, and
// answers a total asked for by an expression through
//
//     QVariant TfrxEngine::GetAggregateValue(const QString &name, const QString &expression,
//                                            TfrxBand *band, int flags);
//
// name is the function ("SUM", "AVG", "MIN", "MAX" or "COUNT", any case), expression the totalled
// expression as written (empty for COUNT), band the data band named in the call or none, flags
// 1 (count invisible records), 2 (running total) or 3. The answer comes from the total written in
// the band being output; a total that the template does not hold gives an invalid QVariant.

#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class TfrxBand;
class TfrxCustomMemoView;
class TfrxReport;
class TfrxReportPage;

enum TfrxAggregateFunction { agSum = 0, agAvg = 1, agMin = 2, agMax = 3, agCount = 4 };

// One distinct total written in a text object.
class TfrxAggregateItem
{
public:
    explicit TfrxAggregateItem(TfrxReport *report) : FReport(report) {}

    TfrxAggregateFunction FAggregateFunction = agSum;
    QString FExpression;
    QPointer<TfrxBand> FBand;
    QPointer<TfrxBand> FParentBand;
    bool FCountInvisibleBands = false;
    bool FDontReset = false;
    bool FIsPageFooter = false;
    QString FOriginalName;
    QString FMemoName;
    QVariant FItemsValue;
    int FItemsCount = 0;
    QVariant FLastValue;
    int FLastCount = 0;
    QVariant FTempItemsValue;
    int FTempItemsCount = 0;
    bool FKeeping = false;
    TfrxReport *FReport;

    // Adds the record in hand (the band was just output).
    void AddValue();
    // Takes back the last record.
    void DeleteValue();
    void Reset();
    void StartKeep();
    void EndKeep();
    // AVG the mean, COUNT the count, the others the value; 0 for nothing.
    QVariant Value() const;
};

class TfrxAggregateList
{
public:
    explicit TfrxAggregateList(TfrxReport *report);
    ~TfrxAggregateList();

    void Clear();
    int Count() const { return int(FList.size()); }
    TfrxAggregateItem *Items(int index) const { return FList[size_t(index)].get(); }
    // Finds the totals written in the text objects of a page's footers and summary.
    void AddItems(TfrxReportPage *page);
    void AddValue(TfrxBand *band);
    void DeleteValue(TfrxBand *band);
    void Reset(TfrxBand *parentBand);
    void StartKeep();
    void EndKeep();
    // Resets every total, running totals included.
    void ClearValues();
    QVariant GetValue(TfrxBand *parentBand, TfrxAggregateFunction function, const QString &expression,
                      TfrxBand *band, int flags) const;
    // The function of a name: "SUM" 0, "AVG" 1, "MIN" 2, "MAX" 3, anything else COUNT.
    static TfrxAggregateFunction FunctionOf(const QString &name);

private:
    void ScanBand(TfrxBand *band, TfrxBand *defaultBand);
    void ScanMemo(TfrxCustomMemoView *memo, TfrxBand *parentBand, TfrxBand *defaultBand);
    void ScanExpression(const QString &text, TfrxCustomMemoView *memo, TfrxBand *parentBand, TfrxBand *defaultBand);
    void AddItem(const QString &call, TfrxCustomMemoView *memo, TfrxBand *parentBand, TfrxBand *defaultBand);
    void ScanVariable(const QString &name, TfrxCustomMemoView *memo, TfrxBand *parentBand, TfrxBand *defaultBand);

    TfrxReport *FReport;
    // Report variables whose formulas are being scanned: one that refers to itself is scanned once.
    QStringList FScanning;
    std::vector<std::unique_ptr<TfrxAggregateItem>> FList;
};
