#include "TfrxDesignerForm.h"

#include "TfrxBand.h"
#include "TfrxClipboard.h"
#include "TfrxCodeTab.h"
#include "TfrxCustomMemoView.h"
#include "TfrxDesignerDialogs.h"
#include "TfrxDataPage.h"
#include "TfrxDataTree.h"
#include "TfrxDesignerPageArea.h"
#include "TfrxDesignerRecovery.h"
#include "TfrxDesignerSearch.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxDialogPage.h"
#include "TfrxFormatToolbars.h"
#include "TfrxLanguageMenu.h"
#include "TfrxObjectInspector.h"
#include "TfrxObjectToolbar.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxResources.h"
#include "TfrxStyleItem.h"
#include "TfrxStyles.h"
#include "TfrxSubreport.h"
#include "TfrxSyntaxMemo.h"
#include "TfrxWatchList.h"
#include "zorDesignerIcons.h"
#include "zorDesignerObjects.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTextBlock>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QString Text(const char *key)
{
    return zorResources().Get(QLatin1String(key));
}

// The zoom box's entries; the last two are computed from the window.
const int zoomPercents[] = {25, 50, 75, 100, 150, 200};

} // namespace

TfrxDesignerForm::TfrxDesignerForm(TfrxReport &report, QWidget *parent)
    : QMainWindow(parent), FReport(report), FCommands(new TfrxDesignerCommands(this))
{
    setObjectName(QStringLiteral("TfrxDesignerForm"));
    setWindowIcon(zorDesignerIcon("designer"));
    CreateCentralArea();
    CreateToolbars();
    CreateToolWindows();
    CreateDebugger();
    CreateMenus();
    CreateStatusBar();
    ConnectCommands();
    ConnectObjectCommands();
    ConnectWorkspace();
    FRecovery = std::make_unique<TfrxDesignerRecovery>(
        [this] {
            // A whole template, pictures included: the copy must open without this session.
            StoreScript();
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            FReport.SaveToStream(&buffer);
            return buffer.data();
        },
        this);
    ReadSettings();
    ReloadReport();
    OfferRecovery();
    if (const TfrxDesigner *designer = TfrxDesigner::Instance(); designer != nullptr && designer->OnShow)
        designer->OnShow();
}

TfrxDesignerForm::~TfrxDesignerForm() = default;

// ---- window furniture ----

void TfrxDesignerForm::CreateCentralArea()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FTabs = new QTabBar(central);
    FTabs->setDocumentMode(true);
    FTabs->setExpanding(false);
    FTabs->setDrawBase(true);
    FStack = new QStackedWidget(central);
    CreateCodeTab();
    FPageArea = new TfrxDesignerPageArea(FStack);
    FStack->addWidget(FCodeTab);
    FStack->addWidget(FPageArea);
    layout->addWidget(FTabs);
    layout->addWidget(FStack, 1);
    setCentralWidget(central);
    connect(FTabs, &QTabBar::currentChanged, this, [this](int index) {
        if (!FFilling)
            ShowTab(index);
    });
}

