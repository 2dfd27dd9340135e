#pragma once

#include "TfrxCustomDesigner.h"
#include "TfrxDesigner.h"
#include "TfrxDesignerCommands.h"
#include "TfrxDesignerPictureCache.h"
#include "TfrxDesignerSettings.h"
#include "TfrxFormatCommands.h"
#include "TfrxUndoBuffer.h"
#include "zorDesignerUnits.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QStackedWidget;
class QTabBar;
class TfrxCodeTab;
class TfrxDataTree;
class TfrxScriptDebugger;
class TfrxWatchList;
class TfrxSyntaxMemo;
class TfrxComponent;
class TfrxDesignerPageArea;
class TfrxDesignerRecovery;
class TfrxDesignerSearch;
class TfrxDesignerWorkspace;
class TfrxFormatToolbars;
class TfrxLanguageMenu;
class QDockWidget;
class TfrxObjectInspector;
class TfrxReportTree;
class TfrxObjectToolbar;
class TfrxPage;
class TfrxReport;
struct TfrxInsertion;
struct TfrxObjectItem;

// The designer window: the pages of a report on tabs ("Code" first), each shown in the workspace
// between rulers, with the menus, toolbars and commands that edit the report's own object tree in
// place. Every change goes through SetModified, which records one undo snapshot; saving writes
// the template file.
class TfrxDesignerForm : public QMainWindow, public TfrxCustomDesigner
{
    Q_OBJECT

public:
    explicit TfrxDesignerForm(TfrxReport &report, QWidget *parent = nullptr);
    ~TfrxDesignerForm() override;

    TfrxReport &Report() const override { return FReport; }
    TfrxPage *Page() const override { return FPage; }
    QList<TfrxComponent *> &Objects() override { return FObjects; }
    QList<TfrxComponent *> &SelectedObjects() override { return FSelectedObjects; }
    void SelectionChanged() override;
    bool Modified() const { return FModified; }
    // Also enables Save.
    void SetModified(bool value) override;
    TfrxDesignerUnits Units() const override { return FSettings.Units; }
    void SetUnits(TfrxDesignerUnits units);
    double Scale() const;
    void SetScale(double value);
    const TfrxDesignerSettings &Settings() const override { return FSettings; }
    TfrxPictureStore &Pictures() override { return FPictures; }
    QWidget *DialogParent() override { return this; }
    bool CheckOp(int restriction) const override;
    QStringList ScriptLines() const override;
    void SetScriptLines(const QStringList &lines) override;
    void ShowScript(int line, int column) override;
    QString InsertExpression(const QString &text) override;
    void ApplySettings(const TfrxDesignerSettings &settings);

    TfrxDesignerWorkspace *Workspace() const;
    TfrxScriptDebugger *Debugger() const { return FDebugger; }
    TfrxWatchList *Watches() const { return FWatches; }
    TfrxSyntaxMemo *Memo() const;
    QAction *Action(TfrxDesignerCommand command) const { return FCommands->Action(command); }
    const TfrxUndoBuffer &UndoBuffer() const { return FUndo; }
    QStringList RecentFiles() const { return FSettings.RecentFiles; }
    // The index of the tab shown: 0 the code tab, then the pages.
    int CurrentTab() const;

    // Loads the report's state into the window: pages, script, caption, recent files; empties the
    // undo list and records the first entry.
    void ReloadReport() override;
    // Shows a page: -1 the code tab, -2 the first page that is not the data page, else that page
    // (page 0 when out of range).
    void ReloadPages(int index) override;

    // The commands, also reached through their actions.
    void NewReport();
    bool OpenReport(const QString &fileName = {});
    bool SaveReport(bool saveAs = false);
    void PreviewReport();
    void Undo();
    void Redo();
    void CutSelection();
    void CopySelection();
    void PasteClipboard();
    void DeleteSelection();
    void SelectAll();
    void NewPage();
    void NewDialogPage();
    void DeletePage();
    void InsertBand(int index);
    void ShowOptions();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Window furniture.
    void CreateMenus();
    QMenu *AddMenu(QMenu *parent, const char *key);
    void BindText(const char *key, std::function<void(const QString &)> set);
    void RetranslateUi();
    void CreateToolbars();
    void CreateCentralArea();
    void CreateStatusBar();
    void ConnectCommands();
    void ConnectWorkspace();
    void UpdateControls();
    void UpdateCaption();
    void UpdateStatusBar(const QRectF &bounds);
    void UpdatePageTabs();
    void UpdateRecentMenu();
    void ApplyWorkspaceSettings();
    void UpdateBackdrop();

