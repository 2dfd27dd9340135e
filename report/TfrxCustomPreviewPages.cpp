#include "TfrxCustomPreviewPages.h"

#include "TfrxReportPage.h"
#include "TfrxReportServices.h"
#include "TfrxView.h"

#include <QPointF>

using namespace zor;

bool TfrxCustomPreviewPages::Print()
{
    const TfrxReportServices &services = TfrxReportServices::Instance();
    return FReport != nullptr && services.Print && services.Print(*FReport);
}

TfrxView *TfrxCustomPreviewPages::ObjectOver(int pageIndex, const QPointF &point)
{
    FLastObjectOver = nullptr;
    TfrxReportPage *page = GetPage(pageIndex);
    if (page == nullptr)
        return nullptr;
    // The same margins as drawing uses: mirrored on every second page.
    const bool mirrored = page->MirrorMargins() && pageIndex % 2 == 1;
    const double left = (mirrored ? page->RightMargin() : page->LeftMargin()) * fr01cm;
    const double top = page->TopMargin() * fr01cm;
    const QList<TfrxComponent *> objects = page->GetAllObjects();
    // Views drawn later lie on top.
    for (auto it = objects.crbegin(); it != objects.crend(); ++it) {
        auto *view = qobject_cast<TfrxView *>(*it);
        if (view == nullptr || !view->Visibility().testFlag(vsPreview))
            continue;
        const double x = point.x() - left - view->AbsLeft(), y = point.y() - top - view->AbsTop();
        if (x >= 0 && y >= 0 && x < view->Width() && y < view->Height()) {
            FLastObjectOver = view;
            return view;
        }
    }
    return nullptr;
}

TfrxView *TfrxCustomPreviewPages::LastObjectOver() const
{
    return FLastObjectOver.data();
}

void TfrxCustomPreviewPages::ModifyPage(int, TfrxReportPage *) {}

void TfrxCustomPreviewPages::AddFrom(TfrxReport *)
{
}
