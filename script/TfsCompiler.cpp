#include "TfsCompiler.h"

#include "TfsClassVariable.h"
#include "TfsError.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"
#include "TfsStatement.h"
#include "TfsXMLItem.h"

#include <QLocale>

#include <utility>

namespace {

const QString kIncompatible = QStringLiteral("Incompatible types");

QString quoted(const QString &message, const QString &name)
{
    return message + u'\'' + name + u'\'';
}

const TfsXMLItem *child(const TfsXMLItem &item, QStringView name)
{
    for (int i = 0; i < item.Count(); ++i)
        if (item.Item(i)->Name() == name)
            return item.Item(i);
    return nullptr;
}

// IL read back from a stream may lack parts the grammar always produces.
const TfsXMLItem &need(const TfsXMLItem *item)
{
    if (!item)
        throw TfsError(QStringLiteral("Invalid file format"));
    return *item;
}

const TfsXMLItem &need(const TfsXMLItem &parent, int index)
{
    return need(index >= 0 && index < parent.Count() ? parent.Item(index) : nullptr);
}

QString leafText(const TfsXMLItem &item)
{
    return item.Prop(QStringLiteral("text"));
}

struct OperatorInfo
{
    TfsOperatorType op;
    int priority;
};

// IL operator text to operator and priority (a smaller priority binds tighter).
const QHash<QString, OperatorInfo> &operators()
{
    static const QHash<QString, OperatorInfo> table = {
        {QStringLiteral(">"), {opGreat, 4}},       {QStringLiteral("<"), {opLess, 4}},
        {QStringLiteral("<="), {opLessEq, 4}},     {QStringLiteral(">="), {opGreatEq, 4}},
        {QStringLiteral("<>"), {opNonEq, 4}},      {QStringLiteral("="), {opEq, 4}},
        {QStringLiteral("in"), {opIn, 4}},         {QStringLiteral("is"), {opIs, 4}},
        {QStringLiteral("+"), {opPlus, 3}},        {QStringLiteral("strcat"), {opStrCat, 3}},
        {QStringLiteral("-"), {opMinus, 3}},       {QStringLiteral("or"), {opOr, 3}},
        {QStringLiteral("xor"), {opXor, 3}},       {QStringLiteral("*"), {opMul, 2}},
        {QStringLiteral("/"), {opDivFloat, 2}},    {QStringLiteral("div"), {opDivInt, 2}},
        {QStringLiteral("mod"), {opMod, 2}},       {QStringLiteral("and"), {opAnd, 2}},
        {QStringLiteral("shl"), {opShl, 2}},       {QStringLiteral("shr"), {opShr, 2}},
        {QStringLiteral("("), {opLeftBracket, 6}}, {QStringLiteral(")"), {opRightBracket, 5}},
        {QStringLiteral("not"), {opNot, 1}},       {QStringLiteral("unminus"), {opUnMinus, 1}},
    };
    return table;
}

bool isComparison(TfsOperatorType op)
{
    return (op >= opGreat && op <= opEq) || op == opIn || op == opIs;
}

// The operator suits its left operand's type.
bool suits(TfsOperatorType op, TfsVarType t)
{
    switch (t) {
    case fvtBool:
        return op == opNonEq || op == opEq || op == opOr || op == opXor || op == opAnd || op == opNot;
    case fvtChar:
    case fvtString:
        return (op >= opGreat && op <= opEq) || op == opPlus || op == opStrCat || op == opIn;
    case fvtClass:
    case fvtArray:
        return op == opNonEq || op == opEq;
    default:
        return true;
    }
}

bool isIntegral(TfsVarType t)
{
    return t == fvtInt || t == fvtInt64;
}

// A number literal: 32-bit when it fits 0..2^31-1, else 64-bit, else a real read with '.'.
TfsValue numberLiteral(const QString &text)
{
    bool ok = false;
    const qlonglong v = text.startsWith(u'$') ? text.mid(1).toLongLong(&ok, 16) : text.toLongLong(&ok);
    if (ok)
        return v >= 0 && v <= 2147483647 ? TfsValue(int(v)) : TfsValue(int64_t(v));
    return TfsValue(QLocale::c().toDouble(text));
}

TfsValue initialValue(TfsVarType type)
{
    switch (type) {
    case fvtBool:
        return TfsValue(false);
    case fvtChar:
    case fvtString:
        return TfsValue(QString());
    case fvtInt:
    case fvtFloat:
    case fvtClass:
        return TfsValue(0);
    case fvtInt64:
        return TfsValue(int64_t(0));
    default:
        return TfsValue::MakeNull();
    }
}

} // namespace

// One item of an expression in source order: an operator or an operand.
struct TfsCompiler::Token
{
    OperatorInfo op{opNone, 0};
    TfsNodePtr operand;
    QString pos;
};

// Operators bind by priority, equal priorities to the left; not, unary minus and brackets take the
// operand that follows them.
class TfsCompiler::ExpressionParser
{
public:
    ExpressionParser(TfsCompiler &compiler, std::vector<Token> &tokens) : FCompiler(compiler), FTokens(tokens)
    {
    }

    TfsNodePtr Parse()
    {
        TfsNodePtr node = Level(4);
        if (FIndex != FTokens.size()) {
            FCompiler.FPos = FTokens[FIndex].pos;
            throw TfsError(QStringLiteral("Expression expected"));
        }
        return node;
    }

private:
    bool PeekBinary(int priority) const
    {
        return FIndex < FTokens.size() && !FTokens[FIndex].operand && FTokens[FIndex].op.priority == priority;
    }

    TfsNodePtr Level(int priority)
    {
        if (priority == 1)
            return Unary();
        TfsNodePtr left = Level(priority - 1);
        while (PeekBinary(priority)) {
            const Token &t = FTokens[FIndex++];
            TfsNodePtr right = Level(priority - 1);
            left = Typed(t.op.op, std::move(left), std::move(right), t.pos);
        }
        return left;
    }

    TfsNodePtr Unary()
    {
        if (FIndex >= FTokens.size())
            throw TfsError(QStringLiteral("Expression expected"));
        Token &t = FTokens[FIndex++];
        if (t.operand)
            return std::move(t.operand);
        if (++FDepth > MaxExpressionDepth)
            throw TfsError(QStringLiteral("Expression too complex"));
        TfsNodePtr node;
        if (t.op.op == opLeftBracket) {
            node = Level(4);
            if (FIndex < FTokens.size() && FTokens[FIndex].op.op == opRightBracket)
                ++FIndex;
        } else if (t.op.op == opNot || t.op.op == opUnMinus) {
            node = Typed(t.op.op, Unary(), nullptr, t.pos);
        } else {
            FCompiler.FPos = t.pos;
            throw TfsError(QStringLiteral("Expression expected"));
        }
        --FDepth;
        return node;
    }

