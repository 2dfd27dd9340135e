#pragma once

#include "TfrxComponent.h"

#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class TfrxCustomEngine;
class TfrxCustomPreview;
class TfrxCustomPreviewPages;
class TfrxCustomProgress;
class TfrxDataSet;
class TfrxDrawText;
class TfrxEngineOptions;
class TfrxExpressionCache;
class TfrxNameIndex;
class TfrxPreviewOptions;
class TfrxPrintOptions;
class TfrxReportDataSets;
class TfrxReportComponent;
class TfrxReportOptions;
class TfrxReportPage;
class TfrxView;
class TfrxStyles;
class TfrxVariables;
class TfsScript;
class QIODevice;
class QSettings;

// The root of a report's object tree and the one entry point of the report library: it holds the
// template, the options, the script and the variables, owns the engine and the prepared pages, and
// loads, prepares, shows, prints and designs the report. Preparation, preview, printing and the
// designer live in libraries above this one and plug in through TfrxReportServices.
class TfrxReport : public TfrxComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Version MEMBER FVersion)
    Q_PROPERTY(QString ParentReport READ ParentReport WRITE SetParentReport)
    Q_PROPERTY(TfrxDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataSetName READ DataSetName WRITE SetDataSetName)
    Q_PROPERTY(TfrxEngineOptions *EngineOptions READ EngineOptions)
    Q_PROPERTY(QString IniFile MEMBER FIniFile)
    Q_PROPERTY(bool OldStyleProgress MEMBER FOldStyleProgress)
    Q_PROPERTY(TfrxPreviewOptions *PreviewOptions READ PreviewOptions)
    Q_PROPERTY(TfrxPrintOptions *PrintOptions READ PrintOptions)
    Q_PROPERTY(TfrxReportOptions *ReportOptions READ ReportOptions)
    Q_PROPERTY(QString ScriptLanguage READ ScriptLanguage WRITE SetScriptLanguage)
    Q_PROPERTY(QStringList ScriptText READ ScriptText WRITE SetScriptText)
    Q_PROPERTY(bool ShowProgress MEMBER FShowProgress)
    Q_PROPERTY(bool StoreInDFM MEMBER FStoreInDFM)
    Q_PROPERTY(QString OnStartReport MEMBER FOnStartReport)
    Q_PROPERTY(QString OnStopReport MEMBER FOnStopReport)
    Q_PROPERTY(QString OnRunDialogs MEMBER FOnRunDialogs)
    Q_PROPERTY(QString OnReportPrint MEMBER FOnReportPrint)
    Q_CLASSINFO("Default.IniFile", "\\Software\\Tervane")
    Q_CLASSINFO("Default.OldStyleProgress", "False")
    Q_CLASSINFO("Default.ShowProgress", "True")
    Q_CLASSINFO("Default.StoreInDFM", "True")
    Q_MOC_INCLUDE("TfrxReportOptions.h")
    Q_MOC_INCLUDE("TfrxDataSet.h")