void TfrxDesignerForm::CreateToolbars()
{
    auto *standard = addToolBar(QString());
    BindText("2349", [standard](const QString &text) { standard->setWindowTitle(text); });
    standard->setObjectName(QStringLiteral("StandardToolBar"));
    standard->setIconSize(QSize(16, 16));
    for (TfrxDesignerCommand command : {cmNewReport, cmOpen, cmSave, cmPreview})
        standard->addAction(Action(command));
    standard->addSeparator();
    for (TfrxDesignerCommand command : {cmNewPage, cmNewDialog, cmDeletePage})
        standard->addAction(Action(command));
    standard->addSeparator();
    for (TfrxDesignerCommand command : {cmCut, cmCopy, cmPaste, cmUndo, cmRedo, cmGroup, cmUngroup})
        standard->addAction(Action(command));
    standard->addSeparator();
    auto *zoom = new QComboBox(standard);
    zoom->setObjectName(QStringLiteral("ZoomBox"));
    zoom->setEditable(true);
    BindText("2370", [zoom](const QString &text) { zoom->setToolTip(text); });
    for (int percent : zoomPercents)
        zoom->addItem(QString::number(percent) + u'%');
    zoom->addItem(QString());
    zoom->addItem(QString());
    BindText("zmPageWidth", [zoom](const QString &text) { zoom->setItemText(zoom->count() - 2, text); });
    BindText("zmWholePage", [zoom](const QString &text) { zoom->setItemText(zoom->count() - 1, text); });
    zoom->setMinimumContentsLength(9);
    standard->addWidget(zoom);
    auto applyZoom = [this, zoom] {
        const QString text = zoom->currentText();
        if (text == zoom->itemText(zoom->count() - 2))
            SetScale(FPageArea->PageWidthScale());
        else if (text == zoom->itemText(zoom->count() - 1))
            SetScale(FPageArea->WholePageScale());
        else {
            QString number = text;
            number.remove(u'%').remove(u' ').replace(u',', u'.');
            bool ok = false;
            const double percent = number.toDouble(&ok);
            if (ok && std::isfinite(percent) && percent > 0)
                SetScale(percent / 100);
        }
    };
    connect(zoom, &QComboBox::activated, this, applyZoom);
    connect(zoom->lineEdit(), &QLineEdit::returnPressed, this, applyZoom);

    FFormatBars = new TfrxFormatToolbars(this, {Action(cmShowGrid), Action(cmGridAlign), Action(cmFitToGrid)});
    // The alignment palette shares the first row with the standard commands, so that both rows
    // fit a window 1280 pixels wide.
    addToolBar(FFormatBars->AlignBar());
    addToolBarBreak();
    addToolBar(FFormatBars->TextBar());
    addToolBar(FFormatBars->FrameBar());
    connect(FFormatBars, &TfrxFormatToolbars::FormatRequested, this, &TfrxDesignerForm::ApplyFormat);
    connect(FFormatBars, &TfrxFormatToolbars::FontDialogRequested, this, [this] { ApplyFormat(ftgFontDialog); });
    connect(FFormatBars, &TfrxFormatToolbars::AlignRequested, this, &TfrxDesignerForm::ApplyAlignment);

    FObjectBar = new TfrxObjectToolbar(this);
    addToolBar(Qt::LeftToolBarArea, FObjectBar);
    connect(FObjectBar, &TfrxObjectToolbar::ToolChosen, this, [this](TfrxWorkspaceTool tool) {
        Workspace()->SetInsertion(nullptr, 0, 0, 0);
        Workspace()->SetTool(tool);
    });
    connect(FObjectBar, &TfrxObjectToolbar::ObjectChosen, this, &TfrxDesignerForm::ChooseObject);
    connect(FObjectBar, &TfrxObjectToolbar::BandChosen, this, &TfrxDesignerForm::InsertBand);
}

