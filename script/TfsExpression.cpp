#include "TfsExpression.h"

#include "TfsClassVariable.h"
#include "TfsObjectRegistry.h"
#include "TfsRuntimeError.h"
#include "TfsScript.h"
#include "TfsStack.h"
#include "TfsStatement.h"

#include <QObject>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

namespace {

using BinaryFn = TfsValue (*)(const TfsValue &, const TfsValue &);

// The values of one call (arguments, saved locals): on the native stack when few, so that a call
// allocates nothing, each made in its place.
template <size_t N> class SmallValues
{
public:
    // n values, the i-th made by make(i) in order; a failure while making them frees those made.
    template <class Make>
    SmallValues(size_t n, Make make)
        : FData(n <= N ? reinterpret_cast<TfsValue *>(FBuffer)
                       : static_cast<TfsValue *>(::operator new(n * sizeof(TfsValue)))),
          FHeap(n > N)
    {
        try {
            for (; FSize < n; ++FSize)
                new (FData + FSize) TfsValue(make(FSize));
        } catch (...) {
            Free();
            throw;
        }
    }
    // n empty values.
    explicit SmallValues(size_t n) : SmallValues(n, [](size_t) { return TfsValue(); }) {}
    ~SmallValues() { Free(); }
    SmallValues(const SmallValues &) = delete;
    SmallValues &operator=(const SmallValues &) = delete;
    TfsValue &operator[](size_t i) { return FData[i]; }
    std::span<TfsValue> Span() { return {FData, FSize}; }

private:
    void Free()
    {
        std::destroy_n(FData, FSize);
        if (FHeap)
            ::operator delete(FData);
    }

    alignas(TfsValue) unsigned char FBuffer[N * sizeof(TfsValue)];
    TfsValue *FData;
    bool FHeap;
    size_t FSize = 0;
};

// Integers are the common case of loops and counters: they skip the general promotion. Two 32-bit
// operands cannot overflow 64 bits; a 64-bit operand keeps the result 64-bit and checks overflow.
template <class Op64, class General>
TfsValue integerFirst(const TfsValue &a, const TfsValue &b, Op64 op64, General general)
{
    if (a.kind() == TfsValue::Int && b.kind() == TfsValue::Int)
        return TfsValue::FromInt64(op64(int64_t(a.RawInt()), int64_t(b.RawInt())));
    if (a.IsIntegral() && b.IsIntegral()) {
        int64_t r = 0;
        if (!op64(a.ToInt64(), b.ToInt64(), r))
            return TfsValue(r);
    }
    return general(a, b);
}

} // namespace

