#include "TfrxPageEditors.h"

#include "TfrxCustomDesigner.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxSubreport.h"
#include "zorEditorDialogs.h"

bool TfrxReportPageEditor::Edit()
{
    return HasEditor() && zorEditPage(Designer(), qobject_cast<TfrxReportPage *>(Component()));
}

bool TfrxReportPageEditor::HasEditor() const
{
    const auto *page = qobject_cast<const TfrxReportPage *>(Component());
    return page != nullptr && !page->IsSubReport();
}

bool TfrxSubreportEditor::Edit()
{
    const auto *subreport = qobject_cast<TfrxSubreport *>(Component());
    if (subreport == nullptr || subreport->Page() == nullptr)
        return false;
    // The designer counts the report's pages, the data page among them.
    int index = 0;
    for (const TfrxComponent *child : Designer().Report().Objects()) {
        if (child == subreport->Page()) {
            Designer().ReloadPages(index);
            break;
        }
        if (qobject_cast<const TfrxPage *>(child) != nullptr)
            ++index;
    }
    return false;
}

bool TfrxSubreportEditor::HasEditor() const
{
    const auto *subreport = qobject_cast<const TfrxSubreport *>(Component());
    return subreport != nullptr && subreport->Page() != nullptr;
}

QList<TfrxMenuSwitch> TfrxSubreportEditor::Switches() const
{
    return {zorFlagSwitch<TfrxSubreport>("srParent", 0, &TfrxSubreport::PrintOnParent,
                                         &TfrxSubreport::SetPrintOnParent)};
}
