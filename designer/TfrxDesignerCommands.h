#pragma once

#include <QObject>

class QAction;

// The designer's commands. Each is one QAction carrying its caption (from the string table), its
// shortcut, its picture and its restriction, shared by the menus and the toolbars.
enum TfrxDesignerCommand {
    cmNewItem,
    cmNewReport,
    cmNewPage,
    cmNewDialog,
    cmDeletePage,
    cmOpen,
    cmSave,
    cmSaveAs,
    cmPreview,
    cmPageSettings,
    cmExit,
    cmUndo,
    cmRedo,
    cmCut,
    cmCopy,
    cmPaste,
    cmDelete,
    cmSelectAll,
    cmGroup,
    cmUngroup,
    cmEdit,
    cmFind,
    cmReplace,
    cmFindNext,
    cmBringToFront,
    cmSendToBack,
    cmReportData,
    cmVariables,
    cmStyles,
    cmReportOptions,
    cmRulers,
    cmGuides,
    cmDeleteGuides,
    cmOptions,
    cmHelp,
    cmAbout,
    cmShowGrid,
    cmGridAlign,
    cmFitToGrid,
    cmBackdrop,
    cmCodeTab,
    cmObjectInspector,
    cmAddChildBand,
    cmReportTree,
    cmDataTree,
    cmOpenScript,
    cmSaveScript,
    cmRunScript,
    cmTraceInto,
    cmTerminateScript,
    cmEvaluate,
    cmToggleBreakpoint,
    cmRunToCursor,
    cmCommandCount
};

// What a command's entry in the table holds.
struct TfrxCommandInfo {
    const char *Key;      // caption: a key of the string table
    const char *Shortcut; // a QKeySequence text, or none
    int Restriction;      // the TfrxDesignerRestriction that forbids it, or 0
    const char *Icon;     // a designer picture, or none
    bool Checkable;
    bool Available;       // false while its dialog is not part of the designer yet
};

class TfrxDesignerCommands : public QObject
{
    Q_OBJECT

public:
    explicit TfrxDesignerCommands(QObject *parent);

    QAction *Action(TfrxDesignerCommand command) const { return FActions[command]; }
    // Takes every caption from the string table again (after a language is chosen).
    void Retranslate();
    static const TfrxCommandInfo &Info(TfrxDesignerCommand command);
    // Whether the command may run now: available, and allowed by the host's restrictions.
    static bool Allowed(TfrxDesignerCommand command);

private:
    QAction *FActions[cmCommandCount];
};