TfsValue fsAdd(const TfsValue &a, const TfsValue &b)
{
    struct Op
    {
        int64_t operator()(int64_t x, int64_t y) const { return x + y; }
        bool operator()(int64_t x, int64_t y, int64_t &r) const { return __builtin_add_overflow(x, y, &r); }
    };
    return integerFirst(a, b, Op{}, [](const TfsValue &x, const TfsValue &y) { return x + y; });
}
TfsValue fsSub(const TfsValue &a, const TfsValue &b)
{
    struct Op
    {
        int64_t operator()(int64_t x, int64_t y) const { return x - y; }
        bool operator()(int64_t x, int64_t y, int64_t &r) const { return __builtin_sub_overflow(x, y, &r); }
    };
    return integerFirst(a, b, Op{}, [](const TfsValue &x, const TfsValue &y) { return x - y; });
}
TfsValue fsMul(const TfsValue &a, const TfsValue &b)
{
    struct Op
    {
        int64_t operator()(int64_t x, int64_t y) const { return x * y; }
        bool operator()(int64_t x, int64_t y, int64_t &r) const { return __builtin_mul_overflow(x, y, &r); }
    };
    return integerFirst(a, b, Op{}, [](const TfsValue &x, const TfsValue &y) { return x * y; });
}
namespace {

int compare(const TfsValue &a, const TfsValue &b)
{
    if (a.kind() == TfsValue::Int && b.kind() == TfsValue::Int)
        return (a.RawInt() > b.RawInt()) - (a.RawInt() < b.RawInt());
    return TfsValue::Compare(a, b);
}
// Ordering with null on either side is false, as equality with null is.
bool ordered(const TfsValue &a, const TfsValue &b)
{
    return !a.IsNull() && !b.IsNull();
}
TfsValue great(const TfsValue &a, const TfsValue &b)
{
    return TfsValue(ordered(a, b) && compare(a, b) > 0);
}
TfsValue less(const TfsValue &a, const TfsValue &b)
{
    return TfsValue(ordered(a, b) && compare(a, b) < 0);
}
TfsValue lessEq(const TfsValue &a, const TfsValue &b)
{
    return TfsValue(ordered(a, b) && compare(a, b) <= 0);
}
TfsValue greatEq(const TfsValue &a, const TfsValue &b)
{
    return TfsValue(ordered(a, b) && compare(a, b) >= 0);
}
TfsValue equal(const TfsValue &a, const TfsValue &b)
{
    return TfsValue(TfsValue::Equal(a, b));
}
TfsValue nonEqual(const TfsValue &a, const TfsValue &b)
{
    return TfsValue(!TfsValue::Equal(a, b));
}

// The value lies in an array read as a set: a null element between two others makes a range.
TfsValue inArray(const TfsValue &value, const TfsValue &set)
{
    if (set.kind() != TfsValue::Array)
        throw TfsRuntimeError(QStringLiteral("Array type required"));
    const int high = set.ArrayHigh();
    for (int i = set.ArrayLow(); i <= high; ++i) {
        const TfsValue &item = set.ArrayAt(i);
        if (i + 2 <= high && set.ArrayAt(i + 1).IsNull()) {
            if (TfsValue::Compare(item, value) <= 0 && TfsValue::Compare(value, set.ArrayAt(i + 2)) <= 0)
                return TfsValue(true);
            i += 2;
        } else if (TfsValue::Equal(item, value)) {
            return TfsValue(true);
        }
    }
    return TfsValue(false);
}

BinaryFn binaryFunction(TfsOperatorType op)
{
    switch (op) {
    case opGreat:
        return great;
    case opLess:
        return less;
    case opLessEq:
        return lessEq;
    case opGreatEq:
        return greatEq;
    case opNonEq:
        return nonEqual;
    case opEq:
        return equal;
    case opPlus:
        return fsAdd;
    case opStrCat:
        return TfsValue::StrCat;
    case opMinus:
        return fsSub;
    case opMul:
        return fsMul;
    case opDivFloat:
        return TfsValue::DivFloat;
    case opDivInt:
        return TfsValue::DivInt;
    case opMod:
        return TfsValue::Mod;
    case opAnd:
        return TfsValue::And;
    case opOr:
        return TfsValue::Or;
    case opXor:
        return TfsValue::Xor;
    case opShl:
        return TfsValue::Shl;
    case opShr:
        return TfsValue::Shr;
    case opIn:
        return inArray;
    default:
        return nullptr;
    }
}

class BinaryNode : public TfsNode
{
public:
    BinaryNode(BinaryFn fn, TfsNodePtr left, TfsNodePtr right)
        : FFn(fn), FLeft(std::move(left)), FRight(std::move(right))
    {
    }
    TfsValue Eval() override
    {
        const TfsValue a = FLeft->Eval(); // left before right
        return FFn(a, FRight->Eval());
    }
    bool Pure() const override { return FLeft->Pure() && FRight->Pure(); }

private:
    BinaryFn FFn;
    TfsNodePtr FLeft, FRight;
};

// Arithmetic and comparisons of two integers, the operations of loops and counters, computed in
// place; any other operands take the general function.
template <class Op> class IntegerNode : public TfsNode
{
public:
    IntegerNode(BinaryFn fn, TfsNodePtr left, TfsNodePtr right)
        : FFn(fn), FLeft(std::move(left)), FRight(std::move(right)), FLeftPlain(*FLeft), FRightPlain(*FRight)
    {
    }
    TfsValue Eval() override
    {
        const TfsValue *a = FLeftPlain.At(), *b = FRightPlain.At();
        if (a && b && a->kind() == TfsValue::Int && b->kind() == TfsValue::Int)
            return Op::Int32(a->RawInt(), b->RawInt());
        return General();
    }
    bool EvalBool() override
    {
        if constexpr (Op::Compare) {
            const TfsValue *a = FLeftPlain.At(), *b = FRightPlain.At();
            if (a && b && a->kind() == TfsValue::Int && b->kind() == TfsValue::Int)
                return Op::Test(a->RawInt(), b->RawInt());
        }
        return Eval().ToBool();
    }
    bool Pure() const override { return FLeft->Pure() && FRight->Pure(); }

    TfsCustomVariable *LeftVariable() const { return FLeftPlain.variable; }
    const TfsPlainOperand &LeftPlain() const { return FLeftPlain; }
    const TfsPlainOperand &RightPlain() const { return FRightPlain; }
    TfsNodePtr TakeRight() { return std::move(FRight); }

private:
    static const TfsValue &operand(TfsNode &node, const TfsPlainOperand &plain, TfsValue &temporary)
    {
        if (const TfsValue *value = plain.At())
            return *value;
        temporary = node.Eval();
        return temporary;
    }
    TfsValue General()
    {
        // Left before right: a variable on the left is read before a call on the right can change it.
        TfsValue leftValue, rightValue;
        const TfsValue &a =
            FRightPlain.At() ? operand(*FLeft, FLeftPlain, leftValue) : (leftValue = FLeft->Eval());
        const TfsValue &b = operand(*FRight, FRightPlain, rightValue);
        if (a.kind() == TfsValue::Int && b.kind() == TfsValue::Int)
            return Op::Int32(a.RawInt(), b.RawInt());
        if (a.IsIntegral() && b.IsIntegral() && Op::Wide) {
            int64_t r = 0;
            if (!Op::Int64(a.ToInt64(), b.ToInt64(), r))
                return TfsValue(r);
        }
        return FFn(a, b);
    }

    BinaryFn FFn;
    TfsNodePtr FLeft, FRight;
    TfsPlainOperand FLeftPlain, FRightPlain;
};

struct AddOp
{
    static constexpr bool Wide = true, Compare = false;
    static TfsValue Int32(int x, int y) { return TfsValue::FromInt64(int64_t(x) + y); }
    static bool Int64(int64_t x, int64_t y, int64_t &r) { return __builtin_add_overflow(x, y, &r); }
};
struct SubOp
{
    static constexpr bool Wide = true, Compare = false;
    static TfsValue Int32(int x, int y) { return TfsValue::FromInt64(int64_t(x) - y); }
    static bool Int64(int64_t x, int64_t y, int64_t &r) { return __builtin_sub_overflow(x, y, &r); }
};
struct MulOp
{
    static constexpr bool Wide = true, Compare = false;
    static TfsValue Int32(int x, int y) { return TfsValue::FromInt64(int64_t(x) * y); }
    static bool Int64(int64_t x, int64_t y, int64_t &r) { return __builtin_mul_overflow(x, y, &r); }
};
template <class Cmp> struct CompareOp
{
    static constexpr bool Wide = false, Compare = true;
    static bool Test(int x, int y) { return Cmp()(x, y); }
    static TfsValue Int32(int x, int y) { return TfsValue(Cmp()(x, y)); }
    static bool Int64(int64_t, int64_t, int64_t &) { return true; }
};

// An operator with an integer fast path, or null.
TfsNodePtr integerNode(TfsOperatorType op, BinaryFn fn, TfsNodePtr &left, TfsNodePtr &right)
{
    switch (op) {
    case opPlus:
        return std::make_unique<IntegerNode<AddOp>>(fn, std::move(left), std::move(right));
    case opMinus:
        return std::make_unique<IntegerNode<SubOp>>(fn, std::move(left), std::move(right));
    case opMul:
        return std::make_unique<IntegerNode<MulOp>>(fn, std::move(left), std::move(right));
    case opLess:
        return std::make_unique<IntegerNode<CompareOp<std::less<>>>>(fn, std::move(left), std::move(right));
    case opLessEq:
        return std::make_unique<IntegerNode<CompareOp<std::less_equal<>>>>(fn, std::move(left),
                                                                           std::move(right));
    case opGreat:
        return std::make_unique<IntegerNode<CompareOp<std::greater<>>>>(fn, std::move(left),
                                                                        std::move(right));
    case opGreatEq:
        return std::make_unique<IntegerNode<CompareOp<std::greater_equal<>>>>(fn, std::move(left),
                                                                              std::move(right));
    case opEq:
        return std::make_unique<IntegerNode<CompareOp<std::equal_to<>>>>(fn, std::move(left),
                                                                         std::move(right));
    case opNonEq:
        return std::make_unique<IntegerNode<CompareOp<std::not_equal_to<>>>>(fn, std::move(left),
                                                                             std::move(right));
    default:
        return nullptr;
    }
}

// and / or of two Boolean operands: the right one runs only when it decides.
class ShortCircuitNode : public TfsNode
{
public:
    ShortCircuitNode(bool isAnd, TfsNodePtr left, TfsNodePtr right)
        : FIsAnd(isAnd), FLeft(std::move(left)), FRight(std::move(right))
    {
    }
    TfsValue Eval() override
    {
        TfsValue a = FLeft->Eval();
        if (a.IsNull() || a.ToBool() != FIsAnd)
            return a;
        return FRight->Eval();
    }

private:
    bool FIsAnd;
    TfsNodePtr FLeft, FRight;
};

class InSetNode : public TfsNode
{
public:
    InSetNode(TfsNodePtr left, TfsNodePtr set) : FLeft(std::move(left)), FSet(std::move(set)) {}
    TfsValue Eval() override { return TfsValue(static_cast<TfsSetNode &>(*FSet).Check(FLeft->Eval())); }

private:
    TfsNodePtr FLeft, FSet;
};

class UnaryNode : public TfsNode
{
public:
    UnaryNode(bool isNot, TfsNodePtr operand) : FIsNot(isNot), FOperand(std::move(operand)) {}
    TfsValue Eval() override
    {
        const TfsValue v = FOperand->Eval();
        return FIsNot ? TfsValue::Not(v) : TfsValue::Neg(v);
    }
    bool Pure() const override { return FOperand->Pure(); }

private:
    bool FIsNot;
    TfsNodePtr FOperand;
};

int indexOf(const TfsValue &v)
{
    return v.ToInt();
}

// One character of a text, 1-based.
TfsValue charAt(const TfsValue &text, int index)
{
    const QString s = text.ToString();
    if (index < 1 || index > s.size())
        throw TfsRuntimeError(QStringLiteral("Index out of range: %1").arg(index),
                              QStringLiteral("ERangeError"));
    return TfsValue(QString(s[index - 1]));
}

} // namespace