    // Infers the operator's type; ill-typed operators are "Incompatible types" at their position.
    TfsNodePtr Typed(TfsOperatorType op, TfsNodePtr left, TfsNodePtr right, const QString &pos)
    {
        const TfsVarType t1 = left->FTyp;
        const TfsVarType t2 = right ? right->FTyp : fvtVariant;
        const bool isBetweenClasses = op == opIs && t1 == fvtClass && t2 == fvtClass;
        const bool fits =
            op == opStrCat || isBetweenClasses || (fsTypesCompatible(t1, t2, false) && suits(op, t1));
        if (!fits || op == opIs) {
            FCompiler.FPos = pos;
            throw TfsError(op == opIs ? QStringLiteral("Class type required") : kIncompatible);
        }
        TfsVarType type = t1;
        if ((t1 == fvtFloat && (isIntegral(t2) || t2 == fvtFloat)) || (t2 == fvtFloat && isIntegral(t1)))
            type = fvtFloat;
        if (op == opDivFloat && isIntegral(t1) && isIntegral(t2))
            type = fvtFloat;
        if (op == opStrCat)
            type = fvtString;
        if (isComparison(op))
            type = fvtBool;
        const int depth = std::max(Depth(left.get()), Depth(right.get())) + 1;
        if (depth > MaxExpressionDepth) {
            FCompiler.FPos = pos;
            throw TfsError(QStringLiteral("Expression too complex"));
        }
        TfsNodePtr node = fsMakeOperator(op, std::move(left), std::move(right));
        node->FTyp = type;
        node->FSourcePos = pos;
        FDepths[node.get()] = depth;
        return node;
    }

    int Depth(const TfsNode *node) const { return node ? FDepths.value(node, 1) : 0; }

    TfsCompiler &FCompiler;
    std::vector<Token> &FTokens;
    size_t FIndex = 0;
    int FDepth = 0;
    QHash<const TfsNode *, int> FDepths;
};

TfsCompiler::TfsCompiler(TfsScript &program, bool needDeclareVars)
    : FProgram(program), FNeedDeclareVars(needDeclareVars)
{
}

// Names and operators carry the position after them; errors point at their first character.
static QString startPos(const TfsXMLItem &item)
{
    const QString pos = item.Prop(QStringLiteral("pos"));
    const QStringView name = item.Name();
    if (item.Count() > 0 || pos.isEmpty() || !(name == u"ident" || name == u"node" || name == u"op"))
        return pos;
    const qsizetype colon = pos.indexOf(u':');
    const int column = pos.mid(colon + 1).toInt() - int(leafText(item).size());
    return pos.left(colon + 1) + QString::number(std::max(column, 1));
}

void TfsCompiler::Enter(const TfsXMLItem &item)
{
    const QString pos = startPos(item);
    if (!pos.isEmpty())
        FPos = pos;
}

const QHash<QString, TfsCompiler::Builder> &TfsCompiler::Builders()
{
    static const QHash<QString, Builder> table = {
        {QStringLiteral("var"), &TfsCompiler::Var},
        {QStringLiteral("const"), &TfsCompiler::Const},
        {QStringLiteral("procedure"), &TfsCompiler::Routine},
        {QStringLiteral("function"), &TfsCompiler::Routine},
        {QStringLiteral("compoundstmt"), &TfsCompiler::Compound},
        {QStringLiteral("uses"), &TfsCompiler::Uses},
        {QStringLiteral("assignstmt"), &TfsCompiler::Assign},
        {QStringLiteral("callstmt"), &TfsCompiler::Call},
        {QStringLiteral("ifstmt"), &TfsCompiler::If},
        {QStringLiteral("casestmt"), &TfsCompiler::Case},
        {QStringLiteral("whilestmt"), &TfsCompiler::While},
        {QStringLiteral("repeatstmt"), &TfsCompiler::Repeat},
        {QStringLiteral("forstmt"), &TfsCompiler::For},
        {QStringLiteral("vbforstmt"), &TfsCompiler::VbFor},
        {QStringLiteral("cppforstmt"), &TfsCompiler::CppFor},
        {QStringLiteral("trystmt"), &TfsCompiler::Try},
        {QStringLiteral("break"), &TfsCompiler::Break},
        {QStringLiteral("continue"), &TfsCompiler::Continue},
        {QStringLiteral("exit"), &TfsCompiler::Exit},
        {QStringLiteral("return"), &TfsCompiler::Return},
        {QStringLiteral("with"), &TfsCompiler::With},
        {QStringLiteral("delete"), &TfsCompiler::Delete},
    };
    return table;
}

void TfsCompiler::Build(const TfsXMLItem &program)
{
    DeclareRoutines(program, FProgram);
    BuildStatements(program, FProgram.Statements(), FProgram);
}

// First pass: routines are declared before any statement is built, so a call may precede the text
// that declares the routine.
void TfsCompiler::DeclareRoutines(const TfsXMLItem &item, TfsScript &scope)
{
    for (int i = 0; i < item.Count(); ++i) {
        const TfsXMLItem &c = *item.Item(i);
        if (c.Name() == u"compoundstmt" || c.Name() == u"program") {
            DeclareRoutines(c, scope);
        } else if (c.Name() == u"uses") {
            const QString outer = std::exchange(FUnit, c.Prop(QStringLiteral("unit")));
            DeclareRoutines(c, scope);
            FUnit = outer;
        } else if (c.Name() == u"procedure" || c.Name() == u"function")
            DeclareRoutine(c, scope);
    }
}

QString TfsCompiler::TypeOf(const TfsXMLItem &item) const
{
    const TfsXMLItem *type = child(item, u"type");
    return type ? leafText(*type) : QStringLiteral("Variant");
}

TfsVarType TfsCompiler::ResolveType(const QString &typeName, TfsScript &scope) const
{
    TfsVarType type = fvtVariant;
    if (!scope.ResolveType(typeName, type))
        throw TfsError(quoted(QStringLiteral("Unknown type: "), typeName));
    return type;
}

void TfsCompiler::DeclareRoutine(const TfsXMLItem &item, TfsScript &scope)
{
    Enter(item);
    const TfsXMLItem *nameItem = child(item, u"name");
    const QString name = nameItem ? leafText(*nameItem) : QString();
    if (scope.FindLocal(name))
        throw TfsError(quoted(QStringLiteral("Identifier redeclared: "), name));
    auto proc = std::make_unique<TfsProcVariable>(name, &scope);
    proc->FSourcePos = FPos;
    const QString resultType = TypeOf(item);
    proc->FIsFunc = item.Name() == u"function" && resultType.compare(u"void", Qt::CaseInsensitive) != 0;
    if (const TfsXMLItem *parameters = child(item, u"parameters"))
        DeclareParameters(*parameters, *proc);
    if (proc->FIsFunc) {
        const TfsVarType type = ResolveType(resultType, scope);
        proc->FTyp = type;
        proc->FTypeName = resultType;
        proc->FResult = proc->FProgram->Add(std::make_unique<TfsCustomVariable>(
            TfsCustomVariable::ikVariable, QStringLiteral("Result"), type, resultType));
    }
    TfsProcVariable *raw = proc.get();
    scope.FRoutineScripts.push_back(raw->FProgram.get());
    scope.Add(std::move(proc));
    FRoutines.insert(&item, raw);
}

