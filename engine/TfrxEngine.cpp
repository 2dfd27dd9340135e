#include "TfrxEngine.h"

#include "TfrxBands.h"
#include "TfrxDataBand.h"
#include "TfrxDataSet.h"
#include "TfrxDialogPage.h"
#include "TfrxError.h"
#include "TfrxFlagGuard.h"
#include "TfrxOutline.h"
#include "TfrxPreviewPages.h"
#include "TfrxReport.h"
#include "TfrxReportDataSets.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxReportServices.h"
#include "TfrxShiftTree.h"
#include "TfsRuntimeError.h"
#include "TfsItems.h"
#include "TfsScript.h"
#include "TfsValue.h"
#include "zorAggregate.h"

using namespace zor;

TfrxEngine::TfrxEngine(TfrxReport *report, TfrxPreviewPages *previewPages)
    : TfrxCustomEngine(report, previewPages), FAggregates(std::make_unique<TfrxAggregateList>(report))
{
}

TfrxEngine::~TfrxEngine() = default;

TfrxPreviewPages *TfrxEngine::Pages() const
{
    return static_cast<TfrxPreviewPages *>(FPreviewPages);
}

QList<TfrxReportPage *> TfrxEngine::ReportPages() const
{
    QList<TfrxReportPage *> pages;
    for (TfrxComponent *child : FReport->Objects()) {
        if (auto *page = qobject_cast<TfrxReportPage *>(child))
            pages.append(page);
    }
    return pages;
}

TfrxBand *TfrxEngine::PageBand(const QMetaObject *kind) const
{
    return FPage != nullptr ? FPage->FindBand(kind) : nullptr;
}

void TfrxEngine::DoNotifyEvent(QObject *object, const QString &eventName)
{
    if (FRunning)
        FReport->DoNotifyEvent(object, eventName);
}

// ---- the run ----

bool TfrxEngine::Run()
{
    return Run(true, false, nullptr);
}

bool TfrxEngine::Run(bool runDialogs, bool clearLastReport, TfrxReportPage *page)
{
    if (clearLastReport)
        Pages()->Clear();
    if (!FReport->PrepareScript())
        return false;
    bool result = false;
    try {
        if (!Initialize()) {
            Finalize();
            return false;
        }
        FReport->Script().Execute();
        FReport->DataSets()->Initialize();
        DoNotifyEvent(FReport, FReport->property("OnStartReport").toString());
        if (runDialogs && !RunDialogs()) {
            Finalize();
            return false;
        }
        const QList<TfrxReportPage *> pages = page != nullptr ? QList<TfrxReportPage *>{page} : ReportPages();
        for (TfrxReportPage *p : pages) {
            // Bands take their page's width before they are copied, so that no band stores it.
            p->AlignChildren();
            Pages()->AddSourcePage(p);
            FAggregates->AddItems(p);
        }
        FFinalPass = !GetDoublePass();
        FTotalPages = 0;
        Pages()->BeginPass();
        RunReportPages(page);
        Pages()->ResetLogicalPageNumber();
        if (GetDoublePass() && !FReport->Terminated()) {
            FTotalPages = Pages()->GetCount();
            Pages()->SetCurPage(Pages()->GetCount() - 1);
            Pages()->ClearFirstPassPages();
            FAggregates->ClearValues();
            FFinalPass = true;
            RunReportPages(page);
        }
        result = true;
    } catch (const TfrxError &e) {
        FReport->AddError(e.Message());
    } catch (const TfsRuntimeError &e) {
        FReport->AddError(e.Message());
    } catch (const std::exception &e) {
        FReport->AddError(QString::fromLocal8Bit(e.what()));
    }
    Finalize();
    return result;
}

