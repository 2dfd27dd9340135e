#include "TemplateFields.h"

#include "TfrxCustomMemoView.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"

std::optional<TemplatePage> TemplatePage::of(const TfrxReport &report)
{
    for (TfrxComponent *child : report.Objects()) {
        const auto *page = qobject_cast<TfrxReportPage *>(child);
        if (page == nullptr)
            continue;
        TemplatePage result{
            page->PaperSize(), QSizeF(page->PaperWidth(), page->PaperHeight()), page->Orientation(), {}};
        const QPointF margin(page->LeftMargin(), page->TopMargin());
        for (TfrxComponent *object : page->GetAllObjects()) {
            if (auto *memo = qobject_cast<TfrxCustomMemoView *>(object)) {
                const QRectF units(memo->AbsLeft(), memo->AbsTop(), memo->Width(), memo->Height());
                const QRectF mm(units.topLeft() / zor::fr01cm + margin, units.size() / zor::fr01cm);
                result.Fields.append({memo->Name(), mm, memo});
            }
        }
        return result;
    }
    return std::nullopt;
}