TfsConstNode::TfsConstNode(TfsValue value) : FValue(std::move(value))
{
    static const TfsVarType types[] = {fvtVariant, fvtVariant, fvtInt,    fvtInt64, fvtFloat,  fvtFloat,
                                       fvtFloat,   fvtBool,    fvtString, fvtArray, fvtVariant};
    FTyp = types[FValue.kind()];
}

TfsNodePtr fsMakeOperator(TfsOperatorType op, TfsNodePtr left, TfsNodePtr right)
{
    switch (op) {
    case opNot:
    case opUnMinus:
        return std::make_unique<UnaryNode>(op == opNot, std::move(right ? right : left));
    case opAnd:
    case opOr:
        if (left->FTyp == fvtBool && right->FTyp == fvtBool)
            return std::make_unique<ShortCircuitNode>(op == opAnd, std::move(left), std::move(right));
        break;
    case opIn:
        if (dynamic_cast<TfsSetNode *>(right.get()))
            return std::make_unique<InSetNode>(std::move(left), std::move(right));
        break;
    default:
        if (TfsNodePtr fast = integerNode(op, binaryFunction(op), left, right))
            return fast;
        break;
    }
    return std::make_unique<BinaryNode>(binaryFunction(op), std::move(left), std::move(right));
}

TfsPlainOperand::TfsPlainOperand(TfsNode &node)
{
    if (auto *c = dynamic_cast<TfsConstNode *>(&node))
        at = constant = &c->FValue;
    else if (auto *designator = dynamic_cast<TfsVariableDesignator *>(&node))
        variable = designator->FVar;
    if (variable && !variable->FOnGetVarValue)
        at = &variable->FValue;
}

