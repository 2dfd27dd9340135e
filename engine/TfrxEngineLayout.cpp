// The geometry of band output: stretching and shifting, the free-space test, page and column
// breaks, keeping bands together, multi-column bands and the bands repeated on new pages.
#include "TfrxEngine.h"

#include "TfrxBands.h"
#include "TfrxBrushFill.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDataBand.h"
#include "TfrxFlagGuard.h"
#include "TfrxOutline.h"
#include "TfrxPreviewPages.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxShiftTree.h"
#include "TfrxStretcheable.h"
#include "TfrxSubreport.h"
#include "TfrxXMLSerializer.h"
#include "zorAggregate.h"

#include <algorithm>

using namespace zor;

namespace {

constexpr double kEps = 0.0001;

// Runs UnStretch when the band's output ends, also through an error, so that the template returns
// to its designed state.
class UnStretchGuard
{
public:
    explicit UnStretchGuard(std::function<void()> undo) : FUndo(std::move(undo)) {}
    ~UnStretchGuard()
    {
        if (FUndo)
            FUndo();
    }
    UnStretchGuard(const UnStretchGuard &) = delete;
    UnStretchGuard &operator=(const UnStretchGuard &) = delete;

private:
    std::function<void()> FUndo;
};

bool IsMultiColumn(const TfrxBand *band)
{
    const auto *data = qobject_cast<const TfrxDataBand *>(band);
    return data != nullptr && data->Columns() > 1;
}

}  // namespace

QList<TfrxComponent *> TfrxEngine::BandObjects(const TfrxBand *band) const
{
    if (band == FNullBand)
        return FNullBandObjects;
    QList<TfrxComponent *> objects = band->Objects();
    if (TfrxView *fill = band->FillMemo())
        objects.removeOne(fill);
    return objects;
}

QList<TfrxComponent *> TfrxEngine::StoredObjects(TfrxBand *band, const QList<TfrxComponent *> &objects) const
{
    const auto *brush = qobject_cast<const TfrxBrushFill *>(band->Fill());
    const bool paints = brush == nullptr || brush->BackColor() != clTransparent ||
                        (brush->Style() != bsSolid && brush->Style() != bsClear);
    TfrxView *fill = paints && band != FNullBand ? band->CreateFillMemo() : nullptr;
    if (fill == nullptr)
        return objects;
    QList<TfrxComponent *> stored = objects;
    stored.prepend(fill);
    return stored;
}

TfrxShiftTree &TfrxEngine::ShiftTreeOf(const TfrxBand *band, const QList<TfrxComponent *> &objects)
{
    std::shared_ptr<TfrxShiftTree> &tree = FShiftTrees[band];
    if (tree == nullptr) {
        tree = std::make_shared<TfrxShiftTree>();
        tree->Build(objects, band->Width());
    }
    return *tree;
}

// Bands that stand where they are put: the null band, overlays, page and column footers, and
// every band repeated at the top of a page or column (which would otherwise break again), and all
// output collected for a subreport printed on its parent band.
bool TfrxEngine::SkipsFreeSpaceTest(const TfrxBand *band) const
{
    return band == FNullBand || IsMultiColumn(band) || FCallFromAddPage || FOutputTo != nullptr ||
           qobject_cast<const TfrxOverlay *>(band) != nullptr || qobject_cast<const TfrxPageFooter *>(band) != nullptr ||
           qobject_cast<const TfrxPageHeader *>(band) != nullptr ||
           qobject_cast<const TfrxColumnFooter *>(band) != nullptr || qobject_cast<const TfrxNullBand *>(band) != nullptr;
}

void TfrxEngine::ShowBand(TfrxBand *band)
{
    if (band == nullptr)
        return;
    if (band->KeepChild())
        StartKeep(band);
    DoShow(band);
    auto *data = qobject_cast<TfrxDataBand *>(band);
    const auto *group = qobject_cast<TfrxGroupHeader *>(band);
    const bool childHidden = group != nullptr && FCollapsed.contains(group) && !group->ShowChildIfDrillDown();
    if ((band->Visible() || band->PrintChildIfInvisible()) && !(data != nullptr && data->CurColumn() > 1) &&
        !childHidden)
        ShowBand(band->Child());
    if (band->KeepChild())
        EndKeep(band);
    if (data != nullptr)
        FAggregates->AddValue(band);
}