void TfsCompiler::DeclareParameters(const TfsXMLItem &parameters, TfsProcVariable &proc)
{
    TfsScript &scope = *proc.FProgram;
    bool nextIsVar = false;
    for (int i = 0; i < parameters.Count(); ++i) {
        const TfsXMLItem &group = *parameters.Item(i);
        if (group.Name() == u"varparams") {
            nextIsVar = true;
            continue;
        }
        if (group.Name() != u"var")
            continue;
        const bool isVar = nextIsVar || child(group, u"varparam");
        nextIsVar = false;
        const QString typeName = TypeOf(group);
        const TfsVarType type = ResolveType(typeName, *scope.Parent());
        const TfsXMLItem *init = child(group, u"init");
        for (int k = 0; k < group.Count(); ++k) {
            const TfsXMLItem &ident = *group.Item(k);
            if (ident.Name() != u"ident")
                continue;
            Enter(ident);
            const QString name = leafText(ident);
            if (scope.FindLocal(name))
                throw TfsError(quoted(QStringLiteral("Identifier redeclared: "), name));
            auto param = std::make_unique<TfsParamItem>(name, type, typeName);
            param->FIsVarParam = isVar;
            param->FValue = initialValue(type);
            if (init && init->Count() > 0) {
                param->FIsOptional = true;
                param->FDefValue = Constant(*init->Item(0), *scope.Parent());
            }
            proc.FParams.push_back(param.get());
            scope.Add(std::move(param));
        }
    }
}

TfsValue TfsCompiler::Constant(const TfsXMLItem &expr, TfsScript &scope)
{
    return BuildExpression(expr, scope)->Eval();
}

void TfsCompiler::BuildStatements(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope, int from)
{
    for (int i = from; i < item.Count(); ++i)
        BuildStatement(*item.Item(i), list, scope);
}

void TfsCompiler::BuildStatement(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    const auto it = Builders().constFind(item.Name());
    if (it == Builders().cend())
        return; // uses, empty, names and other elements hold no statements
    Enter(item);
    (this->*(*it))(item, list, scope);
}

template <class T> T &TfsCompiler::Append(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto statement = std::make_unique<T>(&scope);
    statement->FSourcePos = item.Prop(QStringLiteral("pos"));
    statement->FUnitName = FUnit;
    if (!statement->FSourcePos.isEmpty())
        FProgram.AddCodeLine(FUnit, statement->FSourcePos);
    T &ref = *statement;
    list.FItems.push_back(std::move(statement));
    return ref;
}

void TfsCompiler::Compound(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    BuildStatements(item, list, scope);
}

// uses -> program: the unit's declarations and statements join the script at this place.
void TfsCompiler::Uses(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    const QString outer = std::exchange(FUnit, item.Prop(QStringLiteral("unit")));
    for (int i = 0; i < item.Count(); ++i)
        if (item.Item(i)->Name() == u"program")
            BuildStatements(*item.Item(i), list, scope);
    FUnit = outer;
}

// var -> ident {ident} [array] [type] [init], or type ident [array] [init] {ident [array] [init]}:
// init belongs to the ident before it; so does an array in the second (C) form, while in the first
// ("a, b: array[1..3] of T") the array before the type is every name's.
void TfsCompiler::Var(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    struct Pending
    {
        const TfsXMLItem *ident;
        const TfsXMLItem *array = nullptr;
        const TfsXMLItem *init = nullptr;
    };
    int typeAt = -1;
    for (int i = 0; i < item.Count() && typeAt < 0; ++i)
        if (item.Item(i)->Name() == u"type")
            typeAt = i;
    std::vector<Pending> names;
    for (int i = 0; i < item.Count(); ++i) {
        const TfsXMLItem &c = *item.Item(i);
        if (c.Name() == u"ident") {
            names.push_back({&c});
        } else if (!names.empty() && c.Name() == u"array") {
            if (typeAt > i) {
                for (Pending &p : names)
                    p.array = &c;
            } else {
                names.back().array = &c;
            }
        } else if (!names.empty() && c.Name() == u"init") {
            names.back().init = &c;
        }
    }
    const QString typeName = TypeOf(item);
    const TfsVarType type = ResolveType(typeName, scope);
    for (const Pending &p : names) {
        Enter(*p.ident);
        const QString name = leafText(*p.ident);
        if (scope.FindLocal(name))
            throw TfsError(quoted(QStringLiteral("Identifier redeclared: "), name));
        auto var = std::make_unique<TfsCustomVariable>(TfsCustomVariable::ikVariable, name, type, typeName);
        var->FSourcePos = FPos;
        var->FValue = initialValue(type);
        if (const TfsGetVarValueEvent *hook = scope.GetVarValueHook())
            var->FOnGetVarValue = *hook;
        if (p.array) {
            // Each dimension is a count (0..count-1) or two bounds; inner dimensions are nested arrays.
            std::vector<std::pair<int, int>> dims;
            int64_t elements = 1;
            for (int d = 0; d < p.array->Count(); ++d) {
                const TfsXMLItem &dim = *p.array->Item(d);
                const int a = Constant(need(dim, 0), scope).ToInt();
                dims.push_back(dim.Count() > 1 ? std::pair{a, Constant(*dim.Item(1), scope).ToInt()}
                                               : std::pair{0, a - 1});
                // The rows share one array until written: the limit is on what writing them all makes.
                const int64_t count =
                    std::max<int64_t>(int64_t(dims.back().second) - dims.back().first + 1, 0);
                if (__builtin_mul_overflow(elements, count, &elements) ||
                    elements > TfsValue::MaxArrayLength()) {
                    Enter(*p.ident);
                    throw TfsError(TfsRuntimeError::OutOfMemory().Message());
                }
            }
            TfsValue value = TfsValue::MakeNull();
            for (auto d = dims.rbegin(); d != dims.rend(); ++d) {
                TfsValue level = TfsValue::MakeArray(d->first, d->second);
                for (int k = d->first; k <= d->second; ++k)
                    level.ArrayRef(k) = value;
                value = level;
            }
            var->FValue = value;
            var->FTyp = fvtArray;
        }
        TfsCustomVariable *raw = scope.Add(std::move(var));
        if (p.init && p.init->Count() > 0) {
            auto &stmt = Append<TfsAssignmentStmt>(*p.init, list, scope);
            stmt.FSourcePos = FPos;
            stmt.FExpression = BuildExpression(*p.init->Item(0), scope);
            CheckAssignable(raw->FTyp, fsTypeName(raw->FTyp, raw->FTypeName), *stmt.FExpression);
            auto target = std::make_unique<TfsVariableDesignator>(raw);
            stmt.FVar = target.get();
            stmt.FDesignator = std::move(target);
        }
    }
}

