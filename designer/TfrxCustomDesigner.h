#pragma once

#include "zorDesignerUnits.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;
class TfrxComponent;
class TfrxPage;
class TfrxPictureStore;
class TfrxReport;
struct TfrxDesignerSettings;

// What the tools around the workspace need of the designer window: the object inspector, the
// property and component editors, and the editor dialogs. They change the report's objects in
// place and tell the designer through SetModified, which records one undo step.
class TfrxCustomDesigner
{
public:
    virtual ~TfrxCustomDesigner() = default;

    virtual TfrxReport &Report() const = 0;
    // The page shown; none while the code tab is shown.
    virtual TfrxPage *Page() const = 0;
    // The page's objects (bands first), then the report and the page; the selection, which holds
    // the page when nothing else is selected.
    virtual QList<TfrxComponent *> &Objects() = 0;
    virtual QList<TfrxComponent *> &SelectedObjects() = 0;
    // Tells every view that the selection changed (the workspace, the inspector, the toolbars).
    virtual void SelectionChanged() = 0;
    // Records the report as it is now for undo (true: after a change) and brings every view up
    // to date.
    virtual void SetModified(bool value) = 0;
    virtual TfrxDesignerUnits Units() const = 0;
    virtual const TfrxDesignerSettings &Settings() const = 0;
    // The pictures of undo snapshots; editors that set a picture add it here.
    virtual TfrxPictureStore &Pictures() = 0;
    // The window to parent dialogs to.
    virtual QWidget *DialogParent() = 0;
    // Whether an operation of the host's TfrxDesignerRestriction set is allowed.
    virtual bool CheckOp(int restriction) const = 0;

    // The report's script as the designer holds it (the code tab may be newer than the report).
    virtual QStringList ScriptLines() const = 0;
    virtual void SetScriptLines(const QStringList &lines) = 0;
    // Shows the code tab with the caret at a line and column counted from 1.
    virtual void ShowScript(int line, int column) = 0;
    // Shows a page: -1 the code tab, -2 the first page that is not the data page, else that page.
    virtual void ReloadPages(int index) = 0;
    // Reads the whole report into the window again (after it was replaced, detached from or
    // inherited from a parent template): pages, script, selection; the undo list starts afresh.
    virtual void ReloadReport() = 0;
    // The expression editor on text; the edited text, or empty when cancelled.
    virtual QString InsertExpression(const QString &text) = 0;
};
