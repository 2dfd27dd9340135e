// The designer window's editing commands: undo, the clipboard, pages, bands, objects, formatting,
// alignment and the preview.
#include "TfrxDesignerForm.h"

#include "TfrxAlignmentCommands.h"
#include "TfrxBand.h"
#include "TfrxBandInsertion.h"
#include "TfrxClipboard.h"
#include "TfrxCustomLineView.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDataPage.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxDesignerPageArea.h"
#include "TfrxDesignerRecovery.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxDialogPage.h"
#include "TfrxFont.h"
#include "TfrxFormatToolbars.h"
#include "TfrxObjectToolbar.h"
#include "TfrxOptionsEditor.h"
#include "TfrxReport.h"
#include "TfrxReportOptions.h"
#include "TfrxReportPage.h"
#include "TfrxReportServices.h"
#include "TfrxResources.h"
#include "TfrxSelectionCommands.h"
#include "TfrxScriptDebugger.h"
#include "TfrxSubreport.h"
#include "TfrxSyntaxMemo.h"
#include "TfsScript.h"
#include "zorDesignerObjects.h"
#include "zorFontDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QTextBlock>

namespace {

QString Text(const char *key)
{
    return zorResources().Get(QLatin1String(key));
}

// The size a new object gives itself, or else the designer's default for the units.
QSizeF InsertionSize(const TfrxObjectItem &item, TfrxDesignerUnits units)
{
    std::unique_ptr<TfrxComponent> sample(zorCreateDesignObject(item.ClassRef, item.Flags, nullptr));
    if (sample != nullptr && sample->Width() > 0 && sample->Height() > 0)
        return {sample->Width(), sample->Height()};
    return {zor::DefaultObjectWidth(units), zor::DefaultObjectHeight(units)};
}

} // namespace

// ---- undo ----

void TfrxDesignerForm::Undo()
{
    if (FPage == nullptr) {
        Memo()->Undo();
        return;
    }
    ReloadFromUndo(true);
}

void TfrxDesignerForm::Redo()
{
    if (FPage == nullptr)
        return;
    ReloadFromUndo(false);
}

// The report is read again from the undo list: the same page, scroll position and selection (by
// name) are shown again, and the template counts as modified.
void TfrxDesignerForm::ReloadFromUndo(bool undo)
{
    CommitEdits();
    const QStringList names = SelectedNames();
    const int tab = CurrentTab();
    QScrollArea *scroll = FPageArea->ScrollArea();
    const QPoint position(scroll->horizontalScrollBar()->value(), scroll->verticalScrollBar()->value());
    Workspace()->DisableUpdate();
    FPage = nullptr;
    FObjects.clear();
    FSelectedObjects.clear();
    Workspace()->SetPage(nullptr);
    const bool done = undo ? FUndo.Undo(FReport) : FUndo.Redo(FReport);
    zorSetDesigning(&FReport, true);
    LoadScript();
    UpdatePageTabs();
    FFilling = true;
    FTabs->setCurrentIndex(std::min(tab, FTabs->count() - 1));
    FFilling = false;
    ShowTab(FTabs->currentIndex());
    RestoreSelection(names);
    Workspace()->EnableUpdate();
    scroll->horizontalScrollBar()->setValue(position.x());
    scroll->verticalScrollBar()->setValue(position.y());
    if (done)
        FModified = true;
    FRecovery->SetModified(FModified);
    UpdateControls();
}

// ---- the clipboard ----