// const -> ident expr: a read-only variable holding the value computed now.
void TfsCompiler::Const(const TfsXMLItem &item, TfsStatementList &, TfsScript &scope)
{
    const TfsXMLItem *ident = child(item, u"ident");
    const TfsXMLItem *expr = child(item, u"expr");
    if (!ident || !expr)
        return;
    const QString name = leafText(*ident);
    if (scope.FindLocal(name))
        throw TfsError(quoted(QStringLiteral("Identifier redeclared: "), name));
    TfsNodePtr node = BuildExpression(*expr, scope);
    auto var = std::make_unique<TfsCustomVariable>(TfsCustomVariable::ikVariable, name, node->FTyp);
    var->FValue = node->Eval();
    var->FIsReadOnly = true;
    scope.Add(std::move(var));
}

// The body of a routine declared in the first pass goes into the routine's own script.
void TfsCompiler::Routine(const TfsXMLItem &item, TfsStatementList &, TfsScript &)
{
    TfsProcVariable *proc = FRoutines.value(&item);
    if (!proc)
        return;
    TfsScript &inner = *proc->FProgram;
    DeclareRoutines(item, inner);
    for (int i = 0; i < item.Count(); ++i) {
        const TfsXMLItem &c = *item.Item(i);
        if (c.Name() != u"name" && c.Name() != u"parameters" && c.Name() != u"type")
            BuildStatement(c, inner.Statements(), inner);
    }
}

void TfsCompiler::CheckAssignable(TfsVarType target, const QString &targetName, const TfsNode &expression)
{
    if (!fsTypesCompatible(target, expression.FTyp, true))
        throw TfsError(kIncompatible + QStringLiteral(": '") + targetName + QStringLiteral("', '") +
                       fsTypeName(expression.FTyp, expression.FTypeName) + u'\'');
}

// assignstmt -> dsgn [modificator] expr
void TfsCompiler::Assign(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    if (item.Count() > 0 && item.Item(0)->Name() == u"assignstmt") { // BasicScript's Set
        Assign(*item.Item(0), list, scope);
        return;
    }
    auto &stmt = Append<TfsAssignmentStmt>(item, list, scope);
    const TfsXMLItem *dsgn = child(item, u"dsgn");
    const TfsXMLItem *expr = child(item, u"expr");
    stmt.FDesignator = BuildDesignator(need(dsgn), scope);
    TfsCustomVariable *target = stmt.FDesignator->Variable();
    Enter(item);
    if (dynamic_cast<TfsCallDesignator *>(stmt.FDesignator.get()) || (target && target->FIsReadOnly))
        throw TfsError(QStringLiteral("Left side cannot be assigned to"));
    stmt.FExpression = BuildExpression(need(expr), scope);
    Enter(item);
    CheckAssignable(stmt.FDesignator->FTyp, fsTypeName(stmt.FDesignator->FTyp, stmt.FDesignator->FTypeName),
                    *stmt.FExpression);
    if (const TfsXMLItem *mod = child(item, u"modificator")) {
        static const QHash<QString, TfsOperatorType> mods = {{QStringLiteral("+"), opPlus},
                                                             {QStringLiteral("-"), opMinus},
                                                             {QStringLiteral("*"), opMul},
                                                             {QStringLiteral("/"), opDivFloat}};
        stmt.FModificator = mods.value(leafText(*mod), opNone);
    }
    if (target) {
        stmt.FVar = static_cast<TfsVariableDesignator *>(stmt.FDesignator.get());
        if (target->FIsReadOnly)
            return;
        // x := x + e runs as x += e: in place for integers, appended in place for texts.
        if (stmt.FModificator == opNone) {
            TfsNodePtr operand;
            stmt.FModificator = fsSplitSelfOperation(stmt.FExpression, target, operand);
            if (operand)
                stmt.FExpression = std::move(operand);
        }
        stmt.Prepare();
    }
}

// callstmt -> dsgn [modificator]
void TfsCompiler::Call(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto &stmt = Append<TfsCallStmt>(item, list, scope);
    stmt.FDesignator = BuildDesignator(need(child(item, u"dsgn")), scope);
    stmt.FDesignator->FNeedResult = false;
    if (const TfsXMLItem *mod = child(item, u"modificator"))
        stmt.FModificator = leafText(*mod) == u"-" ? -1 : 1;
    stmt.Prepare();
}

// ifstmt -> expr thenstmt [elsestmt]
void TfsCompiler::If(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto &stmt = Append<TfsIfStmt>(item, list, scope);
    stmt.FCondition = BuildExpression(need(child(item, u"expr")), scope);
    if (const TfsXMLItem *t = child(item, u"thenstmt"))
        BuildStatements(*t, stmt.FThen, scope);
    if (const TfsXMLItem *e = child(item, u"elsestmt"))
        BuildStatements(*e, stmt.FElse, scope);
}

static TfsNodePtr buildSet(TfsCompiler &compiler, const TfsXMLItem &set, TfsScript &scope)
{
    auto node = std::make_unique<TfsSetNode>();
    for (int i = 0; i < set.Count(); ++i) {
        const TfsXMLItem &c = *set.Item(i);
        if (c.Name() == u"range")
            node->FEntries.push_back(nullptr);
        else
            node->FEntries.push_back(compiler.BuildExpression(c, scope));
    }
    return node;
}

// casestmt -> expr {caseselector(set statements)} [else statements]
void TfsCompiler::Case(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto &stmt = Append<TfsCaseStmt>(item, list, scope);
    need(item, 0);
    for (int i = 0; i < item.Count(); ++i) {
        const TfsXMLItem &c = *item.Item(i);
        if (i == 0) {
            stmt.FCondition = BuildExpression(c, scope);
        } else if (c.Name() == u"caseselector") {
            TfsCaseStmt::Selector selector;
            selector.set.reset(static_cast<TfsSetNode *>(buildSet(*this, need(c, 0), scope).release()));
            selector.body = std::make_unique<TfsStatementList>(&scope);
            BuildStatements(c, *selector.body, scope, 1);
            stmt.FSelectors.push_back(std::move(selector));
        } else {
            BuildStatement(c, stmt.FElse, scope);
        }
    }
}

// whilestmt -> expr statement
void TfsCompiler::While(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto &stmt = Append<TfsLoopStmt>(item, list, scope);
    stmt.FCondition = BuildExpression(need(item, 0), scope);
    BuildStatements(item, stmt.FBody, scope, 1);
}

// repeatstmt -> statements expr [inverse]: until ends on true, the inverse form on false.
void TfsCompiler::Repeat(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto &stmt = Append<TfsLoopStmt>(item, list, scope);
    stmt.FTestFirst = false;
    stmt.FStopWhen = !child(item, u"inverse");
    int last = item.Count() - 1;
    while (last >= 0 && item.Item(last)->Name() != u"expr")
        --last;
    for (int i = 0; i < last; ++i)
        BuildStatement(*item.Item(i), stmt.FBody, scope);
    stmt.FCondition = BuildExpression(need(item, last), scope);
}

