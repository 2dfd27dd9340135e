#include "TfrxReport.h"

#include "TfrxCustomEngine.h"
#include "TfrxCustomPreview.h"
#include "TfrxCustomProgress.h"
#include "TfrxCustomPreviewPages.h"
#include "TfrxDataPage.h"
#include "TfrxExpressionCache.h"
#include "TfrxNameIndex.h"
#include "TfrxReportOptions.h"
#include "TfrxReportServices.h"
#include "TfrxView.h"
#include "TfsItems.h"
#include "TfsObjectRegistry.h"
#include "TfsScript.h"
#include "TfsVariant.h"
#include "TfrxDataSet.h"
#include "TfrxError.h"
#include "TfrxTemplateFormat.h"
#include "TfrxDrawText.h"
#include "TfrxDataSetItem.h"
#include "TfrxReportDataSets.h"
#include "TfrxStyles.h"
#include "TfrxUserDataSet.h"
#include "TfrxVariable.h"
#include "TfrxVariables.h"
#include "zorSafeFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QHash>
#include <QScopeGuard>
#include <QSettings>

#include <algorithm>

using namespace zor;

TfrxReport::TfrxReport(QObject *owner)
    : TfrxComponent(owner),
      FNameIndex(std::make_unique<TfrxNameIndex>()),
      FDataSets(new TfrxReportDataSets(this, this)),
      FEnabledDataSets(new TfrxReportDataSets(this, this)),
      FStyles(new TfrxStyles(this, this)),
      FVariables(new TfrxVariables(this)),
      FEngineOptions(new TfrxEngineOptions(this)),
      FPreviewOptions(new TfrxPreviewOptions(this)),
      FPrintOptions(new TfrxPrintOptions(this)),
      FReportOptions(new TfrxReportOptions(this)),
      FScript(std::make_unique<TfsScript>()),
      FExpressionCache(std::make_unique<TfrxExpressionCache>()),
      FDrawText(std::make_unique<TfrxDrawText>())
{
    SetComponentStyle(ComponentStyle() | csHandlesNestedProperties);
    FScript->SetExtendedCharset(true);
    Clear();
}

TfrxReport::~TfrxReport()
{
    FProgress.reset();
    // The engine and the store refer to the tree; then the tree goes before the lists it refers to.
    FEngine.reset();
    FPreviewPages.reset();
    Clear();
}

void TfrxReport::Clear()
{
    TfrxComponent::Clear();
    FParentReport.clear();
    FParentReportObject.reset();
    SetDataSet(nullptr);
    FDataSets->Clear();
    FStyles->Clear();
    FVariables->Clear();
    FEngineOptions->Clear();
    FPreviewOptions->Clear();
    FPrintOptions->Clear();
    FReportOptions->Clear();
    FScriptLanguage = QStringLiteral("PascalScript");
    FScriptText = {QStringLiteral("begin"), QString(), QStringLiteral("end.")};
    FSysVariables = {QStringLiteral("Date"),       QStringLiteral("Time"),        QStringLiteral("Page"),
                     QStringLiteral("Page#"),      QStringLiteral("TotalPages"),  QStringLiteral("TotalPages#"),
                     QStringLiteral("Line"),       QStringLiteral("Line#"),       QStringLiteral("CopyName#")};
    FOnStopReport.clear();
}

namespace {

const TfrxTemplateFormat &templateFormat()
{
    const TfrxTemplateFormat *format = TfrxTemplateFormat::Registered();
    if (format == nullptr)
        throw TfrxError(QString(), QStringLiteral("No template format is registered"));
    return *format;
}

// Set while the hidden copy of a parent is made: the copy keeps the parent's ParentReport name
// without loading that file once more.
bool copyingParent = false;

// The parent files being loaded now, outermost first, to stop a chain that returns to a file.
QStringList &parentChain()
{
    static QStringList chain;
    return chain;
}

void markAncestors(TfrxComponent *root, bool value)
{
    root->SetAncestor(value);
    for (TfrxComponent *c : root->GetAllObjects())
        c->SetAncestor(value);
}

}  // namespace