public:
    explicit TfrxReport(QObject *owner = nullptr);
    ~TfrxReport() override;

    // Empties the template, the lists, variables and styles and resets options and script.
    void Clear() override;

    TfrxEngineOptions *EngineOptions() const { return FEngineOptions; }
    TfrxPreviewOptions *PreviewOptions() const { return FPreviewOptions; }
    TfrxPrintOptions *PrintOptions() const { return FPrintOptions; }
    TfrxReportOptions *ReportOptions() const { return FReportOptions; }
    QString Version() const { return FVersion; }
    QString IniFile() const { return FIniFile; }
    void SetIniFile(const QString &value) { FIniFile = value; }
    // The settings store named by IniFile: a name that begins with "\Software\" is the
    // per-user store at that key, any other name an INI file. The caller owns it.
    std::unique_ptr<QSettings> GetIniFile() const;
    bool OldStyleProgress() const { return FOldStyleProgress; }
    void SetOldStyleProgress(bool value) { FOldStyleProgress = value; }
    bool ShowProgress() const { return FShowProgress; }
    void SetShowProgress(bool value) { FShowProgress = value; }
    QStringList ScriptText() const { return FScriptText; }
    void SetScriptText(const QStringList &value) { FScriptText = value; }
    // The names the report answers itself during preparation ("Date", "Page#", ...).
    const QStringList &SysVariables() const { return FSysVariables; }

    // Inheritance: the report takes the objects of a parent template, marked as ancestors, and its
    // own template stores only what differs. A relative name is found beside the report's file,
    // then beside the program. Setting it loads the parent into the report; an empty name only
    // drops the ancestor marks. A chain that returns to a file or runs deeper than
    // MaxParentDepth is the error "Circular parent report".
    static constexpr int MaxParentDepth = 16;
    QString ParentReport() const { return FParentReport; }
    void SetParentReport(const QString &value);
    // The parent template as loaded, which the writer compares inherited objects against.
    TfrxReport *ParentReportObject() const { return FParentReportObject.get(); }
    // The whole tree of source copied into this report through the template format, default
    // values included.
    void AssignAll(TfrxReport *source);

    // The report's script and the compiled expressions of its texts.
    TfsScript &Script() const { return *FScript; }
    TfrxExpressionCache &ExpressionCache() const { return *FExpressionCache; }
    // The engine and the prepared pages; none when no engine library is linked.
    TfrxCustomEngine *Engine() const;
    TfrxCustomPreviewPages *PreviewPages() const;
    // Set by the progress window's cancel and by the script; preparation and printing stop, and
    // so does the running script.
    bool Terminated() const { return FTerminated; }
    void SetTerminated(bool value);

    // Progress of preparation (type 0), export (1) and printing (2), reported by the prepared
    // pages and the print run. Each calls the host's handler, keeps the old-style progress window
    // (for preparation only with OldStyleProgress, always for the other types; never without
    // ShowProgress), tells an attached preview about preparation, and lets the window system
    // process pending events. Nothing happens when the engine options ask for thread safety.
    enum ProgressType { ptRunning = 0, ptExporting = 1, ptPrinting = 2 };
    void InternalOnProgressStart(int type);
    void InternalOnProgress(int type, int n);
    void InternalOnProgressStop(int type);
    using ProgressEvent = std::function<void(TfrxReport &report, int type, int n)>;
    void SetOnProgressStart(ProgressEvent handler) { FOnProgressStart = std::move(handler); }
    void SetOnProgress(ProgressEvent handler) { FOnProgress = std::move(handler); }
    void SetOnProgressStop(ProgressEvent handler) { FOnProgressStop = std::move(handler); }
    // The host's event handlers. They belong to the program, not to the template: loads, clears
    // and the reload around preparation keep them.
    using NotifyEvent = std::function<void(TfrxReport &report)>;
    using GetValueEvent = std::function<void(const QString &name, QVariant &value)>;
    using NewGetValueEvent = std::function<void(TfrxReport &report, const QString &name, QVariant &value)>;
    using UserFunctionEvent = std::function<QVariant(const QString &methodName, QVariantList &params)>;
    using PrintPageEvent = std::function<void(TfrxReportPage *page, int copyNo)>;
    using ComponentEvent = std::function<void(TfrxReportComponent *component)>;
    using ViewEvent = std::function<void(TfrxView *view)>;
    using ClickObjectEvent = std::function<void(TfrxView *view, int button, int shift, bool &modified)>;
    // Preparation: before the script is compiled, after it compiled, after a successful run.
    void SetOnBeginDoc(NotifyEvent handler) { FOnBeginDoc = std::move(handler); }
    void SetOnAfterScriptCompile(NotifyEvent handler) { FOnAfterScriptCompile = std::move(handler); }
    const NotifyEvent &OnAfterScriptCompile() const { return FOnAfterScriptCompile; }
    void SetOnEndDoc(NotifyEvent handler) { FOnEndDoc = std::move(handler); }
    // Values of names that nothing in the report knows; a value they set is taken.
    void SetOnGetValue(GetValueEvent handler) { FOnGetValue = std::move(handler); }
    void SetOnNewGetValue(NewGetValueEvent handler) { FOnNewGetValue = std::move(handler); }
    // Every call of a function added with AddFunction; the handler's result is the call's value.
    void SetOnUserFunction(UserFunctionEvent handler) { FOnUserFunction = std::move(handler); }
    // The preview window: before it is shown, and when it closes.
    void SetOnPreview(NotifyEvent handler) { FOnPreview = std::move(handler); }
    const NotifyEvent &OnPreview() const { return FOnPreview; }
    void SetOnClosePreview(NotifyEvent handler) { FOnClosePreview = std::move(handler); }
    const NotifyEvent &OnClosePreview() const { return FOnClosePreview; }
    // Printing: before the pages, before each page with the copy number, after every run that got
    // past the print dialog, also a failed one.
    void SetOnPrintReport(NotifyEvent handler) { FOnPrintReport = std::move(handler); }
    const NotifyEvent &OnPrintReport() const { return FOnPrintReport; }
    void SetOnAfterPrintReport(NotifyEvent handler) { FOnAfterPrintReport = std::move(handler); }
    const NotifyEvent &OnAfterPrintReport() const { return FOnAfterPrintReport; }
    void SetOnPrintPage(PrintPageEvent handler) { FOnPrintPage = std::move(handler); }
    const PrintPageEvent &OnPrintPage() const { return FOnPrintPage; }
    // The mouse in the preview: clicks on a view (button 0 left, 1 right, 2 middle; shift as in
    // DoPreviewClick), the view under the mouse, and the mouse entering and leaving a view.
    void SetOnClickObject(ClickObjectEvent handler) { FOnClickObject = std::move(handler); }
    void SetOnDblClickObject(ClickObjectEvent handler) { FOnDblClickObject = std::move(handler); }
    void SetOnMouseOverObject(ViewEvent handler) { FOnMouseOverObject = std::move(handler); }
    const ViewEvent &OnMouseOverObject() const { return FOnMouseOverObject; }
    void SetOnMouseEnter(ViewEvent handler) { FOnMouseEnter = std::move(handler); }
    void SetOnMouseLeave(ViewEvent handler) { FOnMouseLeave = std::move(handler); }
    // Around the output of each object during preparation.
    void SetOnBeforePrint(ComponentEvent handler) { FOnBeforePrint = std::move(handler); }
    void SetOnAfterPrint(ComponentEvent handler) { FOnAfterPrint = std::move(handler); }

    // Adds a host function to the report's script by its declaration in the script language
    // ("function Twice(X: Integer): Integer"); calls go to the OnUserFunction handler. The
    // functions stay with the report and are added again whenever its script is compiled.
    // False, and nothing added, when the text is not a declaration.
    bool AddFunction(const QString &declaration, const QString &category = {}, const QString &description = {});

    // Calls the script procedure that an event property names with the object as its argument;
    // nothing for an empty name or, unless runAlways, while the engine is not running.
    void DoNotifyEvent(QObject *object, const QString &eventName, bool runAlways = false);
    // The same with arguments; the script's var parameters are written back into args. Objects
    // go in as QObject pointers.
    void DoParamEvent(const QString &eventName, QVariantList &args, bool runAlways = false);
    // The host's OnBeforePrint (OnAfterPrint), then the object's script event of that name.
    void DoBeforePrint(TfrxReportComponent *component);
    void DoAfterPrint(TfrxReportComponent *component);
    // A click in the preview on a view: the view's OnPreviewDblClick or OnPreviewClick script
    // event (also when the engine is not running) with the view, the button, the shift state
    // (1 Shift, 2 Alt, 4 Ctrl, 8 left, 16 right, 32 middle button, 64 double click) and modified
    // by reference; then the host's OnDblClickObject or OnClickObject. A modified report is
    // prepared again by the preview.
    void DoPreviewClick(TfrxView *view, int button, int shift, bool &modified, bool dblClick);
    // The mouse enters or leaves a view in the preview: the view's own operation, the host's
    // handler and the view's script event with the view and refresh by reference.
    void DoMouseEnter(TfrxView *view, bool &refresh);
    void DoMouseLeave(TfrxView *view, bool &refresh);

    // The progress window open now; none between operations.
    TfrxCustomProgress *Progress() const { return FProgress.get(); }
    // The preview control attached to the report; it follows preparation page by page.
    TfrxCustomPreview *Preview() const { return FPreview; }
    void SetPreview(TfrxCustomPreview *preview) { FPreview = preview; }

    // Compiles ScriptText in ScriptLanguage with the report's objects and functions bound; a
    // compile error goes to Errors as "Script error at <line:column>: <message>" and gives false.
    bool PrepareScript();
    // Prepares the template into the prepared pages; false, after reporting the error list
    // through the common error handler, when anything went wrong.
    bool PrepareReport(bool clearLastReport = true);
    // Prepares the report and shows it in the preview window (modal by the preview options).
    void ShowReport(bool clearLastReport = true);
    // Shows the pages already prepared.
    void ShowPreparedReport();
    // Prints the prepared pages; false when nothing was printed.
    bool Print();
    // Opens the designer on the report; nothing while a designer is open on it. The compiled script
    // is dropped and Modified cleared first. Modal: returns when the designer window has closed,
    // with Modified telling whether the template was changed there.
    void DesignReport(bool modal = true, bool mdiChild = false);
    // The designer window open on the report, which sets and clears it; none otherwise.
    QObject *Designer() const { return FDesigner; }
    void SetDesigner(QObject *designer) { FDesigner = designer; }
    bool Modified() const { return FModified; }
    void SetModified(bool value) { FModified = value; }
    // Reports a text by NewSilentMode: a message box, nothing, or TfrxError raised to the caller.
    void CommonErrorHandler(const QString &text);
    // The error list, headed "The following error(s) have occured:", through CommonErrorHandler.
    void ReportErrors();

    // The data set the whole report runs over: every page is prepared once per record.
    TfrxDataSet *DataSet() const;
    void SetDataSet(TfrxDataSet *value);
    QString DataSetName() const;
    void SetDataSetName(const QString &value);

    TfrxReportDataSets *DataSets() const { return FDataSets; }
    TfrxReportDataSets *EnabledDataSets() const { return FEnabledDataSets; }
    TfrxStyles *Styles() const { return FStyles; }
    TfrxVariables *Variables() const { return FVariables; }
    // Whether data sets are looked up in the process-wide list (an engine option).
    bool UseGlobalDataSetList() const;
    void SetUseGlobalDataSetList(bool value);

    // The value of a bracketed expression: a name the report knows (data field, system variable,
    // report variable, ...) or else the expression compiled once and run in the report's script.
    // A failing expression is added to Errors with the current object's name and raised as
    // TfrxError, which ends the preparation step.
    virtual QVariant Calc(const QString &expression);
    // The value of a name without compiling anything; false when no source knows the name.
    bool DoGetValue(const QString &name, QVariant &value);
    using CalcHandler = std::function<QVariant(const QString &expression)>;
    // Replaces the calculation wholesale, for hosts and tests that supply their own values.
    void SetCalcHandler(CalcHandler handler) { FCalcHandler = std::move(handler); }
    // The value of the object being output, the variable "Value" of scripts and conditions.
    QVariant LocalValue() const { return FLocalValue; }
    void SetLocalValue(const QVariant &value) { FLocalValue = value; }
    // The report's text layout engine; it is used under TfrxDrawText's process-wide lock.
    TfrxDrawText &DrawText() const { return *FDrawText; }
    // Variables shared by every report of the process (printing sets "CopyName"); an invalid
    // value when there is no such variable.
    static QVariant GlobalVariable(const QString &name);
    static void SetGlobalVariable(const QString &name, const QVariant &value);
    static void RemoveGlobalVariable(const QString &name);
    QString ScriptLanguage() const { return FScriptLanguage; }
    void SetScriptLanguage(const QString &value) { FScriptLanguage = value; }
    // The name of the object whose event or expression is being evaluated ("Self").
    QString CurObject() const { return FCurObject; }
    void SetCurObject(const QString &value) { FCurObject = value; }

    // Template storage through the registered template format. LoadFromFile clears the report and
    // returns whether the file existed and its password, if any, was given; a missing file raises
    // TfrxError when exceptionIfNotFound.
    bool LoadFromFile(const QString &fileName, bool exceptionIfNotFound = true);
    // Clears the report and reads a template; problems go to Errors, the load never raises. A
    // template with a password asks for it (unless this report has accepted that password before,
    // or the host gave it as the hidden password); a cancelled or wrong entry is the error
    // "Invalid password", reported through CommonErrorHandler (which raises it in the re-throw
    // mode), and leaves the report cleared.
    // Returns false then, so that a template nobody may open never counts as loaded.
    bool LoadFromStream(QIODevice *stream);
    // A password the host knows beforehand: templates protected by it open without asking.
    void SetHiddenPassword(const QString &password) { FHiddenPassword = password; }
    // Whether the host gave one: the report options then keep the password away from the operator.
    bool HasHiddenPassword() const { return !FHiddenPassword.isEmpty(); }
    // Writes the template through a temporary file in the same folder renamed over fileName, so a
    // failed save leaves the old file as it was. Returns false when nothing was replaced.
    bool SaveToFile(const QString &fileName);
    // Raises TfrxError when no template format is registered.
    void SaveToStream(QIODevice *stream);
    // The file last loaded; empty after a missing file. The designer sets it when it saves under
    // a new name.
    QString FileName() const { return FFileName; }
    void SetFileName(const QString &value) { FFileName = value; }
    // The last load ended early (unreadable text, a refused password): what the report holds is
    // not the whole file, so saving it back under the same name would lose the rest.
    bool LoadFailed() const { return FLoadFailed; }
    void SetLoadFailed(bool value) { FLoadFailed = value; }
    // The problems of the last load, each message once, sorted.
    const QStringList &Errors() const { return FErrors; }
    // Puts back a list saved before (what evaluating an expression for the operator added goes).
    void SetErrors(const QStringList &errors) { FErrors = errors; }
    void AddError(const QString &message);
    // Makes sure the report has a data page, named "Data" unless that name is taken, as its first child.
    void CheckDataPage();
    // The names of the objects of the tree, kept by the objects themselves.
    TfrxNameIndex &NameIndex() const { return *FNameIndex; }

    // The data set through the report's list by user name.
    TfrxDataSet *GetDataset(const QString &alias) const;
    // A field reference of the form DataSet."Field": the data set and the field name; none when
    // the text is no field reference or the data set is not in the report's list.
    bool GetDatasetAndField(const QString &name, TfrxDataSet *&dataSet, QString &field) const;
    // The user name of a listed data set, else "(dataset is not included in Report.DataSets)".
    QString GetAlias(const TfrxDataSet *dataSet) const;
    // The user names of the listed data sets (without user data sets when onlyDB).
    QStringList GetDataSetList(bool onlyDB) const;
    // The enabled data sets with a user name that expressions can reach.
    QList<TfrxDataSet *> GetActiveDataSetList() const;