// forstmt -> ident expr [downto] expr statement
void TfsCompiler::For(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto &stmt = Append<TfsForStmt>(item, list, scope);
    std::vector<const TfsXMLItem *> exprs;
    int bodyFrom = item.Count();
    for (int i = 0; i < item.Count(); ++i) {
        const TfsXMLItem &c = *item.Item(i);
        if (c.Name() == u"ident") {
            Enter(c);
            stmt.FVariable = NamedVariable(leafText(c), scope);
            const TfsCustomVariable *v = stmt.FVariable->Variable();
            const TfsVarType t = stmt.FVariable->FTyp;
            if (!v || v->FIsReadOnly || !(t == fvtInt || t == fvtFloat || t == fvtVariant || t == fvtInt64))
                throw TfsError(QStringLiteral("For loop variable must be numeric variable"));
        } else if (c.Name() == u"downto") {
            stmt.FDown = true;
        } else if (c.Name() == u"expr" && exprs.size() < 2) {
            exprs.push_back(&c);
            if (exprs.size() == 2)
                bodyFrom = i + 1;
        }
    }
    if (exprs.size() < 2 || !stmt.FVariable)
        need(nullptr);
    stmt.FBeginValue = BuildExpression(*exprs[0], scope);
    stmt.FEndValue = BuildExpression(*exprs[1], scope);
    const QString name = fsTypeName(stmt.FVariable->FTyp, stmt.FVariable->FTypeName);
    CheckAssignable(stmt.FVariable->FTyp, name, *stmt.FBeginValue);
    CheckAssignable(stmt.FVariable->FTyp, name, *stmt.FEndValue);
    BuildStatements(item, stmt.FBody, scope, bodyFrom);
}

// vbforstmt -> ident expr expr [expr] statements
void TfsCompiler::VbFor(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto &stmt = Append<TfsVbForStmt>(item, list, scope);
    std::vector<const TfsXMLItem *> exprs;
    int bodyFrom = item.Count();
    for (int i = 0; i < item.Count() && bodyFrom == item.Count(); ++i) {
        const TfsXMLItem &c = *item.Item(i);
        if (c.Name() == u"ident") {
            Enter(c);
            stmt.FVariable = NamedVariable(leafText(c), scope);
        } else if (c.Name() == u"expr" && exprs.size() < 3) {
            exprs.push_back(&c);
        } else {
            bodyFrom = i;
        }
    }
    if (exprs.size() < 2 || !stmt.FVariable)
        need(nullptr);
    stmt.FBeginValue = BuildExpression(*exprs[0], scope);
    stmt.FEndValue = BuildExpression(*exprs[1], scope);
    if (exprs.size() > 2)
        stmt.FStep = BuildExpression(*exprs[2], scope);
    BuildStatements(item, stmt.FBody, scope, bodyFrom);
}

// cppforstmt -> statement expr statement statement
void TfsCompiler::CppFor(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto &stmt = Append<TfsCppForStmt>(item, list, scope);
    BuildStatement(need(item, 0), stmt.FFirstStmt, scope);
    int next = 1;
    if (next < item.Count() && item.Item(next)->Name() == u"expr")
        stmt.FExpression = BuildExpression(*item.Item(next++), scope);
    if (next < item.Count())
        BuildStatement(*item.Item(next++), stmt.FSecondStmt, scope);
    BuildStatements(item, stmt.FBody, scope, next);
}

// trystmt -> statements (exceptstmt | finallystmt)
void TfsCompiler::Try(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto &stmt = Append<TfsTryStmt>(item, list, scope);
    // The except block reads the error through two variables of the program.
    TfsScript &main = *FProgram.MainProg();
    const auto variable = [&](const QString &name) {
        TfsCustomVariable *v = scope.Find(name);
        return v ? v : main.AddVariable(name, QStringLiteral("String"), TfsValue(QString()));
    };
    stmt.FClassNameVar = variable(QStringLiteral("ExceptionClassName"));
    stmt.FMessageVar = variable(QStringLiteral("ExceptionMessage"));
    for (int i = 0; i < item.Count(); ++i) {
        const TfsXMLItem &c = *item.Item(i);
        if (c.Name() == u"exceptstmt" || c.Name() == u"finallystmt") {
            stmt.FIsExcept = c.Name() == u"exceptstmt";
            BuildStatements(c, stmt.FExceptStmt, scope);
        } else {
            BuildStatement(c, stmt.FBody, scope);
        }
    }
}

void TfsCompiler::Break(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    list.FItems.push_back(std::make_unique<TfsJumpStmt>(&scope, TfsJumpStmt::Break));
    list.FItems.back()->FSourcePos = item.Prop(QStringLiteral("pos"));
}

void TfsCompiler::Continue(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    list.FItems.push_back(std::make_unique<TfsJumpStmt>(&scope, TfsJumpStmt::Continue));
    list.FItems.back()->FSourcePos = item.Prop(QStringLiteral("pos"));
}

void TfsCompiler::Exit(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    list.FItems.push_back(std::make_unique<TfsJumpStmt>(&scope, TfsJumpStmt::Exit));
    list.FItems.back()->FSourcePos = item.Prop(QStringLiteral("pos"));
}

// return -> [expr]: the value goes to Result, then the routine exits.
void TfsCompiler::Return(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    if (const TfsXMLItem *expr = child(item, u"expr")) {
        TfsCustomVariable *result = scope.FindLocal(QStringLiteral("Result"));
        if (!result)
            throw TfsError(quoted(QStringLiteral("Undeclared identifier: "), QStringLiteral("Result")));
        auto &stmt = Append<TfsAssignmentStmt>(item, list, scope);
        stmt.FExpression = BuildExpression(*expr, scope);
        auto target = std::make_unique<TfsVariableDesignator>(result);
        stmt.FVar = target.get();
        stmt.FDesignator = std::move(target);
        stmt.Prepare();
    }
    if (!EndsRoutine(item))
        Exit(item, list, scope);
}

// The statement is the last of its routine's text: a return there needs no jump, the routine ends.
bool TfsCompiler::EndsRoutine(const TfsXMLItem &item) const
{
    const TfsXMLItem *at = &item;
    for (const TfsXMLItem *parent = at->Parent(); parent; at = parent, parent = parent->Parent()) {
        if (parent->Item(parent->Count() - 1) != at)
            return false;
        if (FRoutines.contains(parent))
            return true;
        if (parent->Name() != u"compoundstmt")
            return false;
    }
    return false;
}

// delete -> dsgn: the object is freed through TObject's Free.
void TfsCompiler::Delete(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    auto &stmt = Append<TfsCallStmt>(item, list, scope);
    auto free = std::make_unique<TfsMemberDesignator>();
    free->FBase = BuildDesignator(need(child(item, u"dsgn")), scope);
    Enter(item);
    if (free->FBase->FTyp != fvtClass && free->FBase->FTyp != fvtVariant)
        throw TfsError(QStringLiteral("Class type required"));
    free->FName = QStringLiteral("Free");
    free->FScope = &FProgram;
    free->FNeedResult = false;
    stmt.FDesignator = std::move(free);
}

