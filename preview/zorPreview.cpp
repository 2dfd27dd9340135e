#include "zorPreview.h"

#include "TfrxCustomPreviewPages.h"
#include "TfrxPreviewForm.h"
#include "TfrxPrintRun.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportServices.h"
#include "zorPrinterTexts.h"

#include <QApplication>

namespace {

void showPreview(TfrxReport &report, bool prepareFirst)
{
    const TfrxPreviewOptions &options = *report.PreviewOptions();
    auto *form = new TfrxPreviewForm(report, QApplication::activeWindow());
    if (prepareFirst)
        form->PrepareOnShow();
    if (options.Maximized)
        form->setWindowState(form->windowState() | Qt::WindowMaximized);
    if (!options.Modal) {
        form->setAttribute(Qt::WA_DeleteOnClose);
        form->show();
        return;
    }
    form->exec();
    const std::exception_ptr error = form->PreparationError();
    delete form;
    if (error)
        std::rethrow_exception(error);
}

bool print(TfrxReport &report)
{
    TfrxCustomPreviewPages *pages = report.PreviewPages();
    if (pages == nullptr)
        return false;
    TfrxPrintRun run(report, *pages);
    run.SetCurrentPage(pages->CurPage() + 1);
    return run.Print();
}

} // namespace

void zorRegisterPreview()
{
    TfrxReportServices &services = TfrxReportServices::Instance();
    services.ShowPreview = showPreview;
    services.Print = print;
    services.ShowError = zorReportPrinterError;
}
