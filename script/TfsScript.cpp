#include "TfsScript.h"

#include "TfsClassVariable.h"
#include "TfsClassesModule.h"
#include "TfsCompiler.h"
#include "TfsError.h"
#include "TfsExpression.h"
#include "TfsILContext.h"
#include "TfsILParser.h"
#include "TfsMethodSyntax.h"
#include "TfsObjectRegistry.h"
#include "TfsParser.h"
#include "TfsRuntimeError.h"
#include "TfsStatement.h"
#include "TfsSysFunctions.h"
#include "TfsXMLDocument.h"
#include "TfsXMLItem.h"

#include <QBuffer>
#include <QObject>

namespace {

QString key(const QString &name)
{
    return name.toCaseFolded();
}

// Writes a var parameter back into an element of the caller's parameter array.
class ArraySlot : public TfsDesignator
{
public:
    ArraySlot(TfsValue &array, int index) : FArray(array), FIndex(index) {}
    TfsValue Eval() override { return FArray.ArrayAt(FIndex); }
    void Assign(const TfsValue &value) override { FArray.ArrayRef(FIndex) = value; }

private:
    TfsValue &FArray;
    int FIndex;
};

} // namespace

TfsScript::TfsScript(TfsScript *parent)
    : FParent(parent), FStatement(std::make_unique<TfsStatementList>(this))
{
    // The constants every language knows; a script with a parent sees its parent's.
    if (!parent) {
        AddConst(QStringLiteral("True"), QStringLiteral("Boolean"), TfsValue(true));
        AddConst(QStringLiteral("False"), QStringLiteral("Boolean"), TfsValue(false));
        AddConst(QStringLiteral("Null"), QStringLiteral("Variant"), TfsValue::MakeNull());
        AddConst(QStringLiteral("nil"), QStringLiteral("Variant"), TfsValue::MakeObject(0));
        AddRTTI();
    }
}

TfsScript::~TfsScript() = default;

void TfsScript::AdoptObject(QObject *object)
{
    if (object)
        FOwnedObjects.emplace_back(object);
}

bool TfsScript::FreeObject(QObject *object)
{
    const auto it =
        std::find_if(FOwnedObjects.begin(), FOwnedObjects.end(),
                     [object](const std::unique_ptr<QObject> &owned) { return owned.get() == object; });
    if (it == FOwnedObjects.end())
        return false;
    FOwnedObjects.erase(it);
    return true;
}

TfsCustomVariable *TfsScript::Add(std::unique_ptr<TfsCustomVariable> item)
{
    TfsCustomVariable *raw = item.get();
    raw->FFromSource = FCompiling;
    FItems.insert(key(raw->FName), raw);
    if (raw->IsVariable())
        FLocals.push_back(raw);
    FItemStore.push_back(std::move(item));
    return raw;
}

TfsCustomVariable *TfsScript::FindLocal(const QString &name) const
{
    return FItems.value(key(name));
}

TfsCustomVariable *TfsScript::Find(const QString &name) const
{
    const QString k = key(name);
    for (const TfsScript *s = this; s; s = s->FParent)
        if (TfsCustomVariable *item = s->FItems.value(k))
            return item;
    return nullptr;
}

