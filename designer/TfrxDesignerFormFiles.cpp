// The designer window's files: new, open, save, closing, settings and the recovery copy.
#include "TfrxDesignerForm.h"

#include "TfrxScriptDebugger.h"
#include "TfrxWatchList.h"

#include "TfrxBandInsertion.h"
#include "TfrxBands.h"
#include "TfrxDataBand.h"
#include "TfrxDataPage.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxDesignerPageArea.h"
#include "TfrxDesignerRecovery.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxError.h"
#include "TfrxMemoView.h"
#include "TfrxObjectInspector.h"
#include "TfrxObjectToolbar.h"
#include "TfrxFormatToolbars.h"
#include "TfrxRecentFiles.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxReportServices.h"
#include "TfrxResources.h"
#include "TfrxStyles.h"
#include "zorDesignerObjects.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>

namespace {

QString Text(const char *key)
{
    return zorResources().Get(QLatin1String(key));
}

// The Qt form of a filter from the string table ("Report (*.ze3)|*.ze3").
QString Filter(const char *key)
{
    return Text(key).section(u'|', 0, 0);
}

// The empty program of a script language: PascalScript's "begin", an empty line and "end.".
QStringList EmptyProgram(const QString &language)
{
    if (language.compare(QLatin1String("PascalScript"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("begin"), QString(), QStringLiteral("end.")};
    if (language.compare(QLatin1String("C++Script"), Qt::CaseInsensitive) == 0)
        return {QStringLiteral("{"), QString(), QStringLiteral("}")};
    return {};
}

} // namespace

// ---- New Report ----

void TfrxDesignerForm::NewReport()
{
    if (!TfrxDesignerCommands::Allowed(cmNewReport) || !QuerySave())
        return;
    const TfrxDesigner *designer = TfrxDesigner::Instance();
    FReport.Clear();
    FReport.SetFileName(QString());
    FReport.SetLoadFailed(false);
    FReport.CheckDataPage();
    FReport.SetScriptLanguage(designer != nullptr ? designer->DefaultScriptLanguage : QStringLiteral("PascalScript"));
    FReport.SetScriptText(EmptyProgram(FReport.ScriptLanguage()));
    TfrxReportPage *page = zorAddReportPage(&FReport);
    TfrxBandPlacement placement;
    placement.BandHeight = zor::BandHeight(Units());
    for (int index : {0, 6, 3}) // report title, master data, page footer
        zorInsertBand(page, index, placement);
    const double height = placement.BandHeight;
    auto *footer = page->FindBand(&TfrxPageFooter::staticMetaObject);
    auto *memo = new TfrxMemoView(footer);
    memo->CreateUniqueName();
    const double printable = (page->PaperWidth() - page->LeftMargin() - page->RightMargin()) * zor::fr01cm;
    memo->SetBounds(0, 0, printable - 20, height);
    memo->SetHAlign(zorTextAlign::haRight);
    memo->SetText(QStringLiteral("[Page#]"));
    FObjectBar->ResetTool();
    Workspace()->SetInsertion(nullptr, 0, 0, 0);
    ReloadReport();
    Workspace()->AdjustBands(true);
    FUndo.Clear();
    FModified = false;
    FUndo.AddUndo(FReport);
    UpdateControls();
}

// ---- Open ----

bool TfrxDesignerForm::OpenReport(const QString &fileName)
{
    if (!TfrxDesignerCommands::Allowed(cmOpen) || !QuerySave())
        return false;
    const TfrxDesigner *designer = TfrxDesigner::Instance();
    QString name = fileName;
    if (name.isEmpty()) {
        if (designer != nullptr && designer->OnLoadReport && designer->OnLoadReport(FReport)) {
            ReloadReport();
            return true;
        }
        name = TfrxDesignerDialogs::Current().OpenFileName(this, designer != nullptr ? designer->OpenDir : QString(),
                                                            Filter("2471"));
        if (name.isEmpty())
            return false;
    } else if (designer != nullptr && designer->OnLoadRecentReport && designer->OnLoadRecentReport(FReport, name)) {
        ReloadReport();
        return true;
    }
    const bool loaded = LoadFile(name);
    ReloadReport();
    if (loaded)
        OfferRecovery();
    return loaded;
}

// Loads a template with messages shown; a file that is missing or unreadable leaves an empty
// report in the designer.
bool TfrxDesignerForm::LoadFile(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile()) {
        TfrxDesignerDialogs::Current().ShowError(this, Text("dsCantLoad") + QStringLiteral("\n") + fileName);
        ResetReport();
        return false;
    }
    TfrxEngineOptions *options = FReport.EngineOptions();
    const auto silent = options->NewSilentMode;
    options->NewSilentMode = zor::simMessageBoxes;
    bool loaded = false;
    try {
        loaded = FReport.LoadFromFile(fileName, true);
    } catch (const TfrxError &error) {
        TfrxDesignerDialogs::Current().ShowError(this, error.Message());
    } catch (const std::exception &error) {
        TfrxDesignerDialogs::Current().ShowError(this, QString::fromUtf8(error.what()));
    }
    options->NewSilentMode = silent;
    if (!loaded && FReport.FileName().isEmpty())
        ResetReport();
    else if (!FReport.Errors().isEmpty())
        TfrxDesignerDialogs::Current().ShowError(this, FReport.Errors().join(u'\n'));
    return loaded;
}

void TfrxDesignerForm::ResetReport()
{
    FReport.Clear();
    FReport.SetFileName(QString());
    FReport.CheckDataPage();
    zorAddReportPage(&FReport);
}

// ---- the report's state into the window ----

void TfrxDesignerForm::ReloadReport()
{
    if (Pages().isEmpty() || (Pages().size() == 1 && qobject_cast<TfrxDataPage *>(Pages().front()) != nullptr)) {
        FReport.CheckDataPage();
        zorAddReportPage(&FReport);
    }
    FReport.CheckDataPage();
    zorSetDesigning(&FReport, true);
    LoadScript();
    FPictures.Clear();
    FPage = nullptr;
    ReloadPages(-2);
    TfrxRecentFiles::Add(FSettings.RecentFiles, FReport.FileName());
    UpdateRecentMenu();
    UpdateCaption();
    FRecovery->SetFileName(FReport.FileName());
    FUndo.Clear();
    SetModified(false);
    FFormatBars->SetStyles(FReport.Styles() != nullptr ? FReport.Styles()->GetList() : QStringList());
}

void TfrxDesignerForm::UpdateRecentMenu()
{
    for (QAction *action : FRecentMenu->actions())
        if (action->property("recentFile").isValid())
            delete action;
    if (!TfrxDesigner::CheckOp(drDontShowRecentFiles))
        return;
    QAction *exit = Action(cmExit);
    const QStringList names = FSettings.RecentFiles;
    for (auto it = names.crbegin(); it != names.crend(); ++it) {
        auto *action = new QAction(*it, FRecentMenu);
        action->setProperty("recentFile", *it);
        connect(action, &QAction::triggered, this, [this, name = *it] { OpenReport(name); });
        FRecentMenu->insertAction(exit, action);
    }
}

// ---- Save ----

bool TfrxDesignerForm::SaveReport(bool saveAs)
{
    if (!TfrxDesignerCommands::Allowed(cmSave))
        return false;
    CommitEdits();
    StoreScript();
    // Script edits not yet recorded (the code tab is still shown) become their undo step now.
    if (FScriptChanged) {
        FScriptChanged = false;
        FUndo.AddUndo(FReport);
    }
    FReport.ReportOptions()->LastChange = TfrxReportOptions::Now();
    const TfrxDesigner *designer = TfrxDesigner::Instance();
    if (designer != nullptr && designer->OnSaveReport && designer->OnSaveReport(FReport, saveAs)) {
        FModified = false;
        FRecovery->Discard();
        UpdateControls();
        return true;
    }
    // A template that did not load whole is never written back under its own name.
    QString name = FReport.FileName();
    if (saveAs || name.isEmpty() || FReport.LoadFailed())
        name = AskSaveName();
    if (name.isEmpty() || !WriteFile(name))
        return false;
    FReport.SetFileName(name);
    FReport.SetLoadFailed(false);
    TfrxRecentFiles::Add(FSettings.RecentFiles, name);
    UpdateRecentMenu();
    UpdateCaption();
    FModified = false;
    FRecovery->Discard();
    FRecovery->SetFileName(name);
    UpdateBackdrop();
    UpdateControls();
    return true;
}

QString TfrxDesignerForm::AskSaveName() const
{
    const TfrxDesigner *designer = TfrxDesigner::Instance();
    const QString folder = designer != nullptr && !designer->SaveDir.isEmpty() ? designer->SaveDir
                           : FReport.FileName().isEmpty()                       ? QString()
                                                        : QFileInfo(FReport.FileName()).absolutePath();
    const QString suffix = designer != nullptr ? designer->TemplatesExt : QStringLiteral("ze3");
    return TfrxDesignerDialogs::Current().SaveFileName(const_cast<TfrxDesignerForm *>(this), folder,
                                                       Filter("dsRepFilter"), suffix);
}

// Writes through a temporary file renamed over the old one: a folder that cannot be written or a
// full disk leaves the old file whole, and the operator is told.
bool TfrxDesignerForm::WriteFile(const QString &fileName)
{
    if (FReport.SaveToFile(fileName))
        return true;
    TfrxDesignerDialogs::Current().ShowError(
        this, TfrxReportServices::FillText(Text("dsCantSave"), {QFileInfo(fileName).absoluteFilePath()}));
    return false;
}

// Asks whether to save a modified template first; false when the command must stop (Cancel, or
// a save that was cancelled or failed).
bool TfrxDesignerForm::QuerySave()
{
    CommitEdits();
    StoreScript();
    const TfrxDesigner *designer = TfrxDesigner::Instance();
    if (!FModified || (designer != nullptr && !designer->CloseQuery) || !TfrxDesigner::CheckOp(drDontSaveReport))
        return true;
    const QString question = Text("dsSaveChangesTo") + QFileInfo(DisplayName()).fileName() + u'?';
    switch (TfrxDesignerDialogs::Current().Ask(this, question)) {
    case TfrxDesignerDialogs::Yes:
        return SaveReport(false);
    case TfrxDesignerDialogs::No:
        return true;
    case TfrxDesignerDialogs::Cancel:
        return false;
    }
    return false;
}

// ---- closing ----

void TfrxDesignerForm::closeEvent(QCloseEvent *event)
{
    // The preparation under way uses the report.
    if (FDebugger->Active()) {
        event->ignore();
        return;
    }
    if (!QuerySave()) {
        event->ignore();
        return;
    }
    WriteSettings();
    FRecovery->Discard();
    FReport.SetModified(FModified);
    zorSetDesigning(&FReport, false);
    event->accept();
}

// ---- settings ----

void TfrxDesignerForm::ReadSettings()
{
    bool usedDefaults = false;
    TfrxDesignerSettings settings = TfrxDesignerSettings::Defaults();
    if (std::unique_ptr<QSettings> store = FReport.GetIniFile())
        settings = TfrxDesignerSettings::Read(*store, &usedDefaults);
    ApplySettings(settings);
    if (settings.InspectorSplitPos > 0)
        FInspector->SetSplitterPos(settings.InspectorSplitPos);
    FInspector->SetSplitter1Pos(settings.InspectorSplit1Pos);
    if (!settings.WindowState.isEmpty())
        restoreState(settings.WindowState);
    if (!settings.WindowGeometry.isEmpty() && restoreGeometry(settings.WindowGeometry))
        return;
    // A first start: most of the screen, also where no window manager maximises the window.
    if (const QScreen *shown = screen())
        resize(shown->availableGeometry().size() * 0.9);
}

void TfrxDesignerForm::WriteSettings()
{
    std::unique_ptr<QSettings> store = FReport.GetIniFile();
    if (!store)
        return;
    FSettings.WindowState = saveState();
    FSettings.WindowGeometry = saveGeometry();
    FSettings.Maximized = isMaximized();
    FSettings.Scale = Scale();
    FSettings.InspectorSplitPos = FInspector->SplitterPos();
    FSettings.InspectorSplit1Pos = FInspector->Splitter1Pos();
    FSettings.Write(*store);
}

// ---- the recovery copy ----

void TfrxDesignerForm::OfferRecovery()
{
    const QString copy = FRecovery->PendingCopy();
    if (copy.isEmpty())
        return;
    const QString question = TfrxReportServices::FillText(
        Text("dsRecover"), {QFileInfo(FReport.FileName()).fileName(), QLocale().toString(FRecovery->PendingTime())});
    if (!TfrxDesignerDialogs::Current().Confirm(this, question)) {
        FRecovery->Discard();
        return;
    }
    const QString fileName = FReport.FileName();
    if (!FReport.LoadFromFile(copy, false)) {
        TfrxDesignerDialogs::Current().ShowError(this, Text("dsCantLoad") + QStringLiteral("\n") + copy);
        return;
    }
    // The restored template belongs to its own file; saving it replaces that file.
    FReport.SetFileName(fileName);
    ReloadReport();
    SetModified(true);
}
