// Entry points of the dialogs of bands, variables, pages and report options.
#include "zorEditorDialogs.h"

#include "TfrxBands.h"
#include "TfrxCustomDesigner.h"
#include "TfrxDataBand.h"
#include "TfrxDataBandEditorForm.h"
#include "TfrxGroupEditorForm.h"
#include "TfrxPageEditorForm.h"
#include "TfrxPrinters.h"
#include "TfrxReportDataForm.h"
#include "TfrxReportEditorForm.h"
#include "TfrxReportPage.h"
#include "TfrxVarEditorForm.h"

bool zorEditDataBand(TfrxCustomDesigner &designer, TfrxDataBand *band)
{
    TfrxDataBandEditorForm form(designer, *band, designer.DialogParent());
    return form.exec() == QDialog::Accepted;
}

bool zorEditGroup(TfrxCustomDesigner &designer, TfrxGroupHeader *band)
{
    TfrxGroupEditorForm form(designer, *band, designer.DialogParent());
    return form.exec() == QDialog::Accepted;
}

bool zorEditVariables(TfrxCustomDesigner &designer)
{
    TfrxVarEditorForm form(designer, designer.DialogParent());
    return form.exec() == QDialog::Accepted;
}

bool zorEditReportData(TfrxCustomDesigner &designer)
{
    TfrxReportDataForm form(designer.Report(), designer.DialogParent());
    return form.exec() == QDialog::Accepted;
}

// After a change of inheritance the form has reloaded the designer and recorded the undo step
// itself, so the caller must not record another.
bool zorEditReportOptions(TfrxCustomDesigner &designer)
{
    TfrxReportEditorForm form(designer, TfrxReportEditorForm::InstalledPrinters(), designer.DialogParent());
    return form.exec() == QDialog::Accepted && !form.InheritanceChanged();
}

bool zorEditPage(TfrxCustomDesigner &designer, TfrxReportPage *page)
{
    TfrxPageEditorForm form(designer, *page, *zorPrinters()->Printer(), designer.DialogParent());
    return form.exec() == QDialog::Accepted;
}