bool TfsScript::ResolveType(const QString &name, TfsVarType &type) const
{
    QString resolved = name;
    for (const TfsScript *s = this; s; s = s->FParent) {
        const auto alias = s->FTypeAliases.constFind(name.toLower());
        if (alias != s->FTypeAliases.cend()) {
            resolved = *alias;
            break;
        }
    }
    if (const TfsCustomVariable *item = Find(resolved); item && item->Kind() == TfsCustomVariable::ikType) {
        type = item->FTyp;
        return true;
    }
    static const QHash<QString, TfsVarType> builtin = {
        {QStringLiteral("byte"), fvtInt},
        {QStringLiteral("word"), fvtInt},
        {QStringLiteral("integer"), fvtInt},
        {QStringLiteral("longint"), fvtInt},
        {QStringLiteral("cardinal"), fvtInt},
        {QStringLiteral("tcolor"), fvtInt},
        {QStringLiteral("talphacolor"), fvtInt},
        {QStringLiteral("int64"), fvtInt64},
        {QStringLiteral("boolean"), fvtBool},
        {QStringLiteral("real"), fvtFloat},
        {QStringLiteral("single"), fvtFloat},
        {QStringLiteral("double"), fvtFloat},
        {QStringLiteral("extended"), fvtFloat},
        {QStringLiteral("currency"), fvtFloat},
        {QStringLiteral("tdate"), fvtFloat},
        {QStringLiteral("ttime"), fvtFloat},
        {QStringLiteral("tdatetime"), fvtFloat},
        {QStringLiteral("char"), fvtChar},
        {QStringLiteral("string"), fvtString},
        {QStringLiteral("variant"), fvtVariant},
        {QStringLiteral("pointer"), fvtVariant},
        {QStringLiteral("array"), fvtArray},
        {QStringLiteral("constructor"), fvtConstructor},
    };
    const auto it = builtin.constFind(resolved.toLower());
    if (it == builtin.cend())
        return false;
    type = *it;
    return true;
}

TfsCustomVariable *TfsScript::AddVariable(const QString &name, const QString &typeName, const TfsValue &value)
{
    if (!FCompiling)
        if (TfsCustomVariable *visible = Find(name))
            return visible;
    TfsVarType type = fvtVariant;
    ResolveType(typeName, type);
    auto var = std::make_unique<TfsCustomVariable>(TfsCustomVariable::ikVariable, name, type, typeName);
    var->FValue = value;
    return Add(std::move(var));
}

TfsCustomVariable *TfsScript::AddConst(const QString &name, const QString &typeName, const TfsValue &value)
{
    if (TfsCustomVariable *visible = Find(name))
        return visible;
    TfsCustomVariable *c = AddVariable(name, typeName, value);
    c->FIsReadOnly = true;
    return c;
}

TfsNativeFunction *TfsScript::AddMethod(const QString &syntax, TfsNativeCall call, const QString &category,
                                        const QString &description)
{
    TfsMethodSyntax decl;
    if (!TfsMethodSyntax::Parse(syntax, *this, decl))
        return nullptr;
    int required = 0;
    for (const TfsNativeParam &p : decl.params)
        required += p.isOptional ? 0 : 1;
    TfsNativeFunction *f = AddMethod(decl.name, std::move(call), required, int(decl.params.size()),
                                     decl.isFunction ? decl.resultType : QStringLiteral("Variant"));
    f->FTypeName = decl.resultType;
    if (f->FTyp == fvtVariant && decl.isFunction && !decl.resultType.isEmpty() &&
        !ResolveType(decl.resultType, f->FTyp))
        f->FTyp = fvtClass;
    f->FHasSyntax = true;
    f->FParams = std::move(decl.params);
    f->FIsMacro = decl.isMacro;
    f->FSyntax = syntax;
    f->FCategory = category;
    f->FDescription = description.isEmpty() ? decl.name : description;
    return f;
}

TfsClassVariable *TfsScript::AddClass(const QString &name, const QString &ancestor, const QMetaObject *meta)
{
    if (const TfsCustomVariable *item = Find(name); item && dynamic_cast<const TfsClassVariable *>(item))
        return nullptr;
    auto cls = std::make_unique<TfsClassVariable>(name, ancestor, meta);
    TfsClassVariable *raw = cls.get();
    Add(std::move(cls));
    raw->AddPublishedProperties(*this);
    return raw;
}