bool TfrxEngine::Initialize()
{
    FPrevFooterHeight = 0;
    Pages()->Initialize();
    Pages()->SetAddPageAction(apAdd);
    FStartDateTime = QDateTime::currentDateTime();
    FRunning = true;
    BreakAllKeep();
    FCurVColumn = 0;
    FOutputTo = nullptr;
    FAggregates->Clear();
    FShiftTrees.clear();
    FServiceTimer.invalidate();
    FGroupValues.clear();
    FGroupRecords.clear();
    const int errorsBefore = int(FReport->Errors().size());
    for (TfrxReportPage *page : ReportPages())
        PreparePage(page);
    CheckDataSets();
    return int(FReport->Errors().size()) == errorsBefore;
}

// A data set may feed only one level: the report's, a page's and a band's must all differ. The
// report's set equal to a page's ends the check: every band would then repeat the message.
void TfrxEngine::CheckDataSets()
{
    const TfrxDataSet *reportDataSet = FReport->DataSet();
    for (TfrxReportPage *page : ReportPages()) {
        const TfrxDataSet *pageDataSet = page->DataSet();
        if (reportDataSet != nullptr && pageDataSet == reportDataSet) {
            FReport->AddError(QStringLiteral("Cannot use the same dataset for Report.DataSet and Page.DataSet"));
            return;
        }
        for (TfrxComponent *obj : page->Objects()) {
            const auto *band = qobject_cast<TfrxDataBand *>(obj);
            const TfrxDataSet *bandDataSet = band != nullptr ? band->DataSet() : nullptr;
            if (bandDataSet == nullptr)
                continue;
            if (bandDataSet == reportDataSet)
                FReport->AddError(QStringLiteral("Cannot use the same dataset for Report.DataSet and Band.DataSet"));
            else if (bandDataSet == pageDataSet)
                FReport->AddError(QStringLiteral("Cannot use the same dataset for Page.DataSet and Band.DataSet"));
        }
    }
}

// The report's dialogs before the pages: a script procedure named by OnRunDialogs decides through
// its var argument; otherwise each visible dialog page with controls is shown, and a cancelled one
// ends the run.
bool TfrxEngine::RunDialogs()
{
    const QString procedure = FReport->property("OnRunDialogs").toString().trimmed();
    const TfsCustomVariable *item = procedure.isEmpty() ? nullptr : FReport->Script().Find(procedure);
    if (item != nullptr && item->Kind() == TfsCustomVariable::ikProc) {
        TfsValue params = TfsValue::MakeArray(0, 0);
        params.ArrayRef(0) = TfsValue(true);
        FReport->Script().CallFunction1(procedure, params, true);
        return params.ArrayAt(0).ToBool();
    }
    constexpr int mrCancel = 2;
    for (TfrxComponent *child : FReport->Objects()) {
        auto *dialog = qobject_cast<TfrxDialogPage *>(child);
        if (dialog == nullptr || !dialog->Visible() || dialog->Objects().isEmpty() || !FOnRunDialog)
            continue;
        if (FOnRunDialog(*dialog) == mrCancel)
            return false;
    }
    return true;
}

void TfrxEngine::Finalize()
{
    FReport->DataSets()->Finalize();
    Pages()->Finish();
    if (FRunning) {
        try {
            DoNotifyEvent(FReport, FReport->property("OnStopReport").toString());
        } catch (const std::exception &) {
            // The run is over; an error of the closing event does not undo it.
        }
    }
    FRunning = false;
    FNullBand = nullptr;
    FNullBandObjects.clear();
    FPage = nullptr;
}

// With a report data set the pages run once per record; otherwise once.
void TfrxEngine::RunReportPages(TfrxReportPage *only)
{
    FFirstReportPage = true;
    // Every pass names the drill-down groups alike.
    FDrillCounts.clear();
    FCollapsed.clear();
    TfrxDataSet *ds = FReport->DataSet();
    if (ds == nullptr) {
        RunPagesOnce(only);
        return;
    }
    for (ds->First(); !ds->Eof() && !FReport->Terminated(); ds->Next())
        RunPagesOnce(only);
}