// new -> dsgn: the constructor Create of the named class, with the arguments given to the name.
std::unique_ptr<TfsDesignator> TfsCompiler::New(const TfsXMLItem &item, TfsScript &scope)
{
    Enter(item);
    const TfsXMLItem &dsgn = need(child(item, u"dsgn"));
    const TfsXMLItem *node = child(dsgn, u"node");
    std::vector<const TfsXMLItem *> exprs;
    for (int i = 0; i < dsgn.Count(); ++i)
        if (dsgn.Item(i)->Name() == u"expr")
            exprs.push_back(dsgn.Item(i));
    const auto *cls = node ? dynamic_cast<const TfsClassVariable *>(scope.Find(leafText(*node))) : nullptr;
    if (!cls)
        throw TfsError(QStringLiteral("Class type required"));
    Enter(*node);
    return ConstructorStep(*cls, QStringLiteral("Create"), exprs, scope);
}

// with -> dsgn {dsgn} statement: each object is evaluated once, into a hidden variable, before the
// statement; inside it, names are members of those objects first (the innermost first).
void TfsCompiler::With(const TfsXMLItem &item, TfsStatementList &list, TfsScript &scope)
{
    const size_t outer = FWith.size();
    for (int i = 0; i < item.Count(); ++i) {
        const TfsXMLItem &c = *item.Item(i);
        if (c.Name() != u"dsgn") {
            BuildStatement(c, list, scope);
            continue;
        }
        auto &stmt = Append<TfsAssignmentStmt>(item, list, scope);
        stmt.FExpression = BuildDesignator(c, scope);
        Enter(c);
        const TfsVarType type = stmt.FExpression->FTyp;
        if (type != fvtClass && type != fvtVariant)
            throw TfsError(QStringLiteral("Class type required"));
        // The name holds a character no identifier has, so the script cannot declare it.
        auto hidden = std::make_unique<TfsCustomVariable>(TfsCustomVariable::ikVariable,
                                                          QStringLiteral("with#%1").arg(++FWithCount), type,
                                                          stmt.FExpression->FTypeName);
        TfsCustomVariable *var = scope.Add(std::move(hidden));
        auto target = std::make_unique<TfsVariableDesignator>(var);
        stmt.FVar = target.get();
        stmt.FDesignator = std::move(target);
        FWith.push_back(var);
    }
    FWith.resize(outer);
}

// A name inside with statements: a member of the innermost object whose class has it; for an object
// of unknown class, a name declared nowhere else is its member, found when it runs.
std::unique_ptr<TfsDesignator> TfsCompiler::WithStep(const TfsXMLItem &node,
                                                     std::vector<const TfsXMLItem *> &exprs, TfsScript &scope)
{
    const QString name = leafText(node);
    for (auto it = FWith.rbegin(); it != FWith.rend(); ++it) {
        TfsCustomVariable *var = *it;
        bool member = false;
        if (var->FTyp == fvtClass) {
            const auto *cls = dynamic_cast<const TfsClassVariable *>(scope.Find(var->FTypeName));
            member = cls && cls->Find(name, scope);
        } else {
            member = !scope.Find(name);
        }
        if (member)
            return MemberStep(std::make_unique<TfsVariableDesignator>(var), node, exprs, scope);
    }
    return nullptr;
}

TfsCustomVariable *TfsCompiler::Lookup(const QString &name, TfsScript &scope)
{
    if (TfsCustomVariable *item = scope.Find(name))
        return item;
    if (FNeedDeclareVars)
        throw TfsError(quoted(QStringLiteral("Undeclared identifier: "), name));
    return scope.AddVariable(name, QStringLiteral("Variant"), TfsValue::MakeNull());
}

std::unique_ptr<TfsDesignator> TfsCompiler::NamedVariable(const QString &name, TfsScript &scope)
{
    TfsCustomVariable *item = Lookup(name, scope);
    if (!item->IsVariable())
        throw TfsError(QStringLiteral("Variable required"));
    return std::make_unique<TfsVariableDesignator>(item);
}

// dsgn -> node {expr} {('.' node | '[' | '(') {expr}}: a variable, an element of it, or a call with its
// arguments, followed by members of the host object it gives.
std::unique_ptr<TfsDesignator> TfsCompiler::BuildDesignator(const TfsXMLItem &dsgn, TfsScript &scope)
{
    Enter(dsgn);
    struct Step
    {
        const TfsXMLItem *node;
        std::vector<const TfsXMLItem *> exprs;
    };
    std::vector<Step> steps;
    for (int i = 0; i < dsgn.Count(); ++i) {
        const TfsXMLItem &c = *dsgn.Item(i);
        if (c.Name() == u"expr") {
            if (steps.empty())
                throw TfsError(QStringLiteral("Identifier expected"));
            steps.back().exprs.push_back(&c);
        } else if (c.Name() == u"node" && leafText(c) != u"[") {
            steps.push_back({&c, {}});
        }
    }
    if (steps.empty())
        throw TfsError(QStringLiteral("Identifier expected"));
    std::unique_ptr<TfsDesignator> result =
        FWith.empty() ? nullptr : WithStep(*steps[0].node, steps[0].exprs, scope);
    size_t next = 1;
    // A class name followed by a member: a constructor called on the class (TStringList.Create).
    const auto *cls = result || steps.size() < 2 || !steps[0].exprs.empty()
                          ? nullptr
                          : dynamic_cast<const TfsClassVariable *>(scope.Find(leafText(*steps[0].node)));
    if (cls) {
        Enter(*steps[1].node);
        result = ConstructorStep(*cls, leafText(*steps[1].node), steps[1].exprs, scope);
        next = 2;
    }
    if (!result)
        result = FirstStep(*steps[0].node, steps[0].exprs, dsgn, scope);
    for (size_t i = next; i < steps.size(); ++i)
        result = MemberStep(std::move(result), *steps[i].node, steps[i].exprs, scope);
    return result;
}

// The member named by node of the object that base gives.
std::unique_ptr<TfsDesignator> TfsCompiler::MemberStep(std::unique_ptr<TfsDesignator> base,
                                                       const TfsXMLItem &node,
                                                       std::vector<const TfsXMLItem *> &exprs,
                                                       TfsScript &scope)
{
    Enter(node);
    const QString name = leafText(node);
    auto member = std::make_unique<TfsMemberDesignator>();
    member->FName = name;
    member->FScope = &FProgram;
    const TfsClassMember *known = nullptr;
    if (base->FTyp == fvtClass) {
        member->FStatic = dynamic_cast<const TfsClassVariable *>(scope.Find(base->FTypeName));
        if (member->FStatic) {
            known = member->FStatic->Find(name, scope);
            // A routine's result may be of a class derived from the declared one (FindObject gives a
            // TfrxComponent): its members are looked up when it runs.
            const bool declaredHere = dynamic_cast<TfsVariableDesignator *>(base.get()) ||
                                      dynamic_cast<TfsCastDesignator *>(base.get());
            if (!known && declaredHere)
                throw TfsError(quoted(QStringLiteral("Undeclared identifier: "), name));
            if (!known)
                member->FStatic = nullptr;
        }
    } else if (base->FTyp != fvtVariant) {
        throw TfsError(QStringLiteral("Record, object or class type required"));
    }
    member->FBase = std::move(base);
    if (known && known->kind == TfsClassMember::Property) {
        member->FTyp = known->type;
        member->FTypeName = known->typeName;
        if (exprs.empty())
            return member;
        // Indexes after a property index its value: an object's default property, a text's characters.
        return IndexStep(std::move(member), exprs, scope);
    }
    if (known) {
        MemberArgs(*member, *known, exprs, scope);
        return member;
    }
    for (const TfsXMLItem *e : exprs)
        member->FArgs.push_back(BuildExpression(*e, scope));
    return member;
}