TfsCustomVariable *TfsScript::AddObject(const QString &name, QObject *object)
{
    const TfsClassVariable *cls = object ? TfsClassVariable::ClassOf(object, *this) : nullptr;
    const QString typeName = cls ? cls->FName : QStringLiteral("TObject");
    auto var = std::make_unique<TfsCustomVariable>(TfsCustomVariable::ikVariable, name, fvtClass, typeName);
    var->FValue = TfsValue::MakeObject(TfsObjectRegistry::Handle(object));
    return Add(std::move(var));
}

void TfsScript::AddEnum(const QString &typeName, const QString &names)
{
    Add(std::make_unique<TfsCustomVariable>(TfsCustomVariable::ikType, typeName, fvtEnum, typeName));
    int value = 0;
    for (const QString &name : names.split(u','))
        AddConst(name.trimmed(), typeName, TfsValue(value++));
}

void TfsScript::AddEnumSet(const QString &typeName, const QString &names)
{
    Add(std::make_unique<TfsCustomVariable>(TfsCustomVariable::ikType, typeName, fvtEnum, typeName));
    int value = 1;
    for (const QString &name : names.split(u',')) {
        AddConst(name.trimmed(), typeName, TfsValue(value));
        value <<= 1;
    }
}

void TfsScript::AddRTTI()
{
    if (FRTTIAdded)
        return;
    FRTTIAdded = true;
    TfsSysFunctions::Register(*this);
    TfsClassesModule::Register(*this);
}

TfsNativeFunction *TfsScript::AddMethod(const QString &name, TfsNativeCall call, int minArgs, int maxArgs,
                                        const QString &resultType)
{
    TfsVarType type = fvtVariant;
    ResolveType(resultType, type);
    auto f = std::make_unique<TfsNativeFunction>(name, type, minArgs, maxArgs, std::move(call));
    return static_cast<TfsNativeFunction *>(Add(std::move(f)));
}

TfsValue TfsScript::Variable(const QString &name) const
{
    const TfsCustomVariable *item = Find(name);
    return item && item->IsVariable() ? item->GetValue() : TfsValue::MakeNull();
}

const TfsGetVarValueEvent *TfsScript::GetVarValueHook() const
{
    for (const TfsScript *s = this; s; s = s->FParent)
        if (s->OnGetVarValue)
            return &s->OnGetVarValue;
    return nullptr;
}

void TfsScript::SetVariable(const QString &name, const TfsValue &value)
{
    if (TfsCustomVariable *item = Find(name); item && item->IsVariable())
        item->SetValue(value);
    else
        AddVariable(name, QStringLiteral("Variant"), value);
}

void TfsScript::AddCodeLine(const QString &unit, const QString &pos)
{
    FUnitLines[unit].insert(TfsParser::PosToPoint(pos).y());
}

bool TfsScript::IsExecutableLine(int line, const QString &unit) const
{
    return FUnitLines.value(unit).contains(line);
}

bool TfsScript::Compile()
{
    FErrorMsg.clear();
    FErrorPos.clear();
    FErrorUnit.clear();
    TfsILContext context;
    PrepareContext(context);
    const std::unique_ptr<TfsILParser> parser = LanguageParser(context);
    if (!parser)
        return false;
    if (!parser->MakeILScript(FLines)) {
        FErrorMsg = context.ErrorMsg;
        FErrorPos = context.ErrorPos;
        FErrorUnit = context.ErrorUnit;
        return false;
    }
    return Build(*parser->ILScript().Root());
}

// A parser of the script's language; none, with the message set, when the language is unknown.
std::unique_ptr<TfsILParser> TfsScript::LanguageParser(TfsILContext &context)
{
    auto parser = std::make_unique<TfsILParser>(context);
    try {
        parser->SelectLanguage(FSyntaxType);
    } catch (const TfsError &e) {
        FErrorMsg = e.Message();
        return nullptr;
    }
    return parser;
}

