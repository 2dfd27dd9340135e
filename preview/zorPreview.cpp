#include "zorPreview.h"

#include "TfrxCustomPreviewPages.h"
#include "TfrxPreview.h"
#include "TfrxPreviewForm.h"
#include "TfrxPrintRun.h"
#include "TfrxProgress.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportServices.h"
#include "zorPrinterTexts.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>

namespace {

// A preview control already attached to the report (an open non-modal window) takes the pages
// itself; no second window opens.
void showInAttached(TfrxPreview &preview, TfrxReport &report, bool prepareFirst)
{
    preview.Init(&report);
    if (!prepareFirst)
        return;
    if (auto *form = qobject_cast<TfrxPreviewForm *>(preview.window())) {
        form->PrepareLater();
        return;
    }
    report.PrepareReport(false);
    preview.Rebuild();
}

void showPreview(TfrxReport &report, bool prepareFirst)
{
    if (auto *attached = dynamic_cast<TfrxPreview *>(report.Preview())) {
        showInAttached(*attached, report, prepareFirst);
        return;
    }
    const TfrxPreviewOptions &options = *report.PreviewOptions();
    // The preview belongs to the window it was asked from; without an active window (none has
    // the focus yet), to the modal one, which would otherwise block it.
    QWidget *owner = QApplication::activeWindow();
    if (owner == nullptr)
        owner = QApplication::activeModalWidget();
    auto *form = new TfrxPreviewForm(report, owner);
    if (prepareFirst)
        form->PrepareOnShow();
    if (const auto &handler = report.OnPreview())
        handler(report);
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

// The old-style progress window: centred on the screen, not modal; its Cancel stops the report
// at once, not only at the next page.
std::unique_ptr<TfrxCustomProgress> createProgress(TfrxReport &report)
{
    auto progress = std::make_unique<TfrxProgress>();
    QObject::connect(progress.get(), &TfrxProgress::CancelPressed, progress.get(),
                     [&report] { report.SetTerminated(true); });
    const QString name = report.ReportOptions()->Name;
    progress->setWindowTitle(name.isEmpty() ? QApplication::applicationDisplayName() : name);
    progress->show();
    return progress;
}

// A small modal window with a hidden entry line.
bool askPassword(TfrxReport &, QString &password)
{
    bool ok = false;
    password = QInputDialog::getText(QApplication::activeWindow(), zorPrinterText("5000"), zorPrinterText("5001"),
                                     QLineEdit::Password, QString(), &ok);
    return ok;
}

} // namespace

void zorRegisterPreview()
{
    TfrxReportServices &services = TfrxReportServices::Instance();
    services.ShowPreview = showPreview;
    services.Print = print;
    services.CreateProgress = createProgress;
    services.AskPassword = askPassword;
    services.ShowError = zorReportPrinterError;
}