void TfrxDesignerForm::CopySelection()
{
    if (FPage == nullptr) {
        Memo()->CopyToClipboard();
        return;
    }
    const QString text = TfrxClipboard::CopyText(FSelectedObjects);
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void TfrxDesignerForm::CutSelection()
{
    if (FPage == nullptr) {
        Memo()->CutToClipboard();
        return;
    }
    CopySelection();
    DeleteSelection();
}

void TfrxDesignerForm::PasteClipboard()
{
    if (FPage == nullptr) {
        Memo()->PasteFromClipboard();
        return;
    }
    const QString text = QGuiApplication::clipboard()->text();
    if (!TfrxClipboard::CanPaste(text))
        return;
    CommitEdits();
    const TfrxClipboard::PasteResult result = TfrxClipboard::Paste(text, FPage);
    if (result.Placed.isEmpty()) {
        QStringList reasons = result.Errors;
        if (result.Dropped > 0)
            reasons.append(
                TfrxReportServices::FillText(Text("dsPasteDropped"), {QString::number(result.Dropped)}));
        TfrxDesignerDialogs::Current().ShowError(this, reasons.join(u'\n'));
        return;
    }
    RebuildObjects();
    FSelectedObjects = result.OnPage;
    if (FSelectedObjects.isEmpty())
        FSelectedObjects.append(FPage);
    Workspace()->AdjustBands(false);
    SetModified(true);
    SelectionChanged();
    if (result.Dropped > 0)
        statusBar()->showMessage(
            TfrxReportServices::FillText(Text("dsPasteDropped"), {QString::number(result.Dropped)}), 5000);
    if (!result.OnPage.isEmpty())
        Workspace()->SimulateMove();
}

void TfrxDesignerForm::DeleteSelection()
{
    if (FPage == nullptr) {
        if (!Memo()->SelText().isEmpty())
            Memo()->SetSelText(QString());
        return;
    }
    Workspace()->DeleteObjects();
}

void TfrxDesignerForm::SelectAll()
{
    if (FPage == nullptr) {
        Memo()->SelectAll();
        return;
    }
    zorSelectAll(FPage, FSelectedObjects);
    Workspace()->update();
    SelectionChanged();
}

void TfrxDesignerForm::BringToFront(bool front)
{
    if (FPage == nullptr)
        return;
    if (front ? zorBringToFront(FSelectedObjects) : zorSendToBack(FSelectedObjects)) {
        RebuildObjects();
        SetModified(true);
    }
}

// ---- pages ----

void TfrxDesignerForm::NewPage()
{
    if (!TfrxDesignerCommands::Allowed(cmNewPage))
        return;
    CommitEdits();
    TfrxReportPage *page = zorAddReportPage(&FReport);
    ReloadPages(int(Pages().indexOf(page)));
    SetModified(true);
}

void TfrxDesignerForm::NewDialogPage()
{
    if (!TfrxDesignerCommands::Allowed(cmNewDialog))
        return;
    CommitEdits();
    auto *page = new TfrxDialogPage(&FReport);
    page->CreateUniqueName();
    zorSetDesigning(page, true);
    ReloadPages(int(Pages().indexOf(page)));
    SetModified(true);
}

// The last printable page, the data page and a page of the parent template stay.
void TfrxDesignerForm::DeletePage()
{
    if (!TfrxDesignerCommands::Allowed(cmDeletePage) || FPage == nullptr ||
        qobject_cast<TfrxDataPage *>(FPage) != nullptr)
        return;
    const QList<TfrxPage *> pages = Pages();
    const auto printable = std::count_if(pages.begin(), pages.end(), [](TfrxPage *page) {
        return qobject_cast<TfrxDataPage *>(page) == nullptr;
    });
    if (printable <= 1)
        return;
    if (FPage->Ancestor()) {
        TfrxDesignerDialogs::Current().ShowError(
            this, TfrxReportServices::FillText(Text("dsCantDelete"), {FPage->Name()}));
        return;
    }
    CommitEdits();
    TfrxPage *page = FPage;
    FPage = nullptr;
    FObjects.clear();
    FSelectedObjects.clear();
    Workspace()->SetPage(nullptr);
    if (auto *reportPage = qobject_cast<TfrxReportPage *>(page))
        delete reportPage->SubReport();
    delete page;
    ReloadPages(-2);
    SetModified(true);
}

// ---- inserting ----

void TfrxDesignerForm::ChooseObject(const TfrxObjectItem &item)
{
    const QSizeF size = InsertionSize(item, Units());
    Workspace()->SetTool(wtSelect);
    Workspace()->SetInsertion(item.ClassRef, item.Flags, size.width(), size.height());
}

void TfrxDesignerForm::InsertObject(const TfrxInsertion &insertion)
{
    if (FPage == nullptr || !TfrxDesigner::CheckOp(drDontInsertObject))
        return;
    TfrxComponent *object = zorCreateDesignObject(insertion.ComponentClass, insertion.Flags, FPage);
    if (object == nullptr)
        return;
    object->SetBounds(insertion.Left, insertion.Top, insertion.Width, insertion.Height);
    if (auto *memo = qobject_cast<TfrxCustomMemoView *>(object))
        FFormat.ApplySample(memo);
    if (const TfrxDesigner *designer = TfrxDesigner::Instance();
        designer != nullptr && designer->OnInsertObject)
        designer->OnInsertObject(object);
    if (qobject_cast<TfrxSubreport *>(object) != nullptr)
        UpdatePageTabs();
    // Line tools stay for the next line; any other tool goes back to selecting.
    FinishInsertion(object, insertion.ComponentClass->inherits(&TfrxCustomLineView::staticMetaObject));
}

// The inserted object becomes the selection and goes into the band under it; one undo step.
void TfrxDesignerForm::FinishInsertion(TfrxComponent *object, bool keepTool)
{
    RebuildObjects();
    FSelectedObjects = {object};
    Workspace()->AdjustBands(true);
    if (!keepTool) {
        Workspace()->SetInsertion(nullptr, 0, 0, 0);
        FObjectBar->ResetTool();
    }
    SetModified(true);
    SelectionChanged();
}

void TfrxDesignerForm::InsertBand(int index)
{
    if (FPage == nullptr || !TfrxDesigner::CheckOp(drDontInsertObject))
        return;
    CommitEdits();
    TfrxBandPlacement placement;
    placement.BandHeight = zor::BandHeight(Units());
    placement.FreeBandsPlacement = FSettings.FreeBands;
    placement.BandHeader = Workspace()->BandHeader();
    placement.GridY = Workspace()->GridY();
    TfrxBand *band = zorInsertBand(FPage, index, placement);
    if (band == nullptr)
        return;
    zorSetDesigning(band, true);
    FinishInsertion(band, false);
}

// ---- formatting and alignment ----

void TfrxDesignerForm::ApplyFormat(int tag)
{
    if (FPage == nullptr)
        return;
    CommitEdits();
    bool changed = false;
    if (tag == ftgFitToGrid) {
        changed = FFormat.FitToGrid(FSelectedObjects, Workspace()->GridX(), Workspace()->GridY());
    } else if (tag == ftgFontDialog) {
        const auto *first = FSelectedObjects.isEmpty() ? nullptr : FSelectedObjects.front();
        TfrxFont font;
        if (first != nullptr)
            font.Assign(first->Font());
        if (!zorChooseFont(font, this))
            return;
        changed = FFormat.ApplyFont(font, FSelectedObjects);
    } else {
        changed = FFormat.Apply(TfrxFormatTag(tag), FFormatBars->Value(TfrxFormatTag(tag)), FSelectedObjects);
    }
    if (changed)
        SetModified(true);
    SelectionChanged();
}

void TfrxDesignerForm::ApplyAlignment(int command)
{
    if (FPage == nullptr)
        return;
    CommitEdits();
    if (zorAlignObjects(TfrxAlignCommand(command), FSelectedObjects))
        SetModified(true);
}

// ---- options ----

void TfrxDesignerForm::ShowOptions()
{
    const bool unitsEnabled = qobject_cast<TfrxReportPage *>(FPage) != nullptr || FPage == nullptr;
    TfrxOptionsEditor editor(FSettings, unitsEnabled, false, this);
    if (editor.exec() != QDialog::Accepted)
        return;
    TfrxDesignerSettings chosen = editor.Settings();
    if (editor.RestoreDefaults()) {
        if (std::unique_ptr<QSettings> store = FReport.GetIniFile()) {
            TfrxDesignerSettings::Defaults().Write(*store);
            const TfrxDesignerSettings restored = TfrxDesignerSettings::Read(*store);
            chosen.WindowGeometry = restored.WindowGeometry;
            chosen.WindowState = restored.WindowState;
        }
    }
    chosen.RecentFiles = FSettings.RecentFiles;
    ApplySettings(chosen);
    UpdateStatusBar(Workspace()->GetSelectionBounds());
}

// ---- preview ----

// The report is prepared and shown as it is; afterwards it is read back from a snapshot, so the
// preview cannot change the template, Modified or the undo list.
void TfrxDesignerForm::PreviewReport()
{
    if (FDebugger->GetState() == TfrxScriptDebugger::dsStopped) {
        FDebugger->Run(false, {});
        return;
    }
    if (!TfrxDesignerCommands::Allowed(cmPreview) || FPreviewWindow != nullptr)
        return;
    CommitEdits();
    StoreScript();
    if (!FReport.PrepareScript()) {
        const QStringList position = FReport.Script().ErrorPos().split(u':');
        ShowScript(position.value(0).toInt(), position.value(1).toInt());
        Memo()->ShowMessage(FReport.Script().ErrorMsg());
        return;
    }
    const int tab = CurrentTab();
    const QStringList names = SelectedNames();
    const QByteArray snapshot = FUndo.Snapshot(FReport);
    TfrxPreviewOptions *options = FReport.PreviewOptions();
    const bool modal = options->Modal;
    const bool mdiChild = options->MDIChild;
    options->Modal = false;
    options->MDIChild = false;
    Workspace()->DisableUpdate();
    FPage = nullptr;
    FObjects.clear();
    FSelectedObjects.clear();
    Workspace()->SetPage(nullptr);
    zorSetDesigning(&FReport, false);
    try {
        RunPreviewWindow();
    } catch (...) {
        // The preview shows its own errors; nothing of them may end the designer.
    }
    FUndo.Restore(FReport, snapshot);
    options = FReport.PreviewOptions();
    options->Modal = modal;
    options->MDIChild = mdiChild;
    zorSetDesigning(&FReport, true);
    UpdatePageTabs();
    FFilling = true;
    FTabs->setCurrentIndex(std::min(tab, FTabs->count() - 1));
    FFilling = false;
    ShowTab(FTabs->currentIndex());
    RestoreSelection(names);
    Workspace()->EnableUpdate();
}