bool TfsScript::GetILCode(QIODevice &stream)
{
    TfsILContext context;
    PrepareContext(context);
    const std::unique_ptr<TfsILParser> parser = LanguageParser(context);
    if (!parser)
        return false;
    const bool ok = parser->GetILCode(FLines, stream);
    FErrorMsg = context.ErrorMsg;
    FErrorPos = context.ErrorPos;
    return ok;
}

bool TfsScript::SetILCode(QIODevice &stream)
{
    FErrorMsg.clear();
    FErrorPos.clear();
    TfsILContext context;
    const std::unique_ptr<TfsILParser> parser = LanguageParser(context);
    if (!parser)
        return false;
    if (!parser->SetILCode(stream)) {
        FErrorMsg = QStringLiteral("Invalid file format");
        return false;
    }
    return Build(*parser->ILScript().Root());
}

// Rebuilds the items the source declares; items the host registered stay.
bool TfsScript::Build(const TfsXMLItem &program)
{
    FStatement = std::make_unique<TfsStatementList>(this);
    ++FGeneration;
    // Items of an earlier compilation go; the host's stay, each name again finding its newest item.
    std::erase_if(FItemStore, [](const auto &item) { return item->FFromSource; });
    FItems.clear();
    FLocals.clear();
    for (const auto &item : FItemStore) {
        FItems.insert(key(item->FName), item.get());
        if (item->IsVariable())
            FLocals.push_back(item.get());
    }
    FUnitLines.clear();
    FRoutineScripts.clear();
    FTypeAliases.clear();
    if (const TfsXMLItem *types = program.Find(QStringLiteral("types")) >= 0
                                      ? program.Item(program.Find(QStringLiteral("types")))
                                      : nullptr)
        for (int i = 0; i < types->Count(); ++i)
            FTypeAliases.insert(types->Item(i)->Name().toLower(),
                                types->Item(i)->Prop(QStringLiteral("type")));

    TfsILContext context;
    TfsILParser parser(context);
    bool needDeclare = true;
    try {
        parser.SelectLanguage(FSyntaxType);
        needDeclare = parser.NeedDeclareVars();
    } catch (const TfsError &) {
    }
    TfsCompiler compiler(*this, needDeclare);
    FCompiling = true;
    struct Done
    {
        bool &flag;
        ~Done() { flag = false; }
    } done{FCompiling};
    // Constants are computed while building: their run-time errors are errors of the compilation.
    try {
        compiler.Build(program);
        return true;
    } catch (const TfsError &e) {
        FErrorMsg = e.Message();
    } catch (const TfsRuntimeError &e) {
        FErrorMsg = e.Message();
    } catch (const std::bad_alloc &) {
        FErrorMsg = TfsRuntimeError::OutOfMemory().Message();
    }
    FErrorPos = compiler.ErrorPos();
    FErrorUnit = compiler.ErrorUnit();
    return false;
}

void TfsScript::Execute()
{
    FTerminated = false;
    FFlags = {};
    FIsRunning = true;
    struct Done
    {
        TfsScript &s;
        ~Done()
        {
            s.FIsRunning = false;
            s.FFlags = {};
        }
    } done{*this};
    FStatement->Run();
}

bool TfsScript::Run()
{
    if (!Compile())
        return false;
    Execute();
    return true;
}

void TfsScript::Terminate()
{
    FTerminated = true;
    FFlags.exitCalled = true;
    for (TfsScript *routine : FRoutineScripts)
        routine->Terminate();
}

void TfsScript::CallRunLine(TfsScript &owner, const QString &unit, const QString &pos)
{
    owner.OnRunLine(*this, unit, pos);
}