void TfrxReport::SetParentReport(const QString &value)
{
    FParentReportObject.reset();
    FParentReport.clear();
    if (copyingParent) {
        FParentReport = value;
        return;
    }
    if (value.isEmpty()) {
        markAncestors(this, false);
        return;
    }
    const bool loaded = LoadParent(FindParentFile(value));
    // The name is kept even when its file cannot be read, so that saving the report keeps the link.
    FParentReport = value;
    if (loaded)
        markAncestors(this, true);
}

QString TfrxReport::FindParentFile(const QString &name) const
{
    if (QFileInfo(name).isAbsolute())
        return name;
    if (!FFileName.isEmpty()) {
        const QString besideReport = QFileInfo(FFileName).absoluteDir().filePath(name);
        if (QFileInfo::exists(besideReport))
            return besideReport;
    }
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

bool TfrxReport::LoadParent(const QString &path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    QStringList &chain = parentChain();
    if (!canonical.isEmpty() && (chain.contains(canonical) || chain.size() >= MaxParentDepth)) {
        const QString message = QStringLiteral("Circular parent report ") + path;
        AddError(message);
        // Ends the load of the file that asked for this parent: it counts as a failed load.
        throw TfrxError(QString(), message);
    }
    chain.append(canonical);
    const auto pop = qScopeGuard([&chain] { chain.removeLast(); });

    const QString ownFile = FFileName;
    const QStringList ownErrors = FErrors;
    const bool found = LoadFromFile(path, false);
    FFileName = ownFile;
    const QStringList parentErrors = FErrors;
    FErrors = ownErrors;
    for (const QString &error : parentErrors)
        AddError(error);
    if (!found) {
        AddError(QStringLiteral("Cannot find parent report ") + path);
        return false;
    }
    FParentReportObject = std::make_unique<TfrxReport>();
    copyingParent = true;
    const auto reset = qScopeGuard([] { copyingParent = false; });
    FParentReportObject->AssignAll(this);
    return true;
}

void TfrxReport::AssignAll(TfrxReport *source)
{
    if (source == nullptr || source == this)
        return;
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    templateFormat().Write(source, &buffer);
    buffer.seek(0);
    const QString fileName = source->FFileName;
    // A copy opens without asking for the password its source already holds.
    FAcceptedPassword = source->FReportOptions->Password;
    LoadFromStream(&buffer);
    FFileName = fileName;
}

bool TfrxReport::UseGlobalDataSetList() const
{
    return FEngineOptions->UseGlobalDataSetList;
}

void TfrxReport::SetUseGlobalDataSetList(bool value)
{
    FEngineOptions->UseGlobalDataSetList = value;
}

std::unique_ptr<QSettings> TfrxReport::GetIniFile() const
{
    static const QString registryPrefix = QStringLiteral("\\Software\\");
    if (FIniFile.startsWith(registryPrefix, Qt::CaseInsensitive)) {
        // The per-user store: organisation and application from the key's next two parts.
        const QStringList parts = FIniFile.mid(registryPrefix.size()).split(QLatin1Char('\\'), Qt::SkipEmptyParts);
        const QString organisation = parts.value(0, QStringLiteral("Tervane"));
        const QString application = parts.size() > 1 ? parts.mid(1).join(QLatin1Char('/')) : organisation;
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation, application);
    }
    // A relative INI name lies in the user's configuration folder, never in whatever folder the
    // program happens to be started from.
    QString path = FIniFile;
    if (QFileInfo(path).isRelative())
        path = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + path;
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

QVariant TfrxReport::Calc(const QString &expression)
{
    if (FCalcHandler)
        return FCalcHandler(expression);
    QVariant value;
    if (DoGetValue(expression, value))
        return value;
    QString error;
    TfsValue result;
    try {
        result = FExpressionCache->Calc(expression, FScript.get(), error);
    } catch (const std::exception &e) {
        // Whatever the script engine raises (a constant folded at compile time) is the expression's error.
        error = QString::fromUtf8(e.what());
    }
    if (error.isEmpty())
        return fsValueToVariant(result);
    if (error == QLatin1String("Floating point division by zero") && FEngineOptions->IgnoreDevByZero)
        return {};
    const QString message = FCurObject.isEmpty() ? error : FCurObject + QStringLiteral(": ") + error;
    AddError(message);
    throw TfrxError(QString(), message);
}

bool TfrxReport::DoGetValue(const QString &name, QVariant &value)
{
    value = QVariant();
    TfrxDataSet *dataSet = nullptr;
    QString field;
    if (GetDatasetAndField(name, dataSet, field)) {
        value = dataSet->GetValue(field);
        if (FEngineOptions->ConvertNulls && (!value.isValid() || value.isNull())) {
            switch (dataSet->GetFieldType(field)) {
            case fftString: value = QString(); break;
            case fftBoolean: value = false; break;
            default: value = 0; break;
            }
        }
        return true;
    }
    if (FSysVariables.contains(name, Qt::CaseInsensitive)) {
        value = SystemVariable(name);
        return true;
    }
    if (FOnGetValue || FOnNewGetValue) {
        QVariant hostValue;
        if (FOnGetValue)
            FOnGetValue(name, hostValue);
        if (FOnNewGetValue)
            FOnNewGetValue(*this, name, hostValue);
        if (hostValue.isValid()) {
            value = hostValue;
            return true;
        }
    }
    if (const qsizetype i = FVariables->IndexOf(name); i >= 0) {
        value = VariableValue(FVariables->Items(i)->Name(), FVariables->Items(i)->Value());
        return true;
    }
    const QVariant global = GlobalVariable(name);
    if (global.isValid()) {
        value = global;
        return true;
    }
    if (TfsCustomVariable *item = FScript->Find(name); item != nullptr && item->IsVariable()) {
        value = fsValueToVariant(item->GetValue());
        return true;
    }
    return false;
}

// A text without a line break is a formula (2*3 gives 6); a variable that reaches itself through
// its formula is an error instead of an endless recursion.
QVariant TfrxReport::VariableValue(const QString &name, const QVariant &value)
{
    if (value.typeId() != QMetaType::QString || value.toString().contains(u'\n') || value.toString().contains(u'\r'))
        return value;
    if (FVariablesInCalc.contains(name, Qt::CaseInsensitive)) {
        const QString message = QStringLiteral("Circular reference in variable ") + name;
        AddError(message);
        throw TfrxError(QString(), message);
    }
    FVariablesInCalc.append(name);
    const auto unmark = qScopeGuard([this] { FVariablesInCalc.removeLast(); });
    return Calc(value.toString());
}

QVariant TfrxReport::SystemVariable(const QString &name) const
{
    const QString key = name.toUpper();
    if (key == QLatin1String("COPYNAME#"))
        return GlobalVariable(QStringLiteral("CopyName0"));
    TfrxCustomEngine *engine = Engine();
    if (engine == nullptr)
        return {};
    if (key == QLatin1String("DATE"))
        return engine->StartDateTime().date();
    if (key == QLatin1String("TIME"))
        return engine->StartDateTime().time();
    return engine->SystemVariable(key);
}

void TfrxReport::EnsureEngine() const
{
    if (FPreviewPages != nullptr)
        return;
    const TfrxReportServices &services = TfrxReportServices::Instance();
    if (!services.CreateEngine)
        return;
    TfrxReportServices::EngineParts parts = services.CreateEngine(const_cast<TfrxReport &>(*this));
    FPreviewPages = std::move(parts.PreviewPages);
    FEngine = std::move(parts.Engine);
}

TfrxCustomEngine *TfrxReport::Engine() const
{
    EnsureEngine();
    return FEngine.get();
}

TfrxCustomPreviewPages *TfrxReport::PreviewPages() const
{
    EnsureEngine();
    return FPreviewPages.get();
}

namespace {

QString unavailable(const QString &what)
{
    return QStringLiteral("%1 is not available in this program").arg(what);
}

}  // namespace

void TfrxReport::SetTerminated(bool value)
{
    FTerminated = value;
    if (value)
        FScript->Terminate();
}

bool TfrxReport::ShowsProgressWindow(int type) const
{
    return (FOldStyleProgress || type != ptRunning) && FShowProgress;
}

QString TfrxReport::ProgressText(int type, int n) const
{
    struct Text {
        const char *key;
        const char *english;
    };
    static const Text texts[] = {{"prRunning", "Preparing page %d"},
                                 {"prExporting", "Exporting page %d"},
                                 {"prPrinting", "Printing page %d"}};
    static const Text firstPass{"prRunningFirst", "First pass: page %d"};
    const bool inFirstPass = type == ptRunning && FEngine != nullptr && !FEngine->FinalPass();
    const Text &text = inFirstPass ? firstPass : texts[std::clamp(type, 0, 2)];
    return TfrxReportServices::FillText(
        TfrxReportServices::Text(QLatin1String(text.key), QLatin1String(text.english)), {QString::number(n)});
}

void TfrxReport::InternalOnProgressStart(int type)
{
    if (FEngineOptions->EnableThreadSafe)
        return;
    if (FOnProgressStart)
        FOnProgressStart(*this, type, 0);
    if (ShowsProgressWindow(type)) {
        FProgress.reset();
        if (const auto &create = TfrxReportServices::Instance().CreateProgress)
            FProgress = create(*this);
    }
    if (type == ptRunning && FPreview != nullptr)
        FPreview->InternalOnProgressStart();
    QCoreApplication::processEvents();
}

void TfrxReport::InternalOnProgress(int type, int n)
{
    if (FEngineOptions->EnableThreadSafe)
        return;
    if (FOnProgress)
        FOnProgress(*this, type, n);
    if (ShowsProgressWindow(type) && FProgress != nullptr)
        FProgress->SetMessage(ProgressText(type, n));
    if (type == ptRunning && FPreview != nullptr)
        FPreview->InternalOnProgress(n - 1);
    QCoreApplication::processEvents();
    if (FProgress != nullptr && FProgress->Cancelled())
        SetTerminated(true);
}

void TfrxReport::InternalOnProgressStop(int type)
{
    if (FEngineOptions->EnableThreadSafe)
        return;
    if (FOnProgressStop)
        FOnProgressStop(*this, type, 0);
    if (ShowsProgressWindow(type))
        FProgress.reset();
    if (type == ptRunning && FPreview != nullptr)
        FPreview->InternalOnProgressStop();
    QCoreApplication::processEvents();
}

bool TfrxReport::AddFunction(const QString &declaration, const QString &category, const QString &description)
{
    FUserFunctions.append({declaration, category, description});
    if (AddUserFunction(*FScript, FUserFunctions.last()))
        return true;
    FUserFunctions.removeLast();
    return false;
}

void TfrxReport::AddUserFunctions()
{
    for (const UserFunction &function : std::as_const(FUserFunctions))
        AddUserFunction(*FScript, function);
}

// Each call goes to the host's handler by the function's name with the argument values; what the
// handler writes into the arguments reaches the script's var parameters.
bool TfrxReport::AddUserFunction(TfsScript &script, const UserFunction &function)
{
    auto name = std::make_shared<QString>();
    TfsNativeFunction *added = script.AddMethod(
        function.declaration,
        [this, name](std::span<TfsValue> args) {
            if (!FOnUserFunction)
                return TfsValue::MakeNull();
            QVariantList params;
            params.reserve(qsizetype(args.size()));
            for (const TfsValue &arg : args)
                params.append(fsValueToVariant(arg));
            const QVariant result = FOnUserFunction(*name, params);
            for (size_t i = 0; i < args.size() && qsizetype(i) < params.size(); ++i)
                args[i] = fsVariantToValue(params.at(qsizetype(i)));
            return fsVariantToValue(result);
        },
        function.category, function.description);
    if (added == nullptr)
        return false;
    *name = added->FName;
    return true;
}

bool TfrxReport::EngineRunning() const
{
    return FEngine != nullptr && FEngine->Running();
}

void TfrxReport::DoNotifyEvent(QObject *object, const QString &eventName, bool runAlways)
{
    QVariantList args{QVariant::fromValue(object)};
    DoParamEvent(eventName, args, runAlways);
}

namespace {

bool holdsObject(const QVariant &value)
{
    return value.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

TfsValue scriptArgument(const QVariant &value)
{
    if (holdsObject(value))
        return TfsValue::MakeObject(TfsObjectRegistry::Handle(value.value<QObject *>()));
    return fsVariantToValue(value);
}

}  // namespace

void TfrxReport::DoParamEvent(const QString &eventName, QVariantList &args, bool runAlways)
{
    if (eventName.trimmed().isEmpty() || (!runAlways && !EngineRunning()))
        return;
    // A procedure already running (an event raised from inside its own handler) is not entered again.
    const TfsCustomVariable *item = FScript->Find(eventName);
    if (item == nullptr || item->Kind() != TfsCustomVariable::ikProc ||
        static_cast<const TfsProcVariable *>(item)->FDepth > 0)
        return;
    TfsValue params = TfsValue::MakeArray(0, int(args.size()) - 1);
    for (qsizetype i = 0; i < args.size(); ++i)
        params.ArrayRef(int(i)) = scriptArgument(args.at(i));
    FScript->CallFunction1(eventName, params, true);
    for (qsizetype i = 0; i < args.size(); ++i)
        if (!holdsObject(args.at(i)))
            args[i] = fsValueToVariant(params.ArrayAt(int(i)));
}

void TfrxReport::DoBeforePrint(TfrxReportComponent *component)
{
    if (FOnBeforePrint)
        FOnBeforePrint(component);
    DoNotifyEvent(component, component->OnBeforePrint());
}

void TfrxReport::DoAfterPrint(TfrxReportComponent *component)
{
    if (FOnAfterPrint)
        FOnAfterPrint(component);
    DoNotifyEvent(component, component->OnAfterPrint());
}

void TfrxReport::DoPreviewClick(TfrxView *view, int button, int shift, bool &modified, bool dblClick)
{
    QVariantList args{QVariant::fromValue(view), button, shift, modified};
    DoParamEvent(dblClick ? view->OnPreviewDblClick() : view->OnPreviewClick(), args, true);
    modified = args.at(3).toBool();
    if (const ClickObjectEvent &host = dblClick ? FOnDblClickObject : FOnClickObject)
        host(view, button, shift, modified);
}

void TfrxReport::DoMouseEnter(TfrxView *view, bool &refresh)
{
    refresh = view->DoMouseEnter(nullptr) || refresh;
    if (FOnMouseEnter)
        FOnMouseEnter(view);
    QVariantList args{QVariant::fromValue(view), refresh};
    DoParamEvent(view->OnMouseEnter(), args, true);
    refresh = args.at(1).toBool();
}

void TfrxReport::DoMouseLeave(TfrxView *view, bool &refresh)
{
    refresh = view->DoMouseLeave(nullptr) || refresh;
    if (FOnMouseLeave)
        FOnMouseLeave(view);
    QVariantList args{QVariant::fromValue(view), refresh};
    DoParamEvent(view->OnMouseLeave(), args, true);
    refresh = args.at(1).toBool();
}

bool TfrxReport::PrepareScript()
{
    FScript = std::make_unique<TfsScript>();
    FScript->SetExtendedCharset(true);
    FScript->SetSyntaxType(FScriptLanguage);
    FScript->SetLines(FScriptText.join(QStringLiteral("\r\n")));
    FExpressionCache->Clear(FScriptLanguage);
    if (const auto &bind = TfrxReportServices::Instance().BindScript)
        bind(*this, *FScript);
    AddUserFunctions();
    if (FScript->Compile()) {
        if (FOnAfterScriptCompile)
            FOnAfterScriptCompile(*this);
        return true;
    }
    AddError(TfrxReportServices::FillText(TfrxReportServices::Text(QStringLiteral("clScrError"), QStringLiteral("Script error at %s: %s")),
                          {FScript->ErrorPos(), FScript->ErrorMsg()}));
    return false;
}

bool TfrxReport::PrepareReport(bool clearLastReport)
{
    FErrors.clear();
    FTerminated = false;
    TfrxCustomEngine *engine = Engine();
    if (engine == nullptr) {
        AddError(unavailable(QStringLiteral("Report preparation")));
        ReportErrors();
        return false;
    }
    if (clearLastReport)
        PreviewPages()->Clear();
    const auto run = [this, engine] {
        if (FOnBeginDoc)
            FOnBeginDoc(*this);
        const bool done = engine->Run();
        if (done && FErrors.isEmpty() && FOnEndDoc)
            FOnEndDoc(*this);
        return done;
    };
    bool ok = false;
    if (FEngineOptions->DestroyForms) {
        // Whatever the script changes in the template during preparation is undone by reloading
        // the template saved before; the error list and the password outlive the reload.
        QBuffer saved;
        saved.open(QIODevice::ReadWrite);
        SaveToStream(&saved);
        const QString fileName = FFileName;
        const QString password = FReportOptions->Password;
        const int splicingLine = FPrintOptions->SplicingLine;
        ok = run();
        const QStringList errors = FErrors;
        FAcceptedPassword = password;
        saved.seek(0);
        LoadFromStream(&saved);
        FFileName = fileName;
        FReportOptions->Password = password;
        FPrintOptions->SplicingLine = splicingLine;
        FErrors = errors;
        if (const auto &rebind = TfrxReportServices::Instance().RebindScript)
            rebind(*this, *FScript);
    } else {
        ok = run();
    }
    if (!FErrors.isEmpty()) {
        ReportErrors();
        return false;
    }
    return ok;
}

void TfrxReport::ShowReport(bool clearLastReport)
{
    if (clearLastReport && PreviewPages() != nullptr)
        PreviewPages()->Clear();
    const TfrxReportServices &services = TfrxReportServices::Instance();
    if (!services.ShowPreview) {
        CommonErrorHandler(unavailable(QStringLiteral("The preview")));
        return;
    }
    if (FOldStyleProgress) {
        if (PrepareReport(false))
            services.ShowPreview(*this, false);
        return;
    }
    services.ShowPreview(*this, true);
}

void TfrxReport::ShowPreparedReport()
{
    const TfrxReportServices &services = TfrxReportServices::Instance();
    if (!services.ShowPreview) {
        CommonErrorHandler(unavailable(QStringLiteral("The preview")));
        return;
    }
    services.ShowPreview(*this, false);
}

bool TfrxReport::Print()
{
    if (!TfrxReportServices::Instance().Print) {
        CommonErrorHandler(unavailable(QStringLiteral("Printing")));
        return false;
    }
    return PreviewPages() != nullptr && PreviewPages()->Print();
}

void TfrxReport::DesignReport(bool modal, bool)
{
    const TfrxReportServices &services = TfrxReportServices::Instance();
    if (FDesigner)
        return;
    if (!services.Design) {
        CommonErrorHandler(unavailable(QStringLiteral("The report designer")));
        return;
    }
    FScript = std::make_unique<TfsScript>();
    for (TfrxDataSet *dataSet : GetActiveDataSetList())
        dataSet->BeforeStartReport();
    FModified = false;
    services.Design(*this, modal);
}

void TfrxReport::CommonErrorHandler(const QString &text)
{
    switch (FEngineOptions->NewSilentMode) {
    case simSilent:
        return;
    case simReThrow:
        throw TfrxError(QString(), text);
    case simMessageBoxes:
        if (const auto &show = TfrxReportServices::Instance().ShowError)
            show(text);
        else
            qWarning("%s", qUtf8Printable(text));
        return;
    }
}

void TfrxReport::ReportErrors()
{
    const QString heading = TfrxReportServices::Text(QStringLiteral("clErrors"),
                                                     QStringLiteral("The following error(s) have occured:"));
    CommonErrorHandler(heading + QStringLiteral("\r\n") + FErrors.join(QStringLiteral("\r\n")));
}

bool TfrxReport::LoadFromFile(const QString &fileName, bool exceptionIfNotFound)
{
    Clear();
    FFileName.clear();
    FErrors.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (exceptionIfNotFound)
            throw TfrxError(QString(),
                            QStringLiteral("Cannot open file \"%1\": %2").arg(fileName, file.errorString()));
        return false;
    }
    FFileName = fileName;
    return LoadFromStream(&file);
}

bool TfrxReport::LoadFromStream(QIODevice *stream)
{
    FErrors.clear();
    FLoadFailed = false;
    Clear();
    try {
        for (const QString &error : templateFormat().Read(this, stream))
            AddError(error);
    } catch (const TfrxError &e) {
        AddError(e.Message());
        FLoadFailed = true;
    } catch (const std::exception &e) {
        AddError(QString::fromUtf8(e.what()));
        FLoadFailed = true;
    }
    CheckDataPage();
    return CheckPassword();
}

bool TfrxReport::CheckPassword()
{
    const QString password = FReportOptions->Password;
    if (password.isEmpty() || password == FAcceptedPassword || password == FHiddenPassword)
        return true;
    QString entered;
    const auto &ask = TfrxReportServices::Instance().AskPassword;
    if (ask && ask(*this, entered) && entered == password) {
        FAcceptedPassword = password;
        return true;
    }
    AddError(QStringLiteral("Invalid password"));
    FLoadFailed = true;
    Clear();
    CheckDataPage();
    ReportErrors();
    return false;
}

void TfrxReport::SaveToStream(QIODevice *stream)
{
    templateFormat().Write(this, stream);
}

bool TfrxReport::SaveToFile(const QString &fileName)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(&buffer);
    return zorWriteFileSafely(fileName, buffer.data());
}