TfsOperatorType fsPlainComparison(TfsNode &condition, TfsPlainOperand &left, TfsPlainOperand &right)
{
    const auto parts = [&](auto *node, TfsOperatorType op) {
        if (!node || !(node->LeftPlain().constant || node->LeftPlain().variable) ||
            !(node->RightPlain().constant || node->RightPlain().variable))
            return opNone;
        left = node->LeftPlain();
        right = node->RightPlain();
        return op;
    };
    TfsNode *node = &condition;
    if (auto *less = dynamic_cast<IntegerNode<CompareOp<std::less<>>> *>(node))
        return parts(less, opLess);
    if (auto *lessEq = dynamic_cast<IntegerNode<CompareOp<std::less_equal<>>> *>(node))
        return parts(lessEq, opLessEq);
    if (auto *great = dynamic_cast<IntegerNode<CompareOp<std::greater<>>> *>(node))
        return parts(great, opGreat);
    return parts(dynamic_cast<IntegerNode<CompareOp<std::greater_equal<>>> *>(node), opGreatEq);
}

TfsOperatorType fsSplitSelfOperation(TfsNodePtr &expression, const TfsCustomVariable *var,
                                     TfsNodePtr &operand)
{
    const auto split = [&](auto *node, TfsOperatorType op) {
        if (!node || node->LeftVariable() != var)
            return opNone;
        operand = node->TakeRight();
        expression.reset();
        return op;
    };
    TfsNode *node = expression.get();
    if (auto *add = dynamic_cast<IntegerNode<AddOp> *>(node))
        return split(add, opPlus);
    if (auto *sub = dynamic_cast<IntegerNode<SubOp> *>(node))
        return split(sub, opMinus);
    return split(dynamic_cast<IntegerNode<MulOp> *>(node), opMul);
}