void TfrxEngine::RunPagesOnce(TfrxReportPage *only)
{
    const QList<TfrxReportPage *> pages = only != nullptr ? QList<TfrxReportPage *>{only} : ReportPages();
    for (TfrxReportPage *page : pages) {
        if (FReport->Terminated())
            break;
        if (page->IsSubReport() || !page->Visible())
            continue;
        RunPage(page);
        FFirstReportPage = false;
    }
}

void TfrxEngine::RunPage(TfrxReportPage *page)
{
    FPage = page;
    FIsFirstBand = true;
    DoNotifyEvent(page, page->OnBeforePrint());
    if (TfrxDataSet *ds = page->DataSet()) {
        for (ds->First(); !ds->Eof() && !FReport->Terminated(); ds->Next())
            ShowPage();
    } else {
        for (int i = 0; i < page->PageCount() && !FReport->Terminated(); ++i)
            ShowPage();
    }
    DoNotifyEvent(page, page->OnAfterPrint());
}

void TfrxEngine::ShowPage()
{
    if (!CanShow(FPage, FReport->EngineOptions()->PrintIfEmpty))
        return;
    InitPage();
    ShowNullBand();
    if (!FPage->OnManualBuild().trimmed().isEmpty())
        DoNotifyEvent(FPage, FPage->OnManualBuild());
    else
        ShowBandTree(FPage);
    FIsLastPage = true;
    if (FPage->EndlessHeight() || FPage->EndlessWidth()) {
        const double width = FPage->EndlessWidth()
                                 ? FPage->LeftMargin() * fr01cm + FPageWidth + FPage->RightMargin() * fr01cm
                                 : FPage->PaperWidth() * fr01cm;
        double height = FPage->PaperHeight() * fr01cm;
        if (FPage->EndlessHeight()) {
            FPageHeight = FooterHeight() + FCurY;
            height = GetPageHeight() + (FPage->TopMargin() + FPage->BottomMargin()) * fr01cm;
        }
        Pages()->UpdatePageDimensions(FPage, height, width);
    }
    EndPage();
    FIsLastPage = false;
}

void TfrxEngine::InitPage()
{
    FHeaderList.clear();
    TfrxBand *title = PageBand(&TfrxReportTitle::staticMetaObject);
    TfrxBand *pageHeader = PageBand(&TfrxPageHeader::staticMetaObject);
    const QList<TfrxBand *> order = FPage->TitleBeforeHeader() ? QList<TfrxBand *>{title, pageHeader}
                                                               : QList<TfrxBand *>{pageHeader, title};
    for (TfrxBand *band : order) {
        if (band != nullptr)
            FHeaderList.append(TfrxHeaderListItem{band, 0, false});
    }
    FPage->AlignChildren();
    FPageHeight = (FPage->PaperHeight() - FPage->TopMargin() - FPage->BottomMargin()) * fr01cm;
    FPageWidth = (FPage->PaperWidth() - FPage->LeftMargin() - FPage->RightMargin()) * fr01cm;
    FCurX = 0;
    FCurY = 0;
    FCurColumn = 1;
    FPageCurX = 0;
    FIsFirstPage = true;
    FIsLastPage = false;
    Pages()->Outline().LevelRoot();
    if (FPage->ResetPageNumbers())
        Pages()->ResetLogicalPageNumber();
    if (Pages()->GetCount() > 0 && FPage->PrintOnPreviousPage()) {
        Pages()->SetCurPage(Pages()->GetCount() - 1);
        FCurY = Pages()->GetLastY();
        RemoveFromHeaderList(title);
        ShowBand(title);
    } else {
        AddPage();
    }
    if (FFirstReportPage)
        Pages()->SetFirstPage(Pages()->CurPage());
    FFirstColumnY = FCurY;
    if (TfrxBand *columnHeader = PageBand(&TfrxColumnHeader::staticMetaObject)) {
        ShowBand(columnHeader);
        FHeaderList.append(TfrxHeaderListItem{columnHeader, FPageCurX, false});
    }
    RemoveFromHeaderList(title);
    AddPageOutline();
}

