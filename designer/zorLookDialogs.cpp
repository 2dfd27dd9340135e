// Entry points of the frame, fill, picture and style dialogs: each runs its dialog on a copy and
// hands the result over only when the dialog is closed with OK.
#include "zorEditorDialogs.h"

#include "TfrxCustomDesigner.h"
#include "TfrxCustomFill.h"
#include "TfrxFillEditorForm.h"
#include "TfrxFrame.h"
#include "TfrxFrameEditorForm.h"
#include "TfrxPictureEditorForm.h"
#include "TfrxPictureView.h"
#include "TfrxReport.h"
#include "TfrxStyleEditorForm.h"
#include "TfrxStyles.h"
#include "TfrxXMLSerializer.h"

bool zorEditFrame(QWidget *parent, TfrxFrame &frame)
{
    TfrxFrameEditorForm form(frame, parent);
    if (form.exec() != QDialog::Accepted)
        return false;
    frame.Assign(&form.Frame());
    return true;
}

std::unique_ptr<TfrxCustomFill> zorEditFill(QWidget *parent, const TfrxCustomFill *fill)
{
    TfrxFillEditorForm form(fill, parent);
    if (form.exec() != QDialog::Accepted)
        return nullptr;
    return form.Fill();
}

// The picture also goes into the designer's store, so that undo snapshots keep it.
bool zorEditPicture(TfrxCustomDesigner &designer, TfrxPictureView *view)
{
    if (view == nullptr)
        return false;
    TfrxPictureEditorForm form(*view, designer.DialogParent());
    if (form.exec() != QDialog::Accepted)
        return false;
    form.ApplyTo(*view);
    if (!view->Picture().isNull())
        designer.Pictures().Add(*view);
    return true;
}

// The report's text objects take the edited styles at once.
bool zorEditStyles(TfrxCustomDesigner &designer)
{
    TfrxStyles *styles = designer.Report().Styles();
    TfrxStyleEditorForm form(*styles, designer.DialogParent());
    if (form.exec() != QDialog::Accepted)
        return false;
    zorCopyStyles(form.Styles(), *styles);
    styles->Apply();
    return true;
}