TfsValue TfsSetNode::Eval()
{
    TfsValue result = TfsValue::MakeArray(0, int(FEntries.size()) - 1);
    for (size_t i = 0; i < FEntries.size(); ++i)
        if (FEntries[i])
            result.ArrayRef(int(i)) = FEntries[i]->Eval();
    return result;
}

bool TfsSetNode::Check(const TfsValue &value)
{
    for (size_t i = 0; i < FEntries.size(); ++i) {
        if (i + 2 < FEntries.size() && !FEntries[i + 1]) {
            if (TfsValue::Compare(FEntries[i]->Eval(), value) <= 0 &&
                TfsValue::Compare(value, FEntries[i + 2]->Eval()) <= 0)
                return true;
            i += 2;
        } else if (FEntries[i] && TfsValue::Equal(FEntries[i]->Eval(), value)) {
            return true;
        }
    }
    return false;
}

void TfsDesignator::Assign(const TfsValue &)
{
    throw TfsRuntimeError(QStringLiteral("Left side cannot be assigned to"));
}

TfsVariableDesignator::TfsVariableDesignator(TfsCustomVariable *variable) : FVar(variable)
{
    FTyp = variable->FTyp;
    FTypeName = variable->FTypeName;
}

namespace {

// The default indexed property of an object reached through a variant: read, or written when assigned.
TfsValue defaultProperty(const TfsValue &object, std::span<TfsValue> indexes, TfsScript &scope,
                         const TfsValue *assigned)
{
    QObject *obj = TfsObjectRegistry::Object(object.ToInt64());
    const TfsClassVariable *cls = TfsClassVariable::ClassOf(obj, scope);
    const TfsClassMember *member = cls ? cls->DefaultProperty(scope) : nullptr;
    if (!member)
        throw TfsRuntimeError(
            QStringLiteral("Class %1 does not have a default property")
                .arg(cls ? cls->FName : QString::fromLatin1(obj->metaObject()->className())));
    if (indexes.size() != member->params.size())
        throw TfsRuntimeError(indexes.size() < member->params.size()
                                  ? QStringLiteral("Not enough actual parameters")
                                  : QStringLiteral("Too many actual parameters"));
    if (!assigned)
        return member->call(obj, indexes);
    if (!member->setIndexed)
        throw TfsRuntimeError(QStringLiteral("Left side cannot be assigned to"));
    member->setIndexed(obj, indexes, *assigned);
    return TfsValue::MakeNull();
}

} // namespace