// The arguments of a method or the indexes of an indexed property, checked against its parameters.
void TfsCompiler::MemberArgs(TfsMemberDesignator &member, const TfsClassMember &known,
                             std::vector<const TfsXMLItem *> &exprs, TfsScript &scope)
{
    const QString pos = FPos; // the member's name, where a wrong count is reported
    for (const TfsXMLItem *e : exprs)
        member.FArgs.push_back(BuildExpression(*e, scope));
    FPos = pos;
    member.FTyp = known.type;
    member.FTypeName = known.typeName;
    size_t required = 0;
    for (const TfsNativeParam &p : known.params)
        required += p.isOptional ? 0 : 1;
    if (known.kind == TfsClassMember::IndexProperty && exprs.empty())
        throw TfsError(QStringLiteral("Index required"));
    if (member.FArgs.size() < required)
        throw TfsError(QStringLiteral("Not enough actual parameters"));
    if (member.FArgs.size() > known.params.size())
        throw TfsError(QStringLiteral("Too many actual parameters"));
    for (size_t i = 0; i < member.FArgs.size(); ++i) {
        Enter(*exprs[i]);
        CheckArgument(member.FArgs, member.FVarArgs, i, known.params[i].type, known.params[i].typeName,
                      known.params[i].isVar);
    }
}

// Indexes after a designator that is no routine: the default property of an object, the characters of
// a text or the elements of an array.
std::unique_ptr<TfsDesignator> TfsCompiler::IndexStep(std::unique_ptr<TfsDesignator> base,
                                                      std::vector<const TfsXMLItem *> &exprs,
                                                      TfsScript &scope)
{
    const TfsVarType t = base->FTyp;
    if (t == fvtClass)
        return DefaultStep(std::move(base), exprs, scope);
    if (t != fvtString && t != fvtChar && t != fvtArray && t != fvtVariant)
        throw TfsError(QStringLiteral("Array type required"));
    auto index = std::make_unique<TfsIndexDesignator>();
    index->FBase = std::move(base);
    for (const TfsXMLItem *e : exprs)
        index->FIndexes.push_back(BuildExpression(*e, scope));
    index->FTyp = t == fvtString || t == fvtChar ? fvtChar : fvtVariant;
    if (t == fvtVariant)
        index->FScope = &FProgram;
    return index;
}

// Obj[i]: the default indexed property of the object's class.
std::unique_ptr<TfsDesignator> TfsCompiler::DefaultStep(std::unique_ptr<TfsDesignator> base,
                                                        std::vector<const TfsXMLItem *> &exprs,
                                                        TfsScript &scope)
{
    const auto *cls = dynamic_cast<const TfsClassVariable *>(scope.Find(base->FTypeName));
    const TfsClassMember *known = cls ? cls->DefaultProperty(scope) : nullptr;
    if (!known)
        throw TfsError(QStringLiteral("Class %1 does not have a default property").arg(base->FTypeName));
    auto member = std::make_unique<TfsMemberDesignator>();
    member->FName = known->name;
    member->FScope = &FProgram;
    member->FStatic = cls;
    member->FBase = std::move(base);
    MemberArgs(*member, *known, exprs, scope);
    return member;
}

// Class.Member: only a constructor is called on a class; it makes an object the script owns.
std::unique_ptr<TfsDesignator> TfsCompiler::ConstructorStep(const TfsClassVariable &cls, const QString &name,
                                                            std::vector<const TfsXMLItem *> &exprs,
                                                            TfsScript &scope)
{
    const QString pos = FPos; // the member's name, where a wrong count is reported
    const TfsClassMember *known = cls.Find(name, scope);
    if (!known)
        throw TfsError(quoted(QStringLiteral("Undeclared identifier: "), name));
    if (!known->construct)
        throw TfsError(QStringLiteral("Constructor required"));
    auto ctor = std::make_unique<TfsConstructorDesignator>();
    ctor->FMember = known;
    ctor->FOwner = &FProgram;
    std::vector<TfsDesignator *> varArgs;
    for (const TfsXMLItem *e : exprs)
        ctor->FArgs.push_back(BuildExpression(*e, scope));
    size_t required = 0;
    for (const TfsNativeParam &p : known->params)
        required += p.isOptional ? 0 : 1;
    FPos = pos;
    if (ctor->FArgs.size() < required)
        throw TfsError(QStringLiteral("Not enough actual parameters"));
    if (ctor->FArgs.size() > known->params.size())
        throw TfsError(QStringLiteral("Too many actual parameters"));
    for (size_t i = 0; i < ctor->FArgs.size(); ++i) {
        Enter(*exprs[i]);
        CheckArgument(ctor->FArgs, varArgs, i, known->params[i].type, known->params[i].typeName, false);
    }
    for (size_t i = ctor->FArgs.size(); i < known->params.size(); ++i)
        ctor->FArgs.push_back(std::make_unique<TfsConstNode>(known->params[i].defValue));
    ctor->FTyp = fvtClass;
    ctor->FTypeName = cls.FName;
    return ctor;
}

// The first name of a designator: a variable (with indexes) or a routine (with arguments).
std::unique_ptr<TfsDesignator> TfsCompiler::FirstStep(const TfsXMLItem &node,
                                                      std::vector<const TfsXMLItem *> &exprs,
                                                      const TfsXMLItem &dsgn, TfsScript &scope)
{
    TfsCustomVariable *item = Lookup(leafText(node), scope);
    if (item->Kind() == TfsCustomVariable::ikProc || item->Kind() == TfsCustomVariable::ikNative) {
        auto call = std::make_unique<TfsCallDesignator>();
        call->FProc =
            item->Kind() == TfsCustomVariable::ikProc ? static_cast<TfsProcVariable *>(item) : nullptr;
        call->FNative = call->FProc ? nullptr : static_cast<TfsNativeFunction *>(item);
        if (call->FNative && call->FNative->FIsMacro)
            for (const TfsXMLItem *e : exprs)
                call->FArgs.push_back(std::make_unique<TfsConstNode>(TfsValue(SourceText(*e))));
        else
            BuildCall(*call, exprs, scope);
        Enter(dsgn);
        call->FTyp = item->FTyp;
        call->FTypeName = item->FTypeName;
        if (call->FProc)
            CheckRoutineArgs(*call, exprs);
        else
            CheckNativeArgs(*call, exprs);
        call->Prepare();
        return call;
    }
    if (dynamic_cast<TfsClassVariable *>(item) && exprs.size() == 1) {
        auto cast = std::make_unique<TfsCastDesignator>();
        cast->FArg = BuildExpression(*exprs[0], scope);
        cast->FTyp = fvtClass;
        cast->FTypeName = item->FName;
        return cast;
    }
    if (!item->IsVariable())
        throw TfsError(QStringLiteral("Variable required"));
    auto variable = std::make_unique<TfsVariableDesignator>(item);
    if (exprs.empty())
        return variable;
    return IndexStep(std::move(variable), exprs, scope);
}

