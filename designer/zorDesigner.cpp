#include "zorDesigner.h"

#include "TfrxComponentEditor.h"
#include "TfrxDesignerForm.h"
#include "TfrxObjectCollection.h"
#include "TfrxReport.h"
#include "TfrxReportPropertyEditors.h"
#include "TfrxReportServices.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace {

// Opens a designer window on the report. Modal: the other windows wait until it closes, and the
// call returns then; the report forgets its designer when the window goes.
void Design(TfrxReport &report, bool modal)
{
    auto *form = new TfrxDesignerForm(report);
    form->setAttribute(Qt::WA_DeleteOnClose);
    report.SetDesigner(form);
    if (modal)
        form->setWindowModality(Qt::ApplicationModal);
    if (form->Settings().Maximized)
        form->showMaximized();
    else
        form->show();
    if (!modal)
        return;
    QEventLoop loop;
    QObject::connect(form, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    QCoreApplication::processEvents();
}

} // namespace

void zorRegisterDesigner()
{
    zorRegisterStandardObjects();
    zorRegisterComponentEditors();
    zorRegisterPropertyEditors();
    TfrxReportServices::Instance().Design = Design;
}
