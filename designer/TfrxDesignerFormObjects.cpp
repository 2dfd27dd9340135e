// The designer window's tools for single objects: the object inspector, the page menu with each
// object's own items, the object editors (Edit..., double click), "Add child band", and the
// report's dialogs.
#include "TfrxDesignerForm.h"

#include "TfrxBand.h"
#include "TfrxBands.h"
#include "TfrxComponentEditor.h"
#include "TfrxDataTree.h"
#include "TfrxDesignerWorkspace.h"
#include "TfrxDialogPage.h"
#include "TfrxObjectInspector.h"
#include "TfrxReport.h"
#include "TfrxReportPage.h"
#include "TfrxReportTree.h"
#include "TfrxSyntaxMemo.h"
#include "zorDesignerObjects.h"
#include "zorEditorDialogs.h"
#include "zorEditorMenu.h"

#include <QAction>
#include <QDockWidget>
#include <QMenu>

namespace {

// A page footer publishes no Child, so a child band linked to it would be lost at the next save;
// column footers and overlays never have one.
bool TakesChildBand(const TfrxComponent *object)
{
    const auto *band = qobject_cast<const TfrxBand *>(object);
    return band != nullptr && qobject_cast<const TfrxColumnFooter *>(band) == nullptr &&
           qobject_cast<const TfrxOverlay *>(band) == nullptr &&
           qobject_cast<const TfrxPageFooter *>(band) == nullptr;
}

} // namespace

// A tool window, shown and hidden by its View command.
QDockWidget *TfrxDesignerForm::AddToolWindow(QWidget *content, const char *titleKey, const char *objectName,
                                             TfrxDesignerCommand toggleCommand, Qt::DockWidgetArea area)
{
    auto *dock = new QDockWidget(this);
    BindText(titleKey, [dock](const QString &text) { dock->setWindowTitle(text); });
    dock->setObjectName(QLatin1String(objectName));
    dock->setWidget(content);
    addDockWidget(area, dock);
    QAction *toggle = Action(toggleCommand);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, dock, &QDockWidget::setVisible);
    connect(dock, &QDockWidget::visibilityChanged, toggle,
            [toggle, dock] { toggle->setChecked(dock->isVisible()); });
    return dock;
}

void TfrxDesignerForm::CreateToolWindows()
{
    FInspector = new TfrxObjectInspector(*this, this);
    QDockWidget *inspector = AddToolWindow(FInspector, "2000", "ObjectInspectorDock", cmObjectInspector);
    FReportTree = new TfrxReportTree(FReport, this);
    QDockWidget *tree = AddToolWindow(FReportTree, "2200", "ReportTreeDock", cmReportTree);
    splitDockWidget(inspector, tree, Qt::Vertical);
    connect(FReportTree, &TfrxReportTree::ObjectChosen, this, &TfrxDesignerForm::ShowObject);
    connect(tree, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            UpdateReportTree();
    });
    FDataTree = new TfrxDataTree(*this, this);
    AddToolWindow(FDataTree, "2100", "DataTreeDock", cmDataTree, Qt::RightDockWidgetArea);
    connect(FDataTree, &TfrxDataTree::Activated, this, &TfrxDesignerForm::InsertIntoScript);
    connect(FDataTree, &TfrxDataTree::DataRequested, this, [this] {
        if (FPage != nullptr)
            Action(cmReportData)->trigger();
    });
    connect(FInspector, &TfrxObjectInspector::ObjectChosen, this, [this](TfrxComponent *object) {
        if (FPage == nullptr || object == nullptr)
            return;
        FSelectedObjects = {object};
        Workspace()->ExpandGroups();
        Workspace()->update();
        SelectionChanged();
    });
}

void TfrxDesignerForm::UpdateInspector()
{
    if (FInspector == nullptr)
        return;
    FInspector->SetObjects(FObjects);
    FInspector->SetSelectedObjects(FSelectedObjects);
    FReportTree->SetSelected(FSelectedObjects);
}

// The report tree is rebuilt only while it is shown: a report of thousands of objects would
// otherwise pay for it on every change.
void TfrxDesignerForm::UpdateReportTree()
{
    if (FReportTree == nullptr || !FReportTree->isVisible())
        return;
    FReportTree->UpdateItems();
    FReportTree->SetSelected(FSelectedObjects);
}

// Shows the page of an object and selects it alone (the report tree's choice).
void TfrxDesignerForm::ShowObject(TfrxComponent *object)
{
    if (object == nullptr)
        return;
    auto *page = qobject_cast<TfrxPage *>(object);
    if (page == nullptr)
        page = object->GetPage();
    const int index = int(Pages().indexOf(page));
    if (index < 0)
        return;
    if (page != FPage)
        ReloadPages(index);
    if (object != page) {
        FSelectedObjects = {object};
        Workspace()->ExpandGroups();
        Workspace()->update();
    }
    SelectionChanged();
}

