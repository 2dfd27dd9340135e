// The designer window's script debugger: the code tab's run, trace, terminate, evaluate and
// breakpoint commands, the watch list, the preview that runs the report meanwhile, and what of the
// window stays usable while a script runs.
#include "TfrxDesignerForm.h"

#include "TfrxCodeTab.h"
#include "TfrxDesignerPageArea.h"
#include "TfrxEvaluateForm.h"
#include "TfrxFormatToolbars.h"
#include "TfrxObjectToolbar.h"
#include "TfrxPreviewForm.h"
#include "TfrxReport.h"
#include "TfrxScriptDebugger.h"
#include "TfrxSyntaxMemo.h"
#include "TfrxWatchList.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QEventLoop>
#include <QStackedWidget>
#include <QTabBar>

namespace {

// What works while a script runs or is stopped: the debugger and the script editor. The rest would
// free or change objects the preparation uses.
const TfrxDesignerCommand debugCommands[] = {
    cmRunScript, cmTraceInto, cmTerminateScript, cmEvaluate,  cmToggleBreakpoint, cmRunToCursor,
    cmCut,       cmCopy,      cmDelete,          cmSelectAll,
};

bool IsDebugCommand(int command)
{
    return std::find(std::begin(debugCommands), std::end(debugCommands), command) != std::end(debugCommands);
}

QList<TfrxPreviewForm *> OpenPreviews()
{
    QList<TfrxPreviewForm *> previews;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *preview = qobject_cast<TfrxPreviewForm *>(window))
            previews.append(preview);
    return previews;
}

} // namespace

void TfrxDesignerForm::CreateDebugger()
{
    FDebugger = new TfrxScriptDebugger(FReport, *Memo(), this);
    FWatches = new TfrxWatchList(FCodeTab);
    FCodeTab->SetBottomWidget(FWatches, 100);
    const auto preview = [this] { PreviewReport(); };
    const auto allowed = [](TfrxDesignerCommand command) { return TfrxDesignerCommands::Allowed(command); };
    connect(Action(cmRunScript), &QAction::triggered, this, [this, preview, allowed] {
        if (allowed(cmRunScript))
            FDebugger->Run(false, preview);
    });
    connect(Action(cmTraceInto), &QAction::triggered, this, [this, preview, allowed] {
        if (allowed(cmTraceInto))
            FDebugger->Run(true, preview);
    });
    connect(Action(cmRunToCursor), &QAction::triggered, this, [this, preview, allowed] {
        if (allowed(cmRunToCursor))
            FDebugger->RunToCursor(preview);
    });
    connect(Action(cmToggleBreakpoint), &QAction::triggered, FDebugger,
            &TfrxScriptDebugger::ToggleBreakpoint);
    connect(Action(cmTerminateScript), &QAction::triggered, FDebugger, &TfrxScriptDebugger::Terminate);
    connect(Action(cmEvaluate), &QAction::triggered, this, &TfrxDesignerForm::ShowEvaluate);
    connect(FDebugger, &TfrxScriptDebugger::Stopped, this, &TfrxDesignerForm::ShowStoppedScript);
    connect(FDebugger, &TfrxScriptDebugger::Resumed, this, &TfrxDesignerForm::LockForPreview);
    connect(FDebugger, &TfrxScriptDebugger::StateChanged, this, &TfrxDesignerForm::DebugStateChanged);
    connect(FWatches, &TfrxWatchList::Changed, this,
            [this] { FSettings.WatchList = FWatches->Expressions(); });
}

void TfrxDesignerForm::ShowEvaluate()
{
    TfrxEvaluateForm form(this, Memo()->SelText(),
                          [this](const QString &expression) { return FDebugger->Evaluate(expression); });
    form.exec();
}

// The script stopped: the window comes to the front with the statement shown in the code tab.
void TfrxDesignerForm::ShowStoppedScript()
{
    setEnabled(true);
    FFilling = true;
    FTabs->setCurrentIndex(0);
    FFilling = false;
    FStack->setCurrentWidget(FCodeTab);
    raise();
    activateWindow();
    Memo()->setFocus();
    FWatches->Refresh();
    UpdateControls();
}

void TfrxDesignerForm::LockForPreview()
{
    setEnabled(false);
    if (FPreviewWindow != nullptr)
        FPreviewWindow->setEnabled(true);
}

void TfrxDesignerForm::DebugStateChanged()
{
    if (FDebugger->Active()) {
        FWatches->SetEvaluator(
            [this](const QString &expression) { return FDebugger->Evaluate(expression, true); });
    } else {
        FWatches->SetEvaluator({});
        for (int i = 0; i < cmCommandCount; ++i)
            Action(TfrxDesignerCommand(i))->setEnabled(TfrxDesignerCommands::Allowed(TfrxDesignerCommand(i)));
    }
    UpdateControls();
}

// While a script runs only the debugger and the editor work.
void TfrxDesignerForm::ApplyDebugLock()
{
    const bool locked = FDebugger != nullptr && FDebugger->Active();
    FTabs->setEnabled(!locked);
    FPageArea->setEnabled(!locked);
    for (QDockWidget *dock : findChildren<QDockWidget *>())
        dock->setEnabled(!locked);
    if (auto *language = FCodeTab->findChild<QComboBox *>(QStringLiteral("LanguageBox")))
        language->setEnabled(!locked);
    if (!locked)
        return;
    for (int i = 0; i < cmCommandCount; ++i)
        if (!IsDebugCommand(i))
            Action(TfrxDesignerCommand(i))->setEnabled(false);
    FFormatBars->SetEnabled(false);
    FObjectBar->setEnabled(false);
}

// The preview runs in an event loop of its own with this window disabled (rather than modal), so
// that a stopped script can give the operator this window back.
void TfrxDesignerForm::RunPreviewWindow()
{
    const QList<TfrxPreviewForm *> before = OpenPreviews();
    FReport.ShowReport(true);
    for (TfrxPreviewForm *preview : OpenPreviews())
        if (!before.contains(preview))
            FPreviewWindow = preview;
    if (FPreviewWindow == nullptr)
        return;
    LockForPreview();
    QEventLoop loop;
    connect(FPreviewWindow, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    setEnabled(true);
}
