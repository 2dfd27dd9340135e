// Subreports: pages whose data bands run inside a band of another page, either as ordinary output
// where the subreport stands, or collected and printed as part of the parent band itself.
#include "TfrxEngine.h"

#include "TfrxBands.h"
#include "TfrxClassRegistry.h"
#include "TfrxFlagGuard.h"
#include "TfrxPreviewPages.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxSubreport.h"

#include <QScopeGuard>

#include <algorithm>

namespace {

enum class Placement { Own, OnParent, Any };

// The subreports of a band that run in one of the two ways (or all of them).
QList<TfrxSubreport *> Subreports(const QList<TfrxComponent *> &objects, Placement placement)
{
    QList<TfrxSubreport *> found;
    for (TfrxComponent *obj : objects) {
        auto *subreport = qobject_cast<TfrxSubreport *>(obj);
        if (subreport == nullptr || !subreport->Visible() || subreport->Page() == nullptr)
            continue;
        if (placement == Placement::Any || subreport->PrintOnParent() == (placement == Placement::OnParent))
            found.append(subreport);
    }
    return found;
}

}  // namespace

// A subreport whose page is already running (directly or through others) would never end.
bool TfrxEngine::EntersSubreport(const TfrxSubreport *subreport)
{
    const TfrxReportPage *page = subreport->Page();
    if (FSubreportChain.contains(page) || page == FPage) {
        FReport->AddError(QStringLiteral("Circular subreport ") + subreport->Name());
        return false;
    }
    FSubreportChain.append(page);
    return true;
}

// The subreports of a band run their page's data bands where they stand; output continues below
// the lowest of them. The loose objects of a page have no band to print on: there every subreport
// runs this way.
void TfrxEngine::RunSubreports(TfrxBand *band)
{
    const double bandTop = FCurY - band->Height();
    const int page = Pages()->CurPage();
    double lowest = FCurY;
    const Placement placement = band == FNullBand ? Placement::Any : Placement::Own;
    for (TfrxSubreport *subreport : Subreports(BandObjects(band), placement)) {
        if (!EntersSubreport(subreport))
            continue;
        const double savedPageX = FPageCurX, savedX = FCurX;
        FPageCurX += subreport->Left();
        FCurX += subreport->Left();
        FCurY = bandTop + subreport->Top();
        {
            const auto leave = qScopeGuard([this] { FSubreportChain.removeLast(); });
            // The subreport's bands are ordinary output, also under a band repeated on a new page.
            const TfrxFlagGuard fromAddPage(FCallFromAddPage, false);
            const TfrxFlagGuard fromHeader(FCallFromPHeader, false);
            ShowBandTree(subreport->Page());
        }
        FPageCurX = savedPageX;
        FCurX = savedX;
        if (Pages()->CurPage() != page)
            lowest = FCurY; // the subreport went on to later pages: continue where it stopped
        else
            lowest = std::max(lowest, FCurY);
    }
    FCurY = lowest;
}

// Subreports printed on their parent: their page's bands are collected instead of stored, without
// page breaks, and what they printed joins the band at its place on it, so that the band grows
// around it. The joined objects are freed when the band's output ends. True when any ran.
bool TfrxEngine::RunSubreportsOnParent(TfrxBand *band)
{
    if (band == FNullBand)
        return false;
    bool any = false;
    for (TfrxSubreport *subreport : Subreports(BandObjects(band), Placement::OnParent)) {
        if (!EntersSubreport(subreport))
            continue;
        TfrxNullBand collected;
        {
            const auto restore = qScopeGuard([this, output = FOutputTo, x = FCurX, y = FCurY, pageX = FPageCurX,
                                              current = FCurBand, line = FCurLine, through = FCurLineThrough] {
                FSubreportChain.removeLast();
                FOutputTo = output;
                FCurX = x;
                FCurY = y;
                FPageCurX = pageX;
                FCurBand = current;
                FCurLine = line;
                FCurLineThrough = through;
            });
            FOutputTo = &collected;
            FCurX = FCurY = FPageCurX = 0;
            ShowBandTree(subreport->Page());
        }
        if (band->OriginalObjectsCount < 0)
            band->OriginalObjectsCount = int(band->Objects().size());
        for (TfrxComponent *obj : QList<TfrxComponent *>(collected.Objects())) {
            obj->SetParent(band);
            obj->SetLeft(obj->Left() + subreport->Left());
            obj->SetTop(obj->Top() + subreport->Top());
        }
        any = true;
    }
    return any;
}

// A band's output while a subreport is collected for its parent: copies of its objects at their
// places relative to the subreport's start.
void TfrxEngine::CollectOutput(TfrxBand *band, const QList<TfrxComponent *> &objects)
{
    if (!band->Visible())
        return;
    for (TfrxComponent *obj : objects) {
        if (!obj->Visible())
            continue;
        auto *copy = qobject_cast<TfrxComponent *>(
            TfrxClassRegistry::Instance().Create(QString::fromLatin1(obj->metaObject()->className())));
        if (copy == nullptr)
            continue;
        copy->Assign(obj);
        // The copy keeps its own font: it is going to live in another band.
        copy->SetParentFont(false);
        copy->SetName(obj->Name());
        copy->SetLeft(band->Left() + obj->Left());
        copy->SetTop(band->Top() + obj->Top());
        copy->SetParent(FOutputTo);
    }
}

void TfrxEngine::FreeAppendedObjects(TfrxBand *band)
{
    if (band->OriginalObjectsCount < 0)
        return;
    while (band->Objects().size() > band->OriginalObjectsCount)
        delete band->Objects().constLast();
    band->OriginalObjectsCount = -1;
}