    // Objects: the inspector, the page menu, the object editors, the report's dialogs.
    void CreateToolWindows();
    QDockWidget *AddToolWindow(QWidget *content, const char *titleKey, const char *objectName,
                               TfrxDesignerCommand toggleCommand,
                               Qt::DockWidgetArea area = Qt::LeftDockWidgetArea);
    void InsertIntoScript(const QString &text);
    void UpdateReportTree();
    void ShowObject(TfrxComponent *object);
    void UpdateInspector();
    void ShowPageMenu(const QPoint &at);
    void EditSelected();
    void AddChildBand();
    void ConnectObjectCommands();

    // Pages and selection.
    void ShowTab(int index);
    void ShowPage(TfrxPage *page);
    void RebuildObjects();
    void RestoreSelection(const QStringList &names);
    QStringList SelectedNames() const;
    QList<TfrxPage *> Pages() const;

    // The code tab: the script, its language and its files.
    void CreateCodeTab();
    void LoadScript();
    void ScriptEdited();
    void ChooseLanguage(const QString &name);
    void OpenScriptFile();
    void SaveScriptFile();
    QString ScriptFileFilter() const;

    // The script debugger.
    void CreateDebugger();
    void ShowEvaluate();
    void ShowStoppedScript();
    void LockForPreview();
    void DebugStateChanged();
    void ApplyDebugLock();
    void RunPreviewWindow();

    // Editing.
    void CommitEdits();
    void StoreScript();
    void InsertObject(const TfrxInsertion &insertion);
    void FinishInsertion(TfrxComponent *object, bool keepTool);
    void ChooseObject(const TfrxObjectItem &item);
    void ApplyFormat(int tag);
    void ApplyAlignment(int command);
    void BringToFront(bool front);
    void ReloadFromUndo(bool undo);

    // Files.
    bool QuerySave();
    bool LoadFile(const QString &fileName);
    void ResetReport();
    bool WriteFile(const QString &fileName);
    QString AskSaveName() const;
    QString DisplayName() const;
    void ReadSettings();
    void WriteSettings();
    void OfferRecovery();

    TfrxReport &FReport;
    TfrxPage *FPage = nullptr;
    QList<TfrxComponent *> FObjects;
    QList<TfrxComponent *> FSelectedObjects;
    bool FModified = false;
    bool FScriptChanged = false;
    TfrxDesignerSettings FSettings;
    TfrxDesignerPictureCache FPictures;
    TfrxUndoBuffer FUndo{FPictures};
    TfrxFormatCommands FFormat;
    TfrxDesignerCommands *FCommands;
    TfrxDesignerPageArea *FPageArea = nullptr;
    TfrxCodeTab *FCodeTab = nullptr;
    QTabBar *FTabs = nullptr;
    QStackedWidget *FStack = nullptr;
    TfrxFormatToolbars *FFormatBars = nullptr;
    TfrxObjectToolbar *FObjectBar = nullptr;
    TfrxObjectInspector *FInspector = nullptr;
    TfrxReportTree *FReportTree = nullptr;
    TfrxDataTree *FDataTree = nullptr;
    TfrxScriptDebugger *FDebugger = nullptr;
    TfrxWatchList *FWatches = nullptr;
    QPointer<QWidget> FPreviewWindow;
    QMenu *FRecentMenu = nullptr;
    TfrxLanguageMenu *FLanguageMenu = nullptr;
    // Texts of the window's furniture with their keys, set again when the language changes.
    std::vector<std::pair<const char *, std::function<void(const QString &)>>> FTextBindings;
    QLabel *FUnitsLabel = nullptr;
    QLabel *FPositionLabel = nullptr;
    QLabel *FSizeLabel = nullptr;
    QLabel *FNameLabel = nullptr;
    std::unique_ptr<TfrxDesignerRecovery> FRecovery;
    std::unique_ptr<TfrxDesignerSearch> FSearch;
    // The window fills its controls from the report: their change signals are not the operator's.
    bool FFilling = false;
};