private:
    QVariant SystemVariable(const QString &name) const;
    QString FindParentFile(const QString &name) const;
    bool LoadParent(const QString &path);
    QVariant VariableValue(const QString &name, const QVariant &value);
    void EnsureEngine() const;
    bool ShowsProgressWindow(int type) const;
    struct UserFunction;
    void AddUserFunctions();
    bool AddUserFunction(TfsScript &script, const UserFunction &function);
    bool EngineRunning() const;
    bool CheckPassword();
    QString ProgressText(int type, int n) const;

    // First, so that it outlives the other members: objects of the tree leave it as they go.
    std::unique_ptr<TfrxNameIndex> FNameIndex;
    QPointer<TfrxDataSet> FDataSet;
    QString FDataSetName;
    TfrxReportDataSets *FDataSets;
    TfrxReportDataSets *FEnabledDataSets;
    TfrxStyles *FStyles;
    TfrxVariables *FVariables;
    QStringList FVariablesInCalc; // variables being calculated now, to stop a circular reference
    TfrxEngineOptions *FEngineOptions;
    TfrxPreviewOptions *FPreviewOptions;
    TfrxPrintOptions *FPrintOptions;
    TfrxReportOptions *FReportOptions;
    QString FVersion = QStringLiteral("5.1.1");
    QString FParentReport;
    std::unique_ptr<TfrxReport> FParentReportObject;
    QString FIniFile = QStringLiteral("\\Software\\Tervane");
    bool FOldStyleProgress = false;
    bool FShowProgress = true;
    bool FStoreInDFM = true;
    bool FTerminated = false;
    QString FOnStartReport, FOnStopReport, FOnRunDialogs, FOnReportPrint;
    QStringList FScriptText;
    QStringList FSysVariables;
    std::unique_ptr<TfsScript> FScript;
    std::unique_ptr<TfrxExpressionCache> FExpressionCache;
    mutable std::unique_ptr<TfrxCustomPreviewPages> FPreviewPages;
    mutable std::unique_ptr<TfrxCustomEngine> FEngine;
    QString FScriptLanguage = QStringLiteral("PascalScript");
    QString FCurObject;
    CalcHandler FCalcHandler;
    QVariant FLocalValue;
    std::unique_ptr<TfrxDrawText> FDrawText;
    QString FFileName;
    bool FLoadFailed = false;
    QStringList FErrors;
    ProgressEvent FOnProgressStart, FOnProgress, FOnProgressStop;
    std::unique_ptr<TfrxCustomProgress> FProgress;
    TfrxCustomPreview *FPreview = nullptr;
    QPointer<QObject> FDesigner;
    bool FModified = false;
    NotifyEvent FOnBeginDoc, FOnAfterScriptCompile, FOnEndDoc, FOnPreview, FOnClosePreview, FOnPrintReport,
        FOnAfterPrintReport;
    GetValueEvent FOnGetValue;
    NewGetValueEvent FOnNewGetValue;
    UserFunctionEvent FOnUserFunction;
    PrintPageEvent FOnPrintPage;
    ClickObjectEvent FOnClickObject, FOnDblClickObject;
    ViewEvent FOnMouseOverObject, FOnMouseEnter, FOnMouseLeave;
    ComponentEvent FOnBeforePrint, FOnAfterPrint;
    struct UserFunction {
        QString declaration, category, description;
    };
    QList<UserFunction> FUserFunctions;
    QString FHiddenPassword;
    QString FAcceptedPassword;
};