TfsValue TfsScript::Call(const QString &name, TfsValue &params, bool global, bool writeBack)
{
    TfsCustomVariable *item = global ? Find(name) : FindLocal(name);
    if (!item || item->Kind() != TfsCustomVariable::ikProc)
        return TfsValue::MakeNull();
    auto &proc = static_cast<TfsProcVariable &>(*item);
    std::vector<TfsValue> args;
    std::vector<std::unique_ptr<ArraySlot>> writers;
    std::vector<TfsDesignator *> back;
    if (params.kind() == TfsValue::Array) {
        for (int i = params.ArrayLow(); i <= params.ArrayHigh(); ++i) {
            args.push_back(params.ArrayAt(i));
            writers.push_back(std::make_unique<ArraySlot>(params, i));
            back.push_back(writeBack ? writers.back().get() : nullptr);
        }
    } else if (!params.IsNull() && !params.IsEmpty()) {
        args.push_back(params);
    }
    return fsCallRoutine(proc, args, back);
}

TfsValue TfsScript::CallFunction(const QString &name, const TfsValue &params, bool global)
{
    TfsValue copy = params;
    return Call(name, copy, global, false);
}

void TfsScript::PrepareContext(TfsILContext &context) const
{
    context.ExtendedCharset = FExtendedCharset;
    context.IncludePath = IncludePath;
    context.BaseFolder = BaseFolder;
    context.OnGetUnit = OnGetUnit;
}

TfsValue TfsScript::CallEvent(const QString &name, const TfsValue &params)
{
    const TfsCustomVariable *item = Find(name);
    if (item && item->Kind() == TfsCustomVariable::ikProc &&
        static_cast<const TfsProcVariable *>(item)->FDepth > 0)
        return TfsValue::MakeNull();
    return CallFunction(name, params, true);
}

TfsValue TfsScript::CallFunction1(const QString &name, TfsValue &params, bool global)
{
    return Call(name, params, global, true);
}

TfsValue TfsScript::Evaluate(const QString &expression)
{
    TfsScript *main = MainProg();
    TfsScript *scope = main->FProgRunning ? main->FProgRunning : this;
    TfsScript temporary(scope);
    temporary.SetSyntaxType(main->FSyntaxType);
    temporary.SetExtendedCharset(true);
    const QString name = QStringLiteral("fsEvaluateFUNC");
    QString error;
    if (!IsWholeExpression(main->FSyntaxType, expression, error, true)) {
        FEvaluteRiseError = true;
        return TfsValue(error);
    }
    temporary.SetLines(FunctionSource(main->FSyntaxType, name, expression));
    // The debugger's line hook does not see the evaluation's own statements.
    auto hook = std::move(main->OnRunLine);
    main->OnRunLine = nullptr;
    struct Restore
    {
        TfsScript &s;
        decltype(hook) &h;
        ~Restore() { s.OnRunLine = std::move(h); }
    } restore{*main, hook};
    FEvaluteRiseError = !temporary.Compile();
    if (FEvaluteRiseError)
        return TfsValue(temporary.ErrorMsg());
    return temporary.CallFunction(name, TfsValue::MakeNull());
}

QString TfsScript::FunctionSource(const QString &language, const QString &name, const QString &expression)
{
    if (language.compare(u"C++Script", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Variant %1() { return %2; } {}").arg(name, expression);
    if (language.compare(u"BasicScript", Qt::CaseInsensitive) == 0)
        return QStringLiteral("function %1\r\nreturn %2\r\nend function").arg(name, expression);
    if (language.compare(u"JScript", Qt::CaseInsensitive) == 0)
        return QStringLiteral("function %1() { return (%2); }").arg(name, expression);
    return QStringLiteral("function %1: Variant; begin Result := %2 end; begin end.").arg(name, expression);
}

bool TfsScript::IsWholeExpression(const QString &language, const QString &text, QString &error,
                                  bool extendedCharset)
{
    TfsILContext context;
    context.ExtendedCharset = extendedCharset;
    TfsILParser parser(context);
    try {
        parser.SelectLanguage(language);
    } catch (const TfsError &e) {
        error = e.Message();
        return false;
    }
    if (parser.MakeILExpression(text))
        return true;
    error = context.ErrorMsg;
    return false;
}