void TfrxEngine::AddPageOutline()
{
    if (FPage != nullptr && !FPage->OutlineText().trimmed().isEmpty()) {
        Pages()->Outline().LevelRoot();
        Pages()->Outline().AddItem(FReport->Calc(FPage->OutlineText()).toString(), Pages()->CurPage(), 0);
    }
}

void TfrxEngine::AddPage()
{
    FPrevFooterHeight = 0;
    Pages()->AddPage(FPage);
    FCurY = 0;
    if (auto *overlay = qobject_cast<TfrxOverlay *>(PageBand(&TfrxOverlay::staticMetaObject));
        overlay != nullptr && !overlay->PrintOnTop())
        ShowBand(overlay);
    FCurY = 0;
    FFirstColumnY = 0;
    const double savedX = FCurX;
    const QList<TfrxHeaderListItem> items = FHeaderList;
    for (const TfrxHeaderListItem &item : items) {
        TfrxBand *band = item.Band;
        if (band == nullptr || band == FStartNewPageBand)
            continue;
        const bool dataHeader = qobject_cast<TfrxHeader *>(band) != nullptr;
        const bool groupHeader = qobject_cast<TfrxGroupHeader *>(band) != nullptr;
        if (auto *pageHeader = qobject_cast<TfrxPageHeader *>(band);
            pageHeader != nullptr && FIsFirstPage && !pageHeader->PrintOnFirstPage()) {
            if (pageHeader->PrintChildIfInvisible())
                ShowBand(pageHeader->Child());
            continue;
        }
        if (dataHeader && (FKeepHeader || item.IsInKeepList) && !FKeepFooter)
            continue;
        if ((dataHeader || groupHeader) && FDontShowHeaders)
            continue;
        if (dataHeader && band == FLastBandOnPage)
            continue;
        FCurX = item.Left;
        {
            const TfrxFlagGuard fromAddPage(FCallFromAddPage, true);
            const TfrxFlagGuard fromHeader(FCallFromPHeader, qobject_cast<TfrxPageHeader *>(band) != nullptr);
            ShowBand(band);
        }
        if (qobject_cast<TfrxReportTitle *>(band) != nullptr) {
            RemoveFromHeaderList(band);
            FTitlePrinted = true;
        }
        if (qobject_cast<TfrxPageHeader *>(band) != nullptr)
            FFirstColumnY = FCurY;
    }
    FCurX = savedX;
}

void TfrxEngine::EndPage()
{
    if (!FCallFromEndPage)
        EndColumn();
    if (!FIsLastPage) {
        FCurX = FPageCurX;
        FCurColumn = 1;
    }
    if (FIsLastPage && !FCallFromEndPage) {
        const TfrxFlagGuard fromEndPage(FCallFromEndPage, true);
        const double before = FCurY;
        ShowBand(PageBand(&TfrxReportSummary::staticMetaObject));
        if (FPage->EndlessHeight() && FCurY > before) {
            FPageHeight += FCurY - before;
            Pages()->UpdatePageDimensions(
                FPage, GetPageHeight() + (FPage->TopMargin() + FPage->BottomMargin()) * fr01cm,
                FPage->PaperWidth() * fr01cm);
        }
    }
    if (auto *footer = qobject_cast<TfrxPageFooter *>(PageBand(&TfrxPageFooter::staticMetaObject))) {
        const bool skip = (FIsFirstPage && !footer->PrintOnFirstPage()) || (FIsLastPage && !footer->PrintOnLastPage());
        if (!skip && !Pages()->BandExists(footer)) {
            if (FIsLastPage)
                FPrevFooterHeight = footer->Height();
            const double savedY = FCurY;
            FCurY = GetPageHeight() - footer->Height();
            {
                const TfrxFlagGuard fromEndPage(FCallFromEndPage, true);
                ShowBand(footer);
            }
            FCurY = savedY;
        }
        FAggregates->Reset(footer);
    }
    if (auto *overlay = qobject_cast<TfrxOverlay *>(PageBand(&TfrxOverlay::staticMetaObject));
        overlay != nullptr && overlay->PrintOnTop()) {
        const double savedY = FCurY;
        FCurY = 0;
        ShowBand(overlay);
        FCurY = savedY;
    }
    FIsFirstPage = false;
}

