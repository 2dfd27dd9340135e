#pragma once

#include "TfrxBand.h"
#include "TfrxCustomEngine.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QVariant>

#include <functional>
#include <memory>

class QObject;
class TfrxAggregateList;
class TfrxComponent;
class TfrxDataBand;
class TfrxNullBand;
class TfrxPreviewPages;
class TfrxReportPage;
class TfrxShiftTree;
class TfrxSubreport;
class TfrxXMLItem;

// A band output again at the top of each new page or column.
struct TfrxHeaderListItem {
    QPointer<TfrxBand> Band;
    double Left = 0;
    bool IsInKeepList = false;
};

// The preparation engine: walks the template's pages, iterates data, decides the order in which
// bands are output, keeps the running position on the output page and writes every band into the
// prepared pages. Band geometry (stretching, shifting, splitting, keeping together, columns) is in
// TfrxEngineLayout.cpp and TfrxEngineSplit.cpp, the band tree in TfrxEngineBandTree.cpp and the data
// walk in TfrxEngineData.cpp.
class TfrxEngine : public TfrxCustomEngine
{
public:
    TfrxEngine(TfrxReport *report, TfrxPreviewPages *previewPages);
    ~TfrxEngine() override;

    bool Run() override;
    // Prepares the whole report, or only page when one is given (the designer prepares one page).
    bool Run(bool runDialogs, bool clearLastReport, TfrxReportPage *page);
    QVariant SystemVariable(const QString &upperName) const override;

    double GetPageHeight() const override;
    void EndPage() override;
    void BreakAllKeep() override;
    void NewColumn() override;
    void NewPage() override;
    void ShowBand(TfrxBand *band) override;
    void ShowBand(const QMetaObject *bandClass) override;
    double HeaderHeight() const override;
    double FooterHeight() const override;
    double FreeSpace() const override;
    QVariant GetAggregateValue(const QString &name, const QString &expression, TfrxBand *band,
                               int flags) override;

    TfrxAggregateList &Aggregates() const { return *FAggregates; }
    TfrxBand *CurBand() const { return FCurBand; }

private:
    TfrxPreviewPages *Pages() const;

    // Preparation sequence (TfrxEngine.cpp).
    bool Initialize();
    void Finalize();
    void CheckDataSets();
    bool RunDialogs();
    void RunReportPages(TfrxReportPage *only);
    void RunPagesOnce(TfrxReportPage *only);
    void RunPage(TfrxReportPage *page);
    void ShowPage();
    void InitPage();
    void AddPage();
    void ShowNullBand();
    void AddPageOutline();
    void DoNotifyEvent(QObject *object, const QString &eventName);
    QList<TfrxReportPage *> ReportPages() const;
    TfrxBand *PageBand(const QMetaObject *kind) const;

    // Band tree (TfrxEngineBandTree.cpp).
    void PreparePage(TfrxReportPage *page);

    // Data (TfrxEngineData.cpp).
    bool CanShow(QObject *object, bool printIfDetailEmpty);
    void ShowBandTree(QObject *object);
    void ShowDataBand(TfrxDataBand *band);
    void InitGroups(TfrxDataBand *band, int from);
    void CheckGroups(TfrxDataBand *band);
    void ShowGroupFooters(TfrxDataBand *band, int from);
    QList<TfrxBand *> GroupChain(const TfrxDataBand *band) const;
    bool InCollapsedGroup(const TfrxDataBand *band) const;
    void ShowRecord(TfrxDataBand *band);
    void ServiceEvents();

    // Layout (TfrxEngineLayout.cpp, TfrxEngineSplit.cpp).
    void DoShow(TfrxBand *band);
    void Stretch(TfrxBand *band);
    void UnStretch(TfrxBand *band);
    void DrawSplit(TfrxBand *band);
    void AddColumn();
    void EndColumn();
    void StartKeep(TfrxBand *band, int position = 0);
    void EndKeep(TfrxBand *band);
    void CheckBandColumns(TfrxDataBand *band);
    void CheckSuppress(TfrxBand *band);
    // Subreports (TfrxEngineSubreports.cpp).
    bool EntersSubreport(const TfrxSubreport *subreport);
    void RunSubreports(TfrxBand *band);
    bool RunSubreportsOnParent(TfrxBand *band);
    void CollectOutput(TfrxBand *band, const QList<TfrxComponent *> &objects);
    void FreeAppendedObjects(TfrxBand *band);
    void AddToHeaderList(TfrxBand *band);
    void RemoveFromHeaderList(TfrxBand *band);
    bool SkipsFreeSpaceTest(const TfrxBand *band) const;
    // The objects stored for a band: its fill, when the fill paints anything, then its objects.
    QList<TfrxComponent *> StoredObjects(TfrxBand *band, const QList<TfrxComponent *> &objects) const;
    // The objects a band outputs: its own (without its fill), or the loose objects of a page.
    QList<TfrxComponent *> BandObjects(const TfrxBand *band) const;
    TfrxShiftTree &ShiftTreeOf(const TfrxBand *band, const QList<TfrxComponent *> &objects);

    std::unique_ptr<TfrxAggregateList> FAggregates;
    QList<TfrxHeaderListItem> FHeaderList;
    QPointer<TfrxBand> FCurBand;
    QPointer<TfrxBand> FLastBandOnPage;
    QPointer<TfrxBand> FStartNewPageBand;
    bool FIsFirstBand = false;
    bool FIsFirstPage = false;
    bool FIsLastPage = false;
    bool FTitlePrinted = false;
    bool FFirstReportPage = false;
    double FFirstColumnY = 0;
    double FPageCurX = 0;
    double FPrevFooterHeight = 0;
    bool FKeeping = false;
    QPointer<TfrxBand> FKeepBand;
    double FKeepCurY = 0;
    int FKeepPosition = 0;
    int FKeepOutline = 0;
    TfrxXMLItem *FKeepOutlineItem = nullptr;
    int FKeepAnchor = 0;
    bool FKeepHeader = false;
    bool FKeepFooter = false;
    bool FCallFromAddPage = false;
    bool FCallFromEndPage = false;
    bool FCallFromPHeader = false;
    bool FDontShowHeaders = false;
    bool FSecondScriptCall = false;
    TfrxReportPage *FPage = nullptr;
    TfrxNullBand *FNullBand = nullptr;
    // Collects the output of a subreport printed on its parent band instead of the store.
    TfrxNullBand *FOutputTo = nullptr;
    QList<TfrxComponent *> FNullBandObjects;
    QHash<const TfrxBand *, QVariant> FGroupValues;
    QHash<const TfrxBand *, int> FGroupRecords;
    // Drill-down: the groups opened so far per header in this pass (their drill names count them),
    // and the open groups that are collapsed.
    QHash<const TfrxBand *, int> FDrillCounts;
    QSet<const TfrxBand *> FCollapsed;
    QHash<const void *, std::shared_ptr<TfrxShiftTree>> FShiftTrees;
    QElapsedTimer FServiceTimer;
    QList<const TfrxReportPage *> FSubreportChain;
    int FLastRecordPosition = 0;
    double FLastRecordY = 0;
    double FColumnRowY = 0;
    int FColumnRowPosition = 0;
};