void TfrxDesignerForm::CreateMenus()
{
    QMenu *file = AddMenu(nullptr, "2378");
    for (TfrxDesignerCommand command : {cmNewItem, cmNewReport, cmNewPage, cmNewDialog, cmOpen, cmSave, cmSaveAs})
        file->addAction(Action(command));
    file->addSeparator();
    file->addAction(Action(cmPreview));
    file->addAction(Action(cmPageSettings));
    file->addSeparator();
    FRecentMenu = file;
    file->addAction(Action(cmExit));

    QMenu *edit = AddMenu(nullptr, "2379");
    for (TfrxDesignerCommand command : {cmUndo, cmRedo})
        edit->addAction(Action(command));
    edit->addSeparator();
    for (TfrxDesignerCommand command : {cmCut, cmCopy, cmPaste, cmDelete, cmDeletePage, cmSelectAll})
        edit->addAction(Action(command));
    edit->addSeparator();
    for (TfrxDesignerCommand command : {cmGroup, cmUngroup, cmEdit})
        edit->addAction(Action(command));
    edit->addSeparator();
    for (TfrxDesignerCommand command : {cmFind, cmReplace, cmFindNext})
        edit->addAction(Action(command));
    edit->addSeparator();
    edit->addAction(Action(cmBringToFront));
    edit->addAction(Action(cmSendToBack));

    QMenu *reportMenu = AddMenu(nullptr, "2383");
    for (TfrxDesignerCommand command : {cmReportData, cmVariables, cmStyles, cmReportOptions})
        reportMenu->addAction(Action(command));

    QMenu *view = AddMenu(nullptr, "2387");
    QMenu *toolbars = AddMenu(view, "2388");
    for (QToolBar *bar : findChildren<QToolBar *>())
        toolbars->addAction(bar->toggleViewAction());
    view->addSeparator();
    toolbars->addSeparator();
    toolbars->addAction(Action(cmObjectInspector));
    toolbars->addAction(Action(cmReportTree));
    toolbars->addAction(Action(cmDataTree));
    for (TfrxDesignerCommand command : {cmRulers, cmGuides, cmDeleteGuides, cmBackdrop, cmCodeTab})
        view->addAction(Action(command));
    view->addSeparator();
    view->addAction(Action(cmOptions));
    FLanguageMenu = new TfrxLanguageMenu(zorResources(), view, this);
    connect(FLanguageMenu, &TfrxLanguageMenu::LanguageChanged, this, &TfrxDesignerForm::RetranslateUi);

    QMenu *help = AddMenu(nullptr, "2401");
    help->addAction(Action(cmHelp));
    help->addAction(Action(cmAbout));
    // Keys that work beside the menu shortcuts.
    auto addKey = [this](const char *key, auto slot) {
        auto *action = new QAction(this);
        action->setShortcut(QKeySequence(QLatin1String(key)));
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    addKey("Ctrl+Ins", [this] { CopySelection(); });
    addKey("Shift+Ins", [this] { PasteClipboard(); });
    addKey("Shift+Del", [this] { CutSelection(); });
}

// A menu of the menu bar (no parent) or a submenu, titled from the table.
QMenu *TfrxDesignerForm::AddMenu(QMenu *parent, const char *key)
{
    QMenu *menu = parent != nullptr ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
    BindText(key, [menu](const QString &text) { menu->setTitle(text); });
    return menu;
}

// Sets a text from the table now and again whenever the language changes.
void TfrxDesignerForm::BindText(const char *key, std::function<void(const QString &)> set)
{
    set(Text(key));
    FTextBindings.emplace_back(key, std::move(set));
}

// After a language is chosen: the menus, commands, tool windows, tabs and status bar take their
// texts from the table again; dialogs opened from now on are built in the new language.
void TfrxDesignerForm::RetranslateUi()
{
    FCommands->Retranslate();
    for (const auto &[key, set] : FTextBindings)
        set(Text(key));
    UpdateBackdrop();
    UpdatePageTabs();
    UpdateStatusBar(Workspace()->GetSelectionBounds());
    UpdateInspector();
}

void TfrxDesignerForm::CreateStatusBar()
{
    FUnitsLabel = new QLabel(this);
    FPositionLabel = new QLabel(this);
    FSizeLabel = new QLabel(this);
    FNameLabel = new QLabel(this);
    for (QLabel *label : {FUnitsLabel, FPositionLabel, FSizeLabel})
        label->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000,00; 0000,00")));
    statusBar()->addWidget(FUnitsLabel);
    statusBar()->addWidget(FPositionLabel);
    statusBar()->addWidget(FSizeLabel);
    statusBar()->addWidget(FNameLabel, 1);
}

void TfrxDesignerForm::ConnectCommands()
{
    const std::pair<TfrxDesignerCommand, void (TfrxDesignerForm::*)()> simple[] = {
        {cmNewReport, &TfrxDesignerForm::NewReport},     {cmNewPage, &TfrxDesignerForm::NewPage},
        {cmNewDialog, &TfrxDesignerForm::NewDialogPage}, {cmDeletePage, &TfrxDesignerForm::DeletePage},
        {cmPreview, &TfrxDesignerForm::PreviewReport},   {cmUndo, &TfrxDesignerForm::Undo},
        {cmRedo, &TfrxDesignerForm::Redo},               {cmCut, &TfrxDesignerForm::CutSelection},
        {cmCopy, &TfrxDesignerForm::CopySelection},      {cmPaste, &TfrxDesignerForm::PasteClipboard},
        {cmDelete, &TfrxDesignerForm::DeleteSelection},  {cmSelectAll, &TfrxDesignerForm::SelectAll},
        {cmOptions, &TfrxDesignerForm::ShowOptions},
    };
    for (const auto &[command, slot] : simple)
        connect(Action(command), &QAction::triggered, this, slot);
    connect(Action(cmOpen), &QAction::triggered, this, [this] { OpenReport(); });
    connect(Action(cmSave), &QAction::triggered, this, [this] { SaveReport(false); });
    connect(Action(cmSaveAs), &QAction::triggered, this, [this] { SaveReport(true); });
    connect(Action(cmExit), &QAction::triggered, this, &QWidget::close);
    connect(Action(cmBringToFront), &QAction::triggered, this, [this] { BringToFront(true); });
    connect(Action(cmSendToBack), &QAction::triggered, this, [this] { BringToFront(false); });
    connect(Action(cmGroup), &QAction::triggered, this, [this] { Workspace()->GroupObjects(); });
    connect(Action(cmUngroup), &QAction::triggered, this, [this] { Workspace()->UngroupObjects(); });
    connect(Action(cmFitToGrid), &QAction::triggered, this, [this] { ApplyFormat(ftgFitToGrid); });
    connect(Action(cmCodeTab), &QAction::triggered, this, [this] { ReloadPages(-1); });
    connect(Action(cmAbout), &QAction::triggered, this, [this] {
        QMessageBox::about(this, Text("2600"),
                           QStringLiteral("Quillora\n") + QCoreApplication::applicationName() + u' ' +
                               QCoreApplication::applicationVersion());
    });
    connect(Action(cmDeleteGuides), &QAction::triggered, this, [this] { Workspace()->DeleteGuides(); });
    const std::pair<TfrxDesignerCommand, bool TfrxDesignerSettings::*> switches[] = {
        {cmRulers, &TfrxDesignerSettings::ShowRulers},
        {cmGuides, &TfrxDesignerSettings::ShowGuides},
        {cmShowGrid, &TfrxDesignerSettings::ShowGrid},
        {cmGridAlign, &TfrxDesignerSettings::GridAlign},
    };
    for (const auto &[command, member] : switches) {
        connect(Action(command), &QAction::toggled, this, [this, member = member](bool on) {
            FSettings.*member = on;
            ApplyWorkspaceSettings();
        });
    }
    Action(cmBackdrop)->setChecked(true);
    connect(Action(cmBackdrop), &QAction::toggled, this, [this](bool on) { Workspace()->SetBackdropVisible(on); });
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TfrxDesignerForm::UpdateControls);
}