TfsValue TfsIndexDesignator::DefaultProperty(const TfsValue &object, const TfsValue *assigned)
{
    SmallValues<4> values(FIndexes.size());
    for (size_t i = 0; i < FIndexes.size(); ++i)
        values.Span()[i] = FIndexes[i]->Eval();
    return defaultProperty(object, values.Span(), *FScope, assigned);
}

TfsValue TfsIndexDesignator::Eval()
{
    TfsValue v = FBase->Eval();
    if (FScope && v.kind() == TfsValue::Object)
        return DefaultProperty(v, nullptr);
    for (const TfsNodePtr &index : FIndexes) {
        const int i = indexOf(index->Eval());
        if (v.kind() == TfsValue::Array) {
            const TfsValue element = v.ArrayAt(i);
            v = element;
        } else if (v.kind() == TfsValue::String) {
            v = charAt(v, i);
        } else {
            throw TfsRuntimeError(QStringLiteral("Array type required"));
        }
    }
    return v;
}

void TfsIndexDesignator::AssignInto(TfsValue &target, size_t level, const TfsValue &value)
{
    const int i = indexOf(FIndexes[level]->Eval());
    if (target.kind() == TfsValue::String && level + 1 == FIndexes.size()) {
        QString s = target.ToString();
        const QString c = value.kind() == TfsValue::String ? value.ToString() : QString(QChar(value.ToInt()));
        if (i < 1 || i > s.size())
            throw TfsRuntimeError(QStringLiteral("Index out of range: %1").arg(i),
                                  QStringLiteral("ERangeError"));
        s[i - 1] = c.isEmpty() ? QChar() : c[0];
        target = TfsValue(s);
        return;
    }
    if (target.kind() != TfsValue::Array)
        throw TfsRuntimeError(QStringLiteral("Array type required"));
    TfsValue &element = target.ArrayRef(i);
    if (level + 1 == FIndexes.size())
        element = value;
    else
        AssignInto(element, level + 1, value);
}

void TfsIndexDesignator::Assign(const TfsValue &value)
{
    if (TfsValue *storage = FBase->Ref()) {
        if (FScope && storage->kind() == TfsValue::Object) {
            DefaultProperty(TfsValue(*storage), &value);
            return;
        }
        AssignInto(*storage, 0, value);
        return;
    }
    TfsValue whole = FBase->Eval();
    if (FScope && whole.kind() == TfsValue::Object) {
        DefaultProperty(whole, &value);
        return;
    }
    AssignInto(whole, 0, value);
    FBase->Assign(whole);
}

void TfsCallDesignator::Prepare()
{
    FArgAt.clear();
    for (const TfsNodePtr &arg : FArgs)
        FArgAt.push_back(TfsPlainOperand(*arg).At());
}

TfsValue TfsCallDesignator::Eval()
{
    // All arguments are evaluated before any parameter is assigned.
    SmallValues<8> values(FArgs.size(),
                          [this](size_t i) { return FArgAt[i] ? *FArgAt[i] : FArgs[i]->Eval(); });
    const std::span<TfsValue> args = values.Span();
    if (FNative) {
        TfsValue result = FNative->FCall(args);
        for (size_t i = 0; i < FVarArgs.size(); ++i)
            if (FVarArgs[i])
                FVarArgs[i]->Assign(args[i]);
        return result;
    }
    return fsCallRoutine(*FProc, args, FVarArgs);
}