void TfrxReport::AddError(const QString &message)
{
    const auto at = std::lower_bound(FErrors.begin(), FErrors.end(), message);
    if (at == FErrors.end() || *at != message)
        FErrors.insert(at, message);
}

void TfrxReport::CheckDataPage()
{
    const QList<TfrxComponent *> all = GetAllObjects();
    if (std::any_of(all.begin(), all.end(), [](TfrxComponent *c) { return qobject_cast<TfrxDataPage *>(c); }))
        return;
    auto *page = new TfrxDataPage(this);
    page->SetParent(this);
    if (FindObject(QStringLiteral("Data")) == nullptr)
        page->SetName(QStringLiteral("Data"));
    else
        page->CreateUniqueName();
    MoveToIndex(page, 0);
}

namespace {

QHash<QString, QVariant> &GlobalVariables()
{
    static QHash<QString, QVariant> variables;
    return variables;
}

}  // namespace

QVariant TfrxReport::GlobalVariable(const QString &name)
{
    return GlobalVariables().value(name);
}

void TfrxReport::SetGlobalVariable(const QString &name, const QVariant &value)
{
    GlobalVariables().insert(name, value);
}

void TfrxReport::RemoveGlobalVariable(const QString &name)
{
    GlobalVariables().remove(name);
}