void TfrxDesignerForm::ConnectWorkspace()
{
    TfrxDesignerWorkspace *workspace = Workspace();
    workspace->SetLists(&FObjects, &FSelectedObjects);
    workspace->SetSampleFormat(&FFormat);
    connect(workspace, &TfrxDesignerWorkspace::Modified, this, [this] {
        RebuildObjects();
        SetModified(true);
    });
    connect(workspace, &TfrxDesignerWorkspace::SelectionChanged, this, &TfrxDesignerForm::SelectionChanged);
    connect(workspace, &TfrxDesignerWorkspace::InsertRequested, this, &TfrxDesignerForm::InsertObject);
    connect(workspace, &TfrxDesignerWorkspace::PositionChanged, this, &TfrxDesignerForm::UpdateStatusBar);
    connect(workspace, &TfrxDesignerWorkspace::PagesChanged, this, [this] { UpdatePageTabs(); });
    connect(workspace, &TfrxDesignerWorkspace::ErrorOccurred, this,
            [this](const QString &message) { TfrxDesignerDialogs::Current().ShowError(this, message); });
    connect(workspace, &TfrxDesignerWorkspace::ContextMenuRequested, this, &TfrxDesignerForm::ShowPageMenu);
    connect(workspace, &TfrxDesignerWorkspace::EditRequested, this, &TfrxDesignerForm::EditSelected);
    connect(workspace, &TfrxDesignerWorkspace::FormatPainted, this, [this](TfrxComponent *object) {
        if (auto *memo = qobject_cast<TfrxCustomMemoView *>(object)) {
            FFormat.ApplySample(memo);
            SetModified(true);
        }
    });
    // The wheel over the page and the Zoom tool change the scale themselves; the zoom box follows.
    connect(FPageArea, &TfrxDesignerPageArea::ScaleChanged, this, [this](double scale) {
        FSettings.Scale = scale;
        UpdateControls();
    });
}

TfrxDesignerWorkspace *TfrxDesignerForm::Workspace() const
{
    return FPageArea->Workspace();
}

// ---- state shown in the window ----