const TfsClassMember &TfsMemberDesignator::Resolve(QObject *&obj)
{
    const TfsValue base = FBase->Eval();
    if (base.kind() != TfsValue::Object && !base.IsIntegral() && !base.IsNull())
        throw TfsRuntimeError(QStringLiteral("Object reference expected"), QStringLiteral("EInvalidCast"));
    obj = TfsObjectRegistry::Object(base.IsNull() ? 0 : base.ToInt64());
    const QMetaObject *meta = obj->metaObject();
    if (meta == FCachedMeta)
        return *FCached;
    if (FStatic && FStatic->FMeta && !meta->inherits(FStatic->FMeta))
        throw TfsRuntimeError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
    const TfsClassVariable *cls = TfsClassVariable::ClassOf(obj, *FScope);
    const TfsClassMember *member = cls ? cls->Find(FName, *FScope) : nullptr;
    if (!member && FStatic)
        member = FStatic->Find(FName, *FScope);
    if (!member)
        throw TfsRuntimeError(QStringLiteral("Undeclared identifier: '%1'").arg(FName));
    FCachedMeta = meta;
    FCached = member;
    return *member;
}

// A property found only when running, with indexes after it: an object's default property, or a
// character of a text.
TfsValue TfsMemberDesignator::IndexedProperty(QObject *obj, const TfsClassMember &member,
                                              const TfsValue *assigned)
{
    const TfsValue value = member.get ? member.get(obj) : TfsValue::MakeNull();
    SmallValues<4> values(FArgs.size());
    for (size_t i = 0; i < FArgs.size(); ++i)
        values.Span()[i] = FArgs[i]->Eval();
    if (value.kind() == TfsValue::Object)
        return defaultProperty(value, values.Span(), *FScope, assigned);
    if (value.kind() == TfsValue::String && !assigned && FArgs.size() == 1)
        return charAt(value, indexOf(values.Span()[0]));
    throw TfsRuntimeError(QStringLiteral("Array type required"));
}

TfsValue TfsMemberDesignator::Eval()
{
    QObject *obj = nullptr;
    const TfsClassMember &member = Resolve(obj);
    if (member.kind == TfsClassMember::Property && !FArgs.empty())
        return IndexedProperty(obj, member, nullptr);
    if (member.kind == TfsClassMember::Property)
        return member.get ? member.get(obj) : TfsValue::MakeNull();
    std::vector<TfsValue> args(std::max(FArgs.size(), member.params.size()));
    for (size_t i = 0; i < FArgs.size(); ++i)
        args[i] = FArgs[i]->Eval();
    for (size_t i = FArgs.size(); i < member.params.size(); ++i) {
        if (!member.params[i].isOptional)
            throw TfsRuntimeError(QStringLiteral("Not enough actual parameters"));
        args[i] = member.params[i].defValue;
    }
    if (FArgs.size() > member.params.size())
        throw TfsRuntimeError(QStringLiteral("Too many actual parameters"));
    TfsValue result = member.call(obj, args);
    for (size_t i = 0; i < FVarArgs.size(); ++i)
        if (FVarArgs[i])
            FVarArgs[i]->Assign(args[i]);
    return result;
}

void TfsMemberDesignator::Assign(const TfsValue &value)
{
    QObject *obj = nullptr;
    const TfsClassMember &member = Resolve(obj);
    if (member.kind == TfsClassMember::IndexProperty && member.setIndexed) {
        SmallValues<4> values(FArgs.size());
        for (size_t i = 0; i < FArgs.size(); ++i)
            values.Span()[i] = FArgs[i]->Eval();
        member.setIndexed(obj, values.Span(), value);
        return;
    }
    if (member.kind != TfsClassMember::Property)
        throw TfsRuntimeError(QStringLiteral("Left side cannot be assigned to"));
    if (!FArgs.empty()) {
        IndexedProperty(obj, member, &value);
        return;
    }
    // A property without a writer is read-only: writing it changes nothing.
    if (member.set)
        member.set(obj, value);
}