// Output of one band: a page break it asks for, stretching, the free-space test (a band that does
// not fit moves to the next column or page, or is split), its place and its entry in the store.
void TfrxEngine::DoShow(TfrxBand *band)
{
    const bool multiColumn = IsMultiColumn(band);
    const bool nullBand = band == FNullBand;
    if (multiColumn)
        band->SetLeft(band->Left() + FCurX);
    else if (!nullBand)
        band->SetLeft(FCurX);
    const bool dataOrGroup = qobject_cast<TfrxDataBand *>(band) != nullptr || qobject_cast<TfrxGroupHeader *>(band) != nullptr;
    if (band->Visible() && band->StartNewPage() && FOutputTo == nullptr && !FCallFromAddPage &&
        (!dataOrGroup || band->LineN != 1)) {
        FStartNewPageBand = band;
        if (qobject_cast<TfrxGroupHeader *>(band) != nullptr && band->ResetPageNumbers())
            Pages()->ResetLogicalPageNumber();
        NewPage();
        FStartNewPageBand = nullptr;
        if (!multiColumn)
            band->SetLeft(FCurX);
    }
    UnStretchGuard guard([this, band] { UnStretch(band); });
    Stretch(band);
    band->StretchedHeight = band->Height();
    if (band->Visible() && !SkipsFreeSpaceTest(band) && FreeSpace() < band->Height() - kEps) {
        const bool tooTall = band->Height() > GetPageHeight() - FooterHeight() + kEps;
        if ((band->AllowSplit() && !FKeeping) || (tooTall && !band->HasVBands)) {
            if (!band->AllowSplit() && band->LineThrough > 1 && !band->StartNewPage())
                NewColumn();
            BreakAllKeep();
            DrawSplit(band);
            FAggregates->Reset(band);
            return;
        }
        if (!FKeeping)
            CheckSuppress(band);
        if (!(qobject_cast<TfrxChild *>(band) != nullptr && FCallFromPHeader))
            NewColumn();
        if (!multiColumn)
            band->SetLeft(FCurX);
    }
    if (!nullBand)
        band->SetTop(FCurY);
    if (FOutputTo != nullptr)
        CollectOutput(band, StoredObjects(band, BandObjects(band)));
    else if (!FCallFromAddPage || !Pages()->BandExists(band))
        Pages()->AddObject(band, StoredObjects(band, BandObjects(band)));
    FCurY += band->Height();
    FAggregates->Reset(band);
    if (band->Visible())
        RunSubreports(band);
}

void TfrxEngine::Stretch(TfrxBand *band)
{
    FCurBand = band;
    QList<TfrxComponent *> objects = BandObjects(band);
    band->BeforePrint();
    DoNotifyEvent(band, band->OnBeforePrint());
    for (TfrxComponent *obj : objects) {
        auto *component = qobject_cast<TfrxReportComponent *>(obj);
        if (component == nullptr)
            continue;
        component->BeforePrint();
        if (band->Visible())
            FReport->DoBeforePrint(component); // the host's handler, then the object's script event
        if (component->Visible()) {
            component->GetData();
            DoNotifyEvent(component, component->OnAfterData());
        }
    }
    QHash<TfrxComponent *, double> grown;
    if (band->Visible()) {
        for (TfrxComponent *obj : objects) {
            auto *stretcheable = qobject_cast<TfrxStretcheable *>(obj);
            if (stretcheable == nullptr || !stretcheable->Visible() || stretcheable->StretchMode() == smDontStretch)
                continue;
            const double h = stretcheable->CalcHeight();
            if (h > stretcheable->Height()) {
                grown.insert(obj, h - stretcheable->Height());
                stretcheable->SetHeight(h);
            }
        }
    }
    if (!band->Visible())
        return;
    if (!grown.isEmpty()) {
        // The shift tree is built from the designed places, before anything moves.
        const QHash<TfrxComponent *, double> amounts = grown;
        for (auto it = amounts.begin(); it != amounts.end(); ++it)
            it.key()->SetHeight(it.key()->Height() - it.value());
        TfrxShiftTree &tree = ShiftTreeOf(band, objects);
        for (auto it = amounts.begin(); it != amounts.end(); ++it)
            it.key()->SetHeight(it.key()->Height() + it.value());
        tree.Apply(amounts);
    }
    if (RunSubreportsOnParent(band))
        objects = BandObjects(band);
    double bottom = 0;
    for (const TfrxComponent *obj : objects)
        bottom = std::max(bottom, obj->Top() + obj->Height());
    if (band->Stretched())
        band->SetHeight(bottom);
    else if (band->OriginalObjectsCount >= 0)
        band->SetHeight(std::max(band->Height(), bottom)); // grows around what its subreports printed
    DoNotifyEvent(band, band->OnAfterCalcHeight());
    for (TfrxComponent *obj : objects) {
        auto *stretcheable = qobject_cast<TfrxStretcheable *>(obj);
        if (stretcheable != nullptr && stretcheable->StretchMode() == smMaxHeight)
            stretcheable->SetHeight(bottom - stretcheable->Top());
    }
}