void TfrxDesignerForm::UpdateControls()
{
    const bool page = FPage != nullptr;
    const bool code = !page;
    auto enable = [this](TfrxDesignerCommand command, bool state) {
        Action(command)->setEnabled(state && TfrxDesignerCommands::Allowed(command));
    };
    enable(cmUndo, code || FUndo.UndoCount() > 1);
    enable(cmRedo, page && FUndo.RedoCount() > 0);
    enable(cmPaste, code || TfrxClipboard::CanPaste(QGuiApplication::clipboard()->text()));
    enable(cmSave, FModified);
    enable(cmFindNext, FSearch != nullptr && FSearch->Active());
    const bool selection = page && !(FSelectedObjects.size() == 1 && FSelectedObjects.front() == FPage);
    for (TfrxDesignerCommand command : {cmCut, cmCopy, cmDelete, cmBringToFront, cmSendToBack, cmGroup, cmUngroup})
        enable(command, code || selection);
    for (TfrxDesignerCommand command : {cmSelectAll, cmDeleteGuides, cmFitToGrid})
        enable(command, code || page);
    const bool reportPage = qobject_cast<TfrxReportPage *>(FPage) != nullptr;
    enable(cmDeletePage, page && qobject_cast<TfrxDataPage *>(FPage) == nullptr);
    FFormatBars->SetEnabled(page);
    FObjectBar->setEnabled(page);
    FObjectBar->SetInsertAllowed(TfrxDesigner::CheckOp(drDontInsertObject));
    Action(cmBackdrop)->setEnabled(reportPage);
    auto *zoom = findChild<QComboBox *>(QStringLiteral("ZoomBox"));
    if (zoom != nullptr && !zoom->hasFocus())
        zoom->setEditText(QString::number(qRound(Scale() * 100)) + u'%');
    ApplyDebugLock();
}

void TfrxDesignerForm::UpdateCaption()
{
    setWindowTitle(QStringLiteral("Quillora - ") + DisplayName());
}

QString TfrxDesignerForm::DisplayName() const
{
    if (!FReport.FileName().isEmpty())
        return FReport.FileName();
    const TfrxDesigner *designer = TfrxDesigner::Instance();
    return QStringLiteral("Untitled.") + (designer != nullptr ? designer->TemplatesExt : QStringLiteral("ze3"));
}

void TfrxDesignerForm::UpdateStatusBar(const QRectF &bounds)
{
    static const char *const unitKeys[] = {"dsCm", "dsInch", "dsPix", "dsChars"};
    FUnitsLabel->setText(Text(unitKeys[Units()]));
    const bool shown = FPage != nullptr && !(FSelectedObjects.size() == 1 && FSelectedObjects.front() == FPage);
    auto pair = [this](double a, double b) {
        return zor::UnitsText(zor::PixelsToUnits(a, Units())) + QStringLiteral("; ") +
               zor::UnitsText(zor::PixelsToUnits(b, Units(), true));
    };
    FPositionLabel->setText(shown ? pair(bounds.left(), bounds.top()) : QString());
    FSizeLabel->setText(shown ? pair(bounds.width(), bounds.height()) : QString());
    FNameLabel->setText(FSelectedObjects.size() == 1 && FSelectedObjects.front() != nullptr
                            ? FSelectedObjects.front()->Name()
                            : QString());
}

// ---- pages, tabs and the selection ----

QList<TfrxPage *> TfrxDesignerForm::Pages() const
{
    QList<TfrxPage *> pages;
    for (TfrxComponent *child : FReport.Objects())
        if (auto *page = qobject_cast<TfrxPage *>(child))
            pages.append(page);
    return pages;
}

void TfrxDesignerForm::UpdatePageTabs()
{
    FFilling = true;
    while (FTabs->count() > 0)
        FTabs->removeTab(0);
    FTabs->addTab(Text("dsCode"));
    const QList<TfrxPage *> pages = Pages();
    for (int i = 0; i < pages.size(); ++i) {
        TfrxPage *page = pages.at(i);
        QString caption = page->Name();
        if (qobject_cast<TfrxDataPage *>(page) != nullptr)
            caption = Text("dsData");
        else if (auto *reportPage = qobject_cast<TfrxReportPage *>(page); reportPage && reportPage->SubReport())
            caption = reportPage->SubReport()->Name();
        else if (caption.isEmpty())
            caption = Text("dsPage") + QString::number(i + 1);
        FTabs->addTab(caption);
    }
    const int index = FPage != nullptr ? int(pages.indexOf(FPage)) : -1;
    FTabs->setCurrentIndex(index + 1);
    FFilling = false;
}

int TfrxDesignerForm::CurrentTab() const
{
    return FTabs->currentIndex();
}