// The page menu: the first selected object's editor and items, then the clipboard and order
// commands.
void TfrxDesignerForm::ShowPageMenu(const QPoint &at)
{
    QMenu menu(this);
    TfrxComponent *first = FSelectedObjects.isEmpty() ? nullptr : FSelectedObjects.front();
    std::unique_ptr<TfrxComponentEditor> editor =
        first != nullptr ? TfrxComponentEditors::Instance().GetComponentEditor(first, *this) : nullptr;
    QAction *edit = menu.addAction(Action(cmEdit)->text(), this, &TfrxDesignerForm::EditSelected);
    edit->setEnabled(editor != nullptr && editor->HasEditor());
    menu.setDefaultAction(edit);
    if (TakesChildBand(first))
        menu.addAction(Action(cmAddChildBand));
    // Separators in a row collapse into one, so an object without items leaves no gap.
    menu.addSeparator();
    if (editor != nullptr)
        zorAddEditorItems(menu, *editor, *this);
    menu.addSeparator();
    for (TfrxDesignerCommand command : {cmCut, cmCopy, cmPaste, cmDelete, cmSelectAll})
        menu.addAction(Action(command));
    menu.addSeparator();
    menu.addAction(Action(cmBringToFront));
    menu.addAction(Action(cmSendToBack));
    menu.exec(at);
}

// The editor of the first selected object (Edit..., a double click, Enter).
void TfrxDesignerForm::EditSelected()
{
    if (FPage == nullptr || FSelectedObjects.isEmpty())
        return;
    CommitEdits();
    TfrxComponent *first = FSelectedObjects.front();
    if (first->Restrictions().testFlag(zor::rfDontEdit))
        return;
    std::unique_ptr<TfrxComponentEditor> editor =
        TfrxComponentEditors::Instance().GetComponentEditor(first, *this);
    if (!editor->Edit())
        return;
    if (first == FPage)
        ReloadPages(int(Pages().indexOf(FPage)));
    SetModified(true);
}

// A new child band goes between the band and its former child.
void TfrxDesignerForm::AddChildBand()
{
    auto *band = FSelectedObjects.isEmpty() ? nullptr : qobject_cast<TfrxBand *>(FSelectedObjects.front());
    if (!TakesChildBand(band))
        return;
    TfrxChild *former = band->Child();
    InsertBand(14); // the band menu's Child
    auto *child = FSelectedObjects.isEmpty() ? nullptr : qobject_cast<TfrxChild *>(FSelectedObjects.front());
    if (child == nullptr)
        return;
    child->SetChild(former);
    band->SetChild(child);
    Workspace()->AdjustBands(true);
    SetModified(true);
}

void TfrxDesignerForm::ConnectObjectCommands()
{
    connect(Action(cmEdit), &QAction::triggered, this, &TfrxDesignerForm::EditSelected);
    connect(Action(cmAddChildBand), &QAction::triggered, this, &TfrxDesignerForm::AddChildBand);
    const std::pair<TfrxDesignerCommand, bool (*)(TfrxCustomDesigner &)> reportDialogs[] = {
        {cmReportData, zorEditReportData},
        {cmVariables, zorEditVariables},
        {cmStyles, zorEditStyles},
        {cmReportOptions, zorEditReportOptions},
    };
    for (const auto &[command, dialog] : reportDialogs) {
        connect(Action(command), &QAction::triggered, this, [this, command = command, dialog = dialog] {
            if (!TfrxDesignerCommands::Allowed(command))
                return;
            CommitEdits();
            if (dialog(*this)) {
                // Data sets and variables may have come or gone.
                FDataTree->UpdateItems();
                SetModified(true);
            }
        });
    }
    connect(Action(cmPageSettings), &QAction::triggered, this, [this] {
        auto *page = qobject_cast<TfrxReportPage *>(FPage);
        if (page == nullptr || page->IsSubReport() || !TfrxDesignerCommands::Allowed(cmPageSettings))
            return;
        CommitEdits();
        if (zorEditPage(*this, page)) {
            ReloadPages(int(Pages().indexOf(page)));
            SetModified(true);
        }
    });
}

// A double click in the data tree puts its entry into the script when the code tab is shown.
void TfrxDesignerForm::InsertIntoScript(const QString &text)
{
    if (FPage != nullptr || text.isEmpty())
        return;
    Memo()->SetSelText(text);
    ScriptEdited();
    Memo()->setFocus();
}

QString TfrxDesignerForm::InsertExpression(const QString &text)
{
    return zorEditExpression(*this, text);
}