void TfrxEngine::UnStretch(TfrxBand *band)
{
    FreeAppendedObjects(band);
    const QList<TfrxComponent *> objects = BandObjects(band);
    for (TfrxComponent *obj : objects) {
        auto *component = qobject_cast<TfrxReportComponent *>(obj);
        if (component == nullptr)
            continue;
        if (band->Visible())
            FReport->DoAfterPrint(component);
        component->AfterPrint();
    }
    DoNotifyEvent(band, band->OnAfterPrint());
    band->AfterPrint();
}

void TfrxEngine::CheckSuppress(TfrxBand *band)
{
    bool any = false;
    for (TfrxComponent *obj : BandObjects(band)) {
        if (auto *memo = qobject_cast<TfrxCustomMemoView *>(obj); memo != nullptr && memo->SuppressRepeated()) {
            memo->ResetSuppress();
            any = true;
        }
    }
    if (!any || band->HasVBands)
        return;
    // The suppressed values print again at the top of the new page.
    UnStretch(band);
    FCurLine = band->LineN;
    FCurLineThrough = band->LineThrough;
    const TfrxFlagGuard secondCall(FSecondScriptCall, true);
    Stretch(band);
}

void TfrxEngine::NewPage()
{
    if (FKeeping && FKeepBand != nullptr &&
        FCurY - FKeepCurY + FKeepBand->Height() > GetPageHeight() - FooterHeight() + kEps)
        BreakAllKeep();
    const bool keeping = FKeeping;
    if (keeping) {
        Pages()->CutObjects(FKeepPosition);
        if (FKeepFooter)
            FAggregates->DeleteValue(FKeepBand);
    }
    FLastBandOnPage = FCurBand;
    EndPage();
    AddPage();
    FLastBandOnPage = nullptr;
    if (keeping) {
        const double y = FCurY;
        Pages()->PasteObjects(FCurX, y);
        Pages()->Outline().ShiftItems(FKeepOutlineItem, FKeepOutline, qRound(y));
        Pages()->ShiftAnchors(FKeepAnchor, qRound(y));
        FCurY = Pages()->GetLastY();
        if (FKeepFooter)
            FAggregates->AddValue(FKeepBand);
    }
    BreakAllKeep();
    FKeepHeader = false;
    AddPageOutline();
}

void TfrxEngine::NewColumn()
{
    if (FCurColumn >= FPage->Columns()) {
        NewPage();
        return;
    }
    const bool keeping = FKeeping;
    if (keeping) {
        Pages()->CutObjects(FKeepPosition);
        FCurY = Pages()->GetLastY();
    }
    FLastBandOnPage = FCurBand;
    EndColumn();
    AddColumn();
    FLastBandOnPage = nullptr;
    if (keeping) {
        Pages()->PasteObjects(FCurX, FCurY);
        Pages()->Outline().ShiftItems(FKeepOutlineItem, FKeepOutline, qRound(FCurY));
        Pages()->ShiftAnchors(FKeepAnchor, qRound(FCurY));
        FCurY = Pages()->GetLastY(FCurX);
    }
    BreakAllKeep();
}