TfsValue TfsConstructorDesignator::Eval()
{
    SmallValues<4> values(FArgs.size());
    for (size_t i = 0; i < FArgs.size(); ++i)
        values.Span()[i] = FArgs[i]->Eval();
    QObject *made = FMember->construct(values.Span());
    FOwner->MainProg()->AdoptObject(made);
    return TfsValue::MakeObject(TfsObjectRegistry::Handle(made));
}

namespace {

// Restores what a call changed, on every way out of it. A recursive call moves the caller's locals
// aside (a move copies no text and counts no reference) and gives the callee copies of those that
// are neither parameters nor the result, which the call sets anyway.
struct CallFrame
{
    TfsProcVariable &proc;
    TfsScript &scope;
    TfsScript &main;
    TfsScript *previousRunning;
    bool saved;
    SmallValues<8> savedValues;
    bool restored = false;

    explicit CallFrame(TfsProcVariable &p)
        : proc(p), scope(*p.FProgram), main(*scope.MainProg()), previousRunning(main.FProgRunning),
          saved(p.FDepth > 0), savedValues(saved ? scope.Locals().size() : 0, [this](size_t i) {
              TfsCustomVariable &local = *scope.Locals()[i];
              TfsValue value = std::move(local.FValue);
              if (local.Kind() != TfsCustomVariable::ikParam && &local != proc.FResult)
                  local.FValue = value;
              return value;
          })
    {
        ++proc.FDepth;
        main.FProgRunning = &scope;
        scope.FFlags = {};
        scope.FTerminated = false;
    }

    void Restore()
    {
        if (restored)
            return;
        restored = true;
        --proc.FDepth;
        main.FProgRunning = previousRunning;
        scope.FFlags = {};
        if (!saved)
            return;
        const auto &locals = scope.Locals();
        for (size_t i = 0; i < locals.size(); ++i)
            locals[i]->FValue = std::move(savedValues[i]);
    }

    ~CallFrame() { Restore(); }
};

// Inlined where the stack is checked: one call less on every call of a routine.
[[gnu::always_inline]] inline TfsValue callRoutine(TfsProcVariable &proc, std::span<TfsValue> args,
                                                   std::span<TfsDesignator *const> varArgs)
{
    CallFrame frame(proc);

    // More or fewer arguments than parameters: the common part is assigned, missing ones take their
    // default or null.
    const size_t common = std::min(args.size(), proc.FParams.size());
    for (size_t i = 0; i < common; ++i)
        proc.FParams[i]->SetValue(std::move(args[i]));
    for (size_t i = common; i < proc.FParams.size(); ++i)
        proc.FParams[i]->FValue =
            proc.FParams[i]->FIsOptional ? proc.FParams[i]->FDefValue : TfsValue::MakeNull();
    if (proc.FResult)
        proc.FResult->FValue = TfsValue::MakeNull();

    frame.scope.Statements().Run();

    // Read the result and the var parameters, restore the caller's locals, then write back. A
    // recursive call's result is moved out: the caller's comes back in its place.
    TfsValue result = !proc.FResult ? TfsValue::MakeNull()
                      : frame.saved ? std::move(proc.FResult->FValue)
                                    : proc.FResult->FValue;
    if (varArgs.empty())
        return result;
    const size_t backCount = std::min(varArgs.size(), proc.FParams.size());
    SmallValues<8> back(backCount,
                        [&](size_t i) { return varArgs[i] ? proc.FParams[i]->FValue : TfsValue(); });
    frame.Restore();
    for (size_t i = 0; i < backCount; ++i)
        if (varArgs[i])
            varArgs[i]->Assign(back[i]);
    return result;
}

} // namespace

TfsValue fsCallRoutine(TfsProcVariable &proc, std::span<TfsValue> args,
                       std::span<TfsDesignator *const> varArgs)
{
    return TfsStack::Call([&] { return callRoutine(proc, args, varArgs); });
}