void TfrxDesignerForm::ReloadPages(int index)
{
    const QList<TfrxPage *> pages = Pages();
    int tab = 0;
    if (index == -2) {
        const auto first = std::find_if(pages.begin(), pages.end(),
                                        [](TfrxPage *page) { return qobject_cast<TfrxDataPage *>(page) == nullptr; });
        tab = first != pages.end() ? int(first - pages.begin()) + 1 : (pages.isEmpty() ? 0 : 1);
    } else if (index >= 0) {
        tab = (index < pages.size() ? index : 0) + 1;
    }
    UpdatePageTabs();
    FFilling = true;
    FTabs->setCurrentIndex(tab);
    FFilling = false;
    ShowTab(tab);
}

void TfrxDesignerForm::ShowTab(int index)
{
    const QList<TfrxPage *> pages = Pages();
    if (index <= 0 || index > pages.size()) {
        CommitEdits();
        FPage = nullptr;
        FObjects.clear();
        FSelectedObjects.clear();
        Workspace()->SetPage(nullptr);
        FStack->setCurrentWidget(FCodeTab);
        Memo()->setFocus();
    } else {
        // Leaving the code tab makes the script edits of this visit one undo step.
        if (FPage == nullptr && FScriptChanged) {
            FScriptChanged = false;
            SetModified(true);
        }
        ShowPage(pages.at(index - 1));
    }
    UpdateControls();
    UpdateStatusBar(Workspace()->GetSelectionBounds());
}

void TfrxDesignerForm::ShowPage(TfrxPage *page)
{
    FPage = page;
    FStack->setCurrentWidget(FPageArea);
    TfrxDesignerWorkspace *workspace = Workspace();
    workspace->DisableUpdate();
    RebuildObjects();
    FSelectedObjects = {page};
    workspace->SetPage(page);
    ApplyWorkspaceSettings();
    UpdateBackdrop();
    workspace->EnableUpdate();
    const int kind = qobject_cast<TfrxDataPage *>(page) != nullptr     ? pkData
                     : qobject_cast<TfrxDialogPage *>(page) != nullptr ? pkDialog
                                                                       : pkReport;
    FObjectBar->SetPageKind(kind);
    FDataTree->UpdateItems();
    SelectionChanged();
}

void TfrxDesignerForm::RebuildObjects()
{
    if (FPage == nullptr)
        return;
    QList<TfrxComponent *> objects = FPage->GetAllObjects();
    std::stable_partition(objects.begin(), objects.end(),
                          [](TfrxComponent *object) { return qobject_cast<TfrxBand *>(object) != nullptr; });
    objects.append(&FReport);
    objects.append(FPage);
    FObjects = objects;
    FSelectedObjects.removeIf([this](TfrxComponent *object) { return !FObjects.contains(object); });
    if (FSelectedObjects.isEmpty())
        FSelectedObjects.append(FPage);
}

void TfrxDesignerForm::SelectionChanged()
{
    const TfrxComponent *first = FSelectedObjects.isEmpty() ? nullptr : FSelectedObjects.front();
    FFormatBars->SetState(TfrxFormatCommands::StateOf(first));
    UpdateInspector();
    UpdateControls();
    UpdateStatusBar(Workspace()->GetSelectionBounds());
}

QStringList TfrxDesignerForm::SelectedNames() const
{
    QStringList names;
    for (const TfrxComponent *object : FSelectedObjects)
        names.append(object->Name());
    return names;
}

void TfrxDesignerForm::RestoreSelection(const QStringList &names)
{
    if (FPage == nullptr)
        return;
    FSelectedObjects.clear();
    for (const QString &name : names) {
        TfrxComponent *object = FPage->Name() == name ? FPage : FPage->FindObject(name);
        if (object != nullptr && FObjects.contains(object) && object != FPage)
            FSelectedObjects.append(object);
    }
    if (FSelectedObjects.isEmpty())
        FSelectedObjects.append(FPage);
    Workspace()->update();
    SelectionChanged();
}

// ---- changes ----

void TfrxDesignerForm::SetModified(bool value)
{
    StoreScript();
    FModified = value;
    if (value || FUndo.UndoCount() == 0)
        FUndo.AddUndo(FReport);
    FRecovery->SetModified(FModified);
    Workspace()->update();
    if (FInspector != nullptr)
        FInspector->UpdateProperties();
    UpdateReportTree();
    UpdateControls();
    UpdateStatusBar(Workspace()->GetSelectionBounds());
}

void TfrxDesignerForm::StoreScript()
{
    FReport.SetScriptText(ScriptLines());
}

bool TfrxDesignerForm::CheckOp(int restriction) const
{
    return TfrxDesigner::CheckOp(TfrxDesignerRestriction(restriction));
}