// Arguments of a script routine are checked against its parameters now that the routine is known.
void TfsCompiler::CheckRoutineArgs(TfsCallDesignator &call, std::vector<const TfsXMLItem *> &exprs)
{
    const auto &params = call.FProc->FParams;
    size_t required = 0;
    for (const TfsParamItem *p : params)
        required += p->FIsOptional ? 0 : 1;
    if (call.FArgs.size() < required)
        throw TfsError(QStringLiteral("Not enough actual parameters"));
    if (call.FArgs.size() > params.size())
        throw TfsError(QStringLiteral("Too many actual parameters"));
    for (size_t i = 0; i < call.FArgs.size(); ++i) {
        Enter(*exprs[i]);
        CheckArgument(call.FArgs, call.FVarArgs, i, params[i]->FTyp, params[i]->FTypeName,
                      params[i]->FIsVarParam);
    }
}

// A host routine registered by its declaration: its parameters are checked like a script routine's,
// and missing optional arguments take their defaults; one registered by counts only checks them.
void TfsCompiler::CheckNativeArgs(TfsCallDesignator &call, std::vector<const TfsXMLItem *> &exprs)
{
    const TfsNativeFunction &native = *call.FNative;
    if (int(call.FArgs.size()) < native.FMinArgs)
        throw TfsError(QStringLiteral("Not enough actual parameters"));
    if (native.FMaxArgs >= 0 && int(call.FArgs.size()) > native.FMaxArgs)
        throw TfsError(QStringLiteral("Too many actual parameters"));
    if (!native.FHasSyntax)
        return;
    for (size_t i = 0; i < call.FArgs.size(); ++i) {
        Enter(*exprs[i]);
        const TfsNativeParam &p = native.FParams[i];
        CheckArgument(call.FArgs, call.FVarArgs, i, native.FIsMacro ? fvtString : p.type, p.typeName,
                      p.isVar && !native.FIsMacro);
    }
    for (size_t i = call.FArgs.size(); i < native.FParams.size(); ++i) {
        const TfsNativeParam &p = native.FParams[i];
        call.FArgs.push_back(std::make_unique<TfsConstNode>(
            native.FIsMacro && !p.defValue.IsNull() ? TfsValue(p.defValue.ToString()) : p.defValue));
    }
}

void TfsCompiler::CheckArgument(std::vector<TfsNodePtr> &args, std::vector<TfsDesignator *> &varArgs,
                                size_t i, TfsVarType type, const QString &typeName, bool isVar)
{
    if (!fsTypesCompatible(type, args[i]->FTyp, false))
        throw TfsError(kIncompatible + QStringLiteral(": '") + fsTypeName(type, typeName) +
                       QStringLiteral("', '") + fsTypeName(args[i]->FTyp, args[i]->FTypeName) + u'\'');
    if (!isVar)
        return;
    TfsDesignator *target = dynamic_cast<TfsDesignator *>(args[i].get());
    if (!target || dynamic_cast<TfsCallDesignator *>(target))
        throw TfsError(QStringLiteral("Variable required"));
    varArgs.resize(i + 1, nullptr);
    varArgs[i] = target;
}

// The source text of an expression: the characters between its pos and pos1 in the program's text.
QString TfsCompiler::SourceText(const TfsXMLItem &expr) const
{
    const QString &text = FProgram.Lines();
    const auto offset = [&text](const QString &pos) -> qsizetype {
        const qsizetype colon = pos.indexOf(u':');
        if (colon < 0)
            return -1;
        const int line = pos.left(colon).toInt(), column = pos.mid(colon + 1).toInt();
        qsizetype at = 0;
        for (int l = 1; l < line && at >= 0; ++l) {
            at = text.indexOf(u'\n', at);
            at = at < 0 ? -1 : at + 1;
        }
        return at < 0 ? -1 : std::min(at + column - 1, text.size());
    };
    const qsizetype from = offset(expr.Prop(QStringLiteral("pos")));
    const qsizetype to = offset(expr.Prop(QStringLiteral("pos1")));
    if (from < 0 || to < from)
        return {};
    return text.mid(from, to - from).trimmed();
}

void TfsCompiler::BuildCall(TfsCallDesignator &call, std::vector<const TfsXMLItem *> &args, TfsScript &scope)
{
    for (const TfsXMLItem *arg : args)
        call.FArgs.push_back(BuildExpression(*arg, scope));
}

// expr -> items in source order: op leaves, constants, designators, sets; nested expr in place.
TfsNodePtr TfsCompiler::BuildExpression(const TfsXMLItem &expr, TfsScript &scope)
{
    Enter(expr);
    std::vector<Token> tokens;
    int open = 0;
    std::function<void(const TfsXMLItem &)> collect = [&](const TfsXMLItem &e) {
        for (int i = 0; i < e.Count(); ++i) {
            const TfsXMLItem &c = *e.Item(i);
            Token t;
            t.pos = startPos(c);
            if (t.pos.isEmpty())
                t.pos = FPos;
            const QStringView name = c.Name();
            if (name == u"op") {
                const auto it = operators().constFind(leafText(c).toLower());
                if (it == operators().cend())
                    throw TfsError(kIncompatible);
                if (it->op == opLeftBracket)
                    ++open;
                if (it->op == opRightBracket && open-- == 0)
                    continue; // a closing bracket without its opening one ends the text
                t.op = *it;
            } else if (name == u"number") {
                t.operand = std::make_unique<TfsConstNode>(numberLiteral(leafText(c)));
            } else if (name == u"string") {
                const QString text = leafText(c);
                t.operand = std::make_unique<TfsConstNode>(TfsValue(text.mid(1, text.size() - 2)));
            } else if (name == u"dsgn") {
                const TfsXMLItem *addr = child(c, u"addr");
                const TfsXMLItem *node = child(c, u"node");
                if (addr && node) // the address of a routine is its name
                    t.operand = std::make_unique<TfsConstNode>(TfsValue(leafText(*node)));
                else
                    t.operand = BuildDesignator(c, scope);
            } else if (name == u"set") {
                t.operand = buildSet(*this, c, scope);
            } else if (name == u"expr") {
                collect(c);
                continue;
            } else if (name == u"new") {
                t.operand = New(c, scope);
            } else {
                continue;
            }
            tokens.push_back(std::move(t));
        }
    };
    collect(expr);
    Enter(expr);
    ExpressionParser parser(*this, tokens);
    return parser.Parse();
}