// The page's loose objects, gathered into a band of the printable area's size at (0, 0). They stay
// where they are in the template; the band only lists them and takes no vertical space.
void TfrxEngine::ShowNullBand()
{
    QList<TfrxComponent *> objects;
    for (TfrxComponent *child : FPage->Objects()) {
        if (qobject_cast<TfrxBand *>(child) == nullptr)
            objects.append(child);
    }
    if (objects.isEmpty())
        return;
    TfrxNullBand band;
    band.SetBounds(0, 0, FPageWidth, GetPageHeight());
    FNullBand = &band;
    FNullBandObjects = objects;
    const double savedY = FCurY;
    try {
        ShowBand(&band);
    } catch (...) {
        FNullBand = nullptr;
        FNullBandObjects.clear();
        FShiftTrees.remove(&band);
        throw;
    }
    FCurY = savedY;
    FNullBand = nullptr;
    FNullBandObjects.clear();
    FShiftTrees.remove(&band);
}

// ---- values ----

QVariant TfrxEngine::SystemVariable(const QString &upperName) const
{
    using Getter = std::function<QVariant(const TfrxEngine &)>;
    static const QHash<QString, Getter> variables = {
        {QStringLiteral("PAGE"), [](const TfrxEngine &e) { return QVariant(e.Pages()->GetLogicalPageNo()); }},
        {QStringLiteral("PAGE#"), [](const TfrxEngine &e) { return QVariant(e.Pages()->CurPage() + 1); }},
        {QStringLiteral("TOTALPAGES"),
         [](const TfrxEngine &e) { return QVariant(e.Pages()->GetLogicalTotalPages()); }},
        {QStringLiteral("TOTALPAGES#"), [](const TfrxEngine &e) { return QVariant(e.FTotalPages); }},
        {QStringLiteral("LINE"), [](const TfrxEngine &e) { return QVariant(e.FCurLine); }},
        {QStringLiteral("LINE#"), [](const TfrxEngine &e) { return QVariant(e.FCurLineThrough); }},
    };
    const auto it = variables.constFind(upperName);
    return it == variables.constEnd() ? QVariant() : (*it)(*this);
}

QVariant TfrxEngine::GetAggregateValue(const QString &name, const QString &expression, TfrxBand *band, int flags)
{
    return FAggregates->GetValue(FCurBand, TfrxAggregateList::FunctionOf(name), expression, band, flags);
}

double TfrxEngine::GetPageHeight() const
{
    if (FPage != nullptr && FPage->EndlessHeight())
        return FooterHeight() + FCurY;
    return FPageHeight;
}

double TfrxEngine::HeaderHeight() const
{
    double height = 0;
    for (const QMetaObject *kind : {&TfrxColumnHeader::staticMetaObject, &TfrxPageHeader::staticMetaObject}) {
        for (const TfrxBand *band = PageBand(kind); band != nullptr; band = band->Child())
            height += band->Height();
    }
    return height;
}

double TfrxEngine::FooterHeight() const
{
    double height = 0;
    for (const QMetaObject *kind : {&TfrxColumnFooter::staticMetaObject, &TfrxPageFooter::staticMetaObject}) {
        if (const TfrxBand *band = PageBand(kind))
            height += band->Height();
    }
    return height;
}

double TfrxEngine::FreeSpace() const
{
    if (FPage != nullptr && FPage->EndlessHeight())
        return 1000000;
    return GetPageHeight() - (FPrevFooterHeight != 0 ? FPrevFooterHeight : FooterHeight()) - FCurY;
}

void TfrxEngine::ShowBand(const QMetaObject *bandClass)
{
    ShowBand(PageBand(bandClass));
}