void TfrxEngine::AddColumn()
{
    ++FCurColumn;
    const QStringList positions = FPage->ColumnPositions();
    double x = (FCurColumn - 1) * FPage->ColumnWidth();
    if (FCurColumn - 1 < positions.size())
        TfrxXMLSerializer::StrToFloat(positions.at(FCurColumn - 1), x);
    x *= fr01cm;
    FCurY = FFirstColumnY;
    const QList<TfrxHeaderListItem> items = FHeaderList;
    for (const TfrxHeaderListItem &item : items) {
        TfrxBand *band = item.Band;
        if (band == nullptr || qobject_cast<TfrxPageHeader *>(band) != nullptr || band == FLastBandOnPage ||
            item.IsInKeepList || FKeepHeader)
            continue;
        FCurX = item.Left + x;
        const TfrxFlagGuard fromAddPage(FCallFromAddPage, true);
        ShowBand(band);
    }
    FCurX = FPageCurX + x;
}

void TfrxEngine::EndColumn()
{
    TfrxBand *footer = FPage != nullptr ? FPage->FindBand(&TfrxColumnFooter::staticMetaObject) : nullptr;
    if (footer == nullptr || !footer->Visible())
        return;
    const double savedX = FCurX;
    FCurX -= FPageCurX;
    {
        const TfrxFlagGuard fromEndPage(FCallFromEndPage, true);
        DoShow(footer);
    }
    FCurX = savedX;
}

void TfrxEngine::StartKeep(TfrxBand *band, int position)
{
    if (FKeeping || FIsFirstBand || band == nullptr)
        return;
    FKeepCurY = FCurY;
    FKeeping = true;
    FKeepBand = band;
    FKeepPosition = position != 0 ? position : Pages()->GetCurPosition();
    FKeepOutline = Pages()->Outline().GetCurPosition();
    FKeepOutlineItem = Pages()->Outline().CurItem();
    FKeepAnchor = Pages()->GetAnchorCurPosition();
    FAggregates->StartKeep();
}

void TfrxEngine::EndKeep(TfrxBand *band)
{
    if (band != nullptr && band == FKeepBand)
        BreakAllKeep();
}

void TfrxEngine::BreakAllKeep()
{
    FKeeping = false;
    FKeepBand = nullptr;
    FKeepOutlineItem = nullptr;
    FKeepHeader = false;
    FKeepFooter = false;
    FAggregates->EndKeep();
}

// After each record of a multi-column band: the row's lowest point, back to the row's top before
// the last column; after it, the next row below, or the row moved to the next column or page
// when it ran past the page.
void TfrxEngine::CheckBandColumns(TfrxDataBand *band)
{
    band->MaxY = std::max(band->MaxY, FCurY);
    if (band->CurColumn() < band->Columns()) {
        FCurY = FColumnRowY;
    } else if (band->MaxY < GetPageHeight() - FooterHeight() - kEps || FPage->EndlessHeight()) {
        FCurY = band->MaxY;
    } else if (FKeeping) {
        NewColumn();
    } else {
        const double rowHeight = band->MaxY - FColumnRowY;
        Pages()->CutObjects(FColumnRowPosition);
        NewColumn();
        Pages()->PasteObjects(FCurX, FCurY);
        FCurY += rowHeight;
    }
    band->SetCurColumn(band->CurColumn() + 1);
}

void TfrxEngine::AddToHeaderList(TfrxBand *band)
{
    if (band == nullptr || !band->ReprintOnNewPage())
        return;
    const bool group = qobject_cast<TfrxGroupHeader *>(band) != nullptr;
    if (!group && qobject_cast<TfrxHeader *>(band) == nullptr)
        return;
    FHeaderList.append(TfrxHeaderListItem{band, FPageCurX, FKeeping && group});
}

void TfrxEngine::RemoveFromHeaderList(TfrxBand *band)
{
    if (band == nullptr)
        return;
    FHeaderList.erase(std::remove_if(FHeaderList.begin(), FHeaderList.end(),
                                     [band](const TfrxHeaderListItem &item) { return item.Band == band; }),
                      FHeaderList.end());
}