TfrxDataSet *TfrxReport::DataSet() const
{
    return FDataSet;
}

void TfrxReport::SetDataSet(TfrxDataSet *value)
{
    FDataSet = value;
    FDataSetName = value != nullptr ? value->UserName() : QString();
}

QString TfrxReport::DataSetName() const
{
    return FDataSet != nullptr ? FDataSet->UserName() : FDataSetName;
}

void TfrxReport::SetDataSetName(const QString &value)
{
    FDataSetName = value;
    FDataSet = FindDataSet(FDataSet, value);
}

TfrxDataSet *TfrxReport::GetDataset(const QString &alias) const
{
    return FDataSets->Find(alias);
}

bool TfrxReport::GetDatasetAndField(const QString &name, TfrxDataSet *&dataSet, QString &field) const
{
    dataSet = nullptr;
    field.clear();
    const qsizetype i = name.indexOf(QStringLiteral(".\""));
    if (i < 0)
        return false;
    dataSet = FDataSets->Find(name.left(i));
    if (dataSet == nullptr)
        return false;
    // The field name runs from after the point and quote up to, without, the last character.
    field = name.mid(i + 2, std::max<qsizetype>(0, name.size() - i - 3));
    return true;
}

QString TfrxReport::GetAlias(const TfrxDataSet *dataSet) const
{
    if (dataSet != nullptr && FDataSets->Find(const_cast<TfrxDataSet *>(dataSet)) != nullptr)
        return dataSet->UserName();
    return QStringLiteral("(dataset is not included in Report.DataSets)");
}

QStringList TfrxReport::GetDataSetList(bool onlyDB) const
{
    QStringList out;
    for (qsizetype i = 0; i < FDataSets->Count(); ++i) {
        TfrxDataSet *ds = FDataSets->Items(i)->DataSet();
        if (ds == nullptr || (onlyDB && qobject_cast<TfrxUserDataSet *>(ds) != nullptr))
            continue;
        out.append(ds->UserName());
    }
    return out;
}

QList<TfrxDataSet *> TfrxReport::GetActiveDataSetList() const
{
    if (UseGlobalDataSetList())
        return TfrxDataSet::GlobalList();
    QList<TfrxDataSet *> out;
    for (qsizetype i = 0; i < FEnabledDataSets->Count(); ++i) {
        TfrxDataSet *ds = FEnabledDataSets->Items(i)->DataSet();
        if (ds != nullptr && ds->Enabled())
            out.append(ds);
    }
    return out;
}