void TfrxDesignerForm::CommitEdits()
{
    if (Workspace()->IsEditingInPlace())
        Workspace()->CloseInplaceEditor(true);
    if (FInspector != nullptr)
        FInspector->CommitEdit();
}

double TfrxDesignerForm::Scale() const
{
    return Workspace()->Scale();
}

void TfrxDesignerForm::SetScale(double value)
{
    if (!std::isfinite(value) || value <= 0)
        return;
    Workspace()->SetScale(value);
    FSettings.Scale = Workspace()->Scale();
    UpdateControls();
}

void TfrxDesignerForm::SetUnits(TfrxDesignerUnits units)
{
    FSettings.Units = units;
    ApplyWorkspaceSettings();
    UpdateStatusBar(Workspace()->GetSelectionBounds());
}

void TfrxDesignerForm::ApplySettings(const TfrxDesignerSettings &settings)
{
    FSettings = settings;
    FWatches->SetExpressions(FSettings.WatchList);
    Memo()->setFont(QFont(FSettings.ScriptFontName, FSettings.ScriptFontSize));
    Memo()->UpdateView();
    Action(cmRulers)->setChecked(FSettings.ShowRulers);
    Action(cmGuides)->setChecked(FSettings.ShowGuides);
    Action(cmShowGrid)->setChecked(FSettings.ShowGrid);
    Action(cmGridAlign)->setChecked(FSettings.GridAlign);
    Workspace()->SetScale(FSettings.Scale);
    ApplyWorkspaceSettings();
    UpdateRecentMenu();
}

// The grid follows the page's kind and the units; dialog and data pages show at scale 1.
void TfrxDesignerForm::ApplyWorkspaceSettings()
{
    TfrxDesignerWorkspace *workspace = Workspace();
    FPageArea->SetShowRulers(FSettings.ShowRulers);
    FPageArea->SetUnits(FSettings.Units);
    workspace->SetShowGrid(FSettings.ShowGrid);
    workspace->SetGridAlign(FSettings.GridAlign);
    workspace->SetGridLCD(FSettings.GridLCD);
    workspace->SetShowGuides(FSettings.ShowGuides);
    workspace->SetShowBandCaptions(FSettings.ShowBandCaptions);
    workspace->SetBandsGap(FSettings.BandsGap);
    workspace->SetFreeBandsPlacement(FSettings.FreeBands);
    workspace->SetWorkspaceColor(FSettings.WorkspaceColor.isValid() ? FSettings.WorkspaceColor
                                                                    : palette().color(QPalette::Window));
    if (qobject_cast<TfrxDataPage *>(FPage) != nullptr || qobject_cast<TfrxDialogPage *>(FPage) != nullptr) {
        const bool data = qobject_cast<TfrxDataPage *>(FPage) != nullptr;
        workspace->SetGridType(data ? gtNone : gtDialog);
        workspace->SetGrid(FSettings.Grid4, FSettings.Grid4);
        workspace->SetScale(1);
        return;
    }
    static const TfrxGridType gridTypes[] = {gt1cm, gt1in, gt1pt, gtChar};
    workspace->SetGridType(gridTypes[FSettings.Units]);
    if (FSettings.Units == duChars)
        workspace->SetGrid(zor::CharWidth, zor::CharHeight);
    else
        workspace->SetGrid(FSettings.GridStep(FSettings.Units), FSettings.GridStep(FSettings.Units));
    workspace->SetScale(FSettings.Scale);
}

// The host's picture under the pages of its own template, switched on when that template shows.
void TfrxDesignerForm::UpdateBackdrop()
{
    const TfrxDesigner *designer = TfrxDesigner::Instance();
    const bool own = designer != nullptr && !designer->Backdrop.IsNull() && !FReport.FileName().isEmpty() &&
                     QFileInfo(designer->Backdrop.FileName) == QFileInfo(FReport.FileName());
    QAction *action = Action(cmBackdrop);
    action->setVisible(own);
    if (!own) {
        Workspace()->SetBackdrop(QImage(), QRectF());
        return;
    }
    action->setText(designer->Backdrop.Caption.isEmpty() ? Text("dsBackdrop") : designer->Backdrop.Caption);
    Workspace()->SetBackdrop(designer->Backdrop.Picture, designer->Backdrop.RectMm);
    Workspace()->SetBackdropVisible(action->isChecked());
}
